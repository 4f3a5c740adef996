#pragma once

// The options of the two global settings panes that are chosen from a list, one row each:
// what the panes build, show and store, and what the printout lists, all come from the row.

#include "globalcodec.h"
#include "memmap.h"

#include <string>
#include <vector>

enum class GlobalPane { Settings1, Settings2 };
// Where a row sits: the two label columns and the switch block of "Global Settings (1)", the
// inner frames of "Global Settings (2)".
enum class GlobalFrame { GroupOne, GroupTwo, Switches, Misc, Pri, Disp, UCG };

struct GlobalOption {
    using Entries = std::vector<std::string>;

    const char *control; // object name, "cbToggleAssign_0"
    const char *caption; // its label
    GlobalPane pane;
    GlobalFrame frame;
    const Entries &(*listEntries)();
    std::string (*decoder)(const GlobalOption &, const MemMapImage &);
    void (*encoder)(const GlobalOption &, MemMapImage &, const std::string &);
    // The entry the list shows for the stored value; -1 for a value no entry stands for.
    int (*positionRule)(const GlobalOption &, const MemMapImage &);
    // Lists of named codes: the field, and the code each entry stands for (none: its position).
    GlobalField field = GlobalField::FreqDisp;
    const int *codes = nullptr;
    // Runs after every choice, so that a dependent option agrees with it.
    void (*followUp)(MemMapImage &) = nullptr;
    // The list is usable only while this holds.
    bool (*enabledRule)(const MemMapImage &) = nullptr;

    const Entries &entries() const { return listEntries(); }
    std::string decode(const MemMapImage &mm) const { return decoder(*this, mm); }
    void encode(MemMapImage &mm, const std::string &text) const { encoder(*this, mm, text); }
    int position(const MemMapImage &mm) const { return positionRule(*this, mm); }
    bool enabled(const MemMapImage &mm) const { return !enabledRule || enabledRule(mm); }
};

struct GlobalOptionRows {
    const GlobalOption *first;
    const GlobalOption *last;
    const GlobalOption *begin() const { return first; }
    const GlobalOption *end() const { return last; }
    std::size_t size() const { return static_cast<std::size_t>(last - first); }
};
// Every row: "Global Settings (1)", then "Global Settings (2)", each in pane order.
GlobalOptionRows GlobalOptions();
const GlobalOption *FindGlobalOption(const std::string &control);
std::vector<const GlobalOption *> GlobalOptionsIn(GlobalFrame frame);

// Caption and shown text of each row of a pane, in pane order, as the printout lists them.
struct GlobalOptionText {
    std::string caption;
    std::string text;
};
std::vector<GlobalOptionText> GlobalOptionTexts(const MemMapImage &mm, GlobalPane pane);

// Stores a choice when it differs from what the option decodes to, then runs the row's
// follow-up. True when the MemMap changed.
bool ChooseGlobalOption(MemMapImage &mm, const GlobalOption &option, const std::string &text);
