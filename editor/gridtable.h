#pragma once

// The channel grid's widgets apart from the pane: the table, the in-place editor, the keys.

#include "gridclip.h"
#include "gridsession.h"
#include "windowlayout.h"

#include <optional>

class QLineEdit;
class QTableWidget;
class QWidget;

// Column headers, row titles " Ch n", one item per data cell.
QTableWidget *CreateChanGridTable(QWidget *parent);
// Sets the column widths for the grid font; returns the grid's natural size in twips.
GridSize SetupChanGridColumns(QTableWidget *grid);
// The in-place editor `Text1`, hidden, on the grid's viewport.
QLineEdit *CreateCellEditor(QTableWidget *grid);
// Lays the editor over the cell, and names it after the cell for screen readers.
void PlaceCellEditor(QTableWidget *grid, QLineEdit *editor, GridCell cell);
// The navigation key a Qt key code stands for, if any.
std::optional<GridKey> GridNavigationKey(int qtKey);
// The selected block of data cells; an empty rectangle when nothing is selected.
GridRect SelectedGridRect(QTableWidget *grid);
// Selects the block, `current` being the current cell, without the grid's cell signals.
void SelectGridRect(QTableWidget *grid, GridRect area, GridCell current);
