#pragma once

#include "windowlayout.h"

class QTableWidget;
class QWidget;

// The channel grid's table: column headers, row titles " Ch n", one item per data cell.
QTableWidget *CreateChanGridTable(QWidget *parent);
// Sets the column widths for the grid font; returns the grid's natural size in twips.
GridSize SetupChanGridColumns(QTableWidget *grid);
