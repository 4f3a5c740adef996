#pragma once

#include "gridedit.h"

#include <array>
#include <string>
#include <vector>

// The texts of the channel grid's data cells for one group, as the grid shows them.
class GridStore
{
public:
    // Every cell from the channel records of the group.
    void fill(const MemMapImage &mm, int group);
    int group() const { return m_group; }

    const std::string &text(GridCell cell) const;
    // True when that changed the cell's text.
    bool set(GridCell cell, const std::string &text);

    // Stores the cell's text into its channel record. The cell then shows what the store gives
    // back, and every other cell of the channel whose decoded text the store changed shows the
    // new one (a receive guard can clear the transmit side's pick-list reference). Returns the
    // cells whose text changed.
    std::vector<GridCell> save(MemMapImage &mm, GridCell cell);

private:
    int m_group = 0;
    std::array<std::array<std::string, GridLastCol>, GridLastRow> m_cells;
};
