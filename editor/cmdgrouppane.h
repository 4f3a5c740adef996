#pragma once

#include "layout.h"

#include <QGroupBox>

class QComboBox;
class QLabel;

// The "Command Group" pane of the Globals view: for each position a group and a channel list.
class CmdGroupPane : public QGroupBox
{
    Q_OBJECT

public:
    explicit CmdGroupPane(QWidget *parent = nullptr);

    // Arranges the pane's controls for its current size.
    void SetupCommandGroupFrame();
    // Shows the values of the MemMap.
    void LoadCmdGrpSettings();

private:
    static constexpr int Positions = Layout::CommandGroupEntries;
    QLabel *m_lblGroupHeading = nullptr;
    QLabel *m_lblChanHeading = nullptr;
    QLabel *m_lblGroupHeading2 = nullptr;
    QLabel *m_lblChanHeading2 = nullptr;
    QLabel *m_lblPos[Positions] = {};
    QComboBox *m_cbGrpAsn[Positions] = {};
    QComboBox *m_cbChnAsn[Positions] = {};
};
