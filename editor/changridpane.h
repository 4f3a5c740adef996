#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

// The Channels view: the group parameter row and the channel grid of group g_iCurGroup.
class ChanGridPane : public QGroupBox
{
    Q_OBJECT

public:
    explicit ChanGridPane(QWidget *parent = nullptr);

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

    int gridWidth() const { return m_iGridWidth; }
    int gridHeight() const { return m_iGridHeight; }
    QTableWidget *grid() const { return m_grid; }

private:
    QLabel *m_lblGrpParam[2] = {};
    QLineEdit *m_txtGroupLabel = nullptr;
    QComboBox *m_cbIncomingClone = nullptr;
    QCheckBox *m_chkGrpScanList = nullptr;
    QTableWidget *m_grid = nullptr;
    int m_iGridWidth = 0; // twips
    int m_iGridHeight = 0;
};
