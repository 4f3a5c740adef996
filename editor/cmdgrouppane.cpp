#include "cmdgrouppane.h"

CmdGroupPane::CmdGroupPane(QWidget *parent) : QGroupBox(QStringLiteral("Command Group"), parent)
{
    setObjectName(QStringLiteral("fraCmdGrp"));
    hide();
}

// The pane's controls join with the settings editors; until then the pane stays empty.
void CmdGroupPane::SetupCommandGroupFrame() {}

void CmdGroupPane::LoadCmdGrpSettings() {}
