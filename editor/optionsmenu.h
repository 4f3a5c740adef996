#pragma once

#include <QMenu>

#include <array>
#include <vector>

class QAction;

// mnuOptions ("&Options"): port items mnuComm_0..9, baud items mnuBaud_0..5, wired to the
// link's port and baud choice, and the check items mnuShowTuneWarning, mnuVerifyAfterWrite and
// mnuBackupBeforeWrite, each kept in a setting.
class OptionsMenu : public QMenu
{
    Q_OBJECT

public:
    explicit OptionsMenu(QWidget *parent = nullptr);

    // Main window load: BuildPortMenu, RestoreLastCommPort, RestoreLastBaudRate, and the
    // check marks from their flags.
    void Restore();
    // Copies the link's item states into the menu; the port items also name their device.
    void Sync();

private:
    struct FlagItem {
        QAction *action;
        bool *flag;
    };

    void syncStates();
    void addFlagItem(const QString &text, const char *name, bool *flag, const char *setting);

    std::array<QAction *, 10> m_comm{};
    std::array<QAction *, 6> m_baud{};
    std::vector<FlagItem> m_flags;
};
