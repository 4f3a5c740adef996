#pragma once

#include "panelayout.h"

#include <QGroupBox>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class TextFieldRule;
enum class GlobalFrame;

// The "Global Settings (1)" pane of the Globals view.
class Globals1Pane : public QGroupBox
{
    Q_OBJECT

public:
    explicit Globals1Pane(QWidget *parent = nullptr);
    ~Globals1Pane() override;

    // Arranges the pane's controls for its current size.
    void SetupGlobals1Frame();
    // Shows the values of the MemMap.
    void LoadGlobalSettings();
    // Runs the leave rule of the text field that has the focus.
    void CommitPendingEdit();

private:
    using Row = LabelledChoice;
    std::vector<Row> addChoices(GlobalFrame frame);
    void loadLists();

    QLabel *m_lblEmbededSNCaption = nullptr;
    QLabel *m_lblEmbededSN = nullptr;
    QLabel *m_lblSwitchHeading = nullptr;
    std::vector<Row> m_switchRows;
    std::vector<Row> m_groupOne;
    std::vector<Row> m_groupTwo; // after the null frequency row
    QLabel *m_lblNullFreqSub = nullptr;
    QLineEdit *m_txtNullFreqSub = nullptr;
    TextFieldRule *m_nullFreqRule = nullptr;
    QCheckBox *m_chkBeepDisable = nullptr;
};
