#pragma once

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class TextFieldRule;

// The group parameter row above the channel grid: group label, incoming cloning and group scan
// list of group g_iCurGroup. The controls are children of the pane.
class GroupParamRow
{
public:
    explicit GroupParamRow(QWidget *pane);
    ~GroupParamRow();
    GroupParamRow(const GroupParamRow &) = delete;
    GroupParamRow &operator=(const GroupParamRow &) = delete;

    void load(int group);
    // Every control centred on the line 420 twips below the pane's top; returns the row's
    // height in twips (that of the label box).
    int place();
    void setEnabled(bool enable);
    // Stores the label being typed as leaving the box would.
    void commitPending();
    std::array<QWidget *, 3> controls() const;

private:
    void groupLabelLeft();

    QLabel *m_lblGrpParam[2] = {};
    QLineEdit *m_txtGroupLabel = nullptr;
    QComboBox *m_cbIncomingClone = nullptr;
    QCheckBox *m_chkGrpScanList = nullptr;
    TextFieldRule *m_groupLabelRule = nullptr; // keeps the label's EditUndoText
};
