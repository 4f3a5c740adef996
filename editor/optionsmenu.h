#pragma once

#include <QMenu>

#include <array>

class QAction;

// mnuOptions ("&Options"): port items mnuComm_0..9, baud items mnuBaud_0..5 and
// mnuShowTuneWarning, wired to the link's port and baud choice.
class OptionsMenu : public QMenu
{
    Q_OBJECT

public:
    explicit OptionsMenu(QWidget *parent = nullptr);

    // Main window load: BuildPortMenu, RestoreLastCommPort, RestoreLastBaudRate, and the
    // check mark of mnuShowTuneWarning from g_bShowTuneWarning.
    void Restore();
    // Copies the link's item states into the menu; the port items also name their device.
    void Sync();

private:
    void syncStates();
    void tuneWarningClick();

    std::array<QAction *, 10> m_comm{};
    std::array<QAction *, 6> m_baud{};
    QAction *m_tuneWarning = nullptr;
};
