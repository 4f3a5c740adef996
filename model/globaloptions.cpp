#include "globaloptions.h"

#include "numtext.h"

#include <iterator>

namespace
{

using Entries = GlobalOption::Entries;
using Pane = GlobalPane;
using Frame = GlobalFrame;
using Field = GlobalField;

constexpr const char *EnabledText = "Enabled";
constexpr const char *DisabledText = "Disabled";
constexpr const char *UnnamedText = "?";

// The switch lists name the codes 7, 6, 5, 4, 3 and 0; 3 is what an unknown text stores.
constexpr const char *ToggleTexts[] = {"Left Toggle", "Center Toggle", "Right Toggle",
                                       "Always ON",   "Always OFF",    "Keypad"};
constexpr int ToggleCodes[] = {7, 6, 5, 4, 3, 0};
constexpr int ToggleFallback = 3;
constexpr const char *AniRateTexts[] = {"10 Char/Sec", "20 Char/Sec"};
constexpr const char *EnabledTexts[] = {EnabledText, DisabledText};
constexpr int EnabledCodes[] = {1, 0};
constexpr const char *UcgTexts[] = {DisabledText, EnabledText};
// Bit 0 lights on a key press, bit 1 on a display change.
constexpr const char *BackLightTexts[] = {OffText, "KeyPress", "Display Change",
                                          "Keypress & Display Change"};
constexpr int BackLightBoth = 3;
constexpr const char *DurationTexts[] = {OffText,     "1 Second",  "2 Seconds", "3 Seconds",
                                         "4 Seconds", "5 Seconds", "6 Seconds", "Always ON"};
constexpr int DurationOneSecond = 1;
constexpr const char *BatteryTexts[] = {"Allow", "Inhibit"};
constexpr const char *BusyChanTexts[] = {OffText, "Indicate", "Lockout with Override", "Lockout"};
constexpr const char *AniDtmfTexts[] = {OffText, "DTMF Only", "ANI Only", "DTMF w/Manual ANI"};
constexpr const char *SelectionTexts[] = {"User Select", "Locked Out"};

template <const auto &Texts> const Entries &fixed()
{
    static const Entries entries(std::begin(Texts), std::end(Texts));
    return entries;
}

template <int Count, std::string (*Text)(int)> const Entries &counted()
{
    static const Entries entries = [] {
        Entries list;
        for (int n = 0; n < Count; ++n)
            list.push_back(Text(n));
        return list;
    }();
    return entries;
}

// The list writes the leading zero the decoder leaves out: "0.25 Seconds", ".25 Seconds".
std::string priRateEntry(int n)
{
    return FormatNumber((n + 1) * 0.25, "0.00 Seconds");
}

template <int Priority> const Entries &priChannels()
{
    static const Entries entries = [] {
        Entries list{PriChannelText(Priority, 0x80)};
        for (int chan = 0; chan < ChansPerGroup; ++chan)
            list.push_back(ChannelText(chan));
        list.push_back(PriChannelText(Priority, 0x40));
        return list;
    }();
    return entries;
}

int entryIndex(const GlobalOption &row, const std::string &text)
{
    const Entries &entries = row.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == text)
            return static_cast<int>(i);
    }
    return -1;
}

int codeOf(const GlobalOption &row, int index)
{
    return row.codes ? row.codes[index] : index;
}

// Decoders and encoders.

template <std::string (*Get)(const MemMapImage &)>
std::string decodeWith(const GlobalOption &, const MemMapImage &mm)
{
    return Get(mm);
}

template <void (*Set)(MemMapImage &, const std::string &)>
void encodeWith(const GlobalOption &, MemMapImage &mm, const std::string &text)
{
    Set(mm, text);
}

template <int Priority> std::string priGroup(const GlobalOption &, const MemMapImage &mm)
{
    return GetPriGroup(mm, Priority);
}

template <int Priority>
void setPriGroup(const GlobalOption &, MemMapImage &mm, const std::string &text)
{
    SetPriGroup(mm, Priority, text);
}

template <int Priority> std::string priChannel(const GlobalOption &, const MemMapImage &mm)
{
    return GetPriChannel(mm, Priority);
}

template <int Priority>
void setPriChannel(const GlobalOption &, MemMapImage &mm, const std::string &text)
{
    SetPriChannel(mm, Priority, text);
}

// The entry that stands for the field's code.
std::string named(const GlobalOption &row, const MemMapImage &mm)
{
    const int code = GetGlobalField(mm, row.field);
    const Entries &entries = row.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (codeOf(row, static_cast<int>(i)) == code)
            return entries[i];
    }
    return UnnamedText;
}

// The code of the entry with exactly this text; other texts store Otherwise, or nothing.
constexpr int KeepCode = -1;
template <int Otherwise>
void exactOr(const GlobalOption &row, MemMapImage &mm, const std::string &text)
{
    const int index = entryIndex(row, text);
    const int code = index >= 0 ? codeOf(row, index) : Otherwise;
    if (code != KeepCode)
        SetGlobalField(mm, row.field, code);
}

void containsEnable(const GlobalOption &row, MemMapImage &mm, const std::string &text)
{
    SetGlobalField(mm, row.field, Contains(UpperCase(text), "ENABLE") ? 1 : 0);
}

template <char Letter>
void firstLetter(const GlobalOption &row, MemMapImage &mm, const std::string &text)
{
    const bool set = !text.empty() && UpperCase(text.substr(0, 1))[0] == Letter;
    SetGlobalField(mm, row.field, set ? 1 : 0);
}

// List positions.

int byText(const GlobalOption &row, const MemMapImage &mm)
{
    return entryIndex(row, row.decode(mm));
}

// The switch lists show their last entry, "Keypad", for the unnamed codes too.
int byTextOrLast(const GlobalOption &row, const MemMapImage &mm)
{
    const int index = byText(row, mm);
    return index >= 0 ? index : static_cast<int>(row.entries().size()) - 1;
}

// Numeric lists: the position follows from the decoded value, not from its text.
int dtmfPosition(const GlobalOption &row, const MemMapImage &mm)
{
    std::string upper = UpperCase(row.decode(mm));
    upper = upper.substr(0, upper.find("HZ"));
    return static_cast<int>(RoundHalfEven(NumericValue(upper) / 187.5));
}

int frontPorchPosition(const GlobalOption &row, const MemMapImage &mm)
{
    return static_cast<int>(RoundHalfEven((NumericValue(row.decode(mm)) - 30) / 330));
}

int aniRatePosition(const GlobalOption &row, const MemMapImage &mm)
{
    return NumericValue(row.decode(mm)) == 20 ? 1 : 0;
}

int priRatePosition(const GlobalOption &row, const MemMapImage &mm)
{
    return static_cast<int>(RoundHalfEven(NumericValue(row.decode(mm)) * 4 - 1));
}

int scanHoldPosition(const GlobalOption &row, const MemMapImage &mm)
{
    return static_cast<int>(RoundHalfEven(NumericValue(row.decode(mm)) * 2));
}

int txTimeoutPosition(const GlobalOption &row, const MemMapImage &mm)
{
    return static_cast<int>(RoundHalfEven(NumericValue(row.decode(mm)) / 15));
}

int priChannelPositionOf(int priority, const MemMapImage &mm)
{
    const std::string text = GetPriChannel(mm, priority);
    const int last = ChansPerGroup + 1;
    if (Contains(text, OffText))
        return 0;
    if (Contains(text, "MAIN"))
        return last;
    const int chan = static_cast<int>(NumericValue(text.substr(text.find(' ') + 1)));
    // Channels 21..32 fit the byte but not the list; showing MAIN for them would mislead.
    return chan >= 1 && chan <= ChansPerGroup ? chan : -1;
}

template <int Priority> int priChannelPosition(const GlobalOption &, const MemMapImage &mm)
{
    return priChannelPositionOf(Priority, mm);
}

// A priority group applies unless its channel list shows OFF (first) or MAIN (last).
template <int Priority> bool priGroupApplies(const MemMapImage &mm)
{
    const int channel = priChannelPositionOf(Priority, mm);
    return channel != 0 && channel != ChansPerGroup + 1;
}

// The back light and its duration are never one on and the other off.
void durationFollowsBackLight(MemMapImage &mm)
{
    const bool lit = GetGlobalField(mm, Field::BackLight) != 0;
    const int duration = GetGlobalField(mm, Field::Duration);
    if (!lit && duration != 0)
        SetGlobalField(mm, Field::Duration, 0);
    else if (lit && duration == 0)
        SetGlobalField(mm, Field::Duration, DurationOneSecond);
}

void backLightFollowsDuration(MemMapImage &mm)
{
    const bool lit = GetGlobalField(mm, Field::BackLight) != 0;
    const bool timed = GetGlobalField(mm, Field::Duration) != 0;
    if (timed && !lit)
        SetGlobalField(mm, Field::BackLight, BackLightBoth);
    else if (!timed && lit)
        SetGlobalField(mm, Field::BackLight, 0);
}

constexpr auto Toggles = fixed<ToggleTexts>;
constexpr auto EnabledList = fixed<EnabledTexts>;
constexpr auto Selection = fixed<SelectionTexts>;
constexpr auto Groups = counted<NumGroups, GroupText>;

constexpr GlobalOption Rows[] = {
    {"cbDTMFDev", "Wide Band DTMF Deviation:", Pane::Settings1, Frame::GroupOne,
     counted<MaxDtmfSteps + 1, DtmfDevText>, decodeWith<GetDTMFDev>, encodeWith<SetDTMFDev>,
     dtmfPosition},
    {"cbFrontPorchTime", "Front Porch Time:", Pane::Settings1, Frame::GroupOne,
     counted<4, FrontPorchText>, decodeWith<GetFrontPorch>, encodeWith<SetFrontPorch>,
     frontPorchPosition},
    {"cbANI", "ANI Rate:", Pane::Settings1, Frame::GroupOne, fixed<AniRateTexts>,
     decodeWith<GetANIRate>, encodeWith<SetANIRate>, aniRatePosition},
    {"cbPriRate", "Priority Rate:", Pane::Settings1, Frame::GroupOne, counted<8, priRateEntry>,
     decodeWith<GetPriRate>, encodeWith<SetPriRate>, priRatePosition},
    {"cbFreqDisp", "Display Frequencies Only:", Pane::Settings1, Frame::GroupOne, EnabledList,
     named, containsEnable, byText, Field::FreqDisp, EnabledCodes},
    {"cbPerChanPower", "Per Channel Power Selection:", Pane::Settings1, Frame::GroupTwo,
     EnabledList, named, containsEnable, byText, Field::PerChanPower, EnabledCodes},
    {"cbTalkbackScan", "Talkback Scan:", Pane::Settings1, Frame::GroupTwo, EnabledList, named,
     containsEnable, byText, Field::TalkbackScan, EnabledCodes},
    {"cbNuisanceChanDel", "Nuisance Channel Delete:", Pane::Settings1, Frame::GroupTwo, EnabledList,
     named, containsEnable, byText, Field::NuisanceChanDel, EnabledCodes},
    {"cbToggleAssign_0", "Low Power:", Pane::Settings1, Frame::Switches, Toggles, named,
     exactOr<ToggleFallback>, byTextOrLast, Field::LowPowerSwitch, ToggleCodes},
    {"cbToggleAssign_1", "Channel Scan:", Pane::Settings1, Frame::Switches, Toggles, named,
     exactOr<ToggleFallback>, byTextOrLast, Field::ChannelScanSwitch, ToggleCodes},
    {"cbToggleAssign_2", "Priority Scan:", Pane::Settings1, Frame::Switches, Toggles, named,
     exactOr<ToggleFallback>, byTextOrLast, Field::PriorityScanSwitch, ToggleCodes},
    {"cbToggleAssign_3", "Repeater Talk Around:", Pane::Settings1, Frame::Switches, Toggles, named,
     exactOr<ToggleFallback>, byTextOrLast, Field::TalkAroundSwitch, ToggleCodes},
    {"cbToggleAssign_4", "Group Scan:", Pane::Settings1, Frame::Switches, Toggles, named,
     exactOr<ToggleFallback>, byTextOrLast, Field::GroupScanSwitch, ToggleCodes},

    {"cbMisc_0", "Scan Hold Time:", Pane::Settings2, Frame::Misc, counted<16, ScanHoldText>,
     decodeWith<GetScanHold>, encodeWith<SetScanHold>, scanHoldPosition},
    {"cbMisc_1", "TX Timeout Timer:", Pane::Settings2, Frame::Misc, counted<16, TxTimeoutText>,
     decodeWith<GetTxTimeout>, encodeWith<SetTxTimeout>, txTimeoutPosition},
    {"cbMisc_2", "Battery Saver:", Pane::Settings2, Frame::Misc, fixed<BatteryTexts>, named,
     exactOr<1>, byText, Field::BatterySaver},
    {"cbMisc_3", "Busy Channel Mode:", Pane::Settings2, Frame::Misc, fixed<BusyChanTexts>, named,
     exactOr<0>, byText, Field::BusyChanMode},
    {"cbMisc_4", "ANI/DTMF Mode:", Pane::Settings2, Frame::Misc, fixed<AniDtmfTexts>, named,
     exactOr<0>, byText, Field::AniDtmfMode},
    {"cbMisc_5", "Priority 1 Selection:", Pane::Settings2, Frame::Misc, Selection, named,
     firstLetter<'L'>, byText, Field::Pri1Selection},
    {"cbMisc_6", "Scan List Selection:", Pane::Settings2, Frame::Misc, Selection, named,
     firstLetter<'L'>, byText, Field::ScanListSelection},
    {"cbPriOpts_0",
     "Priority 1 Group:",
     Pane::Settings2,
     Frame::Pri,
     Groups,
     priGroup<1>,
     setPriGroup<1>,
     byText,
     {},
     {},
     {},
     priGroupApplies<1>},
    {"cbPriOpts_1",
     "Priority 2 Group:",
     Pane::Settings2,
     Frame::Pri,
     Groups,
     priGroup<2>,
     setPriGroup<2>,
     byText,
     {},
     {},
     {},
     priGroupApplies<2>},
    {"cbPriOpts_2", "Priority 1 Channel:", Pane::Settings2, Frame::Pri, priChannels<1>,
     priChannel<1>, setPriChannel<1>, priChannelPosition<1>},
    {"cbPriOpts_3", "Priority 2 Channel:", Pane::Settings2, Frame::Pri, priChannels<2>,
     priChannel<2>, setPriChannel<2>, priChannelPosition<2>},
    {"cbDispOpts_0", "Back Light:", Pane::Settings2, Frame::Disp, fixed<BackLightTexts>, named,
     exactOr<KeepCode>, byText, Field::BackLight, nullptr, durationFollowsBackLight},
    {"cbDispOpts_1", "Duration:", Pane::Settings2, Frame::Disp, fixed<DurationTexts>, named,
     exactOr<0>, byText, Field::Duration, nullptr, backLightFollowsDuration},
    {"cbUCG", "UCG Feature:", Pane::Settings2, Frame::UCG, fixed<UcgTexts>, named, firstLetter<'E'>,
     byText, Field::UcgFeature},
};

} // namespace

GlobalOptionRows GlobalOptions()
{
    return {std::begin(Rows), std::end(Rows)};
}

const GlobalOption *FindGlobalOption(const std::string &control)
{
    for (const GlobalOption &row : Rows) {
        if (control == row.control)
            return &row;
    }
    return nullptr;
}

std::vector<const GlobalOption *> GlobalOptionsIn(GlobalFrame frame)
{
    std::vector<const GlobalOption *> rows;
    for (const GlobalOption &row : Rows) {
        if (row.frame == frame)
            rows.push_back(&row);
    }
    return rows;
}

std::vector<GlobalOptionText> GlobalOptionTexts(const MemMapImage &mm, GlobalPane pane)
{
    std::vector<GlobalOptionText> texts;
    for (const GlobalOption &row : Rows) {
        if (row.pane == pane)
            texts.push_back({row.caption, row.decode(mm)});
    }
    return texts;
}

bool ChooseGlobalOption(MemMapImage &mm, const GlobalOption &option, const std::string &text)
{
    const MemMapImage before = mm;
    if (text != option.decode(mm))
        option.encode(mm, text);
    if (option.followUp)
        option.followUp(mm);
    // A text that decodes differently but stores the same bits (".25 Seconds") is no change.
    return mm != before;
}
