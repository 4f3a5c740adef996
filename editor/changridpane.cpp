#include "changridpane.h"

#include "appglobals.h"
#include "caption.h"
#include "gridtable.h"
#include "groupparamrow.h"
#include "memmap.h"
#include "panecontrols.h"
#include "textmeasure.h"
#include "windowservices.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>

#include <algorithm>

ChanGridPane::ChanGridPane(QWidget *parent)
    : QGroupBox(parent),
      m_session(MemMap,
                {[] { MarkDataChanged(); },
                 [this](GridCell cell) {
                     m_grid->item(cell.row - 1, cell.col - 1)
                         ->setText(QString::fromStdString(m_session.text(cell)));
                 },
                 [this] { m_Text1->setText(QString::fromStdString(m_session.editorText())); }})
{
    setObjectName(QStringLiteral("fraGrid"));
    setTitle(QStringLiteral("Group 1 Channels"));
    m_row = std::make_unique<GroupParamRow>(this);

    m_grid = CreateChanGridTable(this);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &QTableWidget::currentCellChanged, this, &ChanGridPane::currentCellChanged);
    // A click on the current cell enters it again, as moving to it would.
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int col) {
        if (m_session.state() == GridEditState::Idle)
            m_session.enter({row + 1, col + 1});
    });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this](int, int col) {
        EditGridCell(32);
        if (IsFlagColumn(col + 1))
            setCurrentCell(MoveToNextCell(currentCell()));
    });

    m_Text1 = CreateCellEditor(m_grid);
    m_Text1->installEventFilter(this);
    connect(m_Text1, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_session.setEditorText(text.toStdString()); });
    hide();
}

ChanGridPane::~ChanGridPane()
{
    // Destroying a focused editor must not store anything, nor reach the session once it is gone.
    m_session.close();
    m_Text1->removeEventFilter(this);
    m_grid->removeEventFilter(this);
    m_grid->viewport()->removeEventFilter(this);
    m_Text1->disconnect(this);
    m_grid->disconnect(this);
}

void ChanGridPane::setNeighbours(QWidget *tree, QWidget *tabs, QMenu *editMenu)
{
    const auto row = m_row->controls();
    m_tabSkip.setControls({tree, tabs, row[0], row[1], row[2]});
    m_editMenu = editMenu;
}

void ChanGridPane::SetupChanGrid()
{
    const GridSize size = SetupChanGridColumns(m_grid);
    m_iGridWidth = size.width;
    m_iGridHeight = size.height;
}

void ChanGridPane::ResizeChanGrid(int stripWidth, int stripHeight)
{
    const int paneWidth = stripWidth - 360;
    const int paneHeight = stripHeight - 420;
    const double dpi = ScreenDpi();
    resize(TwipsToPixels(std::max(0, paneWidth), dpi), TwipsToPixels(std::max(0, paneHeight), dpi));
    const int gridTop = m_row->place() + 420 + 60;
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
    HideCellEditor();
    m_row->load(g);
    const bool blocked = m_grid->blockSignals(true);
    m_grid->setUpdatesEnabled(false);
    m_session.fill(g);
    m_grid->setCurrentCell(0, 0);
    m_grid->blockSignals(blocked);
    m_grid->setUpdatesEnabled(true);
    m_grid->scrollToTop();
}

void ChanGridPane::CommitPendingEdit()
{
    // The cell stays current: what Esc brings back is now the stored text.
    m_session.commitPending();
    syncEditor();
    m_row->commitPending();
}

void ChanGridPane::HideCellEditor()
{
    m_session.close();
    syncEditor();
}

void ChanGridPane::EnableControls(bool enable)
{
    // A radio transfer starts: what was typed is stored first, so a write sends it.
    if (!enable)
        CommitPendingEdit();
    m_grid->setEnabled(enable);
    m_row->setEnabled(enable);
}

void ChanGridPane::setCurrentCell(GridCell cell)
{
    m_grid->setCurrentCell(cell.row - 1, cell.col - 1);
    m_grid->scrollToItem(m_grid->item(cell.row - 1, cell.col - 1));
}

void ChanGridPane::CopyGridSelection()
{
    m_session.copy(SelectedGridRect(m_grid));
}

void ChanGridPane::PasteGridSelection()
{
    if (const auto pasted = m_session.paste(SelectedGridRect(m_grid))) {
        syncEditor();
        const GridCell at = m_session.cell();
        // A cell made current afterwards is all that stays selected.
        SelectGridRect(
            m_grid, pasted->current ? GridRect{at.row, at.col, at.row, at.col} : pasted->area, at);
    }
}

void ChanGridPane::EditGridCell(char32_t key)
{
    if (m_session.EditGridCell(key))
        showEditor();
    syncEditor();
}

void ChanGridPane::showEditor()
{
    if (m_session.selectAll())
        m_Text1->selectAll();
    else
        m_Text1->end(false);
    PlaceCellEditor(m_grid, m_Text1, m_session.cell());
    m_Text1->show();
    m_Text1->raise();
    m_Text1->setFocus(Qt::OtherFocusReason);
}

void ChanGridPane::syncEditor()
{
    if (m_session.state() != GridEditState::Idle || m_Text1->isHidden())
        return;
    // Hand the focus to the grid first, so hiding does not pass it to another control.
    if (m_Text1->hasFocus())
        m_grid->setFocus(Qt::OtherFocusReason);
    m_Text1->hide();
}

void ChanGridPane::currentCellChanged(int row, int col, int prevRow, int prevCol)
{
    if (row < 0 || col < 0)
        return;
    if (prevRow >= 0 && prevCol >= 0)
        m_session.move({row + 1, col + 1});
    else
        m_session.enter({row + 1, col + 1});
    syncEditor();
}

void ChanGridPane::gridFocusIn()
{
    // The user came back to the grid: the open editor's text is dropped.
    if (m_session.state() != GridEditState::Idle) {
        m_session.drop();
        syncEditor();
    }
    m_tabSkip.skip(true);
}

void ChanGridPane::editorFocusIn()
{
    if (IsFlagColumn(m_session.cell().col)) {
        EditGridCell(32);
        m_grid->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_session.focusEditor())
        m_Text1->end(false);
    if (m_session.cell().col <= 4)
        m_tabSkip.skip(true);
}

void ChanGridPane::editorFocusOut()
{
    if (m_session.state() != GridEditState::Editing)
        return;
    m_tabSkip.skip(false);
    if (const auto to = m_session.focusOut())
        setCurrentCell(*to);
    m_session.close();
    syncEditor();
}

bool ChanGridPane::gridKeyPress(QKeyEvent *event)
{
    // Ctrl and Alt keys belong to the menus (copy and paste among them).
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (const auto key = GridNavigationKey(event->key())) {
        if (const auto to = m_session.gridKey(*key)) {
            syncEditor();
            setCurrentCell(*to);
            return true;
        }
    }
    const QString text = event->text();
    if (text.isEmpty())
        return false; // arrows and the like move as usual
    const GridChar done = m_session.gridChar(text.toUcs4().value(0));
    if (done == GridChar::Opened)
        showEditor();
    syncEditor();
    return done != GridChar::Passed;
}

bool ChanGridPane::editorKeyPress(QKeyEvent *event)
{
    const auto key = GridNavigationKey(event->key());
    if (!key)
        return false;
    const GridCell to = m_session.editorKey(*key);
    if (*key == GridKey::Down || *key == GridKey::Up)
        QCoreApplication::processEvents();
    syncEditor();
    if (!(to == m_session.cell()))
        setCurrentCell(to);
    m_grid->setFocus(Qt::OtherFocusReason);
    return true;
}

bool ChanGridPane::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_grid) {
        if (type == QEvent::KeyPress)
            return gridKeyPress(static_cast<QKeyEvent *>(event));
        if (type == QEvent::FocusIn)
            gridFocusIn();
        else if (type == QEvent::FocusOut)
            m_tabSkip.skip(false);
    } else if (watched == m_Text1) {
        // Ctrl+C and Ctrl+V keep their grid meaning while a cell is typed in: the editor's own
        // copy would leave an older block for the next paste.
        if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->modifiers() == Qt::ControlModifier &&
                (key->key() == Qt::Key_C || key->key() == Qt::Key_V)) {
                event->accept();
                if (type == QEvent::KeyPress)
                    key->key() == Qt::Key_C ? CopyGridSelection() : PasteGridSelection();
                return true;
            }
        }
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
            if (m_editMenu)
                m_editMenu->exec(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}
