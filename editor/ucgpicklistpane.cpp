#include "ucgpicklistpane.h"

UcgPickListPane::UcgPickListPane(QWidget *parent)
    : QGroupBox(QStringLiteral("UTXG Pick List"), parent)
{
    setObjectName(QStringLiteral("fraUCGPickList"));
    hide();
}

// The pane's controls join with the settings editors; until then the pane stays empty.
void UcgPickListPane::SetupUCGPickListFrame() {}

void UcgPickListPane::LoadUCGPickListSettings() {}
