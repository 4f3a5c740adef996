#pragma once

// The entries of every drop-down list of the settings panes and the grid, by control name.

#include <string>
#include <vector>

// Entries of the list of a control ("cbMisc_1"; every "cbGrpAsn_k" shares "cbGrpAsn").
// Empty for a name without a list.
const std::vector<std::string> &ChoiceList(const std::string &control);
