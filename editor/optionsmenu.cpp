#include "optionsmenu.h"

#include "appglobals.h"
#include "appsettings.h"
#include "baudrates.h"
#include "portchoice.h"
#include "serialdevices.h"
#include "serialportsdialog.h"

#include <QAction>
#include <QActionGroup>

static_assert(NumCommPorts == 10 && NumBaudRates == 6, "menu item arrays");

static QString ItemName(const char *base, int index)
{
    return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(index);
}

static void ApplyState(QAction *item, const MenuItemState &state)
{
    item->setVisible(state.visible);
    item->setEnabled(state.enabled);
    item->setChecked(state.checked);
}

OptionsMenu::OptionsMenu(QWidget *parent) : QMenu(tr("&Options"), parent)
{
    setObjectName(QStringLiteral("mnuOptions"));
    menuAction()->setObjectName(QStringLiteral("mnuOptions"));
    setToolTipsVisible(true);

    // One port and one rate at a time: radio items.
    auto *ports = new QActionGroup(this);
    auto *rates = new QActionGroup(this);
    for (int i = 0; i < NumCommPorts; ++i) {
        m_comm[i] = ports->addAction(QString());
        addAction(m_comm[i]);
        m_comm[i]->setText(QStringLiteral("Use Comm Port %1").arg(i + 1));
        m_comm[i]->setObjectName(ItemName("mnuComm", i));
        m_comm[i]->setCheckable(true);
        connect(m_comm[i], &QAction::triggered, this, [i] { mnuComm_Click(i); });
    }
    QAction *portList = addAction(tr("Serial Ports\u2026"));
    portList->setObjectName(QStringLiteral("mnuSerialPorts"));
    portList->setStatusTip(tr("List the serial devices and pin a Comm Port to one"));
    connect(portList, &QAction::triggered, this, [this] {
        auto *dialog = new SerialPortsDialog(parentWidget());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    addSeparator();
    for (int i = 0; i < NumBaudRates; ++i) {
        m_baud[i] = rates->addAction(QStringLiteral("Use %1 BAUD Rate").arg(BaudRates[i].rate));
        addAction(m_baud[i]);
        m_baud[i]->setObjectName(ItemName("mnuBaud", i));
        m_baud[i]->setCheckable(true);
        connect(m_baud[i], &QAction::triggered, this, [i] { mnuBaud_Click(i); });
    }
    addSeparator();
    addFlagItem(QStringLiteral("Show 'Tune' Warning Message"), "mnuShowTuneWarning",
                &g_bShowTuneWarning, "Show Tune Warning Message");
    addSeparator();
    addFlagItem(QStringLiteral("Verify After Write"), "mnuVerifyAfterWrite", &g_bVerifyAfterWrite,
                "Verify After Write");
    addFlagItem(QStringLiteral("Back Up Radio Before Write"), "mnuBackupBeforeWrite",
                &g_bBackupBeforeWrite, "Back Up Radio Before Write");
    addFlagItem(QStringLiteral("Keep Radio History"), "mnuKeepHistory", &g_bKeepHistory,
                "Keep Radio History");
    connect(this, &QMenu::aboutToShow, this, [this] {
        RefreshSerialDevices();
        Sync();
    });

    ResetPortChoice();
    // The device names come with Restore; listing the devices twice at start-up costs a scan.
    syncStates();
}

void OptionsMenu::syncStates()
{
    for (int i = 0; i < NumCommPorts; ++i)
        ApplyState(m_comm[i], mnuCommState[i]);
    for (int i = 0; i < NumBaudRates; ++i)
        ApplyState(m_baud[i], mnuBaudState[i]);
    // The Tune screen's check box changes its flag too.
    for (const FlagItem &item : m_flags)
        item.action->setChecked(*item.flag);
}

void OptionsMenu::Sync()
{
    syncStates();
    const std::array<std::string, NumCommPorts> devices = CommPortDevices();
    for (int i = 0; i < NumCommPorts; ++i) {
        const std::string &device = devices[i];
        const QString name = QString::fromStdString(device);
        if (SerialDeviceExists(device)) {
            m_comm[i]->setStatusTip(name);
            m_comm[i]->setToolTip(name);
            continue;
        }
        // The item stays selectable, but says that it reaches nothing now.
        const QString tip = name.isEmpty() ? tr("no device") : tr("%1: no device").arg(name);
        m_comm[i]->setStatusTip(tip);
        m_comm[i]->setToolTip(
            QStringLiteral("<span style=\"color:gray\">%1</span>").arg(tip.toHtmlEscaped()));
    }
}

void OptionsMenu::Restore()
{
    BuildPortMenu();
    RestoreLastCommPort();
    RestoreLastBaudRate();
    Sync();
}

void OptionsMenu::addFlagItem(const QString &text, const char *name, bool *flag,
                              const char *setting)
{
    QAction *action = addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setChecked(*flag);
    connect(action, &QAction::triggered, this, [action, flag, setting] {
        *flag = !*flag;
        SaveSetting(setting, *flag ? "Yes" : "No");
        action->setChecked(*flag);
    });
    m_flags.push_back({action, flag});
}
