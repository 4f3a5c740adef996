#include "optionsmenu.h"

#include "appglobals.h"
#include "appsettings.h"
#include "baudrates.h"
#include "portchoice.h"
#include "serialdevices.h"

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
    addSeparator();
    for (int i = 0; i < NumBaudRates; ++i) {
        m_baud[i] = rates->addAction(QStringLiteral("Use %1 BAUD Rate").arg(BaudRates[i].rate));
        addAction(m_baud[i]);
        m_baud[i]->setObjectName(ItemName("mnuBaud", i));
        m_baud[i]->setCheckable(true);
        connect(m_baud[i], &QAction::triggered, this, [i] { mnuBaud_Click(i); });
    }
    addSeparator();
    m_tuneWarning = addAction(QStringLiteral("Show 'Tune' Warning Message"));
    m_tuneWarning->setObjectName(QStringLiteral("mnuShowTuneWarning"));
    m_tuneWarning->setCheckable(true);
    m_tuneWarning->setChecked(g_bShowTuneWarning);
    connect(m_tuneWarning, &QAction::triggered, this, [this] { tuneWarningClick(); });
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
    // The Tune screen's check box changes the flag too.
    m_tuneWarning->setChecked(g_bShowTuneWarning);
}

void OptionsMenu::Sync()
{
    syncStates();
    for (int i = 0; i < NumCommPorts; ++i) {
        const QString device = QString::fromStdString(CommPortDevice(i + 1));
        const QString tip = device.isEmpty() ? tr("No serial device") : device;
        m_comm[i]->setStatusTip(tip);
        m_comm[i]->setToolTip(tip);
    }
}

void OptionsMenu::Restore()
{
    BuildPortMenu();
    RestoreLastCommPort();
    RestoreLastBaudRate();
    Sync();
    m_tuneWarning->setChecked(g_bShowTuneWarning);
}

void OptionsMenu::tuneWarningClick()
{
    if (g_bShowTuneWarning) {
        SaveSetting("Show Tune Warning Message", "No");
        g_bShowTuneWarning = false;
    } else {
        SaveSetting("Show Tune Warning Message", "Yes");
        g_bShowTuneWarning = true;
    }
    m_tuneWarning->setChecked(g_bShowTuneWarning);
}
