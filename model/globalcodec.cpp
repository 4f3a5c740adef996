#include "globalcodec.h"

#include "layout.h"
#include "numtext.h"

#include <algorithm>

namespace
{

using namespace Layout;

// A run of bits in one byte of the global page.
struct BitField {
    int offset;
    int shift;
    int width;
    int max() const { return (1 << width) - 1; }
};

// In the order of GlobalField.
constexpr BitField Fields[] = {
    {GlbSwitchA, 5, 3},           // low power
    {GlbSwitchA, 2, 3},           // channel scan
    {GlbSwitchA, 0, 2},           // priority scan: its two high bits; the low bit follows
    {GlbSwitchB, 4, 3},           // repeater talk around
    {GlbSwitchB, 1, 3},           // group scan
    {GlbOptions1, 7, 1},          // display frequencies only
    {GlbOptions1, 6, 1},          // per channel power
    {GlbOptions1, 5, 1},          // talkback scan
    {GlbOptions1, 4, 1},          // nuisance channel delete
    {GlbOptions2, 0, 1},          // silent mode
    {GlbOptions2, 1, 2},          // back light
    {GlbBackLightDuration, 0, 3}, // duration
    {GlbOptions2, 5, 1},          // transmit on priority 1
    {GlbOptions2, 7, 1},          // battery saver
    {GlbModes, 5, 2},             // busy channel mode
    {GlbModes, 3, 2},             // ANI/DTMF mode
    {GlbOptions2, 4, 1},          // priority 1 selection
    {GlbOptions2, 3, 1},          // scan list selection
    {GlbModes, 7, 1},             // UCG feature
};
static_assert(std::size(Fields) == static_cast<std::size_t>(GlobalField::UcgFeature) + 1);
// Priority Scan is split: its two high bits end byte 130, its low bit starts byte 131.
constexpr BitField PriScanLowField{GlbSwitchB, 7, 1};
constexpr BitField DtmfDevField{GlbDtmfAniPorch, 3, 5};
constexpr BitField AniRateField{GlbDtmfAniPorch, 2, 1};
constexpr BitField FrontPorchField{GlbDtmfAniPorch, 0, 2};
constexpr BitField PriRateField{GlbOptions1, 0, 3};
constexpr BitField ScanHoldField{GlbScanHoldTot, 0, 4};
constexpr BitField TxTimeoutField{GlbScanHoldTot, 4, 4};

int getField(const MemMapImage &mm, const BitField &f)
{
    return (mm.get(GlobalPage, f.offset) >> f.shift) & f.max();
}

void putField(MemMapImage &mm, const BitField &f, long long value)
{
    const int v = static_cast<int>(std::clamp(value, 0LL, static_cast<long long>(f.max())));
    const int mask = f.max() << f.shift;
    const int old = mm.get(GlobalPage, f.offset);
    mm.set(GlobalPage, f.offset, (old & ~mask) | (v << f.shift));
}

const BitField &fieldOf(GlobalField field)
{
    return Fields[static_cast<int>(field)];
}

int priGroupOffset(int priority)
{
    return priority == 2 ? GlbPrio2Group : GlbPrio1Group;
}

int priChanOffset(int priority)
{
    return priority == 2 ? GlbPrio2Chan : GlbPrio1Chan;
}

} // namespace

int GetGlobalField(const MemMapImage &mm, GlobalField field)
{
    const int value = getField(mm, fieldOf(field));
    if (field == GlobalField::PriorityScanSwitch)
        return value * 2 + getField(mm, PriScanLowField);
    return value;
}

void SetGlobalField(MemMapImage &mm, GlobalField field, long long value)
{
    if (field == GlobalField::PriorityScanSwitch) {
        const long long code = std::clamp(value, 0LL, 7LL);
        putField(mm, fieldOf(field), code >> 1);
        putField(mm, PriScanLowField, code & 1);
        return;
    }
    putField(mm, fieldOf(field), value);
}

std::string GetEmbeddedSN(const MemMapImage &mm)
{
    std::string text;
    for (int i = 0; i < GlbSerialNumberLength; ++i) {
        const int b = mm.get(GlobalPage, GlbSerialNumber + i);
        text += static_cast<char>('0' + (b <= 9 ? b : 0));
        if (i == 1 || i == 3)
            text += '.';
    }
    return text == "00.00.000" ? "N/A" : text;
}

std::string DtmfDevText(int steps)
{
    return FormatNumber(steps * 187.5, steps % 2 == 0 ? "0Hz" : "0.0#Hz");
}

std::string GetDTMFDev(const MemMapImage &mm)
{
    return DtmfDevText(std::min(getField(mm, DtmfDevField), MaxDtmfSteps));
}

void SetDTMFDev(MemMapImage &mm, const std::string &text)
{
    std::string upper = UpperCase(text);
    for (std::size_t at; (at = upper.find("HZ")) != std::string::npos;)
        upper.erase(at, 2);
    putField(mm, DtmfDevField,
             std::min<long long>(RoundHalfEven(NumericValue(upper) / 187.5), MaxDtmfSteps));
}

std::string FrontPorchText(int n)
{
    return FormatNumber(n * 330 + 30, "# mSec");
}

std::string GetFrontPorch(const MemMapImage &mm)
{
    return FrontPorchText(getField(mm, FrontPorchField));
}

void SetFrontPorch(MemMapImage &mm, const std::string &text)
{
    putField(mm, FrontPorchField, RoundHalfEven((NumericValue(DropRight(text, 5)) - 30) / 330));
}

std::string GetANIRate(const MemMapImage &mm)
{
    return std::to_string(getField(mm, AniRateField) * 10 + 10) + " Characters Per Second";
}

void SetANIRate(MemMapImage &mm, const std::string &text)
{
    putField(mm, AniRateField, Contains(text, "20") ? 1 : 0);
}

std::string GetPriRate(const MemMapImage &mm)
{
    return FormatNumber((getField(mm, PriRateField) + 1) * 0.25, "#.00 Seconds");
}

void SetPriRate(MemMapImage &mm, const std::string &text)
{
    putField(mm, PriRateField, RoundHalfEven(NumericValue(DropRight(text, 8)) * 4 - 1));
}

std::string ScanHoldText(int n)
{
    return FormatNumber(n * 0.5, "0.0 Seconds");
}

std::string GetScanHold(const MemMapImage &mm)
{
    return ScanHoldText(getField(mm, ScanHoldField));
}

void SetScanHold(MemMapImage &mm, const std::string &text)
{
    putField(mm, ScanHoldField, RoundHalfEven(NumericValue(text.substr(0, text.find(' '))) * 2));
}

std::string TxTimeoutText(int n)
{
    return n == 0 ? OffText : FormatNumber(n * 15, "0 Seconds");
}

std::string GetTxTimeout(const MemMapImage &mm)
{
    return TxTimeoutText(getField(mm, TxTimeoutField));
}

void SetTxTimeout(MemMapImage &mm, const std::string &text)
{
    if (Contains(UpperCase(text), OffText)) {
        putField(mm, TxTimeoutField, 0);
        return;
    }
    putField(mm, TxTimeoutField, RoundHalfEven(NumericValue(DropRight(text, 8)) / 15));
}

bool GetSilentMode(const MemMapImage &mm)
{
    return GetGlobalField(mm, GlobalField::SilentMode);
}

void SetSilentMode(MemMapImage &mm, bool on)
{
    SetGlobalField(mm, GlobalField::SilentMode, on);
}

bool GetTxOnPri1(const MemMapImage &mm)
{
    return GetGlobalField(mm, GlobalField::TxOnPri1);
}

void SetTxOnPri1(MemMapImage &mm, bool on)
{
    SetGlobalField(mm, GlobalField::TxOnPri1, on);
}

std::string GroupText(int index)
{
    return "Group " + std::to_string(index + 1);
}

std::string ChannelText(int index)
{
    return "Channel " + std::to_string(index + 1);
}

std::string GetPriGroup(const MemMapImage &mm, int priority)
{
    const int b = mm.get(GlobalPage, priGroupOffset(priority));
    return GroupText(b < NumGroups ? b : 0);
}

void SetPriGroup(MemMapImage &mm, int priority, const std::string &text)
{
    const double value = NumericValue(RightOf(text, 2));
    const int group = value >= 1 && value <= NumGroups ? static_cast<int>(value) - 1 : 0;
    mm.set(GlobalPage, priGroupOffset(priority), group);
}

std::string PriChannelText(int priority, int stored)
{
    const std::string name = priority == 2 ? "Priority 2" : "Priority 1";
    if (stored & 0x80)
        return name + " " + OffText;
    if (stored & 0x40)
        return name + " use MAIN channel";
    return ChannelText(stored % 32);
}

std::string GetPriChannel(const MemMapImage &mm, int priority)
{
    return PriChannelText(priority, mm.get(GlobalPage, priChanOffset(priority)));
}

void SetPriChannel(MemMapImage &mm, int priority, const std::string &text)
{
    const int offset = priChanOffset(priority);
    const int b = mm.get(GlobalPage, offset);
    const std::string upper = UpperCase(text);
    int value = 0;
    if (Contains(upper, OffText)) {
        value = b % 64 + 128;
    } else if (Contains(upper, "MAIN")) {
        value = b % 64 + 64;
    } else if (const std::size_t blank = text.find(' '); blank != std::string::npos) {
        // A channel number outside 1..20 would become a byte the radio cannot use.
        const double chan = NumericValue(text.substr(blank + 1));
        value = chan >= 1 && chan <= ChansPerGroup ? static_cast<int>(chan) - 1 : 0;
    }
    mm.set(GlobalPage, offset, value);
}
