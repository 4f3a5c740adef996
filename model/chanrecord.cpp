#include "chanrecord.h"

#include "freqcodec.h"
#include "guardcodec.h"
#include "labelcodes.h"
#include "layout.h"
#include "numtext.h"

namespace
{

struct ChanFlag {
    int field; // offset in the channel record
    int mask;
    const char *setText;
};

constexpr ChanFlag ScanFlag{Layout::ChFlags1, 1 << Layout::ChScanBit, "S"};
constexpr ChanFlag NarrowFlag{Layout::ChFlags1, 1 << Layout::ChNarrowBit, "N"};
constexpr ChanFlag LowPowerFlag{Layout::ChFlags2, 1 << Layout::ChLowPowerBit, "L"};

std::string getFlag(const MemMapImage &mm, int group, int chan, const ChanFlag &flag)
{
    const int value = mm.get(Layout::GroupPage(group), Layout::ChanRecord(chan) + flag.field);
    return (value & flag.mask) ? flag.setText : "-";
}

void setBit(MemMapImage &mm, int page, int offset, int mask, bool on)
{
    const int value = mm.get(page, offset);
    mm.set(page, offset, on ? (value | mask) : (value & ~mask));
}

void setFlag(MemMapImage &mm, int group, int chan, const ChanFlag &flag, const std::string &text)
{
    setBit(mm, Layout::GroupPage(group), Layout::ChanRecord(chan) + flag.field, flag.mask,
           text != "-");
}

std::string getLabel(const MemMapImage &mm, int page, int offset)
{
    LabelCodes codes;
    for (int i = 0; i < LabelChars; ++i)
        codes[i] = mm.get(page, offset + i);
    return CodesToLabel(codes);
}

void setLabel(MemMapImage &mm, int page, int offset, const std::string &text)
{
    const LabelCodes codes = LabelToCodes(text);
    for (int i = 0; i < LabelChars; ++i)
        mm.set(page, offset + i, codes[i]);
}

std::string flagCell(const std::string &text, const char *setText)
{
    return text == "-" ? "-" : setText;
}

} // namespace

std::string GetChanScan(const MemMapImage &mm, int group, int chan)
{
    return getFlag(mm, group, chan, ScanFlag);
}

void SetChanScan(MemMapImage &mm, int group, int chan, const std::string &text)
{
    setFlag(mm, group, chan, ScanFlag, text);
}

std::string GetChanNarrow(const MemMapImage &mm, int group, int chan)
{
    return getFlag(mm, group, chan, NarrowFlag);
}

void SetChanNarrow(MemMapImage &mm, int group, int chan, const std::string &text)
{
    setFlag(mm, group, chan, NarrowFlag, text);
}

std::string GetChanLowPower(const MemMapImage &mm, int group, int chan)
{
    return getFlag(mm, group, chan, LowPowerFlag);
}

void SetChanLowPower(MemMapImage &mm, int group, int chan, const std::string &text)
{
    setFlag(mm, group, chan, LowPowerFlag, text);
}

bool GetGrpIncomingClone(const MemMapImage &mm, int group)
{
    return mm.get(Layout::GroupPage(group), Layout::GrpIncomingClone) & 1;
}

void SetGrpIncomingClone(MemMapImage &mm, int group, bool reject)
{
    setBit(mm, Layout::GroupPage(group), Layout::GrpIncomingClone, 1, reject);
}

std::string GetGrpScanList(const MemMapImage &mm, int group)
{
    return (mm.get(Layout::GroupPage(group), Layout::GrpScanList) & 1) ? "Yes" : "No";
}

void SetGrpScanList(MemMapImage &mm, int group, const std::string &text)
{
    setBit(mm, Layout::GroupPage(group), Layout::GrpScanList, 1, Contains(UpperCase(text), "YES"));
}

std::string GetChanLabel(const MemMapImage &mm, int group, int chan)
{
    return getLabel(mm, Layout::GroupPage(group), Layout::ChanRecord(chan) + Layout::ChLabel);
}

void SetChanLabel(MemMapImage &mm, int group, int chan, const std::string &text)
{
    setLabel(mm, Layout::GroupPage(group), Layout::ChanRecord(chan) + Layout::ChLabel, text);
}

std::string GetGrpLabel(const MemMapImage &mm, int group)
{
    return getLabel(mm, Layout::GroupPage(group), Layout::GrpLabel);
}

void SetGrpLabel(MemMapImage &mm, int group, const std::string &text)
{
    setLabel(mm, Layout::GroupPage(group), Layout::GrpLabel, text);
}

std::string ValidateLabelChar(const std::string &ch)
{
    if (ch == "h")
        return ch;
    const std::string upper = UpperCase(ch);
    if (upper.size() == 1 && upper != " " && CharToLabelCode(upper[0]) != LabelBlankCode)
        return upper;
    return " ";
}

std::string ValidateLabel(const std::string &text, int n)
{
    const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;
    if (TrimBlanks(text).empty())
        return std::string(count, ' ');
    std::string result;
    for (std::string::size_type at = 0; at < text.size() && result.size() < count;) {
        const auto length = Utf8CharLength(text, at);
        result += ValidateLabelChar(text.substr(at, length));
        at += length;
    }
    result.append(count - result.size(), ' ');
    return result;
}

std::string ValidateGridCell(const std::string &text, int column)
{
    switch (column) {
    case 1:
        return ValidateLabel(text, Layout::LabelLength);
    case 2:
        return ValidateFreq(text, "RX");
    case 3:
        return ValidateChanGuard(text);
    case 4:
        return ValidateFreq(text, "TX");
    case 5:
        return ValidateChanGuard(text);
    case 6:
        return flagCell(text, "S");
    case 7:
        return flagCell(text, "N");
    case 8:
        return flagCell(text, "L");
    default:
        return text;
    }
}
