#pragma once

#include <QGroupBox>

// The "Global Settings (1)" pane of the Globals view.
class Globals1Pane : public QGroupBox
{
    Q_OBJECT

public:
    explicit Globals1Pane(QWidget *parent = nullptr);

    // Arranges the pane's controls for its current size.
    void SetupGlobals1Frame();
    // Shows the values of the MemMap.
    void LoadGlobalSettings();
};
