#pragma once

class QMenu;
class QWidget;

// Builds mnuOptions ("&Options"): port items mnuComm_0..9, baud items mnuBaud_0..5,
// mnuShowTuneWarning, wired to the link's port and baud choice.
QMenu *CreateOptionsMenu(QWidget *parent);

// Main window load: BuildPortMenu, RestoreLastCommPort, RestoreLastBaudRate, and the
// check mark of mnuShowTuneWarning from g_bShowTuneWarning.
void RestoreOptionsMenu(QMenu *menu);
