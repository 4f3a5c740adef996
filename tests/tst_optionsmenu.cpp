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

private Q_SLOTS:
    void init();
    void cleanup();
    void itemsNamesAndOrder();
    void restoreChecksStoredChoice();
    void portItemsNameTheirDevice();
    void cancelledFasterRateKeepsTheCheck();
    void choosingAPortMovesTheCheck();
    void tuneWarningToggles();
    void hookStepDownMovesTheCheck();

private:
    QAction *item(const QString &name) const { return m_menu->findChild<QAction *>(name); }
    QStringList checkedItems() const;

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
    MenuFollower m_follower;
    QMainWindow *m_window = nullptr;
    OptionsMenu *m_menu = nullptr;
};

void TestOptionsMenu::init()
{
    f.reset();
    ResetAppGlobals();
    m_window = new QMainWindow;
    m_menu = new OptionsMenu(m_window);
    m_window->menuBar()->addMenu(m_menu);
    m_follower.menu = m_menu;
    platform().window = &m_follower;
}

void TestOptionsMenu::cleanup()
{
    platform().window = nullptr;
    delete m_window;
    m_window = nullptr;
    m_menu = nullptr;
}

QStringList TestOptionsMenu::checkedItems() const
{
    QStringList names;
    for (QAction *action : m_menu->actions()) {
        if (action->isChecked())
            names << action->objectName();
    }
    return names;
}

void TestOptionsMenu::itemsNamesAndOrder()
{
    QCOMPARE(m_menu->objectName(), QStringLiteral("mnuOptions"));
    QCOMPARE(m_menu->title(), QStringLiteral("&Options"));
    QCOMPARE(m_window->findChild<QMenu *>(QStringLiteral("mnuOptions")), m_menu);
    const QList<QAction *> actions = m_menu->actions();
    QCOMPARE(actions.size(), 10 + 1 + 6 + 1 + 1);
    QStringList texts;
    for (QAction *action : actions)
        texts << (action->isSeparator() ? QStringLiteral("-")
                                        : action->objectName() + QLatin1Char('=') + action->text());
    QStringList expected;
    for (int i = 0; i < 10; ++i)
        expected << QStringLiteral("mnuComm_%1=Use Comm Port %2").arg(i).arg(i + 1);
    expected << QStringLiteral("-");
    const char *rates[] = {"4800", "9600", "19200", "38400", "57600", "115200"};
    for (int i = 0; i < 6; ++i)
        expected
            << QStringLiteral("mnuBaud_%1=Use %2 BAUD Rate").arg(i).arg(QLatin1String(rates[i]));
    expected << QStringLiteral("-")
             << QStringLiteral("mnuShowTuneWarning=Show 'Tune' Warning Message");
    QCOMPARE(texts, expected);
    for (QAction *action : actions)
        QCOMPARE(action->isCheckable(), !action->isSeparator());
    // Ports 6..10 start hidden.
    for (int i = 0; i < 10; ++i)
        QCOMPARE(item(QStringLiteral("mnuComm_%1").arg(i))->isVisible(), i < 5);
}

void TestOptionsMenu::restoreChecksStoredChoice()
{
    f.setSetting("Comm Port", "8");
    f.setSetting("Baud Rate Index", "2");
    f.setSetting("Comm Port 8 Device", "/dev/ttyV8");
    f.port->present.insert("/dev/ttyV8");
    g_bShowTuneWarning = false;
    m_menu->Restore();
    QCOMPARE(checkedItems(), (QStringList{"mnuComm_7", "mnuBaud_2"}));
    for (int i = 0; i < 10; ++i) {
        QAction *port = item(QStringLiteral("mnuComm_%1").arg(i));
        QCOMPARE(port->isVisible(), i < 8);
        QCOMPARE(port->isEnabled(), i < 5 || i == 7);
    }
    QCOMPARE(m_lBaudRate, 19200L);
    QVERIFY(f.dialogs->messages.empty());
}

void TestOptionsMenu::portItemsNameTheirDevice()
{
    f.port->listed = {"/dev/ttyS0", "/dev/ttyUSB0"};
    m_menu->Restore();
    QCOMPARE(item(QStringLiteral("mnuComm_0"))->toolTip(), QStringLiteral("/dev/ttyVR0"));
    QCOMPARE(item(QStringLiteral("mnuComm_0"))->statusTip(), QStringLiteral("/dev/ttyVR0"));
    // Without a key, port 2 is the second device found, USB adapters first.
    QCOMPARE(item(QStringLiteral("mnuComm_1"))->toolTip(), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(item(QStringLiteral("mnuComm_2"))->statusTip(), QStringLiteral("No serial device"));
}

void TestOptionsMenu::cancelledFasterRateKeepsTheCheck()
{
    f.setSetting("Baud Rate Index", "2");
    m_menu->Restore();
    f.dialogs->messageAnswers = {MsgAnswer::Cancel};
    item(QStringLiteral("mnuBaud_5"))->trigger();
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs->messages[0].caption, std::string("SERIAL COMMUNICATIONS"));
    QCOMPARE(checkedItems(), (QStringList{"mnuComm_0", "mnuBaud_2", "mnuShowTuneWarning"}));
    // A slower rate is taken without a question.
    item(QStringLiteral("mnuBaud_1"))->trigger();
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
    QCOMPARE(checkedItems(), (QStringList{"mnuComm_0", "mnuBaud_1", "mnuShowTuneWarning"}));
    QCOMPARE(f.setting("Baud Rate Index"), std::string("1"));
}

void TestOptionsMenu::choosingAPortMovesTheCheck()
{
    m_menu->Restore();
    item(QStringLiteral("mnuComm_4"))->trigger();
    // Clicking the checked item again keeps it checked.
    item(QStringLiteral("mnuComm_4"))->trigger();
    QCOMPARE(checkedItems(), (QStringList{"mnuComm_4", "mnuBaud_0", "mnuShowTuneWarning"}));
    QCOMPARE(m_iCommPort, 5);
    QCOMPARE(f.setting("Comm Port"), std::string("5"));
}

void TestOptionsMenu::tuneWarningToggles()
{
    m_menu->Restore();
    QAction *warning = item(QStringLiteral("mnuShowTuneWarning"));
    QVERIFY(warning->isChecked());
    warning->trigger();
    QVERIFY(!warning->isChecked());
    QVERIFY(!g_bShowTuneWarning);
    QCOMPARE(f.setting("Show Tune Warning Message"), std::string("No"));
    warning->trigger();
    QVERIFY(warning->isChecked());
    QVERIFY(g_bShowTuneWarning);
    QCOMPARE(f.setting("Show Tune Warning Message"), std::string("Yes"));
}

void TestOptionsMenu::hookStepDownMovesTheCheck()
{
    f.setSetting("Baud Rate Index", "5");
    m_menu->Restore();
    QVERIFY(item(QStringLiteral("mnuBaud_5"))->isChecked());
    f.radio->maxBaudRate = 38400;
    QCOMPARE(HookRadio(m_iCommPort, 3, m_lBaudRate), 1);
    QCOMPARE(checkedItems(), (QStringList{"mnuComm_0", "mnuBaud_3", "mnuShowTuneWarning"}));
}

QTEST_MAIN(TestOptionsMenu)
#include "tst_optionsmenu.moc"
