#include "gridstore.h"

void GridStore::fill(const MemMapImage &mm, int group)
{
    m_group = group;
    for (int row = 1; row <= GridLastRow; ++row) {
        for (int col = 1; col <= GridLastCol; ++col)
            m_cells[row - 1][col - 1] = ChannelCellText(mm, group, row - 1, col);
    }
}

const std::string &GridStore::text(GridCell cell) const
{
    return m_cells.at(cell.row - 1).at(cell.col - 1);
}

bool GridStore::set(GridCell cell, const std::string &text)
{
    std::string &stored = m_cells.at(cell.row - 1).at(cell.col - 1);
    if (stored == text)
        return false;
    stored = text;
    return true;
}

std::vector<GridCell> GridStore::save(MemMapImage &mm, GridCell cell)
{
    const int chan = cell.row - 1;
    std::array<std::string, GridLastCol> before;
    for (int col = 1; col <= GridLastCol; ++col)
        before[col - 1] = ChannelCellText(mm, m_group, chan, col);
    std::vector<GridCell> changed;
    if (set(cell, SaveGridCell(mm, m_group, chan, cell.col, text(cell))))
        changed.push_back(cell);
    for (int col = 1; col <= GridLastCol; ++col) {
        const GridCell other{cell.row, col};
        const std::string after = ChannelCellText(mm, m_group, chan, col);
        if (col != cell.col && after != before[col - 1] && set(other, after))
            changed.push_back(other);
    }
    return changed;
}
