#pragma once

#include <QGroupBox>

// The "UTXG Pick List" pane of the Globals view.
class UcgPickListPane : public QGroupBox
{
    Q_OBJECT

public:
    explicit UcgPickListPane(QWidget *parent = nullptr);

    // Arranges the pane's controls for its current size.
    void SetupUCGPickListFrame();
    // Shows the values of the MemMap.
    void LoadUCGPickListSettings();
};
