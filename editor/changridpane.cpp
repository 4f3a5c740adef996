#include "changridpane.h"

#include "appglobals.h"
#include "cellundo.h"
#include "chanrecord.h"
#include "choicelists.h"
#include "fieldedit.h"
#include "mainwindow.h"
#include "memmap.h"
#include "panecontrols.h"
#include "textmeasure.h"
#include "windowlayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>

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
    for (const std::string &entry : ChoiceList("cbIncomingClone"))
        m_cbIncomingClone->addItem(QString::fromStdString(entry));
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
    m_grid->setTabKeyNavigation(false);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &QTableWidget::currentCellChanged, this, &ChanGridPane::currentCellChanged);
    // A click on the current cell enters it again, as moving to it would.
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int col) {
        if (m_Text1->isHidden())
            enterCell({row + 1, col + 1});
    });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this](int, int col) {
        EditGridCell(32);
        if (IsFlagColumn(col + 1))
            setCurrentCell(MoveToNextCell(currentCell()));
    });

    m_Text1 = new QLineEdit(m_grid->viewport());
    m_Text1->setObjectName(QStringLiteral("Text1"));
    m_Text1->setAccessibleName(QStringLiteral("Cell editor"));
    m_Text1->setFont(GridFont());
    m_Text1->setFrame(false);
    m_Text1->hide();
    m_Text1->installEventFilter(this);

    m_groupLabelRule = new TextFieldRule(m_txtGroupLabel, [this] { groupLabelLeft(); });
    connect(m_cbIncomingClone, qOverload<int>(&QComboBox::activated), this, [](int index) {
        if (ChooseIncomingClone(MemMap, g_iCurGroup, index))
            MarkDataChanged();
    });
    InstallEnterMovesOn(m_cbIncomingClone);
    connect(m_chkGrpScanList, &QCheckBox::clicked, this, [](bool checked) {
        if (ClickGroupScanList(MemMap, g_iCurGroup, checked))
            MarkDataChanged();
    });
    hide();
}

ChanGridPane::~ChanGridPane()
{
    // Destroying a focused editor must not store anything.
    m_bInternal = true;
    m_Text1->removeEventFilter(this);
    m_grid->removeEventFilter(this);
    m_grid->viewport()->removeEventFilter(this);
    delete m_groupLabelRule;
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

void ChanGridPane::FillChanGrid()
{
    const int g = g_iCurGroup;
    StatusMsg("Edit Group " + std::to_string(g + 1) + " Channel Data");
    hideEditor();
    m_txtGroupLabel->setText(QString::fromStdString(GetGrpLabel(MemMap, g)));
    m_cbIncomingClone->setCurrentIndex(GetGrpIncomingClone(MemMap, g) ? 1 : 0);
    m_chkGrpScanList->setChecked(GetGrpScanList(MemMap, g) == "Yes");

    // One text for the whole block, pasted cell by cell: tab between cells, CR after a row.
    const QStringList rows =
        QString::fromStdString(ChanGridText(MemMap, g)).split(QLatin1Char('\r'));
    const bool blocked = m_grid->blockSignals(true);
    m_grid->setUpdatesEnabled(false);
    for (int r = 0; r < GridLastRow && r < rows.size(); ++r) {
        const QStringList cells = rows[r].split(QLatin1Char('\t'));
        for (int c = 0; c < GridLastCol && c < cells.size(); ++c)
            m_grid->item(r, c)->setText(cells[c]);
    }
    m_grid->setCurrentCell(0, 0);
    m_grid->blockSignals(blocked);
    m_grid->setUpdatesEnabled(true);
    enterCell({1, 1});
    m_grid->scrollToTop();
}

void ChanGridPane::CommitPendingEdit()
{
    if (m_Text1->isVisible()) {
        const GridCell cell = currentCell();
        commitEditor(cell);
        hideEditor();
        // The cell stays current: what Esc brings back is now the stored text.
        enterCell(cell);
    }
    if (m_txtGroupLabel->hasFocus())
        m_groupLabelRule->commit();
}

void ChanGridPane::HideCellEditor()
{
    hideEditor();
}

void ChanGridPane::EnableControls(bool enable)
{
    // A radio transfer starts: what was typed is stored first, so a write sends it.
    if (!enable)
        CommitPendingEdit();
    m_grid->setEnabled(enable);
    m_txtGroupLabel->setEnabled(enable);
    m_cbIncomingClone->setEnabled(enable);
    m_chkGrpScanList->setEnabled(enable);
}

GridCell ChanGridPane::currentCell() const
{
    const int row = m_grid->currentRow();
    const int col = m_grid->currentColumn();
    if (row < 0 || col < 0)
        return {1, 1};
    return {row + 1, col + 1};
}

void ChanGridPane::setCurrentCell(GridCell cell)
{
    m_grid->setCurrentCell(cell.row - 1, cell.col - 1);
    m_grid->scrollToItem(m_grid->item(cell.row - 1, cell.col - 1));
}

QString ChanGridPane::cellText(GridCell cell) const
{
    const QTableWidgetItem *item = m_grid->item(cell.row - 1, cell.col - 1);
    return item ? item->text() : QString();
}

void ChanGridPane::setCellText(GridCell cell, const QString &text)
{
    if (QTableWidgetItem *item = m_grid->item(cell.row - 1, cell.col - 1))
        item->setText(text);
}

void ChanGridPane::SaveGridValue()
{
    saveGridValue(currentCell());
}

void ChanGridPane::saveGridValue(GridCell cell)
{
    const std::string text = cellText(cell).toStdString();
    const std::string shown = SaveGridCell(MemMap, g_iCurGroup, cell.row - 1, cell.col, text);
    if (shown != text)
        setCellText(cell, QString::fromStdString(shown));
    // The editor follows, so the same text is never committed twice.
    m_Text1->setText(cellText(cell));
}

void ChanGridPane::EditGridCell(char32_t key)
{
    const GridCell cell = currentCell();
    const std::string text = cellText(cell).toStdString();
    if (IsFlagColumn(cell.col)) {
        if (key != 32)
            return;
        setCellText(cell, QString::fromStdString(ToggleFlagCell(text, cell.col)));
        hideEditor();
        SaveGridValue();
        MarkDataChanged();
        return;
    }
    const EditorStart start = EditorStartText(text, key);
    m_Text1->setText(QString::fromStdString(start.text));
    if (start.selectAll)
        m_Text1->selectAll();
    else
        m_Text1->end(false);
    const QRect rect = m_grid->visualItemRect(m_grid->item(cell.row - 1, cell.col - 1));
    const int inset = std::max(1, TwipsToPixels(15, ScreenDpi()));
    m_Text1->setGeometry(rect.x(), rect.y(), rect.width() - inset, rect.height() - inset);
    // Announced as the cell it edits: "Receive Freq,  Ch 3".
    m_Text1->setAccessibleName(m_grid->horizontalHeaderItem(cell.col - 1)->text() +
                               QStringLiteral(", ") +
                               m_grid->verticalHeaderItem(cell.row - 1)->text());
    m_Text1->show();
    m_Text1->raise();
    m_Text1->setFocus(Qt::OtherFocusReason);
}

bool ChanGridPane::commitEditor(GridCell cell)
{
    if (m_bCommitting || m_Text1->text() == cellText(cell))
        return false;
    m_bCommitting = true;
    MarkDataChanged();
    setCellText(cell,
                QString::fromStdString(ValidateGridCell(m_Text1->text().toStdString(), cell.col)));
    saveGridValue(cell);
    m_bCommitting = false;
    return true;
}

void ChanGridPane::commitFromEditor(GridCell cell)
{
    if (m_bCommitting)
        return;
    m_bCommitting = true;
    const QString text =
        QString::fromStdString(ValidateGridCell(m_Text1->text().toStdString(), cell.col));
    m_Text1->setText(text);
    if (text != cellText(cell)) {
        MarkDataChanged();
        setCellText(cell, text);
        saveGridValue(cell);
    }
    m_bCommitting = false;
}

void ChanGridPane::hideEditor()
{
    if (m_Text1->isHidden())
        return;
    const bool internal = m_bInternal;
    m_bInternal = true;
    // Hand the focus to the grid first, so hiding does not pass it to another control.
    if (m_Text1->hasFocus())
        m_grid->setFocus(Qt::OtherFocusReason);
    m_Text1->hide();
    m_bInternal = internal;
}

void ChanGridPane::focusGrid()
{
    const bool internal = m_bInternal;
    m_bInternal = true;
    m_grid->setFocus(Qt::OtherFocusReason);
    m_bInternal = internal;
}

void ChanGridPane::enterCell(GridCell cell)
{
    const QString text = cellText(cell);
    CellUndoEntry(cell.col) = text.toStdString();
    m_Text1->setText(text);
}

void ChanGridPane::currentCellChanged(int row, int col, int prevRow, int prevCol)
{
    if (prevRow >= 0 && prevCol >= 0) {
        const GridCell left{prevRow + 1, prevCol + 1};
        if (m_Text1->isVisible()) {
            commitEditor(left);
            hideEditor();
        } else if (left.col == 1 || IsFlagColumn(left.col)) {
            // Frequencies and guards are not checked again here: a stored value outside the
            // band reads "?", and merely passing over it must not prompt for a new one.
            setCellText(left, QString::fromStdString(
                                  ValidateGridCell(cellText(left).toStdString(), left.col)));
        }
    }
    if (row >= 0 && col >= 0)
        enterCell({row + 1, col + 1});
}

void ChanGridPane::takeOutOfTabOrder(bool out)
{
    QWidget *top = window();
    QWidget *controls[] = {top->findChild<QWidget *>(QStringLiteral("TreeView")),
                           top->findChild<QWidget *>(QStringLiteral("Tab1Tabs")), m_txtGroupLabel,
                           m_cbIncomingClone, m_chkGrpScanList};
    for (QWidget *w : controls) {
        if (!w)
            continue;
        if (out) {
            if (!m_savedFocus.contains(w) && (w->focusPolicy() & Qt::TabFocus)) {
                m_savedFocus.insert(w, w->focusPolicy());
                w->setFocusPolicy(Qt::ClickFocus);
            }
        } else if (m_savedFocus.contains(w)) {
            w->setFocusPolicy(m_savedFocus.take(w));
        }
    }
}

void ChanGridPane::gridFocusIn()
{
    if (m_Text1->isVisible()) {
        m_Text1->setText(cellText(currentCell()));
        hideEditor();
    }
    takeOutOfTabOrder(true);
}

void ChanGridPane::editorFocusIn()
{
    const GridCell cell = currentCell();
    if (IsFlagColumn(cell.col)) {
        EditGridCell(32);
        hideEditor();
        focusGrid();
        return;
    }
    const QString text =
        QString::fromStdString(EditorFocusText(m_Text1->text().toStdString(), cell.col));
    if (text != m_Text1->text()) {
        m_Text1->setText(text);
        m_Text1->end(false);
    }
    if (cell.col <= 4)
        takeOutOfTabOrder(true);
}

void ChanGridPane::editorFocusOut()
{
    if (m_bInternal || m_bCommitting || m_Text1->isHidden())
        return;
    takeOutOfTabOrder(false);
    const GridCell cell = currentCell();
    if (commitEditor(cell)) {
        const bool internal = m_bInternal;
        m_bInternal = true;
        setCurrentCell(MoveToNextCell(cell));
        m_bInternal = internal;
    }
    hideEditor();
}

void ChanGridPane::groupLabelLeft()
{
    std::string shown;
    const bool changed =
        EditGroupLabel(MemMap, g_iCurGroup, m_txtGroupLabel->text().toStdString(), shown);
    m_txtGroupLabel->setText(QString::fromStdString(shown));
    if (changed)
        MarkDataChanged();
}

static bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool ChanGridPane::gridKeyPress(QKeyEvent *event)
{
    // Ctrl and Alt keys belong to the menus (copy and paste among them).
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const GridCell cell = currentCell();
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        if (m_Text1->isVisible()) {
            commitEditor(cell);
            hideEditor();
        }
        setCurrentCell(event->key() == Qt::Key_Tab ? MoveToNextCell(cell) : MoveToPrevCell(cell));
        return true;
    }
    const QString text = event->text();
    if (IsFlagColumn(cell.col)) {
        if (isEnter(event->key())) {
            setCurrentCell(MoveToNextCell(cell));
            return true;
        }
        if (text.isEmpty())
            return false; // arrows and the like move as usual
        if (text == QLatin1String(" ")) {
            EditGridCell(32);
            return true;
        }
        const auto toggled =
            FlagKeyToggle(cellText(cell).toStdString(), cell.col, text.toUcs4().value(0));
        if (toggled) {
            setCellText(cell, QString::fromStdString(*toggled));
            SaveGridValue();
            MarkDataChanged();
        }
        return true;
    }
    // Delete carries the DEL character on some systems; it must not start an entry.
    if (text.isEmpty() || text.at(0) == QChar(0x7F))
        return false;
    EditGridCell(text.toUcs4().value(0));
    return true;
}

bool ChanGridPane::editorKeyPress(QKeyEvent *event)
{
    const GridCell cell = currentCell();
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        commitFromEditor(cell);
        setCurrentCell(event->key() == Qt::Key_Tab ? MoveToNextCell(cell) : MoveToPrevCell(cell));
        focusGrid();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
        commitFromEditor(cell);
        QCoreApplication::processEvents();
        setCurrentCell(event->key() == Qt::Key_Down ? MoveToNextCellDown(cell)
                                                    : MoveToNextCellUp(cell));
        focusGrid();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commitFromEditor(cell);
        hideEditor();
        focusGrid();
        setCurrentCell(MoveToNextCell(cell));
        return true;
    case Qt::Key_Escape: {
        m_Text1->clear();
        hideEditor();
        const QString undo = QString::fromStdString(CellUndoEntry(cell.col));
        setCellText(cell, undo);
        m_Text1->setText(undo);
        focusGrid();
        return true;
    }
    default:
        return false;
    }
}

bool ChanGridPane::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_grid) {
        if (type == QEvent::KeyPress)
            return gridKeyPress(static_cast<QKeyEvent *>(event));
        if (type == QEvent::FocusIn && !m_bInternal)
            gridFocusIn();
        else if (type == QEvent::FocusIn)
            takeOutOfTabOrder(true);
        else if (type == QEvent::FocusOut)
            takeOutOfTabOrder(false);
    } else if (watched == m_Text1) {
        if (type == QEvent::KeyPress)
            return editorKeyPress(static_cast<QKeyEvent *>(event));
        if (type == QEvent::FocusIn)
            editorFocusIn();
        else if (type == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                editorFocusOut();
        }
    } else if (watched == m_grid->viewport() && type == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            auto *main = qobject_cast<MainWindow *>(window());
            QMenu *menu = window()->findChild<QMenu *>(QStringLiteral("mnuEdit"));
            if (main && menu && main->showPopup)
                main->showPopup(menu, mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}
