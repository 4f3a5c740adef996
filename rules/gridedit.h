#pragma once

// The channel grid's rules, apart from the widgets: what each cell shows, what a cell edit
// stores, flag toggles and the moves between cells.

#include "memmap.h"

#include <optional>
#include <string>

// Data cells are rows 1..GridLastRow and columns 1..GridLastCol; row 0 and column 0 are headers.
constexpr int GridLastRow = ChansPerGroup;
constexpr int GridLastCol = 8;
constexpr int GridColScan = 6;
constexpr int GridColPower = 8;
// The fields of the data columns 1..8 by name, as the differences list and the text form name
// them.
inline constexpr const char *ChannelColumnNames[GridLastCol] = {
    "Label", "RX Freq", "RX Guard", "TX Freq", "TX Guard", "Scan", "Narrow", "Low Power"};

inline const char *const InvalidCombinationCaption = "INVALID COMBINATION";
// Shown when the receive side is set inactive while the transmit side is active.
std::string RxInactiveMessage();
extern const char *const TxNeedsRxMessage;

struct GridCell {
    int row = 1;
    int col = 1;
    bool operator==(const GridCell &o) const { return row == o.row && col == o.col; }
};

// The four moves; each wraps around at the grid's ends.
GridCell MoveToNextCell(GridCell cell);
GridCell MoveToPrevCell(GridCell cell);
GridCell MoveToNextCellDown(GridCell cell);
GridCell MoveToNextCellUp(GridCell cell);

// Columns 6..8 hold one-letter flags that are toggled, not typed.
bool IsFlagColumn(int col);
// "S", "N" or "L".
std::string FlagLetter(int col);
// Space and double-click: "-" becomes the letter, anything else "-".
std::string ToggleFlagCell(const std::string &cell, int col);
// A typed letter: the column's own letter (any case) swaps "-" and the letter; other keys and
// other cell texts give nothing.
std::optional<std::string> FlagKeyToggle(const std::string &cell, int col, char32_t key);

// The text of a data cell (column 1..8) of a channel of a group.
std::string ChannelCellText(const MemMapImage &mm, int group, int chan, int col);

// The editor's text when a key opens it: a printable character replaces the cell text; space
// and control keys keep the cell text (space selects all of it).
struct EditorStart {
    std::string text;
    bool selectAll = false;
};
EditorStart EditorStartText(const std::string &cell, char32_t key);
// A lone "U" in the transmit guard column starts a pick-list reference.
std::string EditorFocusText(const std::string &text, int col);

// Stores a cell's text into the group's channel record. The receive and transmit frequency
// rules may show an "INVALID COMBINATION" message; returns the text the cell shows afterwards.
std::string SaveGridCell(MemMapImage &mm, int group, int chan, int col, const std::string &text);

// Leaving the group label field: a text that differs from the stored label is made a valid
// label, stored, and shown. True when that changed the stored label.
bool EditGroupLabel(MemMapImage &mm, int group, const std::string &text, std::string &shown);
// A choice of the incoming cloning list (0 "Accept", 1 "Reject"); true when it changed.
bool ChooseIncomingClone(MemMapImage &mm, int group, int index);
// A click on the group scan list box; true when it changed.
bool ClickGroupScanList(MemMapImage &mm, int group, bool checked);
