#pragma once

// The drop-down lists of the settings panes and the grid: their entries in order, the
// entry each shows for the MemMap's value, and the rule that stores a choice.

#include "memmap.h"

#include <string>
#include <vector>

// Entries of the list of a control ("cbMisc_1"; every "cbGrpAsn_k" shares "cbGrpAsn").
// Empty for a name without a list.
const std::vector<std::string> &ChoiceList(const std::string &control);
// The control names with a list of their own, in the order the lists are filled.
const std::vector<std::string> &ChoiceListControls();
// Position of text in the control's list, -1 when it is not an entry.
int ChoiceIndex(const std::string &control, const std::string &text);

// One option of the two global settings panes shown as a list.
struct GlobalChoice {
    const char *control; // object name, "cbToggleAssign_0"
    const char *caption; // its label
    std::string (*decode)(const MemMapImage &mm);
    void (*encode)(MemMapImage &mm, const std::string &text);
    // The entry the list shows for the stored value; -1 for a value no entry stands for.
    int (*position)(const MemMapImage &mm);
};

// In pane order: "Global Settings (1)", then "Global Settings (2)".
const std::vector<GlobalChoice> &GlobalChoices();
const GlobalChoice *FindGlobalChoice(const std::string &control);

// Stores a choice when it differs from what the field decodes to (the back light and its
// duration also follow each other). True when the MemMap changed.
bool ChooseGlobalOption(MemMapImage &mm, const std::string &control, const std::string &text);

// A priority group list is usable unless its channel list shows OFF (first) or MAIN (last).
bool PriGroupEnabled(int channelListPosition);
