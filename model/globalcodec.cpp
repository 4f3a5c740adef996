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

constexpr BitField DtmfDevField{GlbDtmfAniPorch, 3, 5};
constexpr BitField AniRateField{GlbDtmfAniPorch, 2, 1};
constexpr BitField FrontPorchField{GlbDtmfAniPorch, 0, 2};
constexpr BitField ToggleFields[ToggleSwitches] = {{GlbSwitchA, 5, 3},
                                                   {GlbSwitchA, 2, 3},
                                                   {GlbSwitchA, 0, 0},
                                                   {GlbSwitchB, 4, 3},
                                                   {GlbSwitchB, 1, 3}};
// Priority Scan is split: its two high bits end byte 130, its low bit starts byte 131.
constexpr int PriorityScanSwitch = 2;
constexpr BitField PriScanHighField{GlbSwitchA, 0, 2};
constexpr BitField PriScanLowField{GlbSwitchB, 7, 1};
constexpr BitField FreqDispField{GlbOptions1, 7, 1};
constexpr BitField PerChanPowerField{GlbOptions1, 6, 1};
constexpr BitField TalkbackField{GlbOptions1, 5, 1};
constexpr BitField NuisanceField{GlbOptions1, 4, 1};
constexpr BitField PriRateField{GlbOptions1, 0, 3};
constexpr BitField ScanHoldField{GlbScanHoldTot, 0, 4};
constexpr BitField TxTimeoutField{GlbScanHoldTot, 4, 4};
constexpr BitField SilentField{GlbOptions2, 0, 1};
constexpr BitField BackLightField{GlbOptions2, 1, 2};
constexpr BitField ScanListLockField{GlbOptions2, 3, 1};
constexpr BitField Pri1LockField{GlbOptions2, 4, 1};
constexpr BitField TxOnPri1Field{GlbOptions2, 5, 1};
constexpr BitField BatterySaverField{GlbOptions2, 7, 1};
constexpr BitField AniDtmfField{GlbModes, 3, 2};
constexpr BitField BusyChanField{GlbModes, 5, 2};
constexpr BitField UcgField{GlbModes, 7, 1};
constexpr BitField DurationField{GlbBackLightDuration, 0, 3};

constexpr int MaxDtmfSteps = 26;
constexpr int BackLightOnKey = 1;
constexpr int BackLightOnDisplay = 2;

int getField(const MemMapImage &mm, const BitField &f)
{
    return (mm.get(GlobalPage, f.offset) >> f.shift) & f.max();
}

// Values outside the field are held at its ends rather than spilling into other bits.
void putField(MemMapImage &mm, const BitField &f, long long value)
{
    const int v = static_cast<int>(std::clamp(value, 0LL, static_cast<long long>(f.max())));
    const int mask = f.max() << f.shift;
    const int old = mm.get(GlobalPage, f.offset);
    mm.set(GlobalPage, f.offset, (old & ~mask) | (v << f.shift));
}

struct CodeText {
    int code;
    const char *text;
};

constexpr CodeText ToggleNames[] = {{0, "Keypad"},       {3, "Always OFF"},    {4, "Always ON"},
                                    {5, "Right Toggle"}, {6, "Center Toggle"}, {7, "Left Toggle"}};
constexpr CodeText BusyChanNames[] = {
    {0, "OFF"}, {1, "Indicate"}, {2, "Lockout with Override"}, {3, "Lockout"}};
constexpr CodeText AniDtmfNames[] = {
    {0, "OFF"}, {1, "DTMF Only"}, {2, "ANI Only"}, {3, "DTMF w/Manual ANI"}};
constexpr CodeText DurationNames[] = {{0, "OFF"},       {1, "1 Second"},  {2, "2 Seconds"},
                                      {3, "3 Seconds"}, {4, "4 Seconds"}, {5, "5 Seconds"},
                                      {6, "6 Seconds"}, {7, "Always ON"}};
constexpr CodeText BackLightNames[] = {
    {0, "OFF"},
    {BackLightOnKey, "KeyPress"},
    {BackLightOnDisplay, "Display Change"},
    {BackLightOnKey | BackLightOnDisplay, "Keypress & Display Change"}};

template <std::size_t N>
std::string nameOf(const CodeText (&table)[N], int code, const char *unnamed)
{
    for (const CodeText &row : table) {
        if (row.code == code)
            return row.text;
    }
    return unnamed;
}

template <std::size_t N>
int codeOf(const CodeText (&table)[N], const std::string &text, int unnamed)
{
    for (const CodeText &row : table) {
        if (text == row.text)
            return row.code;
    }
    return unnamed;
}

std::string enabledText(const MemMapImage &mm, const BitField &f)
{
    return getField(mm, f) ? "Enabled" : "Disabled";
}

void setEnabled(MemMapImage &mm, const BitField &f, const std::string &text)
{
    putField(mm, f, Contains(UpperCase(text), "ENABLE") ? 1 : 0);
}

bool firstLetterIs(const std::string &text, char letter)
{
    return !text.empty() && UpperCase(text.substr(0, 1))[0] == letter;
}

int priGroupOffset(int priority)
{
    return priority == 2 ? GlbPrio2Group : GlbPrio1Group;
}

int priChanOffset(int priority)
{
    return priority == 2 ? GlbPrio2Chan : GlbPrio1Chan;
}

std::string priorityName(int priority)
{
    return priority == 2 ? "Priority 2" : "Priority 1";
}

} // namespace

std::string ToggleCodeToText(int code)
{
    return nameOf(ToggleNames, code, "?");
}

int TextToToggleCode(const std::string &text)
{
    return codeOf(ToggleNames, text, 3);
}

std::string GetToggleAssign(const MemMapImage &mm, int index)
{
    if (index < 0 || index >= ToggleSwitches)
        return "?";
    if (index == PriorityScanSwitch)
        return ToggleCodeToText(getField(mm, PriScanHighField) * 2 + getField(mm, PriScanLowField));
    return ToggleCodeToText(getField(mm, ToggleFields[index]));
}

void SetToggleAssign(MemMapImage &mm, int index, const std::string &text)
{
    if (index < 0 || index >= ToggleSwitches)
        return;
    const int code = TextToToggleCode(text);
    if (index == PriorityScanSwitch) {
        putField(mm, PriScanHighField, code >> 1);
        putField(mm, PriScanLowField, code & 1);
        return;
    }
    putField(mm, ToggleFields[index], code);
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

std::string GetDTMFDev(const MemMapImage &mm)
{
    const int n = std::min(getField(mm, DtmfDevField), MaxDtmfSteps);
    return FormatNumber(n * 187.5, n % 2 == 0 ? "0Hz" : "0.0#Hz");
}

void SetDTMFDev(MemMapImage &mm, const std::string &text)
{
    std::string upper = UpperCase(text);
    for (std::size_t at; (at = upper.find("HZ")) != std::string::npos;)
        upper.erase(at, 2);
    putField(mm, DtmfDevField,
             std::min<long long>(RoundHalfEven(NumericValue(upper) / 187.5), MaxDtmfSteps));
}

std::string GetFrontPorch(const MemMapImage &mm)
{
    return FormatNumber(getField(mm, FrontPorchField) * 330 + 30, "# mSec");
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

std::string GetFreqDisp(const MemMapImage &mm)
{
    return enabledText(mm, FreqDispField);
}

void SetFreqDisp(MemMapImage &mm, const std::string &text)
{
    setEnabled(mm, FreqDispField, text);
}

std::string GetPerChanPower(const MemMapImage &mm)
{
    return enabledText(mm, PerChanPowerField);
}

void SetPerChanPower(MemMapImage &mm, const std::string &text)
{
    setEnabled(mm, PerChanPowerField, text);
}

std::string GetTalkbackScan(const MemMapImage &mm)
{
    return enabledText(mm, TalkbackField);
}

void SetTalkbackScan(MemMapImage &mm, const std::string &text)
{
    setEnabled(mm, TalkbackField, text);
}

std::string GetNuisanceChanDel(const MemMapImage &mm)
{
    return enabledText(mm, NuisanceField);
}

void SetNuisanceChanDel(MemMapImage &mm, const std::string &text)
{
    setEnabled(mm, NuisanceField, text);
}

bool GetSilentMode(const MemMapImage &mm)
{
    return getField(mm, SilentField);
}

void SetSilentMode(MemMapImage &mm, bool on)
{
    putField(mm, SilentField, on);
}

bool GetTxOnPri1(const MemMapImage &mm)
{
    return getField(mm, TxOnPri1Field);
}

void SetTxOnPri1(MemMapImage &mm, bool on)
{
    putField(mm, TxOnPri1Field, on);
}

std::string GetBackLight(const MemMapImage &mm)
{
    return nameOf(BackLightNames, getField(mm, BackLightField), "OFF");
}

void SetBackLight(MemMapImage &mm, const std::string &text)
{
    const int code = codeOf(BackLightNames, text, -1);
    if (code >= 0)
        putField(mm, BackLightField, code);
}

std::string GetBackLightDuration(const MemMapImage &mm)
{
    return nameOf(DurationNames, getField(mm, DurationField), "OFF");
}

void SetBackLightDuration(MemMapImage &mm, const std::string &text)
{
    putField(mm, DurationField, codeOf(DurationNames, text, 0));
}

std::string GetPriGroup(const MemMapImage &mm, int priority)
{
    const int b = mm.get(GlobalPage, priGroupOffset(priority));
    return "Group " + std::to_string(b < NumGroups ? b + 1 : 1);
}

void SetPriGroup(MemMapImage &mm, int priority, const std::string &text)
{
    const double value = NumericValue(RightOf(text, 2));
    const int group = value >= 1 && value <= NumGroups ? static_cast<int>(value) - 1 : 0;
    mm.set(GlobalPage, priGroupOffset(priority), group);
}

std::string GetPriChannel(const MemMapImage &mm, int priority)
{
    const int b = mm.get(GlobalPage, priChanOffset(priority));
    if (b & 0x80)
        return priorityName(priority) + " OFF";
    if (b & 0x40)
        return priorityName(priority) + " use MAIN channel";
    return "Channel " + std::to_string(b % 32 + 1);
}

void SetPriChannel(MemMapImage &mm, int priority, const std::string &text)
{
    const int offset = priChanOffset(priority);
    const int b = mm.get(GlobalPage, offset);
    const std::string upper = UpperCase(text);
    int value = 0;
    if (Contains(upper, "OFF")) {
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

std::string GetUCGFeature(const MemMapImage &mm)
{
    return enabledText(mm, UcgField);
}

void SetUCGFeature(MemMapImage &mm, const std::string &text)
{
    putField(mm, UcgField, firstLetterIs(text, 'E') ? 1 : 0);
}

std::string GetScanHold(const MemMapImage &mm)
{
    return FormatNumber(getField(mm, ScanHoldField) * 0.5, "0.0 Seconds");
}

void SetScanHold(MemMapImage &mm, const std::string &text)
{
    putField(mm, ScanHoldField, RoundHalfEven(NumericValue(text.substr(0, text.find(' '))) * 2));
}

std::string GetTxTimeout(const MemMapImage &mm)
{
    const int n = getField(mm, TxTimeoutField);
    return n == 0 ? "OFF" : FormatNumber(n * 15, "0 Seconds");
}

void SetTxTimeout(MemMapImage &mm, const std::string &text)
{
    if (Contains(UpperCase(text), "OFF")) {
        putField(mm, TxTimeoutField, 0);
        return;
    }
    putField(mm, TxTimeoutField, RoundHalfEven(NumericValue(DropRight(text, 8)) / 15));
}

std::string GetBatterySaver(const MemMapImage &mm)
{
    return getField(mm, BatterySaverField) ? "Inhibit" : "Allow";
}

void SetBatterySaver(MemMapImage &mm, const std::string &text)
{
    putField(mm, BatterySaverField, text == "Allow" ? 0 : 1);
}

std::string GetBusyChanMode(const MemMapImage &mm)
{
    return nameOf(BusyChanNames, getField(mm, BusyChanField), "OFF");
}

void SetBusyChanMode(MemMapImage &mm, const std::string &text)
{
    putField(mm, BusyChanField, codeOf(BusyChanNames, text, 0));
}

std::string GetAniDtmfMode(const MemMapImage &mm)
{
    return nameOf(AniDtmfNames, getField(mm, AniDtmfField), "OFF");
}

void SetAniDtmfMode(MemMapImage &mm, const std::string &text)
{
    putField(mm, AniDtmfField, codeOf(AniDtmfNames, text, 0));
}

std::string GetPri1Selection(const MemMapImage &mm)
{
    return getField(mm, Pri1LockField) ? "Locked Out" : "User Select";
}

void SetPri1Selection(MemMapImage &mm, const std::string &text)
{
    putField(mm, Pri1LockField, firstLetterIs(text, 'L') ? 1 : 0);
}

std::string GetScanListSelection(const MemMapImage &mm)
{
    return getField(mm, ScanListLockField) ? "Locked Out" : "User Select";
}

void SetScanListSelection(MemMapImage &mm, const std::string &text)
{
    putField(mm, ScanListLockField, firstLetterIs(text, 'L') ? 1 : 0);
}

DisplayOptsChange ChooseBackLight(MemMapImage &mm, const std::string &text)
{
    DisplayOptsChange change;
    const std::string before = GetBackLight(mm);
    if (text != before)
        SetBackLight(mm, text);
    change.backLight = GetBackLight(mm) != before;
    const std::string backLight = GetBackLight(mm);
    const std::string duration = GetBackLightDuration(mm);
    if (backLight == "OFF" && duration != "OFF") {
        SetBackLightDuration(mm, "OFF");
        change.duration = true;
    } else if (backLight != "OFF" && duration == "OFF") {
        SetBackLightDuration(mm, "1 Second");
        change.duration = true;
    }
    return change;
}

DisplayOptsChange ChooseBackLightDuration(MemMapImage &mm, const std::string &text)
{
    DisplayOptsChange change;
    const std::string before = GetBackLightDuration(mm);
    if (text != before)
        SetBackLightDuration(mm, text);
    change.duration = GetBackLightDuration(mm) != before;
    const std::string backLight = GetBackLight(mm);
    const std::string duration = GetBackLightDuration(mm);
    if (duration != "OFF" && backLight == "OFF") {
        SetBackLight(mm, "Keypress & Display Change");
        change.backLight = true;
    } else if (duration == "OFF" && backLight != "OFF") {
        SetBackLight(mm, "OFF");
        change.backLight = true;
    }
    return change;
}
