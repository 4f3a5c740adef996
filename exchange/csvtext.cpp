#include "csvtext.h"

namespace
{

const std::string ByteOrderMark = "\xEF\xBB\xBF";

bool NeedsQuotes(const std::string &field)
{
    // Readers trim unquoted fields: a leading or trailing blank is kept only inside quotes.
    return field.find_first_of(",\"\r\n") != std::string::npos ||
           (!field.empty() && (field.front() == ' ' || field.back() == ' '));
}

} // namespace

std::vector<CsvRecord> ReadCsvRecords(const std::string &text)
{
    std::vector<CsvRecord> records;
    std::size_t at =
        text.compare(0, ByteOrderMark.size(), ByteOrderMark) == 0 ? ByteOrderMark.size() : 0;
    int line = 1;
    CsvRecord record{line, {std::string()}};
    bool quoted = false;
    bool fieldStarted = false;
    auto endRecord = [&] {
        records.push_back(std::move(record));
        record = CsvRecord{line, {std::string()}};
        fieldStarted = false;
    };

    for (; at < text.size(); ++at) {
        const char ch = text[at];
        std::string &field = record.fields.back();
        if (quoted) {
            if (ch == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                field += '"';
                ++at;
            } else if (ch == '"') {
                quoted = false;
            } else {
                if (ch == '\n' || (ch == '\r' && (at + 1 >= text.size() || text[at + 1] != '\n')))
                    ++line;
                field += ch;
            }
            continue;
        }
        if (ch == '"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (ch == ',') {
            record.fields.emplace_back();
            fieldStarted = false;
        } else if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
                ++at;
            ++line;
            endRecord();
        } else {
            // Text after a closing quote is kept rather than lost.
            field += ch;
            fieldStarted = true;
        }
    }
    if (fieldStarted || record.fields.size() > 1)
        records.push_back(std::move(record));
    return records;
}

std::string CsvLine(const std::vector<std::string> &fields)
{
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += ',';
        if (!NeedsQuotes(fields[i])) {
            text += fields[i];
            continue;
        }
        text += '"';
        for (char ch : fields[i]) {
            if (ch == '"')
                text += '"';
            text += ch;
        }
        text += '"';
    }
    return text + "\r\n";
}
