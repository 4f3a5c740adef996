#include "optionsmenu.h"

#include "appglobals.h"
#include "appsettings.h"
#include "baudrates.h"
#include "portchoice.h"
#include "serialdevices.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

namespace
{

QString ItemName(const char *base, int index)
{
    return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(index);
}

// Copies the link's item states into the menu; the port items also name their device.
void SyncOptionsMenu(QMenu *menu)
{
    for (int i = 0; i < NumCommPorts; ++i) {
        auto *item = menu->findChild<QAction *>(ItemName("mnuComm", i));
        if (!item)
            continue;
        const MenuItemState &state = mnuCommState[i];
        item->setVisible(state.visible);
        item->setEnabled(state.enabled);
        item->setChecked(state.checked);
        const QString device = QString::fromStdString(CommPortDevice(i + 1));
        const QString tip = device.isEmpty() ? QObject::tr("No serial device") : device;
        item->setStatusTip(tip);
        item->setToolTip(tip);
    }
    for (int i = 0; i < NumBaudRates; ++i) {
        auto *item = menu->findChild<QAction *>(ItemName("mnuBaud", i));
        if (!item)
            continue;
        const MenuItemState &state = mnuBaudState[i];
        item->setVisible(state.visible);
        item->setEnabled(state.enabled);
        item->setChecked(state.checked);
    }
}

void mnuShowTuneWarning_Click(QAction *item)
{
    if (g_bShowTuneWarning) {
        SaveSetting("Show Tune Warning Message", "No");
        g_bShowTuneWarning = false;
    } else {
        SaveSetting("Show Tune Warning Message", "Yes");
        g_bShowTuneWarning = true;
    }
    item->setChecked(g_bShowTuneWarning);
}

} // namespace

QMenu *CreateOptionsMenu(QWidget *parent)
{
    auto *menu = new QMenu(QObject::tr("&Options"), parent);
    menu->setObjectName(QStringLiteral("mnuOptions"));
    menu->setToolTipsVisible(true);

    for (int i = 0; i < NumCommPorts; ++i) {
        QAction *item = menu->addAction(QStringLiteral("Use Comm Port %1").arg(i + 1));
        item->setObjectName(ItemName("mnuComm", i));
        item->setCheckable(true);
        QObject::connect(item, &QAction::triggered, menu, [i] { mnuComm_Click(i); });
    }
    menu->addSeparator();
    for (int i = 0; i < NumBaudRates; ++i) {
        QAction *item = menu->addAction(QStringLiteral("Use %1 BAUD Rate").arg(BaudRates[i].rate));
        item->setObjectName(ItemName("mnuBaud", i));
        item->setCheckable(true);
        QObject::connect(item, &QAction::triggered, menu, [i] { mnuBaud_Click(i); });
    }
    menu->addSeparator();
    QAction *tuneWarning = menu->addAction(QStringLiteral("Show 'Tune' Warning Message"));
    tuneWarning->setObjectName(QStringLiteral("mnuShowTuneWarning"));
    tuneWarning->setCheckable(true);
    tuneWarning->setChecked(g_bShowTuneWarning);
    QObject::connect(tuneWarning, &QAction::triggered, menu,
                     [tuneWarning] { mnuShowTuneWarning_Click(tuneWarning); });

    ResetPortChoice();
    SyncOptionsMenu(menu);
    // The link changes the choice too (a hook may step the rate down); the menu follows.
    QPointer<QMenu> guard(menu);
    SetOptionsMenuListener([guard] {
        if (guard)
            SyncOptionsMenu(guard);
    });
    return menu;
}

void RestoreOptionsMenu(QMenu *menu)
{
    BuildPortMenu();
    RestoreLastCommPort();
    RestoreLastBaudRate();
    if (menu) {
        SyncOptionsMenu(menu);
        if (auto *item = menu->findChild<QAction *>(QStringLiteral("mnuShowTuneWarning")))
            item->setChecked(g_bShowTuneWarning);
    }
}
