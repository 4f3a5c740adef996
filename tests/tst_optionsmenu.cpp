#include "appglobals.h"
#include "eeprotocol.h"
#include "fakeserialdevices.h"
#include "linkfixture.h"
#include "optionsmenu.h"
#include "serialportsdialog.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

class TestOptionsMenu : public QObject
{
    Q_OBJECT

    // The main window's part: the menu follows every change of the link's choice.
    struct MenuFollower : RecordingWindow {
        OptionsMenu *menu = nullptr;
        void optionsMenuChanged() override
        {
            if (menu)
                menu->Sync();
        }
    };

    LinkFixture f;
    FakeSerialDevices table;
    MenuFollower follower;
    std::unique_ptr<QMainWindow> window;
    OptionsMenu *menu = nullptr;

    QAction *item(const QString &name) const { return menu->findChild<QAction *>(name); }
    QStringList checkedItems() const
    {
        QStringList names;
        for (QAction *action : menu->actions()) {
            if (action->isChecked())
                names << action->objectName();
        }
        return names;
    }
    // The checks with the four switches on.
    static QStringList allOn(int comm, int baud)
    {
        return {
            QString("mnuComm_%1").arg(comm), QString("mnuBaud_%1").arg(baud), "mnuShowTuneWarning",
            "mnuVerifyAfterWrite",           "mnuBackupBeforeWrite",          "mnuKeepHistory"};
    }

private Q_SLOTS:
    void init()
    {
        f.reset();
        ResetAppGlobals();
        window = std::make_unique<QMainWindow>();
        menu = new OptionsMenu(window.get());
        window->menuBar()->addMenu(menu);
        follower.menu = menu;
        platform().window = &follower;
    }
    void cleanup()
    {
        platform().devices = nullptr;
        platform().window = nullptr;
        window.reset();
    }

    void itemsAndRestoredChoice()
    {
        QCOMPARE(menu->title(), QString("&Options"));
        QCOMPARE(window->findChild<QMenu *>("mnuOptions"), menu);
        QStringList texts, expected;
        for (QAction *action : menu->actions()) {
            texts << (action->isSeparator() ? "-" : action->objectName() + '=' + action->text());
            QCOMPARE(action->isCheckable(),
                     !action->isSeparator() && action->objectName() != "mnuSerialPorts");
        }
        for (int i = 0; i < 10; ++i)
            expected << QString("mnuComm_%1=Use Comm Port %2").arg(i).arg(i + 1);
        expected += {"mnuSerialPorts=Serial Ports\u2026", "-"};
        const char *rates[] = {"4800", "9600", "19200", "38400", "57600", "115200"};
        for (int i = 0; i < 6; ++i)
            expected << QString("mnuBaud_%1=Use %2 BAUD Rate").arg(i).arg(rates[i]);
        expected += {"-",
                     "mnuShowTuneWarning=Show 'Tune' Warning Message",
                     "-",
                     "mnuVerifyAfterWrite=Verify After Write",
                     "mnuBackupBeforeWrite=Back Up Radio Before Write",
                     "mnuKeepHistory=Keep Radio History"};
        QCOMPARE(texts, expected);

        // Restoring checks the stored choice.
        f.setSetting("Comm Port", "8");
        f.setSetting("Baud Rate Index", "2");
        f.setSetting("Comm Port 8 Device", "/dev/ttyV8");
        f.port->present.insert("/dev/ttyV8");
        f.port->listed = {"/dev/ttyS0", "/dev/ttyUSB0"};
        g_bShowTuneWarning = false;
        g_bVerifyAfterWrite = false;
        menu->Restore();
        QCOMPARE(checkedItems(),
                 (QStringList{"mnuComm_7", "mnuBaud_2", "mnuBackupBeforeWrite", "mnuKeepHistory"}));
        QVERIFY(item("mnuComm_7")->isVisible() && !item("mnuComm_6")->isEnabled());
        // The items name their device; ports without a key take the devices found, USB
        // adapters first; one that reaches nothing says so in grey.
        QCOMPARE(item("mnuComm_1")->toolTip(), QString("/dev/ttyUSB0"));
        QCOMPARE(item("mnuComm_2")->statusTip(), QString("/dev/ttyS0"));
        QCOMPARE(item("mnuComm_3")->toolTip(),
                 QString("<span style=\"color:gray\">no device</span>"));
    }

    void clicksMoveTheChecks()
    {
        f.setSetting("Baud Rate Index", "2");
        menu->Restore();
        f.dialogs->messageAnswers = {MsgAnswer::Cancel};
        item("mnuBaud_5")->trigger(); // a faster rate asks first
        QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
        QCOMPARE(f.dialogs->messages[0].caption, std::string("SERIAL COMMUNICATIONS"));
        QCOMPARE(checkedItems(), allOn(0, 2));
        item("mnuBaud_5")->trigger(); // answered OK
        f.radio->maxBaudRate = 38400; // the radio steps the rate down; the check follows
        QCOMPARE(HookRadio(m_iCommPort, 3, m_lBaudRate), 1);
        QCOMPARE(checkedItems(), allOn(0, 3));
        item("mnuBaud_1")->trigger();
        item("mnuComm_4")->trigger();
        item("mnuComm_4")->trigger(); // clicking the checked item again keeps it checked
        QCOMPARE(checkedItems(), allOn(4, 1));
        const struct {
            const char *item;
            const bool *flag;
            const char *setting;
        } flags[] = {
            {"mnuShowTuneWarning", &g_bShowTuneWarning, "Show Tune Warning Message"},
            {"mnuVerifyAfterWrite", &g_bVerifyAfterWrite, "Verify After Write"},
            {"mnuBackupBeforeWrite", &g_bBackupBeforeWrite, "Back Up Radio Before Write"},
            {"mnuKeepHistory", &g_bKeepHistory, "Keep Radio History"},
        };
        for (const auto &flag : flags) {
            for (const bool on : {false, true}) {
                item(flag.item)->trigger();
                QCOMPARE(item(flag.item)->isChecked(), on);
                QCOMPARE(*flag.flag, on);
                QCOMPARE(f.setting(flag.setting), std::string(on ? "Yes" : "No"));
            }
        }
    }

    void serialPortsDialog()
    {
        platform().devices = &table;
        table.listed = {{"/dev/ttyUSB0", "/dev/serial/by-id/usb-A", "0403", "6001", "FTDI", "", "A",
                         "ftdi_sio"},
                        {"/dev/ttyUSB1", "/dev/serial/by-id/usb-B", "0403", "6001", "FTDI", "", "B",
                         "ftdi_sio"}};
        table.present = {LinkFixture::Device}; // the virtual radio, pinned to Comm Port 1
        menu->Restore();
        item("mnuSerialPorts")->trigger();
        auto *dialog = window->findChild<QDialog *>("frmSerialPorts");
        QVERIFY(dialog && dialog->isVisible());
        auto *grid = dialog->findChild<QTableWidget *>("grdPorts");
        const auto cell = [grid](int row, int column) { return grid->item(row, column)->text(); };
        QCOMPARE(cell(2, 7), QString("Comm Port 1 (pinned)"));
        QTimer *poll = dialog->findChild<QTimer *>("tmrPoll");
        QVERIFY(poll->isActive());

        // Adapter B becomes Comm Port 3 for good; the menu and the list follow.
        auto *pin = dialog->findChild<QPushButton *>("cmdPin");
        auto *port = dialog->findChild<QComboBox *>("cbCommPort");
        grid->selectRow(1);
        port->setCurrentIndex(2);
        QCOMPARE(pin->text(), QString("Use as Comm Port 3"));
        pin->click();
        QCOMPARE(f.setting("Comm Port 3 Device"), std::string("/dev/serial/by-id/usb-B"));
        QCOMPARE(item("mnuComm_2")->statusTip(), QString("/dev/serial/by-id/usb-B"));
        QCOMPARE(cell(1, 7), QString("Comm Port 3 (pinned)"));

        // Unplugged: the pin stays, the row (now after the devices present) and the menu say
        // the device is missing.
        table.listed.pop_back();
        qobject_cast<SerialPortsDialog *>(dialog)->Poll();
        QCOMPARE(cell(2, 0), QString("/dev/serial/by-id/usb-B"));
        QCOMPARE(item("mnuComm_2")->statusTip(), QString("/dev/serial/by-id/usb-B: no device"));
        dialog->findChild<QPushButton *>("cmdUnpin")->click();
        QCOMPARE(f.setting("Comm Port 3 Device"), std::string());
        QCOMPARE(item("mnuComm_2")->statusTip(), QString("no device"));

        // The virtual radio answers the test; nothing of the choice changes.
        grid->selectRow(1);
        QCOMPARE(cell(1, 0), QString(LinkFixture::Device));
        dialog->findChild<QPushButton *>("cmdTest")->click();
        QVERIFY(
            dialog->findChild<QLabel *>("lblTestResult")->text().contains("radio serial number"));
        QCOMPARE(m_iBaudIndex, 0);

        // Nothing present at all, only the pin to the stopped radio: the advice shows too.
        QVERIFY(dialog->findChild<QLabel *>("lblNoDevices")->isHidden());
        table.present.clear();
        table.listed.clear();
        qobject_cast<SerialPortsDialog *>(dialog)->Poll();
        QVERIFY(!dialog->findChild<QLabel *>("lblNoDevices")->isHidden());
        dialog->hide();
        QVERIFY(!poll->isActive());
    }
};

QTEST_MAIN(TestOptionsMenu)
#include "tst_optionsmenu.moc"
