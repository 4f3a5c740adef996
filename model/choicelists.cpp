#include "choicelists.h"

#include "globalcodec.h"
#include "numtext.h"

#include <map>

namespace
{

using Entries = std::vector<std::string>;

Entries numbered(const std::string &prefix, int count)
{
    Entries entries;
    for (int n = 1; n <= count; ++n)
        entries.push_back(prefix + std::to_string(n));
    return entries;
}

Entries priorityChannels(int priority)
{
    const std::string name = "Priority " + std::to_string(priority);
    Entries entries{name + " OFF"};
    for (const std::string &chan : numbered("Channel ", ChansPerGroup))
        entries.push_back(chan);
    entries.push_back(name + " use MAIN channel");
    return entries;
}

Entries dtmfDeviations()
{
    Entries entries;
    for (int n = 0; n <= 26; ++n)
        entries.push_back(FormatNumber(n * 187.5, n % 2 == 0 ? "0Hz" : "0.#Hz"));
    return entries;
}

Entries scaled(int count, double step, double first, const char *pattern)
{
    Entries entries;
    for (int n = 0; n < count; ++n)
        entries.push_back(FormatNumber(first + n * step, pattern));
    return entries;
}

Entries txTimeouts()
{
    Entries entries{"OFF"};
    for (int n = 1; n <= 15; ++n)
        entries.push_back(FormatNumber(n * 15, "0 Seconds"));
    return entries;
}

struct NamedList {
    std::string control;
    Entries entries;
};

const std::vector<NamedList> &allLists()
{
    static const std::vector<NamedList> lists = [] {
        const Entries toggles{"Left Toggle", "Center Toggle", "Right Toggle",
                              "Always ON",   "Always OFF",    "Keypad"};
        const Entries enabled{"Enabled", "Disabled"};
        const Entries selection{"User Select", "Locked Out"};
        Entries groupAssign = numbered("Group ", NumGroups);
        groupAssign.push_back("Unprogrammed");
        return std::vector<NamedList>{
            {"cbToggleAssign_0", toggles},
            {"cbToggleAssign_1", toggles},
            {"cbToggleAssign_2", toggles},
            {"cbToggleAssign_3", toggles},
            {"cbToggleAssign_4", toggles},
            {"cbDTMFDev", dtmfDeviations()},
            {"cbFrontPorchTime", {"30 mSec", "360 mSec", "690 mSec", "1020 mSec"}},
            {"cbANI", {"10 Char/Sec", "20 Char/Sec"}},
            {"cbPriRate", scaled(8, 0.25, 0.25, "0.00 Seconds")},
            {"cbFreqDisp", enabled},
            {"cbPerChanPower", enabled},
            {"cbTalkbackScan", enabled},
            {"cbNuisanceChanDel", enabled},
            {"cbDispOpts_0", {"OFF", "KeyPress", "Display Change", "Keypress & Display Change"}},
            {"cbDispOpts_1",
             {"OFF", "1 Second", "2 Seconds", "3 Seconds", "4 Seconds", "5 Seconds", "6 Seconds",
              "Always ON"}},
            {"cbPriOpts_0", numbered("Group ", NumGroups)},
            {"cbPriOpts_1", numbered("Group ", NumGroups)},
            {"cbPriOpts_2", priorityChannels(1)},
            {"cbPriOpts_3", priorityChannels(2)},
            {"cbUCG", {"Disabled", "Enabled"}},
            {"cbMisc_0", scaled(16, 0.5, 0, "0.0 Seconds")},
            {"cbMisc_1", txTimeouts()},
            {"cbMisc_2", {"Allow", "Inhibit"}},
            {"cbMisc_3", {"OFF", "Indicate", "Lockout with Override", "Lockout"}},
            {"cbMisc_4", {"OFF", "DTMF Only", "ANI Only", "DTMF w/Manual ANI"}},
            {"cbMisc_5", selection},
            {"cbMisc_6", selection},
            {"cbGrpAsn", groupAssign},
            {"cbChnAsn", numbered("Channel ", ChansPerGroup)},
            {"cbIncomingClone", {"Accept", "Reject"}},
        };
    }();
    return lists;
}

const Entries *findList(const std::string &control)
{
    for (const NamedList &list : allLists()) {
        if (list.control == control)
            return &list.entries;
    }
    return nullptr;
}

// The switch lists pick their entry by name; "Keypad" and the unnamed codes show "Keypad".
template <int Switch> int togglePosition(const MemMapImage &mm)
{
    const int index = ChoiceIndex("cbToggleAssign_0", GetToggleAssign(mm, Switch));
    return index >= 0 ? index : 5;
}

template <int Switch> std::string getToggle(const MemMapImage &mm)
{
    return GetToggleAssign(mm, Switch);
}

template <int Switch> void setToggle(MemMapImage &mm, const std::string &text)
{
    SetToggleAssign(mm, Switch, text);
}

template <int Priority> void setPriGroup(MemMapImage &mm, const std::string &text)
{
    SetPriGroup(mm, Priority, text);
}

template <int Priority> std::string getPriChannel(const MemMapImage &mm)
{
    return GetPriChannel(mm, Priority);
}

template <int Priority> void setPriChannel(MemMapImage &mm, const std::string &text)
{
    SetPriChannel(mm, Priority, text);
}

// Numeric lists: the position follows from the decoded value, not from its text.
int dtmfPosition(const MemMapImage &mm)
{
    std::string upper = UpperCase(GetDTMFDev(mm));
    upper = upper.substr(0, upper.find("HZ"));
    return static_cast<int>(RoundHalfEven(NumericValue(upper) / 187.5));
}

int frontPorchPosition(const MemMapImage &mm)
{
    return static_cast<int>(RoundHalfEven((NumericValue(GetFrontPorch(mm)) - 30) / 330));
}

int aniRatePosition(const MemMapImage &mm)
{
    return NumericValue(GetANIRate(mm)) == 20 ? 1 : 0;
}

int priRatePosition(const MemMapImage &mm)
{
    return static_cast<int>(RoundHalfEven(NumericValue(GetPriRate(mm)) * 4 - 1));
}

int scanHoldPosition(const MemMapImage &mm)
{
    return static_cast<int>(RoundHalfEven(NumericValue(GetScanHold(mm)) * 2));
}

int txTimeoutPosition(const MemMapImage &mm)
{
    return static_cast<int>(RoundHalfEven(NumericValue(GetTxTimeout(mm)) / 15));
}

template <int Priority> int priChannelPosition(const MemMapImage &mm)
{
    const std::string text = GetPriChannel(mm, Priority);
    const int last = ChansPerGroup + 1;
    if (Contains(text, "OFF"))
        return 0;
    if (Contains(text, "MAIN"))
        return last;
    const int chan = static_cast<int>(NumericValue(text.substr(text.find(' ') + 1)));
    // Channels 21..32 fit the byte but not the list; showing MAIN for them would mislead.
    return chan >= 1 && chan <= ChansPerGroup ? chan : -1;
}

// The list whose entry carries the decoded text.
template <std::string (*Decode)(const MemMapImage &), const char *Control>
int byText(const MemMapImage &mm)
{
    return ChoiceIndex(Control, Decode(mm));
}

constexpr char PriOpts0[] = "cbPriOpts_0";
constexpr char PriOpts1[] = "cbPriOpts_1";
constexpr char Enabled[] = "cbFreqDisp";
constexpr char UCG[] = "cbUCG";
constexpr char DispOpts0[] = "cbDispOpts_0";
constexpr char DispOpts1[] = "cbDispOpts_1";
constexpr char Misc2[] = "cbMisc_2";
constexpr char Misc3[] = "cbMisc_3";
constexpr char Misc4[] = "cbMisc_4";
constexpr char Misc5[] = "cbMisc_5";

std::string getPriGroup1(const MemMapImage &mm)
{
    return GetPriGroup(mm, 1);
}

std::string getPriGroup2(const MemMapImage &mm)
{
    return GetPriGroup(mm, 2);
}

} // namespace

const std::vector<std::string> &ChoiceList(const std::string &control)
{
    if (const Entries *entries = findList(control))
        return *entries;
    // Arrays of like controls share one list: "cbGrpAsn_3" uses "cbGrpAsn".
    const std::size_t underscore = control.rfind('_');
    if (underscore != std::string::npos && underscore + 1 < control.size() &&
        control.find_first_not_of("0123456789", underscore + 1) == std::string::npos) {
        if (const Entries *entries = findList(control.substr(0, underscore)))
            return *entries;
    }
    static const Entries none;
    return none;
}

const std::vector<std::string> &ChoiceListControls()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result;
        for (const NamedList &list : allLists())
            result.push_back(list.control);
        return result;
    }();
    return names;
}

int ChoiceIndex(const std::string &control, const std::string &text)
{
    const Entries &entries = ChoiceList(control);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == text)
            return static_cast<int>(i);
    }
    return -1;
}

const std::vector<GlobalChoice> &GlobalChoices()
{
    static const std::vector<GlobalChoice> choices{
        {"cbToggleAssign_0", "Low Power:", getToggle<0>, setToggle<0>, togglePosition<0>},
        {"cbToggleAssign_1", "Channel Scan:", getToggle<1>, setToggle<1>, togglePosition<1>},
        {"cbToggleAssign_2", "Priority Scan:", getToggle<2>, setToggle<2>, togglePosition<2>},
        {"cbToggleAssign_3", "Repeater Talk Around:", getToggle<3>, setToggle<3>,
         togglePosition<3>},
        {"cbToggleAssign_4", "Group Scan:", getToggle<4>, setToggle<4>, togglePosition<4>},
        {"cbDTMFDev", "Wide Band DTMF Deviation:", GetDTMFDev, SetDTMFDev, dtmfPosition},
        {"cbFrontPorchTime", "Front Porch Time:", GetFrontPorch, SetFrontPorch, frontPorchPosition},
        {"cbANI", "ANI Rate:", GetANIRate, SetANIRate, aniRatePosition},
        {"cbPriRate", "Priority Rate:", GetPriRate, SetPriRate, priRatePosition},
        {"cbFreqDisp", "Display Frequencies Only:", GetFreqDisp, SetFreqDisp,
         byText<GetFreqDisp, Enabled>},
        {"cbPerChanPower", "Per Channel Power Selection:", GetPerChanPower, SetPerChanPower,
         byText<GetPerChanPower, Enabled>},
        {"cbTalkbackScan", "Talkback Scan:", GetTalkbackScan, SetTalkbackScan,
         byText<GetTalkbackScan, Enabled>},
        {"cbNuisanceChanDel", "Nuisance Channel Delete:", GetNuisanceChanDel, SetNuisanceChanDel,
         byText<GetNuisanceChanDel, Enabled>},
        {"cbDispOpts_0", "Back Light:", GetBackLight, SetBackLight,
         byText<GetBackLight, DispOpts0>},
        {"cbDispOpts_1", "Duration:", GetBackLightDuration, SetBackLightDuration,
         byText<GetBackLightDuration, DispOpts1>},
        {"cbPriOpts_0", "Priority 1 Group:", getPriGroup1, setPriGroup<1>,
         byText<getPriGroup1, PriOpts0>},
        {"cbPriOpts_1", "Priority 2 Group:", getPriGroup2, setPriGroup<2>,
         byText<getPriGroup2, PriOpts1>},
        {"cbPriOpts_2", "Priority 1 Channel:", getPriChannel<1>, setPriChannel<1>,
         priChannelPosition<1>},
        {"cbPriOpts_3", "Priority 2 Channel:", getPriChannel<2>, setPriChannel<2>,
         priChannelPosition<2>},
        {"cbUCG", "UCG Feature:", GetUCGFeature, SetUCGFeature, byText<GetUCGFeature, UCG>},
        {"cbMisc_0", "Scan Hold Time:", GetScanHold, SetScanHold, scanHoldPosition},
        {"cbMisc_1", "TX Timeout Timer:", GetTxTimeout, SetTxTimeout, txTimeoutPosition},
        {"cbMisc_2", "Battery Saver:", GetBatterySaver, SetBatterySaver,
         byText<GetBatterySaver, Misc2>},
        {"cbMisc_3", "Busy Channel Mode:", GetBusyChanMode, SetBusyChanMode,
         byText<GetBusyChanMode, Misc3>},
        {"cbMisc_4", "ANI/DTMF Mode:", GetAniDtmfMode, SetAniDtmfMode,
         byText<GetAniDtmfMode, Misc4>},
        {"cbMisc_5", "Priority 1 Selection:", GetPri1Selection, SetPri1Selection,
         byText<GetPri1Selection, Misc5>},
        {"cbMisc_6", "Scan List Selection:", GetScanListSelection, SetScanListSelection,
         byText<GetScanListSelection, Misc5>},
    };
    return choices;
}

const GlobalChoice *FindGlobalChoice(const std::string &control)
{
    for (const GlobalChoice &choice : GlobalChoices()) {
        if (control == choice.control)
            return &choice;
    }
    return nullptr;
}

bool ChooseGlobalOption(MemMapImage &mm, const std::string &control, const std::string &text)
{
    if (control == "cbDispOpts_0") {
        const DisplayOptsChange change = ChooseBackLight(mm, text);
        return change.backLight || change.duration;
    }
    if (control == "cbDispOpts_1") {
        const DisplayOptsChange change = ChooseBackLightDuration(mm, text);
        return change.backLight || change.duration;
    }
    const GlobalChoice *choice = FindGlobalChoice(control);
    if (!choice || text == choice->decode(mm))
        return false;
    const MemMapImage before = mm;
    choice->encode(mm, text);
    // A text that decodes differently but stores the same bits (".25 Seconds") is no change.
    return mm != before;
}

bool PriGroupEnabled(int channelListPosition)
{
    return channelListPosition != 0 && channelListPosition != ChansPerGroup + 1;
}
