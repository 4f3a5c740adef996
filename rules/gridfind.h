#pragma once

// Find in the channel grid: a frequency, guard or label text in any group.

#include "gridedit.h"

#include <optional>
#include <string>

struct GridPlace {
    int group = 0;
    GridCell cell;
    bool operator==(const GridPlace &o) const { return group == o.group && cell == o.cell; }
};

// A label, frequency or guard cell holding the query (any case). A frequency query also finds
// the frequency it would be stored as ("155.0037" finds 155.00250).
bool CellMatches(const std::string &cellText, int col, const std::string &query);

// The next (or previous) matching cell after `from`, in the order of groups, channels and
// columns, wrapping from group 25 to group 1; `from` itself comes last.
std::optional<GridPlace> FindCell(const MemMapImage &mm, const std::string &query, GridPlace from,
                                  bool forward);
