#include "changridpane.h"

#include "memmap.h"
#include "panecontrols.h"
#include "textmeasure.h"
#include "windowlayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
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
constexpr int GridColumnCount = sizeof(GridColumns) / sizeof(GridColumns[0]);
} // namespace

ChanGridPane::ChanGridPane(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("fraGrid"));
    setTitle(QStringLiteral("Group 1 Channels"));

    m_lblGrpParam[0] = new QLabel(QStringLiteral("Group Label:"), this);
    m_lblGrpParam[0]->setObjectName(QStringLiteral("lblGrpParam_0"));
    m_txtGroupLabel = new QLineEdit(this);
    m_txtGroupLabel->setObjectName(QStringLiteral("txtGroupLabel"));
    m_txtGroupLabel->setMaxLength(12);
    m_txtGroupLabel->setToolTip(QStringLiteral("Group Label: See the User's Manual for details "));
    SetLabelFor(m_lblGrpParam[0], m_txtGroupLabel);

    m_lblGrpParam[1] = new QLabel(QStringLiteral("Incoming Cloning:"), this);
    m_lblGrpParam[1]->setObjectName(QStringLiteral("lblGrpParam_1"));
    m_cbIncomingClone = new QComboBox(this);
    m_cbIncomingClone->setObjectName(QStringLiteral("cbIncomingClone"));
    m_cbIncomingClone->addItems({QStringLiteral("Accept"), QStringLiteral("Reject")});
    SetLabelFor(m_lblGrpParam[1], m_cbIncomingClone);

    m_chkGrpScanList = new QCheckBox(QStringLiteral("Group Scan List"), this);
    m_chkGrpScanList->setObjectName(QStringLiteral("chkGrpScanList"));

    m_grid = new QTableWidget(ChansPerGroup, GridColumnCount, this);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setAccessibleName(QStringLiteral("Channels"));
    m_grid->setFont(GridFont());
    m_grid->horizontalHeader()->setFont(GridFont());
    m_grid->verticalHeader()->setFont(GridFont());
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    m_grid->horizontalHeader()->setHighlightSections(false);
    QStringList headers;
    for (const GridColumn &column : GridColumns)
        headers << QString::fromLatin1(column.header);
    m_grid->setHorizontalHeaderLabels(headers);
    QStringList rows;
    for (int n = 1; n <= ChansPerGroup; ++n)
        rows << QStringLiteral(" Ch %1").arg(n);
    m_grid->setVerticalHeaderLabels(rows);
    for (int r = 0; r < ChansPerGroup; ++r) {
        for (int c = 0; c < GridColumnCount; ++c) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(GridColumns[c].alignment);
            m_grid->setItem(r, c, item);
        }
    }
    hide();
}

void ChanGridPane::SetupChanGrid()
{
    const double dpi = ScreenDpi();
    for (int c = 0; c < GridColumnCount; ++c) {
        const int width = GetMaxWidth(GridColumns[c].sample, GridColumns[c].measured);
        m_grid->setColumnWidth(c, TwipsToPixels(width, dpi));
    }
    const int rowHeader = GetMaxWidth("  Ch 20 ", " ");
    m_grid->verticalHeader()->setFixedWidth(TwipsToPixels(rowHeader, dpi));
    m_grid->horizontalHeader()->setFixedHeight(m_grid->rowHeight(1));
    // Measured from the pixels the grid really uses, with its border, so the natural size
    // never falls short by a rounded pixel.
    const int frame = 2 * m_grid->frameWidth();
    m_iGridWidth =
        PixelsToTwips(
            m_grid->verticalHeader()->width() + m_grid->horizontalHeader()->length() + frame, dpi) +
        30;
    m_iGridHeight = PixelsToTwips(m_grid->rowHeight(1) * (ChansPerGroup + 1) + frame, dpi) + 120;
}

void ChanGridPane::ResizeChanGrid(int stripWidth, int stripHeight)
{
    const int paneWidth = stripWidth - 360;
    const int paneHeight = stripHeight - 420;
    const double dpi = ScreenDpi();
    resize(TwipsToPixels(std::max(0, paneWidth), dpi), TwipsToPixels(std::max(0, paneHeight), dpi));

    // The group parameter row, every control centred on the line 420 below the pane's top.
    auto centreOnRow = [](QWidget *w, int left, int width) {
        const int height = PixelsToTwips(w->sizeHint().height(), ScreenDpi());
        PlaceTwips(w, left, 420 - height / 2, width, height);
    };
    auto naturalWidth = [](QWidget *w) {
        return PixelsToTwips(w->sizeHint().width(), ScreenDpi());
    };
    const int label0Width = naturalWidth(m_lblGrpParam[0]);
    centreOnRow(m_lblGrpParam[0], 180, label0Width);
    const int labelBoxWidth = GetMaxWidth("XXXXXX.XXXXXX", "Label ");
    centreOnRow(m_txtGroupLabel, 180 + label0Width + 30, labelBoxWidth);
    const int label1Left = 180 + label0Width + labelBoxWidth + 120;
    const int label1Width = naturalWidth(m_lblGrpParam[1]);
    centreOnRow(m_lblGrpParam[1], label1Left, label1Width);
    const int cloneLeft = label1Left + label1Width + 30;
    const int cloneWidth = naturalWidth(m_cbIncomingClone);
    centreOnRow(m_cbIncomingClone, cloneLeft, cloneWidth);
    centreOnRow(m_chkGrpScanList, cloneLeft + cloneWidth + 300, naturalWidth(m_chkGrpScanList));

    const int gridTop = WidgetHeightTwips(m_txtGroupLabel) + 420 + 60;
    // The grid keeps its margins inside the pane below the parameter row.
    const GridSize size = FitChanGrid(m_iGridWidth, m_iGridHeight, paneWidth - 360,
                                      std::min(paneHeight - 420, paneHeight - gridTop - 120));
    PlaceTwips(m_grid, 180, gridTop, size.width, size.height);
    FillChanGrid();
}

// The cells are filled from the channel codecs once the grid editing joins.
void ChanGridPane::FillChanGrid() {}

void ChanGridPane::CommitPendingEdit() {}

void ChanGridPane::HideCellEditor() {}

void ChanGridPane::EnableControls(bool enable)
{
    m_grid->setEnabled(enable);
    m_txtGroupLabel->setEnabled(enable);
    m_cbIncomingClone->setEnabled(enable);
    m_chkGrpScanList->setEnabled(enable);
}
