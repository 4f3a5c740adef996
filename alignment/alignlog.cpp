#include "alignlog.h"

#include "csvtext.h"
#include "eeprotocol.h"
#include "layout.h"
#include "linkstate.h"
#include "platform.h"
#include "recordevent.h"
#include "serialdevices.h"

#include <cstdio>

namespace
{

std::vector<std::string> SplitCsvLine(const std::string &line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (quoted && ch == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (ch == '"') {
            quoted = !quoted;
        } else if (ch == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += ch;
        }
    }
    return fields;
}

std::string Joined(const std::vector<std::string> &fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i == 0 ? "" : ",") + CsvField(fields[i]);
    return line + "\r\n";
}

std::string TwoDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

} // namespace

std::string AlignLogPath()
{
    return platform().programFolder + "/" + AlignLogFileName;
}

bool AppendAlignLog(const AlignLogEntry &entry)
{
    RadioEvent run;
    run.serial = entry.serial;
    run.kind = "Alignment";
    run.outcome = entry.result;
    run.port = CommPortDevice(m_iCommPort);
    run.detail = entry.procedure + ": " + entry.before + " -> " + entry.after;
    RecordRadioEvent(std::move(run));

    FileSystem *files = platform().files;
    if (files == nullptr || platform().clock == nullptr)
        return false;
    const std::string path = AlignLogPath();
    std::vector<std::uint8_t> data;
    if (auto old = files->read(path, 16 * 1024 * 1024))
        data = *old;
    if (data.empty()) {
        const std::string heading = Joined(AlignLogColumns);
        data.assign(heading.begin(), heading.end());
    }
    const LocalTime t = platform().clock->localTime();
    const std::string line =
        Joined({std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day),
                TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second),
                entry.serial, entry.procedure, entry.before, entry.after, entry.result});
    data.insert(data.end(), line.begin(), line.end());
    files->makePath(platform().programFolder);
    return files->writeAtomic(path, data);
}

std::vector<std::vector<std::string>> ReadAlignLog()
{
    std::vector<std::vector<std::string>> rows;
    if (platform().files == nullptr)
        return rows;
    const auto data = platform().files->read(AlignLogPath(), 16 * 1024 * 1024);
    if (!data)
        return rows;
    const std::string text(data->begin(), data->end());
    std::size_t start = 0;
    bool heading = true;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!heading && !line.empty())
            rows.push_back(SplitCsvLine(line));
        heading = false;
        start = end + 1;
    }
    return rows;
}

std::string ReadUnitSerialNumber()
{
    std::vector<std::uint8_t> digits(Layout::GlbSerialNumberLength);
    if (!ReadMultiEEBytes(0, Layout::GlbSerialNumber, Layout::GlbSerialNumberLength, digits))
        return {};
    std::string serial;
    for (std::uint8_t digit : digits)
        serial += digit <= 9 ? static_cast<char>('0' + digit) : '?';
    return serial;
}

std::string HexBytes(const std::vector<int> &bytes)
{
    std::string text;
    for (int byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", byte & 0xFF);
        text += (text.empty() ? "" : " ") + std::string(hex);
    }
    return text;
}
