#include "chirpcsv.h"

#include "chanrecord.h"
#include "chirptones.h"
#include "csvtext.h"
#include "fixedtext.h"
#include "freqcodec.h"
#include "guardcodec.h"
#include "labelcodes.h"
#include "layout.h"
#include "numtext.h"
#include "picklistcodec.h"
#include "textlimits.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdlib>
#include <optional>

namespace
{

// CHIRP's columns, in the order it writes them.
enum Column {
    ColLocation,
    ColName,
    ColFrequency,
    ColDuplex,
    ColOffset,
    ColTone,
    ColRToneFreq,
    ColCToneFreq,
    ColDtcsCode,
    ColDtcsPolarity,
    ColRxDtcsCode,
    ColCrossMode,
    ColMode,
    ColTStep,
    ColSkip,
    ColPower,
    ColComment,
    ColUrCall,
    ColRpt1Call,
    ColRpt2Call,
    ColDvCode,
    ColumnCount
};

constexpr const char *ColumnNames[ColumnCount] = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

constexpr const char *LowPowerText = "2.0W";
constexpr const char *HighPowerText = "5.0W";
// Between the radio's two levels: a file's power below this is taken as low.
constexpr double LowPowerBelowWatts = 3.5;

constexpr int MHzDecimals = 6;
constexpr int PickListRefs = 32;

// CHIRP's tuning step for a frequency: the coarsest of these it lies on. The radio's 1.25 kHz
// steps off both rasters have no CHIRP step and get the finest.
struct TuningStep {
    long long hz;
    const char *text;
};
constexpr TuningStep TuningSteps[] = {{5000, "5.00"}, {6250, "6.25"}, {2500, "2.50"}};

// One channel as the setters take it; the defaults are an Inactive channel.
struct ChannelTexts {
    std::string label;
    std::string rx = "Inactive";
    std::string tx = "Inactive";
    std::string rxGuard = "000.0";
    std::string txGuard = "000.0";
    bool scan = false;
    bool narrow = false;
    bool lowPower = false;
};

bool SameText(const std::string &a, const std::string &b)
{
    return UpperCase(a) == UpperCase(b);
}

std::string TrimRight(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

long long StoredHz(const MemMapImage &mm, int group, int chan, int field)
{
    const int page = Layout::GroupPage(group);
    const int at = Layout::ChanRecord(chan) + field;
    const long long steps = mm.get(page, at) * 256 + mm.get(page, at + 1);
    return steps == 0 ? 0 : FreqBaseHz + steps * FreqStepHz;
}

const char *TuningStepText(long long hz)
{
    for (const TuningStep &step : TuningSteps) {
        if (hz % step.hz == 0)
            return step.text;
    }
    return TuningSteps[std::size(TuningSteps) - 1].text;
}

std::vector<std::string> ExportRow(const MemMapImage &mm, int group, int chan, int location)
{
    const long long rx = StoredHz(mm, group, chan, Layout::ChRxFreq);
    const long long tx = StoredHz(mm, group, chan, Layout::ChTxFreq);

    // A transmit guard from the pick list goes out as the guard it refers to.
    const std::string txText = GetChanGuard(mm, group, chan, false);
    const bool fromPickList = StartsWith(txText, "UTXG ");
    const ChirpTones tones = TonesOfGuards(
        fromPickList ? GetPickListGuard(mm, static_cast<int>(NumericValue(txText.substr(5))) - 1)
                     : txText,
        GetChanGuard(mm, group, chan, true));

    std::vector<std::string> row(ColumnCount);
    row[ColLocation] = std::to_string(location);
    row[ColName] = TrimRight(GetChanLabel(mm, group, chan));
    row[ColFrequency] = FixedText(rx, MHzDecimals);
    row[ColDuplex] = tx == 0 ? "off" : tx > rx ? "+" : tx < rx ? "-" : "";
    row[ColOffset] = FixedText(tx == 0 ? 0 : std::llabs(tx - rx), MHzDecimals);
    row[ColTone] = tones.mode;
    row[ColRToneFreq] = tones.rTone;
    row[ColCToneFreq] = tones.cTone;
    row[ColDtcsCode] = tones.code;
    row[ColDtcsPolarity] = tones.polarity;
    row[ColRxDtcsCode] = tones.rxCode;
    row[ColCrossMode] = tones.cross;
    row[ColMode] = GetChanNarrow(mm, group, chan) == "-" ? "FM" : "NFM";
    row[ColTStep] = TuningStepText(rx);
    row[ColSkip] = GetChanScan(mm, group, chan) == "-" ? "S" : "";
    row[ColPower] = GetChanLowPower(mm, group, chan) == "-" ? HighPowerText : LowPowerText;
    row[ColComment] = fromPickList ? txText : std::string();
    return row;
}

// A data row with its fields found by header name; a missing column reads as empty.
class RowView
{
public:
    RowView(const CsvRecord &record, const std::array<int, ColumnCount> &index)
        : m_record(record), m_index(index)
    {
    }
    bool has(Column column) const { return m_index[column] >= 0; }
    std::string get(Column column) const { return TrimBlanks(raw(column)); }
    // The field as the file has it, blanks included.
    std::string raw(Column column) const
    {
        const int i = m_index[column];
        return i >= 0 && static_cast<std::size_t>(i) < m_record.fields.size()
                   ? m_record.fields[static_cast<std::size_t>(i)]
                   : std::string();
    }
    // The column, or the other one when the file has no such column.
    Column either(Column column, Column fallback) const { return has(column) ? column : fallback; }

private:
    const CsvRecord &m_record;
    const std::array<int, ColumnCount> &m_index;
};

// Why a row cannot be carried, empty when it can.
using Refusal = std::string;

// The stored text of an in-band frequency, snapped onto the raster as a typed one would be.
Refusal BandFreq(long long hz, const std::string &side, std::string &text,
                 std::vector<std::string> &partly)
{
    const std::string given = FixedText(std::max(hz, 0LL), MHzDecimals);
    if (hz < FreqBandLowHz || hz > FreqBandHighHz)
        return side + " " + given + " MHz is outside 136-174 MHz";
    text = given;
    IsValidFreq(text);
    if (RoundHalfEven(NumericValue(text) * 1e6) != hz)
        partly.push_back(side + " " + given + " MHz moved onto the raster: " + text);
    return {};
}

Refusal ReadFrequencies(const RowView &row, ChannelTexts &channel, std::vector<std::string> &partly)
{
    const std::optional<long long> rx = ParseFixed(row.get(ColFrequency), MHzDecimals);
    if (!rx)
        return "frequency '" + Excerpt(row.get(ColFrequency)) + "' is not a frequency";
    Refusal refusal = BandFreq(*rx, "frequency", channel.rx, partly);
    if (!refusal.empty())
        return refusal;

    const std::string duplex = row.get(ColDuplex);
    const std::string offsetText = row.get(ColOffset);
    const std::optional<long long> offset =
        offsetText.empty() ? 0 : ParseFixed(offsetText, MHzDecimals);
    if (!offset)
        return "offset '" + Excerpt(offsetText) + "' is not a frequency";
    long long tx = 0;
    if (duplex.empty()) {
        channel.tx = channel.rx;
        return {};
    }
    if (SameText(duplex, "off"))
        return {};
    if (duplex == "+")
        tx = *rx + *offset;
    else if (duplex == "-")
        tx = *rx - *offset;
    else if (SameText(duplex, "split"))
        tx = *offset;
    else
        return "duplex '" + Excerpt(duplex) + "' is not one the radio has";
    return BandFreq(tx, "transmit frequency", channel.tx, partly);
}

std::string ReadName(const std::string &name, std::vector<std::string> &partly)
{
    const std::string text = TrimRight(name);
    std::size_t chars = 0;
    bool lacking = false;
    for (std::string::size_type at = 0; at < text.size(); ++chars) {
        const auto length = Utf8CharLength(text, at);
        const std::string ch = text.substr(at, length);
        if (chars < static_cast<std::size_t>(LabelChars) && ch != " " &&
            ValidateLabelChar(ch) == " ")
            lacking = true;
        at += length;
    }
    if (chars > static_cast<std::size_t>(LabelChars))
        partly.push_back("name '" + Excerpt(text) + "' cut to 12 characters");
    if (lacking)
        partly.push_back("name '" + Excerpt(text) +
                         "' has characters the radio lacks; blanks stand in");
    return ValidateLabel(text, LabelChars);
}

bool ReadPower(const std::string &text)
{
    if (StartsWith(UpperCase(text), "L"))
        return true;
    const double watts = NumericValue(text);
    return watts > 0 && watts < LowPowerBelowWatts;
}

Refusal ReadChannel(const RowView &row, const MemMapImage &mm, ChannelTexts &channel,
                    std::vector<std::string> &partly)
{
    Refusal refusal = ReadFrequencies(row, channel, partly);
    // Older files lack cToneFreq and RxDtcsCode.
    const ChirpTones tones{row.get(ColTone),
                           row.get(ColRToneFreq),
                           row.get(row.either(ColCToneFreq, ColRToneFreq)),
                           row.get(ColDtcsCode),
                           row.get(ColDtcsPolarity),
                           row.get(row.either(ColRxDtcsCode, ColDtcsCode)),
                           row.get(ColCrossMode)};
    if (refusal.empty())
        refusal = GuardsOfTones(tones, channel.txGuard, channel.rxGuard);
    const std::string mode = row.get(ColMode);
    if (refusal.empty() && !mode.empty() && !SameText(mode, "FM") && !SameText(mode, "NFM"))
        refusal = "mode '" + Excerpt(mode) + "' is not one the radio has";
    if (!refusal.empty())
        return refusal;

    // A label may begin with a blank; the blanks after it are the label's padding anyway.
    channel.label = ReadName(row.raw(ColName), partly);
    // A reference back into the pick list, kept while the entry still holds that guard.
    const std::string comment = UpperCase(row.get(ColComment));
    const double ref = StartsWith(comment, "UTXG ") ? NumericValue(comment.substr(5)) : 0;
    if (ref >= 1 && ref <= PickListRefs &&
        GetPickListGuard(mm, static_cast<int>(ref) - 1) == channel.txGuard)
        channel.txGuard = "UTXG " + std::to_string(static_cast<int>(ref));

    channel.narrow = SameText(mode, "NFM");
    const std::string skip = row.get(ColSkip);
    channel.scan = !SameText(skip, "S");
    if (!skip.empty() && channel.scan)
        partly.push_back("skip '" + Excerpt(skip) + "' taken as scanned");
    const std::string power = row.get(ColPower);
    channel.lowPower = ReadPower(power);
    if (!channel.lowPower && !power.empty() && !StartsWith(UpperCase(power), "H") &&
        NumericValue(power) <= 0)
        partly.push_back("power '" + Excerpt(power) + "' taken as high");
    return {};
}

void StoreChannel(MemMapImage &mm, int group, int chan, const ChannelTexts &channel)
{
    SetChanLabel(mm, group, chan, channel.label);
    SetChanFreq(mm, group, chan, true, channel.rx);
    SetChanFreq(mm, group, chan, false, channel.tx);
    // Receive side first: every guard write rewrites the pick list reference.
    SetChanGuard(mm, group, chan, true, channel.rxGuard);
    SetChanGuard(mm, group, chan, false, channel.txGuard);
    SetChanScan(mm, group, chan, channel.scan ? "S" : "-");
    SetChanNarrow(mm, group, chan, channel.narrow ? "N" : "-");
    SetChanLowPower(mm, group, chan, channel.lowPower ? "L" : "-");
}

bool IsBlank(const CsvRecord &record)
{
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string &field) { return TrimBlanks(field).empty(); });
}

} // namespace

std::string ExportChannelsCsv(const MemMapImage &mm, int group)
{
    assert(group >= -1 && group < NumGroups);
    std::string text =
        CsvLine(std::vector<std::string>(std::begin(ColumnNames), std::end(ColumnNames)));
    const int first = group < 0 ? 0 : group;
    const int last = group < 0 ? NumGroups - 1 : group;
    for (int g = first; g <= last; ++g) {
        for (int chan = 0; chan < ChansPerGroup; ++chan) {
            if (StoredHz(mm, g, chan, Layout::ChRxFreq) == 0)
                continue;
            const int location = (group < 0 ? g * ChansPerGroup : 0) + chan + 1;
            text += CsvLine(ExportRow(mm, g, chan, location));
        }
    }
    return text;
}

bool ImportChannelsCsv(const std::string &text, int group, MemMapImage &mm,
                       std::vector<CsvNote> &notes, CsvNumbering numbering, int *outsideGroup)
{
    assert(group >= 0 && group < NumGroups);
    const std::vector<CsvRecord> records = ReadCsvRecords(text);
    auto header = std::find_if(records.begin(), records.end(),
                               [](const CsvRecord &r) { return !IsBlank(r); });
    std::array<int, ColumnCount> index;
    index.fill(-1);
    if (header != records.end()) {
        for (std::size_t i = header->fields.size(); i-- > 0;) {
            for (int c = 0; c < ColumnCount; ++c) {
                if (SameText(TrimBlanks(header->fields[i]), ColumnNames[c]))
                    index[c] = static_cast<int>(i);
            }
        }
    }
    if (index[ColFrequency] < 0) {
        notes.push_back({header == records.end() ? 1 : header->line,
                         "no CHIRP header with a Frequency column"});
        return false;
    }

    std::array<std::optional<ChannelTexts>, ChansPerGroup> carried;
    int position = 0;
    int outside = 0;
    for (auto record = header + 1; record != records.end(); ++record) {
        if (IsBlank(*record))
            continue;
        const RowView row(*record, index);
        auto skip = [&](const std::string &why) {
            notes.push_back({record->line, why + "; row skipped"});
        };
        int chan = position++;
        if (row.has(ColLocation) && numbering == CsvNumbering::ByLocation) {
            const std::optional<long long> location = ParseFixed(row.get(ColLocation), 0);
            if (!location) {
                skip("Location '" + Excerpt(row.get(ColLocation)) + "' is not a number");
                continue;
            }
            if (*location < 1 || *location > ChansPerGroup) {
                ++outside;
                skip("Location " + std::to_string(*location) + " is outside 1..20");
                continue;
            }
            chan = static_cast<int>(*location) - 1;
        } else if (chan >= ChansPerGroup) {
            skip("more than 20 channels");
            continue;
        }
        if (carried[static_cast<std::size_t>(chan)]) {
            skip("Location " + std::to_string(chan + 1) + " given twice");
            continue;
        }

        ChannelTexts channel;
        std::vector<std::string> partly;
        const Refusal refusal = ReadChannel(row, mm, channel, partly);
        if (!refusal.empty()) {
            skip(refusal);
            continue;
        }
        for (const std::string &what : partly)
            notes.push_back({record->line, what});
        carried[static_cast<std::size_t>(chan)] = channel;
    }

    if (outsideGroup)
        *outsideGroup = outside;
    // A file that carries nothing would only switch the whole group off.
    if (std::none_of(carried.begin(), carried.end(), [](const auto &c) { return c.has_value(); })) {
        notes.push_back({header->line, CsvNoChannelNote});
        return false;
    }
    for (int chan = 0; chan < ChansPerGroup; ++chan)
        StoreChannel(mm, group, chan,
                     carried[static_cast<std::size_t>(chan)].value_or(ChannelTexts{}));
    return true;
}

std::string CsvNoteLine(const std::string &file, const CsvNote &note)
{
    return file + ":" + std::to_string(note.line) + ": " + note.what;
}
