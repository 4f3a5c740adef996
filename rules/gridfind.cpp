#include "gridfind.h"

#include "freqcodec.h"
#include "numtext.h"

namespace
{
constexpr int LastTextCol = 5; // the flags are not searched
constexpr int CellsPerGroup = GridLastRow * GridLastCol;
constexpr int AllCells = NumGroups * CellsPerGroup;
} // namespace

bool CellMatches(const std::string &cellText, int col, const std::string &query)
{
    const std::string wanted = UpperCase(TrimBlanks(query));
    if (wanted.empty() || col < 1 || col > LastTextCol)
        return false;
    if (Contains(UpperCase(cellText), wanted))
        return true;
    if (col != 2 && col != 4)
        return false;
    const std::optional<std::string> freq = AcceptedFreq(wanted);
    return freq && *freq != "Inactive" && *freq == cellText;
}

std::optional<GridPlace> FindCell(const MemMapImage &mm, const std::string &query, GridPlace from,
                                  bool forward)
{
    const int at =
        from.group * CellsPerGroup + (from.cell.row - 1) * GridLastCol + from.cell.col - 1;
    for (int n = 1; n <= AllCells; ++n) {
        const int index = ((at + (forward ? n : -n)) % AllCells + AllCells) % AllCells;
        const GridPlace place{index / CellsPerGroup,
                              {index % CellsPerGroup / GridLastCol + 1, index % GridLastCol + 1}};
        if (place.cell.col <= LastTextCol &&
            CellMatches(ChannelCellText(mm, place.group, place.cell.row - 1, place.cell.col),
                        place.cell.col, query))
            return place;
    }
    return std::nullopt;
}
