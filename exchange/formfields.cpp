#include "formfields.h"

#include "chanrecord.h"
#include "choicelists.h"
#include "cmdgroupcodec.h"
#include "freqcodec.h"
#include "globalcodec.h"
#include "globaloptions.h"
#include "gridedit.h"
#include "guardcodec.h"
#include "layout.h"
#include "numtext.h"
#include "picklistcodec.h"
#include "textfields.h"
#include "textlimits.h"

#include <utility>

namespace
{

using Path = std::vector<std::string>;
using Entries = std::vector<std::string>;
using Fields = std::vector<FormField>;

const Entries OffOn = {"Off", "On"};
const Entries NoYes = {"No", "Yes"};

const char *const FreqPattern = "###.00000";
const char *const LabelCharacters = "0-9 A-Z - * $ / + % \\ | _ < > h . and the blank";

std::string Quoted(const std::string &text)
{
    return "\"" + Excerpt(text) + "\"";
}

std::string WithoutColon(const std::string &caption)
{
    return !caption.empty() && caption.back() == ':' ? DropRight(caption, 1) : caption;
}

// A list's entries for a message: all of a short list, the ends of a long one.
std::string ListText(const Entries &entries)
{
    std::string list;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries.size() > 6 && i >= 2 && i + 1 < entries.size()) {
            if (i == 2)
                list += ", ...";
            continue;
        }
        list += (list.empty() ? "" : ", ") + Quoted(entries[i]);
    }
    return list;
}

// A list: the entry at the position the window shows ("" for none), and a choice by entry.
FormField Choice(Path path, const Entries &entries,
                 std::function<int(const MemMapImage &)> position,
                 std::function<void(MemMapImage &, int)> choose)
{
    auto shown = [&entries, position](const MemMapImage &mm) {
        const int p = position(mm);
        return p >= 0 && p < static_cast<int>(entries.size()) ? entries[p] : std::string();
    };
    auto store = [&entries, choose](MemMapImage &mm, const std::string &text) -> std::string {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i] == text) {
                choose(mm, static_cast<int>(i));
                return {};
            }
        }
        return "unknown option " + Quoted(text) + " (the list: " + ListText(entries) + ")";
    };
    return {std::move(path), shown, store};
}

FormField Check(Path path, const Entries &offOn, bool (*get)(const MemMapImage &),
                void (*set)(MemMapImage &, bool))
{
    return Choice(
        std::move(path), offOn, [get](const MemMapImage &mm) { return get(mm) ? 1 : 0; },
        [set](MemMapImage &mm, int index) { set(mm, index == 1); });
}

FormField Option(const std::string &pane, const GlobalOption &option)
{
    return Choice(
        {pane, WithoutColon(option.caption)}, option.entries(),
        [&option](const MemMapImage &mm) { return option.position(mm); },
        [&option](MemMapImage &mm, int index) {
            ChooseGlobalOption(mm, option, option.entries()[index]);
        });
}

void AddOptions(Fields &fields, const std::string &pane, GlobalFrame frame)
{
    for (const GlobalOption *option : GlobalOptionsIn(frame))
        fields.push_back(Option(pane, *option));
}

// Each check gives "" or what is wrong, and the text to store in accepted.

std::string CheckFreq(const std::string &text, std::string &accepted)
{
    const std::optional<std::string> freq = AcceptedFreq(text);
    if (!freq)
        return Quoted(text) + " is not a frequency from " +
               FormatNumber(FreqBandLowMHz, FreqPattern) + " to " +
               FormatNumber(FreqBandHighMHz, FreqPattern) + " MHz, nor \"Inactive\"";
    accepted = *freq;
    return {};
}

std::string CheckGuard(const std::string &text, bool reference, std::string &accepted)
{
    const std::optional<std::string> guard = AcceptedChanGuard(text);
    // Only the transmit side refers to the pick list; elsewhere the reference would be lost.
    if (!guard || (!reference && StartsWith(*guard, "U")))
        return Quoted(text) +
               " is not a channel guard: CTCSS \"67.0\" to \"250.3\", CDCSS \"D023\" to \"D754\" "
               "(octal digits, \"-\" to invert)" +
               (reference ? ", or \"UTXG 1\" to \"UTXG 32\"" : "");
    accepted = *guard;
    return {};
}

std::string CheckLabel(const std::string &text, std::string &accepted)
{
    std::size_t count = 0;
    for (std::string::size_type at = 0; at < text.size(); ++count) {
        const auto length = Utf8CharLength(text, at);
        const std::string ch = text.substr(at, length);
        if (ch != " " && ValidateLabelChar(ch) == " ")
            return Quoted(text) + " holds " + Quoted(ch) + ", which is not a label character (" +
                   LabelCharacters + ")";
        at += length;
    }
    if (count > static_cast<std::size_t>(Layout::LabelLength))
        return Quoted(text) + " is longer than " + std::to_string(Layout::LabelLength) +
               " characters";
    accepted = ValidateLabel(text, Layout::LabelLength);
    return {};
}

// Digits the editor's repair rule would keep as they are, at most count of them.
std::string CheckDigits(const std::string &text, std::size_t count, const char *digits,
                        const std::string &what)
{
    if (text.size() > count || UpperCase(text).find_first_not_of(digits) != std::string::npos)
        return Quoted(text) + " is not " + what;
    return {};
}

void AddGlobals1(Fields &fields)
{
    const std::string pane = "Global Settings (1)";
    AddOptions(fields, pane, GlobalFrame::GroupOne);
    AddOptions(fields, pane, GlobalFrame::Switches);
    fields.push_back({{pane, "Null Frequency Substitution"},
                      GetNullFreqSub,
                      [](MemMapImage &mm, const std::string &text) {
                          std::string freq;
                          std::string why = CheckFreq(text, freq);
                          if (why.empty())
                              SetNullFreqSub(mm, freq == "Inactive" ? "0.0" : freq);
                          return why;
                      }});
    AddOptions(fields, pane, GlobalFrame::GroupTwo);
    fields.push_back(Check({pane, "Silent Mode"}, OffOn, GetSilentMode, SetSilentMode));
}

void AddGlobals2(Fields &fields)
{
    const std::string pane = "Global Settings (2)";
    fields.push_back({{pane, "Keypad Edit Password"},
                      GetKeypadPwd,
                      [](MemMapImage &mm, const std::string &text) {
                          std::string why =
                              CheckDigits(text, 6, "0123456789", "up to 6 decimal digits");
                          if (why.empty())
                              SetKeypadPwd(mm, ValidateKeypadPwd(text));
                          return why;
                      }});
    AddOptions(fields, pane, GlobalFrame::Misc);
    fields.push_back({{pane, "ANI ID"}, GetANIID, [](MemMapImage &mm, const std::string &text) {
                          std::string why = CheckDigits(text, 7, "0123456789ABCDEF",
                                                        "up to 7 hexadecimal digits");
                          if (why.empty())
                              SetANIID(mm, ValidateANIID(text));
                          return why;
                      }});
    AddOptions(fields, pane, GlobalFrame::Disp);
    AddOptions(fields, pane, GlobalFrame::UCG);
    fields.push_back(Check({pane, "Transmit on Priority 1"}, NoYes, GetTxOnPri1, SetTxOnPri1));
    AddOptions(fields, pane, GlobalFrame::Pri);
}

void AddCommandGroup(Fields &fields)
{
    for (int k = 0; k < Layout::CommandGroupEntries; ++k) {
        const std::string position = "Channel " + std::to_string(k + 1);
        fields.push_back(Choice(
            {"Command Group", position, "Group Assign"}, ChoiceList("cbGrpAsn"),
            [k](const MemMapImage &mm) { return GetCmdGrpGroupIndex(mm, k); },
            [k](MemMapImage &mm, int index) { SetCmdGrpGroupIndex(mm, k, index); }));
        fields.push_back(Choice(
            {"Command Group", position, "Channel Assign"}, ChoiceList("cbChnAsn"),
            [k](const MemMapImage &mm) { return GetCmdGrpChanIndex(mm, k); },
            [k](MemMapImage &mm, int index) { SetCmdGrpChanIndex(mm, k, index); }));
    }
}

void AddPickList(Fields &fields)
{
    const std::string pane = "UTXG Pick List";
    fields.push_back(
        Check({pane, "Disable keypad editing of tones"}, NoYes, GetPickListLock, SetPickListLock));
    for (int k = 0; k < Layout::PickListEntries; ++k) {
        fields.push_back({{pane, "User TX Guard " + std::to_string(k + 1)},
                          [k](const MemMapImage &mm) { return GetPickListGuard(mm, k); },
                          [k](MemMapImage &mm, const std::string &text) {
                              std::string guard;
                              std::string why = CheckGuard(text, false, guard);
                              if (why.empty())
                                  SetPickListGuard(mm, k, guard);
                              return why;
                          }});
    }
}

using FlagSetter = void (*)(MemMapImage &, int, int, const std::string &);
constexpr FlagSetter FlagSetters[] = {SetChanScan, SetChanNarrow, SetChanLowPower};

// Stores a channel's cell; "" or what is wrong.
std::string StoreCell(MemMapImage &mm, int g, int ch, int col, const std::string &text)
{
    std::string value;
    std::string why;
    switch (col) {
    case 1:
        why = CheckLabel(text, value);
        if (why.empty())
            SetChanLabel(mm, g, ch, value);
        return why;
    case 2:
    case 4:
        why = CheckFreq(text, value);
        // A channel may receive only, but never transmit without receiving.
        if (why.empty() && col == 4 && value != "Inactive" &&
            GetChanFreq(mm, g, ch, true) == "Inactive")
            why = "a channel that does not receive cannot transmit (RX Freq is \"Inactive\")";
        if (why.empty())
            SetChanFreq(mm, g, ch, col == 2, value);
        return why;
    case 3:
    case 5:
        why = CheckGuard(text, col == 5, value);
        if (why.empty())
            SetChanGuard(mm, g, ch, col == 3, value);
        return why;
    default: {
        const std::string letter = FlagLetter(col);
        if (text != "-" && text != letter)
            return Quoted(text) + " is neither " + Quoted(letter) + " nor \"-\"";
        FlagSetters[col - GridColScan](mm, g, ch, text);
        return {};
    }
    }
}

void AddGroup(Fields &fields, int g)
{
    const std::string group = "Group " + std::to_string(g + 1);
    fields.push_back({{group, "Group Label"},
                      [g](const MemMapImage &mm) { return GetGrpLabel(mm, g); },
                      [g](MemMapImage &mm, const std::string &text) {
                          std::string label;
                          std::string why = CheckLabel(text, label);
                          if (why.empty())
                              SetGrpLabel(mm, g, label);
                          return why;
                      }});
    fields.push_back(Choice(
        {group, "Incoming Cloning"}, ChoiceList("cbIncomingClone"),
        [g](const MemMapImage &mm) { return GetGrpIncomingClone(mm, g) ? 1 : 0; },
        [g](MemMapImage &mm, int index) { ChooseIncomingClone(mm, g, index); }));
    fields.push_back(Choice(
        {group, "Group Scan List"}, NoYes,
        [g](const MemMapImage &mm) { return GetGrpScanList(mm, g) == "Yes" ? 1 : 0; },
        [g](MemMapImage &mm, int index) { ClickGroupScanList(mm, g, index == 1); }));
    for (int ch = 0; ch < ChansPerGroup; ++ch) {
        const std::string chan = "Channel " + std::to_string(ch + 1);
        for (int col = 1; col <= GridLastCol; ++col)
            fields.push_back(
                {{group, chan, ChannelColumnNames[col - 1]},
                 [g, ch, col](const MemMapImage &mm) { return ChannelCellText(mm, g, ch, col); },
                 [g, ch, col](MemMapImage &mm, const std::string &text) {
                     return StoreCell(mm, g, ch, col, text);
                 }});
    }
}

Fields BuildFields()
{
    Fields fields;
    AddGlobals1(fields);
    AddGlobals2(fields);
    AddCommandGroup(fields);
    AddPickList(fields);
    for (int g = 0; g < NumGroups; ++g)
        AddGroup(fields, g);
    return fields;
}

} // namespace

const std::vector<FormField> &FormFields()
{
    static const Fields fields = BuildFields();
    return fields;
}

std::string FormFieldName(const std::vector<std::string> &path)
{
    std::string name;
    for (const std::string &key : path)
        name += (name.empty() ? "" : " ") + key;
    return name;
}
