#include "printreport.h"

#include "appglobals.h"
#include "appsettings.h"
#include "caption.h"
#include "chanrecord.h"
#include "cmdgroupcodec.h"
#include "freqcodec.h"
#include "globalcodec.h"
#include "globaloptions.h"
#include "gridedit.h"
#include "layout.h"
#include "picklistcodec.h"
#include "platform.h"
#include "reportdate.h"
#include "textfields.h"
#include "version.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace
{

constexpr const char *TitleFont = "Arial";
constexpr const char *BodyFont = "Courier New";
constexpr int LabelWidth = 44;
constexpr int ValueColumn = 45;
constexpr int HeaderTabColumn = 50;

const char *const ChannelTableTitles[] = {"    ", "Label", "RX Freq", "CG", "TX Freq",
                                          "CG",   "Scn",   "BW",      "LP"};

std::string OnOff(const MemMapImage &mm)
{
    return GetSilentMode(mm) ? "On" : "Off";
}

std::string YesNo(const MemMapImage &mm)
{
    return GetTxOnPri1(mm) ? "Yes" : "No";
}

// Lines the option table has no row for, and the line each follows (none: the list starts
// with it).
struct ExtraLine {
    int list;
    const char *after;
    const char *label;
    std::string (*value)(const MemMapImage &);
};
constexpr ExtraLine ExtraLines[] = {
    {1, nullptr, "Embeded Serial Number:", GetEmbeddedSN},
    {1, "Display Frequencies Only:", "Null Frequency Substitution:", GetNullFreqSub},
    {1, "Nuisance Channel Delete:", "Silent Mode", OnOff},
    {2, nullptr, "Keypad Edit Password:", GetKeypadPwd},
    {2, "Keypad Edit Password:", "ANI ID:", GetANIID},
    {2, "Priority 2 Channel:", "Transmit on Priority 1", YesNo},
};

void AddLine(std::vector<ReportLine> &lines, const MemMapImage &mm, int list,
             const std::string &label, const std::string &value)
{
    lines.push_back({label, value});
    for (const ExtraLine &extra : ExtraLines) {
        if (extra.list == list && extra.after && label == extra.after)
            AddLine(lines, mm, list, extra.label, extra.value(mm));
    }
}

std::string TwoDigits(int n)
{
    return (n < 10 ? " " : "") + std::to_string(n);
}

std::string ShownFileName()
{
    return g_sCurFileName.empty() ? "New File" : DisplayFileName(g_sCurFileName);
}

// Where each character of a UTF-8 text starts.
std::vector<std::size_t> CharStarts(const std::string &text)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    }
    return starts;
}

// Prints the routines' pieces at character columns of the current font.
class ReportWriter
{
public:
    explicit ReportWriter(Printer &printer, std::string fileName = {}, std::string date = {})
        : p(printer), name(std::move(fileName)), today(std::move(date))
    {
    }

    void font(const char *family, double points, bool bold)
    {
        p.setFontName(family);
        p.setFontSize(points);
        p.setBold(bold);
    }
    // A column is one character of the fixed-pitch body; in a proportional font, one digit.
    double columnX(int column) { return (column - 1) * p.textWidth("0"); }
    // Moves right to the column; a position already past it stays.
    void tab(int column)
    {
        if (p.currentX() < columnX(column))
            p.moveTo(columnX(column), p.currentY());
    }
    void line(const std::string &text = {}) { p.print(text, true); }
    void at(int column, const std::string &text, bool last = false)
    {
        tab(column);
        p.print(text, last);
    }
    void labelLine(const std::string &label, const std::string &value)
    {
        p.print(DottedLabel(label), false);
        at(ValueColumn, " " + value, true);
    }
    // Right-aligned, 5 "X" from the right edge, at the given number of "X" heights from the
    // bottom; never left of the margin.
    void bottomRight(const std::string &text, int linesUp)
    {
        const double x = p.pageWidth() - (5 * p.textWidth("X") + p.textWidth(text));
        p.moveTo(std::max(0.0, x), p.pageHeight() - linesUp * p.textHeight("X"));
        line(text);
    }
    double rightEnd() { return p.pageWidth() - 5 * p.textWidth("X"); }
    // before + the file name + after, the name shortened in the middle to fit the width.
    std::string withName(const std::string &before, const std::string &after, double width)
    {
        const double room = width - p.textWidth(before) - p.textWidth(after);
        if (p.textWidth(name) <= room)
            return before + name + after;
        const std::vector<std::size_t> starts = CharStarts(name);
        const std::size_t n = starts.size();
        for (std::size_t keep = n - 1; keep > 0; --keep) {
            const std::string shown = name.substr(0, starts[(keep + 1) / 2]) + Ellipsis +
                                      name.substr(starts[n - keep / 2]);
            if (p.textWidth(shown) <= room)
                return before + shown + after;
        }
        return before + Ellipsis + after;
    }
    // A loose page still names its file and day.
    void footer()
    {
        bottomRight(withName({}, "   " + today + "   Page " + std::to_string(p.page()), rightEnd()),
                    4);
    }
    // A rule under a title line, from its first column to the end of its last title, just
    // above the next line.
    void ruleUnder(int firstColumn, int lastColumn, const std::string &lastTitle)
    {
        const double y = p.currentY() - 10;
        p.drawLine(columnX(firstColumn), y, columnX(lastColumn) + p.textWidth(lastTitle), y);
    }

    Printer &p;
    const std::string name;
    const std::string today;

private:
    static constexpr const char *Ellipsis = "\u2026";
};

const std::string TitleText = ProgramTitle + " Unit Data Printout for file: ";

void PrintHeader(ReportWriter &w, const LocalTime &now)
{
    w.font(TitleFont, 14, true);
    w.line();
    w.line(w.withName(TitleText, {}, w.p.pageWidth()));
    w.p.setFontSize(10);
    w.p.setBold(false);
    w.p.print(ProgramTitle + " Ver: " + TESSARO_VERSION_TEXT, false);
    w.at(HeaderTabColumn, TESSARO_LEGAL_NOTICE, true);
    w.p.print("Date: " + ReportDate(now), false);
    w.at(HeaderTabColumn, "Time: " + ReportTime(now), true);
    w.line();
}

void PrintLabelLines(ReportWriter &w, const MemMapImage &mm, int list)
{
    for (const ReportLine &l : GlobalReportLines(mm, list))
        w.labelLine(l.label, l.value);
}

void PrintGlobalPart(ReportWriter &w, const MemMapImage &mm, bool finalBreak)
{
    w.font(BodyFont, 10, true);
    w.line("Global Settings:");
    w.p.setBold(false);
    PrintLabelLines(w, mm, 1);
    w.line();
    w.line();
    w.p.setBold(true);
    w.line("Global Settings 2:");
    w.p.setBold(false);
    PrintLabelLines(w, mm, 2);
    w.footer();
    w.p.newPage();

    w.font(TitleFont, 14, true);
    w.line(w.withName(TitleText, " (cont'd)", w.p.pageWidth()));
    w.line();
    w.font(BodyFont, 10, true);
    w.line("Command Group:");
    w.line();
    w.at(5, "Channel");
    w.at(19, "Group Assign");
    w.at(34, "Channel Assign", true);
    w.p.setBold(false);
    w.ruleUnder(5, 34, "Channel Assign");
    for (int entry = 0; entry < Layout::CommandGroupEntries; ++entry) {
        w.at(5, "Channel " + TwoDigits(entry + 1) + ":");
        w.at(19, GetCmdGrpGroupText(mm, entry));
        w.at(34, GetCmdGrpChanText(mm, entry), true);
    }

    w.line();
    w.line();
    w.p.setBold(true);
    w.at(5, "UCG Pick List:");
    w.at(30, "Code Guard", true);
    w.p.setBold(false);
    w.ruleUnder(5, 30, "Code Guard");
    for (int entry = 0; entry < Layout::PickListEntries; ++entry) {
        w.at(5, "UCG Pick List " + TwoDigits(entry + 1) + ":");
        w.at(30, GetPickListGuard(mm, entry), true);
    }
    w.footer();
    if (finalBreak)
        w.p.newPage();
}

void PrintGroupPart(ReportWriter &w, const MemMapImage &mm, int first, int last)
{
    for (int group = first; group <= last; ++group) {
        const std::string number = std::to_string(group + 1);
        w.font(BodyFont, 10, true);
        w.line("Group " + number + " Channel Settings:");
        w.p.setFontSize(9);
        w.line();
        constexpr int columns = static_cast<int>(std::size(ChannelTableColumns));
        for (int i = 0; i < columns; ++i)
            w.at(ChannelTableColumns[i], ChannelTableTitles[i], i == columns - 1);
        w.p.setBold(false);
        w.ruleUnder(ChannelTableColumns[0], ChannelTableColumns[columns - 1],
                    ChannelTableTitles[columns - 1]);
        for (int chan = 0; chan < ChansPerGroup; ++chan) {
            w.at(ChannelTableColumns[0], "Ch. " + std::to_string(chan + 1));
            for (int col = 1; col < columns; ++col)
                w.at(ChannelTableColumns[col], ChannelCellText(mm, group, chan, col),
                     col == columns - 1);
        }
        w.line();
        w.p.setFontSize(10);
        w.p.setBold(true);
        w.line("Group " + number + " Settings:");
        w.p.setBold(false);
        w.p.setFontSize(9);
        w.labelLine("Group Label", GetGrpLabel(mm, group));
        w.labelLine("Incoming Clone", GetGrpIncomingClone(mm, group) ? "Reject" : "Accept");
        w.labelLine("Group Scan List", GetGrpScanList(mm, group));
        w.footer();
        if (group != last)
            w.p.newPage();
    }
}

void PrintEnd(ReportWriter &w)
{
    w.line();
    w.bottomRight(w.withName("End of printout for: ", {}, w.rightEnd()), 2);
    w.p.endDoc();
}

} // namespace

std::string DottedLabel(const std::string &label)
{
    std::string text = label + " ";
    if (text.size() < LabelWidth)
        text.append(LabelWidth - text.size(), '.');
    return text;
}

void PrintLabelLine(Printer &printer, const std::string &label, const std::string &value)
{
    ReportWriter(printer).labelLine(label, value);
}

std::vector<ReportLine> GlobalReportLines(const MemMapImage &mm, int list)
{
    std::vector<ReportLine> lines;
    for (const ExtraLine &extra : ExtraLines) {
        if (extra.list == list && !extra.after)
            AddLine(lines, mm, list, extra.label, extra.value(mm));
    }
    const GlobalPane pane = list == 1 ? GlobalPane::Settings1 : GlobalPane::Settings2;
    for (const GlobalOptionText &row : GlobalOptionTexts(mm, pane))
        AddLine(lines, mm, list, row.caption, row.text);
    return lines;
}

void PrintReport(Printer &printer, ReportKind kind, int group)
{
    const LocalTime now = platform().clock->localTime();
    ReportWriter w(printer, ShownFileName(), ReportDate(now));
    PrintHeader(w, now);
    if (kind != ReportKind::CurrentGroup)
        PrintGlobalPart(w, MemMap, kind == ReportKind::All);
    if (kind == ReportKind::All)
        PrintGroupPart(w, MemMap, 0, NumGroups - 1);
    else if (kind == ReportKind::CurrentGroup)
        PrintGroupPart(w, MemMap, group, group);
    PrintEnd(w);
}
