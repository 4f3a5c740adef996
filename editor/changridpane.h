#pragma once

#include "gridsession.h"
#include "tabskip.h"

#include <QGroupBox>

#include <functional>
#include <memory>

class GroupParamRow;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QTableWidget;

// The Channels view: the group parameter row and the channel grid of group g_iCurGroup. The
// grid shows what its edit session holds and hands it the keys, clicks and focus changes.
class ChanGridPane : public QGroupBox
{
    Q_OBJECT

public:
    explicit ChanGridPane(QWidget *parent = nullptr);
    ~ChanGridPane() override;

    // The controls Tab skips while the grid has the focus, and the Edit menu it pops up.
    void setNeighbours(QWidget *tree, QWidget *tabs, QMenu *editMenu);

    // Columns, headers, widths and the grid's natural size.
    void SetupChanGrid();
    // Fits the pane and the grid into a tab strip of the given size (twips), then refills.
    void ResizeChanGrid(int stripWidth, int stripHeight);
    // Shows the current group's data.
    void FillChanGrid();
    // Commits an edit in progress as leaving the field would.
    void CommitPendingEdit();
    // Hides the in-place cell editor without storing its text.
    void HideCellEditor();
    void EnableControls(bool enable);

    // Opens the in-place editor on the current cell with a typed character (its code), or
    // toggles a flag cell with space (32).
    void EditGridCell(char32_t key);

    // Copy and paste of a block of cells; the Edit menu and its keys call them.
    void CopyGridSelection();
    void PasteGridSelection();

    // The selected block, or the current cell when nothing is selected.
    GridRect selectedArea() const;
    // Runs a command over the shown group (see GridSession::apply); afterwards `current` is the
    // current cell and `selected` the selection. True when it changed the MemMap.
    bool runCommand(const std::function<bool(MemMapImage &, int group)> &command, GridCell current,
                    GridRect selected);
    // Ctrl+Enter: what is typed (or the current cell) into each selected cell of its column.
    void EnterIntoSelection();

    GridCell currentCell() const { return m_session.cell(); }
    void setCurrentCell(GridCell cell);
    QString cellText(GridCell cell) const { return QString::fromStdString(m_session.text(cell)); }

    QTableWidget *grid() const { return m_grid; }
    QLineEdit *cellEditor() const { return m_Text1; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool gridKeyPress(QKeyEvent *event);
    bool editorKeyPress(QKeyEvent *event);
    void editorFocusIn();
    void editorFocusOut();
    void gridFocusIn();
    void currentCellChanged(int row, int col, int prevRow, int prevCol);
    void showEditor();
    // Hides the editor once the session has closed it.
    void syncEditor();

    GridSession m_session;
    std::unique_ptr<GroupParamRow> m_row;
    QTableWidget *m_grid = nullptr;
    QLineEdit *m_Text1 = nullptr;
    QMenu *m_editMenu = nullptr;
    TabSkip m_tabSkip;    // the tree, the tab strip and the group row while the grid has the focus
    int m_iGridWidth = 0; // twips
    int m_iGridHeight = 0;
};
