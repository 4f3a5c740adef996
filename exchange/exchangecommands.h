#pragma once

// File > Export and File > Import: the radio data as a YAML text, and channels as CHIRP-layout
// CSV. An import changes the MemMap only when it is accepted, all at once: one undo step.

#include <string>
#include <vector>

void ExportTextFormCommand();
void ExportGroupCsvCommand(); // the current group's 20 channels
void ExportAllCsvCommand();   // all 500 channels
void ImportTextFormCommand();
void ImportGroupCsvCommand(); // onto the current group

// A message's list of lines (refused values, fields that differ): at most this many of them.
constexpr int MaxListedLines = 20;
// "3 lines" of a list, cut after MaxListedLines with "... and 4 more."
std::string ListedLines(const std::vector<std::string> &lines);
