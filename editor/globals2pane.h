#pragma once

#include <QGroupBox>

// The "Global Settings (2)" pane of the Globals view.
class Globals2Pane : public QGroupBox
{
    Q_OBJECT

public:
    explicit Globals2Pane(QWidget *parent = nullptr);

    // Arranges the pane's controls for its current size.
    void SetupGlobals2Frame();
    // Shows the values of the MemMap.
    void LoadGlobal2Settings();
};
