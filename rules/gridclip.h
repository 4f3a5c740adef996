#pragma once

// Block copy and paste in the channel grid, apart from the widgets: the copy record, the choice
// of the paste area and the store of the whole grid after a paste.

#include "gridstore.h"

#include <optional>
#include <string>

// A rectangle of data cells, corners included.
struct GridRect {
    int row = 1;
    int col = 1;
    int endRow = 1;
    int endCol = 1;
    int rows() const { return endRow - row + 1; }
    int cols() const { return endCol - col + 1; }
    bool operator==(const GridRect &o) const
    {
        return row == o.row && col == o.col && endRow == o.endRow && endCol == o.endCol;
    }
};

// What was copied. A copy of none of the five kinds is a part of one row or of one column.
struct CopyRecord {
    GridRect area; // anchor and other corner
    bool singleCell = false;
    bool wholeRows = false;
    bool wholeColumns = false;
    bool wholeTable = false;
    bool block = false;
};

// The cell texts of the copied block: tab between cells, carriage return after each row but the
// last. Empty until the first copy; kept across groups, not across runs.
extern std::string g_sCopyText;
extern CopyRecord g_CopyRecord;

inline const char *const CopyCaption = "COPY";
inline const char *const PasteCaption = "PASTE";
extern const char *const NothingSelectedMessage;
extern const char *const NothingCopiedMessage;
extern const char *const PasteAreaMessage;

// The five kinds of a copied area.
CopyRecord ClassifyCopy(GridRect area);

// The text of a block of the store's cells.
std::string GridBlockText(const GridStore &store, GridRect area);

// Records the selected block; says so and returns false when it holds no text.
bool CopyGridSelection(const GridStore &store, GridRect selection);

// Where the copy goes for a selection, by the first paste rule that applies; asks about a
// mismatched block and gives nothing when that is cancelled. `current` is the cell the
// selection started from.
struct PasteArea {
    GridRect area;
    std::optional<GridCell> current; // the cell made current afterwards, when not the area's
};
std::optional<PasteArea> ChoosePasteArea(const CopyRecord &copy, GridRect selection);

// Writes the text into the area cell by cell; what runs past the area or the grid is dropped.
void PasteText(GridStore &store, GridRect area, const std::string &text);

// Reads every cell back, validates it by column and stores it into the group's channels, then
// shows what the MemMap holds. A cancelled re-prompt keeps the cell's stored value.
void StoreGridAfterPaste(MemMapImage &mm, GridStore &store);
