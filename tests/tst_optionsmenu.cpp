#include "appglobals.h"
#include "eeprotocol.h"
#include "linkfixture.h"
#include "optionsmenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
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
        platform().window = nullptr;
        window.reset();
    }

    void itemsNamesAndOrder()
    {
        QCOMPARE(menu->title(), QString("&Options"));
        QCOMPARE(window->findChild<QMenu *>("mnuOptions"), menu);
        QStringList texts, expected;
        for (QAction *action : menu->actions()) {
            texts << (action->isSeparator() ? "-" : action->objectName() + '=' + action->text());
            QCOMPARE(action->isCheckable(), !action->isSeparator());
        }
        for (int i = 0; i < 10; ++i)
            expected << QString("mnuComm_%1=Use Comm Port %2").arg(i).arg(i + 1);
        expected << "-";
        const char *rates[] = {"4800", "9600", "19200", "38400", "57600", "115200"};
        for (int i = 0; i < 6; ++i)
            expected << QString("mnuBaud_%1=Use %2 BAUD Rate").arg(i).arg(rates[i]);
        expected << "-"
                 << "mnuShowTuneWarning=Show 'Tune' Warning Message"
                 << "-"
                 << "mnuVerifyAfterWrite=Verify After Write"
                 << "mnuBackupBeforeWrite=Back Up Radio Before Write"
                 << "mnuKeepHistory=Keep Radio History";
        QCOMPARE(texts, expected);
        for (int i = 0; i < 10; ++i) // ports 6..10 start hidden
            QCOMPARE(item(QString("mnuComm_%1").arg(i))->isVisible(), i < 5);
    }

    void restoreChecksStoredChoice()
    {
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
        for (int i = 0; i < 10; ++i) {
            QAction *port = item(QString("mnuComm_%1").arg(i));
            QCOMPARE(port->isVisible(), i < 8);
            QCOMPARE(port->isEnabled(), i < 5 || i == 7);
        }
        QCOMPARE(m_lBaudRate, 19200L);
        QVERIFY(f.dialogs->messages.empty());
        // The items name their device; without a key port 2 is the second device found, USB
        // adapters first.
        QCOMPARE(item("mnuComm_0")->toolTip(), QString("/dev/ttyVR0"));
        QCOMPARE(item("mnuComm_0")->statusTip(), QString("/dev/ttyVR0"));
        QCOMPARE(item("mnuComm_1")->toolTip(), QString("/dev/ttyS0"));
        QCOMPARE(item("mnuComm_2")->statusTip(), QString("No serial device"));
    }

    void clicksMoveTheChecks()
    {
        f.setSetting("Baud Rate Index", "2");
        menu->Restore();
        f.dialogs->messageAnswers = {MsgAnswer::Cancel};
        item("mnuBaud_5")->trigger(); // a faster rate asks first
        QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
        QCOMPARE(f.dialogs->messages[0].caption, std::string("SERIAL COMMUNICATIONS"));
        QCOMPARE(checkedItems(),
                 (QStringList{"mnuComm_0", "mnuBaud_2", "mnuShowTuneWarning", "mnuVerifyAfterWrite",
                              "mnuBackupBeforeWrite", "mnuKeepHistory"}));
        item("mnuBaud_1")->trigger(); // a slower one is taken without a question
        QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
        QCOMPARE(f.setting("Baud Rate Index"), std::string("1"));
        item("mnuComm_4")->trigger();
        item("mnuComm_4")->trigger(); // clicking the checked item again keeps it checked
        QCOMPARE(checkedItems(),
                 (QStringList{"mnuComm_4", "mnuBaud_1", "mnuShowTuneWarning", "mnuVerifyAfterWrite",
                              "mnuBackupBeforeWrite", "mnuKeepHistory"}));
        QCOMPARE(m_iCommPort, 5);
        QCOMPARE(f.setting("Comm Port"), std::string("5"));
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

    void hookStepDownMovesTheCheck()
    {
        f.setSetting("Baud Rate Index", "5");
        menu->Restore();
        QVERIFY(item("mnuBaud_5")->isChecked());
        f.radio->maxBaudRate = 38400;
        QCOMPARE(HookRadio(m_iCommPort, 3, m_lBaudRate), 1);
        QCOMPARE(checkedItems(),
                 (QStringList{"mnuComm_0", "mnuBaud_3", "mnuShowTuneWarning", "mnuVerifyAfterWrite",
                              "mnuBackupBeforeWrite", "mnuKeepHistory"}));
    }
};

QTEST_MAIN(TestOptionsMenu)
#include "tst_optionsmenu.moc"
