#include "globals1pane.h"

Globals1Pane::Globals1Pane(QWidget *parent)
    : QGroupBox(QStringLiteral("Global Settings (1)"), parent)
{
    setObjectName(QStringLiteral("fraGlobalSettings1"));
    hide();
}

// The pane's controls join with the settings editors; until then the pane stays empty.
void Globals1Pane::SetupGlobals1Frame() {}

void Globals1Pane::LoadGlobalSettings() {}
