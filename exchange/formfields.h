#pragma once

// Every value the editor owns, as a named text: the keys that name it, the text the window
// shows for it and the editor's rule for storing another text. In window order: the settings
// panes as the tree lists them, each in tab order, then the groups, each channel in grid
// column order.

#include "memmap.h"

#include <functional>
#include <string>
#include <vector>

struct FormField {
    std::vector<std::string> path; // {"Group 3", "Channel 5", "RX Freq"}
    std::function<std::string(const MemMapImage &)> shown;
    // Checks a text the window does not show now and stores it; "" when stored, otherwise what
    // is wrong with it (and the image is unchanged).
    std::function<std::string(MemMapImage &, const std::string &)> store;
};

const std::vector<FormField> &FormFields();

// The keys joined by blanks: "Group 3 Channel 5 RX Freq".
std::string FormFieldName(const std::vector<std::string> &path);
