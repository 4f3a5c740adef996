#pragma once

#include "gridedit.h"

#include <QGroupBox>
#include <QHash>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QTableWidget;
class TextFieldRule;

// The Channels view: the group parameter row and the channel grid of group g_iCurGroup.
class ChanGridPane : public QGroupBox
{
    Q_OBJECT

public:
    explicit ChanGridPane(QWidget *parent = nullptr);
    ~ChanGridPane() override;

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
    // Encodes the current cell into the MemMap.
    void SaveGridValue();

    GridCell currentCell() const;
    void setCurrentCell(GridCell cell);
    QString cellText(GridCell cell) const;

    QTableWidget *grid() const { return m_grid; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool gridKeyPress(QKeyEvent *event);
    bool editorKeyPress(QKeyEvent *event);
    void editorFocusIn();
    void editorFocusOut();
    void gridFocusIn();
    void currentCellChanged(int row, int col, int prevRow, int prevCol);
    void enterCell(GridCell cell);
    void setCellText(GridCell cell, const QString &text);
    void saveGridValue(GridCell cell);
    // Commit from the grid's keys, a cell change or the editor losing the focus.
    bool commitEditor(GridCell cell);
    // Commit from the editor's own keys: validate first, store when it differs.
    void commitFromEditor(GridCell cell);
    void hideEditor();
    void focusGrid();
    void takeOutOfTabOrder(bool out);
    void groupLabelLeft();

    QLabel *m_lblGrpParam[2] = {};
    QLineEdit *m_txtGroupLabel = nullptr;
    QComboBox *m_cbIncomingClone = nullptr;
    QCheckBox *m_chkGrpScanList = nullptr;
    QTableWidget *m_grid = nullptr;
    QLineEdit *m_Text1 = nullptr;
    TextFieldRule *m_groupLabelRule = nullptr; // keeps the label's EditUndoText
    QHash<QWidget *, Qt::FocusPolicy> m_savedFocus;
    // Focus moves the pane makes itself are not the user leaving the editor.
    bool m_bInternal = false;
    bool m_bCommitting = false;
    int m_iGridWidth = 0; // twips
    int m_iGridHeight = 0;
};
