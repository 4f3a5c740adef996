#include "gridclip.h"

#include "cellundo.h"
#include "chanrecord.h"
#include "dialogs.h"
#include "freqcodec.h"
#include "guardcodec.h"
#include "layout.h"
#include "platform.h"

std::string g_sCopyText;
CopyRecord g_CopyRecord;

const char *const NothingSelectedMessage = "Please select data to copy.";
const char *const NothingCopiedMessage = "There is no data in the clipboard to paste.";
const char *const PasteAreaMessage =
    "The selected paste area does not match the contents of the clipboard.\r\n"
    "Click 'OK' below to change the paste area to match the data, 'Cancel' "
    "to select the appropriate area yourself.";

namespace
{
const std::string UnreadableFreq = "?";
constexpr GridRect WholeGrid{1, 1, GridLastRow, GridLastCol};

// Receive and transmit columns change places when the user points at the other one; a copy
// at least `keepFrom` columns wide stays where it came from.
struct SideSwap {
    int copyCol;
    int keepFrom;
    int other;
};
constexpr SideSwap SideSwaps[] = {
    {2, 3, 4}, // Receive Freq
    {3, 2, 5}, // RX CG
    {4, 3, 2}, // Transmit Freq
    {5, 2, 3}, // TX CG
};

const SideSwap *SwapOf(int copyCol)
{
    for (const SideSwap &swap : SideSwaps) {
        if (swap.copyCol == copyCol)
            return &swap;
    }
    return nullptr;
}

int SingleCellColumn(int copyCol, int currentCol)
{
    const SideSwap *swap = SwapOf(copyCol);
    return swap && currentCol == swap->other ? swap->other : copyCol;
}

int WholeColumnsStart(int copyCol, int copyCols, int currentCol)
{
    const SideSwap *swap = SwapOf(copyCol);
    if (!swap || copyCols >= swap->keepFrom)
        return copyCol;
    return currentCol == swap->other ? swap->other : copyCol;
}

bool SameSize(GridRect a, GridRect b)
{
    return a.rows() == b.rows() && a.cols() == b.cols();
}

struct PasteCase {
    const CopyRecord &copy;
    GridRect sel;
};

// Where the copied cells came from.
std::optional<PasteArea> OwnPositions(const PasteCase &c)
{
    return PasteArea{c.copy.area, {}};
}

bool IsSameArea(const PasteCase &c)
{
    return c.sel == c.copy.area;
}

std::optional<PasteArea> IntoSelection(const PasteCase &c)
{
    return PasteArea{c.sel, {}};
}

bool IsWholeTable(const PasteCase &c)
{
    return c.copy.wholeTable;
}

std::optional<PasteArea> WholeTable(const PasteCase &c)
{
    return PasteArea{WholeGrid, GridCell{1, c.sel.col}};
}

bool IsWholeRows(const PasteCase &c)
{
    return c.copy.wholeRows;
}

// The grid cannot select past channel 20, so rows pasted low down stop there.
std::optional<PasteArea> WholeRows(const PasteCase &c)
{
    const int end = std::min(GridLastRow, c.sel.row + c.copy.area.rows() - 1);
    return PasteArea{{c.sel.row, 1, end, GridLastCol}, {}};
}

bool IsWholeColumns(const PasteCase &c)
{
    return c.copy.wholeColumns;
}

std::optional<PasteArea> WholeColumns(const PasteCase &c)
{
    const int start = WholeColumnsStart(c.copy.area.col, c.copy.area.cols(), c.sel.col);
    return PasteArea{{1, start, GridLastRow, start + c.copy.area.cols() - 1}, {}};
}

bool IsSingleCell(const PasteCase &c)
{
    return c.copy.singleCell;
}

std::optional<PasteArea> SingleCell(const PasteCase &c)
{
    const int col = SingleCellColumn(c.copy.area.col, c.sel.col);
    return PasteArea{{c.sel.row, col, c.sel.row, col}, {}};
}

bool IsPartOfLine(const PasteCase &c)
{
    return !c.copy.block;
}

std::optional<PasteArea> PartOfLine(const PasteCase &c)
{
    if (SameSize(c.sel, c.copy.area))
        return IntoSelection(c);
    return PasteArea{c.copy.area, GridCell{1, 1}};
}

bool IsBlock(const PasteCase &c)
{
    return c.copy.block;
}

std::optional<PasteArea> Block(const PasteCase &c)
{
    if (c.sel.col == c.copy.area.col && SameSize(c.sel, c.copy.area))
        return IntoSelection(c);
    const MsgAnswer answer = platform().dialogs->message(
        PasteAreaMessage, PasteCaption, MsgButtons::OkCancel, MsgIcon::Information);
    if (answer != MsgAnswer::Ok)
        return std::nullopt;
    return OwnPositions(c);
}

struct PasteRule {
    bool (*applies)(const PasteCase &);
    std::optional<PasteArea> (*area)(const PasteCase &);
};

// The first rule that applies chooses the area.
constexpr PasteRule PasteRules[] = {
    {IsSameArea, IntoSelection},    // 1. the copied area itself
    {IsWholeTable, WholeTable},     // 2. the whole table
    {IsWholeRows, WholeRows},       // 3. whole rows from the current row
    {IsWholeColumns, WholeColumns}, // 4. whole columns, sides exchanged
    {IsSingleCell, SingleCell},     // 5. one cell in the current row
    {IsPartOfLine, PartOfLine},     // 6. a part of one row or column
    {IsBlock, Block},               // 7. a block
};

std::string ValidatePasted(const std::string &text, int col)
{
    switch (col) {
    case 1:
        return ValidateLabel(text, Layout::LabelLength);
    case 2:
        return ValidateFreq(text, "RX");
    case 4:
        return ValidateFreq(text, "TX");
    case 3:
    case 5:
        return ValidateChanGuard(text);
    default:
        // Unlike an edit, anything but the letter clears the flag.
        return text == FlagLetter(col) ? text : "-";
    }
}

void StoreChanCell(MemMapImage &mm, int group, int chan, int col, const std::string &text)
{
    switch (col) {
    case 1:
        return SetChanLabel(mm, group, chan, text);
    case 2:
    case 4:
        return SetChanFreq(mm, group, chan, col == 2, text);
    case 3:
    case 5:
        return SetChanGuard(mm, group, chan, col == 3, text);
    case 6:
        return SetChanScan(mm, group, chan, text);
    case 7:
        return SetChanNarrow(mm, group, chan, text);
    default:
        return SetChanLowPower(mm, group, chan, text);
    }
}
} // namespace

CopyRecord ClassifyCopy(GridRect area)
{
    CopyRecord copy;
    copy.area = area;
    copy.singleCell = area.rows() == 1 && area.cols() == 1;
    copy.wholeColumns = area.rows() == GridLastRow;
    copy.wholeRows = area.cols() == GridLastCol;
    if (copy.wholeRows && copy.wholeColumns) {
        copy.wholeTable = true;
        copy.wholeRows = copy.wholeColumns = false;
    }
    copy.block = !copy.singleCell && !copy.wholeRows && !copy.wholeColumns && !copy.wholeTable &&
                 area.rows() >= 2 && area.cols() >= 2;
    return copy;
}

std::string GridBlockText(const GridStore &store, GridRect area)
{
    std::string text;
    for (int row = area.row; row <= area.endRow; ++row) {
        if (row != area.row)
            text += '\r';
        for (int col = area.col; col <= area.endCol; ++col) {
            if (col != area.col)
                text += '\t';
            text += store.text({row, col});
        }
    }
    return text;
}

bool CopyGridSelection(const GridStore &store, GridRect selection)
{
    const std::string text = GridBlockText(store, selection);
    if (text.empty()) {
        platform().dialogs->message(NothingSelectedMessage, CopyCaption, MsgButtons::Ok,
                                    MsgIcon::None);
        return false;
    }
    g_CopyRecord = ClassifyCopy(selection);
    g_sCopyText = text;
    return true;
}

std::optional<PasteArea> ChoosePasteArea(const CopyRecord &copy, GridRect selection)
{
    const PasteCase c{copy, selection};
    for (const PasteRule &rule : PasteRules) {
        if (rule.applies(c))
            return rule.area(c);
    }
    return std::nullopt;
}

void PasteText(GridStore &store, GridRect area, const std::string &text)
{
    int row = area.row;
    int col = area.col;
    std::string cell;
    auto put = [&] {
        if (row <= std::min(area.endRow, GridLastRow) && col <= std::min(area.endCol, GridLastCol))
            store.set({row, col}, cell);
        cell.clear();
    };
    for (const char ch : text) {
        if (ch == '\t') {
            put();
            ++col;
        } else if (ch == '\r') {
            put();
            ++row;
            col = area.col;
        } else {
            cell += ch;
        }
    }
    put();
}

void StoreGridAfterPaste(MemMapImage &mm, GridStore &store)
{
    const int group = store.group();
    const CellUndoTexts saved = CellUndoText;
    for (int row = 1; row <= GridLastRow; ++row) {
        const int chan = row - 1;
        for (int col = 1; col <= GridLastCol; ++col) {
            // What a cancelled re-prompt falls back on: the value stored before the paste.
            const std::string stored = ChannelCellText(mm, group, chan, col);
            const std::string &text = store.text({row, col});
            // A frequency the grid cannot show and the paste left alone keeps its bytes.
            if (text == stored && text == UnreadableFreq)
                continue;
            CellUndoEntry(col) = stored;
            StoreChanCell(mm, group, chan, col, ValidatePasted(text, col));
        }
    }
    CellUndoText = saved;
    store.fill(mm, group);
}
