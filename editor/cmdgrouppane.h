#pragma once

#include <QGroupBox>

// The "Command Group" pane of the Globals view.
class CmdGroupPane : public QGroupBox
{
    Q_OBJECT

public:
    explicit CmdGroupPane(QWidget *parent = nullptr);

    // Arranges the pane's controls for its current size.
    void SetupCommandGroupFrame();
    // Shows the values of the MemMap.
    void LoadCmdGrpSettings();
};
