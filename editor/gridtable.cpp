#include "gridtable.h"

#include "gridedit.h"
#include "textmeasure.h"

#include <QHeaderView>
#include <QTableWidget>

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
} // namespace

QTableWidget *CreateChanGridTable(QWidget *parent)
{
    auto *grid = new QTableWidget(GridLastRow, GridLastCol, parent);
    grid->setObjectName(QStringLiteral("Grid"));
    grid->setAccessibleName(QStringLiteral("Channels"));
    grid->setFont(GridFont());
    grid->horizontalHeader()->setFont(GridFont());
    grid->verticalHeader()->setFont(GridFont());
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
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
