#include "gridtable.h"

#include "frozencolumn.h"
#include "gridedit.h"
#include "textmeasure.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

#include <algorithm>

namespace
{
struct GridColumn {
    const char *header;
    const char *sample;   // widest value the column shows
    const char *measured; // header text as measured
    Qt::Alignment alignment;
};

constexpr GridColumn GridColumns[] = {
    {"Label", "WWWWWWWWWWWW", "Label ", Qt::AlignLeft | Qt::AlignVCenter},
    {"Receive Freq", " 888.88888 ", "Receive Freq ", Qt::AlignCenter},
    {"RX CG", " XXXXXXX ", "RX CG ", Qt::AlignCenter},
    {"Transmit Freq", " 888.88888 ", "Transmit Freq ", Qt::AlignCenter},
    {"TX CG", " XXXXXXX ", "TX CG ", Qt::AlignCenter},
    {"Scn", " S ", "Scn ", Qt::AlignCenter},
    {"BW", " N ", "BW ", Qt::AlignCenter},
    {"LP", " L ", "LP ", Qt::AlignCenter},
};
static_assert(sizeof(GridColumns) / sizeof(GridColumns[0]) == GridLastCol);

struct KeyName {
    int qtKey;
    GridKey key;
};
constexpr KeyName NavigationKeys[] = {
    {Qt::Key_Tab, GridKey::Tab},       {Qt::Key_Backtab, GridKey::Backtab},
    {Qt::Key_Down, GridKey::Down},     {Qt::Key_Up, GridKey::Up},
    {Qt::Key_Return, GridKey::Enter},  {Qt::Key_Enter, GridKey::Enter},
    {Qt::Key_Escape, GridKey::Escape},
};
} // namespace

std::optional<GridKey> GridNavigationKey(int qtKey)
{
    for (const KeyName &k : NavigationKeys) {
        if (k.qtKey == qtKey)
            return k.key;
    }
    return std::nullopt;
}

QTableWidget *CreateChanGridTable(QWidget *parent)
{
    auto *grid = new QTableWidget(GridLastRow, GridLastCol, parent);
    grid->setObjectName(QStringLiteral("Grid"));
    grid->setAccessibleName(QStringLiteral("Channels"));
    grid->setFont(GridFont());
    grid->horizontalHeader()->setFont(GridFont());
    grid->verticalHeader()->setFont(GridFont());
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Any block: dragged, Shift and the arrows, a column or a row by its header.
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->horizontalHeader()->setHighlightSections(false);
    QStringList headers;
    for (const GridColumn &column : GridColumns)
        headers << QString::fromLatin1(column.header);
    grid->setHorizontalHeaderLabels(headers);
    QStringList rows;
    for (int n = 1; n <= GridLastRow; ++n)
        rows << QStringLiteral(" Ch %1").arg(n);
    grid->setVerticalHeaderLabels(rows);
    for (int r = 0; r < GridLastRow; ++r) {
        for (int c = 0; c < GridLastCol; ++c) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(GridColumns[c].alignment);
            grid->setItem(r, c, item);
        }
    }
    grid->setTabKeyNavigation(false);
    new FrozenColumn(grid);
    return grid;
}

GridSize SetupChanGridColumns(QTableWidget *grid)
{
    const double dpi = ScreenDpi();
    for (int c = 0; c < GridLastCol; ++c) {
        const int width = GetMaxWidth(GridColumns[c].sample, GridColumns[c].measured);
        grid->setColumnWidth(c, TwipsToPixels(width, dpi));
    }
    const int rowHeader = GetMaxWidth("  Ch 20 ", " ");
    grid->verticalHeader()->setFixedWidth(TwipsToPixels(rowHeader, dpi));
    grid->horizontalHeader()->setFixedHeight(grid->rowHeight(1));
    // Measured from the pixels the grid really uses, with its border, so the natural size
    // never falls short by a rounded pixel.
    const int frame = 2 * grid->frameWidth();
    const int width =
        PixelsToTwips(grid->verticalHeader()->width() + grid->horizontalHeader()->length() + frame,
                      dpi) +
        30;
    const int height = PixelsToTwips(grid->rowHeight(1) * (GridLastRow + 1) + frame, dpi) + 120;
    return {width, height};
}

QLineEdit *CreateCellEditor(QTableWidget *grid)
{
    auto *editor = new QLineEdit(grid->viewport());
    editor->setObjectName(QStringLiteral("Text1"));
    editor->setAccessibleName(QStringLiteral("Cell editor"));
    editor->setFont(GridFont());
    editor->setFrame(false);
    editor->hide();
    return editor;
}

void PlaceCellEditor(QTableWidget *grid, QLineEdit *editor, GridCell cell)
{
    const QRect rect = grid->visualItemRect(grid->item(cell.row - 1, cell.col - 1));
    const int inset = std::max(1, TwipsToPixels(15, ScreenDpi()));
    editor->setGeometry(rect.x(), rect.y(), rect.width() - inset, rect.height() - inset);
    // Announced as the cell it edits: "Receive Freq,  Ch 3".
    editor->setAccessibleName(grid->horizontalHeaderItem(cell.col - 1)->text() +
                              QStringLiteral(", ") +
                              grid->verticalHeaderItem(cell.row - 1)->text());
}

GridRect SelectedGridRect(QTableWidget *grid)
{
    const QList<QTableWidgetSelectionRange> ranges = grid->selectedRanges();
    if (ranges.isEmpty())
        return {1, 1, 0, 0};
    const QTableWidgetSelectionRange &r = ranges.first();
    return {r.topRow() + 1, r.leftColumn() + 1, r.bottomRow() + 1, r.rightColumn() + 1};
}

void SelectGridRect(QTableWidget *grid, GridRect area, GridCell current)
{
    const bool blocked = grid->blockSignals(true);
    grid->setCurrentCell(current.row - 1, current.col - 1);
    grid->clearSelection();
    grid->setRangeSelected({area.row - 1, area.col - 1, area.endRow - 1, area.endCol - 1}, true);
    grid->blockSignals(blocked);
    grid->scrollToItem(grid->item(current.row - 1, current.col - 1));
}
