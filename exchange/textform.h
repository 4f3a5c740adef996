#pragma once

// The editor-owned configuration as a YAML text: one key per field, nested by pane, group and
// channel, in window order, each value the double-quoted text the window shows. Made for
// reading, editing and comparing with git diff; bytes the editor does not own are not in it.

#include "memmap.h"

#include <string>
#include <vector>

std::string WriteTextForm(const MemMapImage &mm);

struct TextFormError {
    int line = 0;      // 1-based
    std::string field; // "Group 3 Channel 5 RX Freq"; "" for the text as a whole
    std::string what;
};

// Reads a whole text onto the image with the editor's rules, storing only the values that
// differ from what the image shows. All or nothing: on any error the image is unchanged, and
// errors lists every bad, missing, doubled or unknown key in line order; a text of more than
// one document is refused. notes, when given, lists in line order the values taken otherwise
// than written (a frequency that is no number taken as "Inactive").
bool ReadTextForm(const std::string &text, MemMapImage &image, std::vector<TextFormError> &errors,
                  std::vector<TextFormError> *notes = nullptr);

// "file:line: field: what is wrong".
std::string TextFormErrorLine(const std::string &file, const TextFormError &e);
