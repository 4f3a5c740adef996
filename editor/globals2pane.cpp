#include "globals2pane.h"

Globals2Pane::Globals2Pane(QWidget *parent)
    : QGroupBox(QStringLiteral("Global Settings (2)"), parent)
{
    setObjectName(QStringLiteral("fraGlobalSettings2"));
    hide();
}

// The pane's controls join with the settings editors; until then the pane stays empty.
void Globals2Pane::SetupGlobals2Frame() {}

void Globals2Pane::LoadGlobal2Settings() {}
