#pragma once

// The printed data report of the File menu's print commands, from MemMap, the current file
// name and the local time, onto any printer.

#include "memmap.h"
#include "printer.h"

#include <string>
#include <vector>

enum class ReportKind {
    All,         // header, both global pages, groups 1..25
    Global,      // header, both global pages
    CurrentGroup // header, one group
};

// group: internal index 0..24 of the group a CurrentGroup report prints.
void PrintReport(Printer &printer, ReportKind kind, int group);

// The columns of the group part's channel table, from 1.
constexpr int ChannelTableColumns[] = {1, 9, 22, 32, 39, 49, 56, 60, 64};

// A label padded with dots to the value column, as label lines print it.
std::string DottedLabel(const std::string &label);
// The dotted label, then the value from column 45 (or right after a longer label).
void PrintLabelLine(Printer &printer, const std::string &label, const std::string &value);

// The label and value of each line of the two global lists, in print order.
struct ReportLine {
    std::string label;
    std::string value;
};
std::vector<ReportLine> GlobalReportLines(const MemMapImage &mm, int list);
