#include "appglobals.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "filecommands.h"
#include "linkfixture.h"
#include "mainwindow.h"
#include "memmap.h"
#include "radiocommands.h"
#include "radiotrace.h"
#include "serialdevices.h"
#include "transactions.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QToolBar>
#include <QtTest>

#include <functional>
#include <memory>

using namespace RadioTrace;

namespace
{

const std::string HookErrorText =
    "Unable to 'Hook' radio.  Please check all connections and try again.";
const std::string SaveBeforeReadText = "Save the existing data before reading new data?      ";
const std::string ProgramFolder = "/home/tech/.local/share/ZPA Tessaro Editor";

// A fake clock that also serves the window's events at every turn of a waiting loop, as the
// real one does, and lets a test act at a chosen turn.
class PumpingClock : public FakeClock
{
public:
    void processEvents() override
    {
        FakeClock::processEvents();
        if (eventPumps == actAt && act)
            act();
        QCoreApplication::processEvents();
    }
    long long actAt = -1;
    std::function<void()> act;
};

} // namespace

// The Read and Write commands driven through the window's menus, toolbar and pop-ups, against
// the virtual radio; the radio's byte trace is the oracle.
class TestRadioCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void writeGlobalsSendsTheSheetInOrder();
    void writeAllSendsGlobalsThenTwentyFiveGroups();
    void writeGroup25UsesHighBytes100To103();
    void readAllFromToolbar();
    void readGlobalsAndGroupReplaceOnlyTheirPages();
    void silentRadioDuringReadAllChangesNothing();
    void cancelledConfirmationSendsNothing_data();
    void cancelledConfirmationSendsNothing();
    void cancelAtSaveQuestionSendsNothing_data();
    void cancelAtSaveQuestionSendsNothing();
    void outcomeStatusTexts_data();
    void outcomeStatusTexts();
    void nothingActsDuringATransfer();
    void readModifyWriteRoundTrip();
    void failedBackupDoesNotFailTheRead();
    void progressBarNamesTheDevice();

private:
    void start();
    void trigger(const char *action);
    QString status() const;
    QString caption() const { return m_window->windowTitle(); }
    LinkFixture f;
    MemoryFileSystem m_fs;
    std::unique_ptr<MainWindow> m_window;
};

void TestRadioCommands::init()
{
    f.reset();
    m_fs = MemoryFileSystem();
    platform().files = &m_fs;
    platform().programFolder = ProgramFolder;
    platform().documentsFolder = "/home/tech/Documents/My QV Radios";
    ResetAppGlobals();
    g_sFactoryFile = ProgramFolder + "/Factory.def";
    g_sUserFile = ProgramFolder + "/User.def";
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);
}

void TestRadioCommands::cleanup()
{
    m_window.reset();
}

void TestRadioCommands::start()
{
    m_window = std::make_unique<MainWindow>();
    g_bLoading = true;
    m_window->LoadWindow();
    g_bLoading = false;
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    f.radio->clearTrace();
}

void TestRadioCommands::trigger(const char *action)
{
    QAction *a = m_window->findChild<QAction *>(QString::fromLatin1(action));
    QVERIFY2(a, action);
    QVERIFY2(a->isEnabled(), action);
    a->trigger();
}

QString TestRadioCommands::status() const
{
    return m_window->findChild<QLabel *>("sbpStatus")->text();
}

void TestRadioCommands::writeGlobalsSendsTheSheetInOrder()
{
    start();
    for (int a = 0; a < PageSize; ++a)
        MemMap.set(0, a, (a * 13 + 5) & 0xFF);
    trigger("mnuWriteGlobals");

    // What was sent is what the editor holds (a focused field commits when the controls go off).
    QCOMPARE(f.radio->received(), WriteGlobalsTrace(MemMap));
    // 21 commands: one hook, then the sheet, then the unhook.
    QCOMPARE(f.radio->commandsHandled(), 1 + 21 + 1);
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs->messages[0].text, std::string("OK to write Global Settings to the unit?"));
    QCOMPARE(f.dialogs->messages[0].caption, std::string("WRITE DATA TO UNIT"));
    QCOMPARE(f.dialogs->messages[0].buttons, MsgButtons::OkCancel);
    QCOMPARE(f.dialogs->messages[0].icon, MsgIcon::Question);
    QCOMPARE(status(), QStringLiteral("Global Data Write Settings....."));
    QVERIFY(caption().endsWith(QStringLiteral(" *")));
    QVERIFY(!f.port->isOpen());
    QVERIFY(!g_bHooked);
    QVERIFY(!m_window->findChild<QProgressBar *>("PBar")->isVisible());
    QVERIFY(m_window->findChild<QAction *>("tbRead")->isEnabled());
}

void TestRadioCommands::writeAllSendsGlobalsThenTwentyFiveGroups()
{
    start();
    for (int p = 0; p < UsedPages; ++p)
        for (int a = 0; a < PageSize; ++a)
            MemMap.set(p, a, (a * 3 + p * 7 + 1) & 0xFF);
    trigger("mnuWriteAll");

    const Bytes received = f.radio->received();
    QCOMPARE(received, WriteAllTrace(MemMap));
    // 23 global writes and 25 x 6 group block writes between hook and unhook.
    QCOMPARE(f.radio->commandsHandled(), 1 + 23 + 150 + 1);
    QCOMPARE(f.dialogs->messages[0].text, std::string("OK to write ALL Current Data to the unit?"));
    QCOMPARE(status(), QStringLiteral("All Radio Data Write Complete....."));
    QVERIFY(caption().endsWith(QStringLiteral(" *")));
}

void TestRadioCommands::writeGroup25UsesHighBytes100To103()
{
    start();
    g_iCurGroup = 24;
    for (int a = 0; a < PageSize; ++a)
        MemMap.set(25, a, (a * 5 + 2) & 0xFF);
    const MemMapImage sent = MemMap;
    trigger("mnuPopupWriteGroup");

    const Bytes received = f.radio->received();
    QCOMPARE(received, WriteGroupTrace(sent, 24));
    // The six block writes, addressed 100/0x00, 100/0x20, 100/0x2C, 101, 102, 103.
    std::vector<int> highs;
    for (std::size_t i = 13; i < received.size() - 1;) {
        QCOMPARE(received[i], std::uint8_t(0xD5));
        highs.push_back(received[i + 1]);
        const int count = received[i + 3] == 0 ? 256 : received[i + 3];
        i += 4 + static_cast<std::size_t>(count);
    }
    QCOMPARE(highs, (std::vector<int>{100, 100, 100, 101, 102, 103}));
    QCOMPARE(f.dialogs->messages[0].text, std::string("OK to write Group 25 Data to the unit?"));
    QCOMPARE(status(), QStringLiteral("Group 25 Data Write Complete....."));
}

void TestRadioCommands::readAllFromToolbar()
{
    start();
    f.fillPattern();
    for (int i = 0; i < 7; ++i)
        f.radio->eeprom[113 + i] = static_cast<std::uint8_t>(i + 1);
    trigger("tbRead");

    QCOMPARE(f.radio->received(), ReadTrace(ReadAllBlocks()));
    for (int a = 0; a < PageSize; ++a) {
        const int expected = a < 512 ? f.radio->eeprom[a] : 0;
        QVERIFY2(MemMap.get(0, a) == expected, qPrintable(QString::number(a)));
    }
    for (int p = 1; p <= NumGroups; ++p)
        for (int a = 0; a < PageSize; ++a)
            QVERIFY(MemMap.get(p, a) == f.radio->eeprom[p * 1024 + a]);
    QVERIFY(caption().endsWith(QStringLiteral(" - New File *")));
    QCOMPARE(g_sCurFileName, std::string());
    QCOMPARE(status(), QStringLiteral("All Radio Data Read Complete....."));
    QVERIFY(f.dialogs->messages.empty());

    // The backup: the image just read, named by time and serial number.
    const std::vector<std::string> names = m_fs.listFolder(ProgramFolder + "/Backups");
    QCOMPARE(names, std::vector<std::string>{"2026-12-06_14-03-59_SN12.34.567.tdf"});
    const Bytes &image = m_fs.files[ProgramFolder + "/Backups/" + names[0]];
    QCOMPARE(image.size(), std::size_t(26624));
    for (std::size_t i = 0; i < image.size(); ++i)
        QVERIFY(image[i] == MemMap.get(static_cast<int>(i / 1024), static_cast<int>(i % 1024)));
}

void TestRadioCommands::readGlobalsAndGroupReplaceOnlyTheirPages()
{
    start();
    f.fillPattern();
    const MemMapImage before = MemMap;
    trigger("mnuPopupReadGlobals");
    QCOMPARE(f.radio->received(), ReadTrace({0, 1, 2}));
    QCOMPARE(status(), QStringLiteral("Global Settings Read Complete....."));
    for (int a = 0; a < PageSize; ++a)
        QVERIFY(MemMap.get(0, a) == (a < 512 ? f.radio->eeprom[a] : 0));
    for (int p = 1; p < MemMapPages; ++p)
        for (int a = 0; a < PageSize; ++a)
            QVERIFY(MemMap.get(p, a) == before.get(p, a));
    QVERIFY(caption().endsWith(QStringLiteral(" *")));
    QVERIFY(!caption().contains(QStringLiteral("New File")));

    // Read Group asks to save first now that the caption carries " *"; No goes on.
    f.radio->clearTrace();
    g_iCurGroup = 6;
    f.dialogs->messageAnswers = {MsgAnswer::No};
    const MemMapImage beforeGroup = MemMap;
    trigger("mnuReadCurrGrp");
    QCOMPARE(f.dialogs->messages.back().text, SaveBeforeReadText);
    QCOMPARE(f.radio->received(), ReadTrace({28, 29, 30, 31}));
    QCOMPARE(status(), QStringLiteral("Group 7 Data Read Complete....."));
    for (int p = 0; p < MemMapPages; ++p)
        for (int a = 0; a < PageSize; ++a)
            QVERIFY(MemMap.get(p, a) ==
                    (p == 7 ? f.radio->eeprom[7 * 1024 + a] : beforeGroup.get(p, a)));
}

void TestRadioCommands::silentRadioDuringReadAllChangesNothing()
{
    start();
    f.fillPattern();
    const QString captionBefore = caption();
    const MemMapImage before = MemMap;
    // The hook and ten block reads are answered, then nothing.
    f.radio->faults.stopAfterCommands = 11;
    trigger("mnuReadAll");

    QVERIFY(MemMap == before);
    QCOMPARE(f.dialogs->messages.size(), std::size_t(2));
    QCOMPARE(f.dialogs->messages[0].text,
             std::string("A COMM ERROR occurred in sub routine 'ReadMultiEEBytes'.      "));
    QCOMPARE(f.dialogs->messages[0].caption, std::string("COMM ERROR"));
    QCOMPARE(f.dialogs->messages[1].text, HookErrorText);
    QCOMPARE(f.dialogs->messages[1].caption, std::string("COMM ERROR"));
    QCOMPARE(status(), QStringLiteral("COMM ERROR Reading Radio....."));
    QCOMPARE(caption(), captionBefore);
    QCOMPARE(g_sCurFileName, std::string("DEFAULT VALUES"));
    QVERIFY(m_fs.listFolder(ProgramFolder + "/Backups").empty());
    QVERIFY(!f.port->isOpen());
    QVERIFY(m_window->findChild<QAction *>("mnuRead")->isEnabled());
}

void TestRadioCommands::cancelledConfirmationSendsNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("question");
    QTest::newRow("write all") << "mnuWriteAll"
                               << "OK to write ALL Current Data to the unit?";
    QTest::newRow("toolbar write") << "tbWrite"
                                   << "OK to write ALL Current Data to the unit?";
    QTest::newRow("write globals") << "mnuPopupWriteGlobals"
                                   << "OK to write Global Settings to the unit?";
    QTest::newRow("write group") << "mnuWriteCurrGrp"
                                 << "OK to write Group 4 Data to the unit?";
}

void TestRadioCommands::cancelledConfirmationSendsNothing()
{
    QFETCH(QString, action);
    QFETCH(QString, question);
    start();
    g_iCurGroup = 3;
    f.dialogs->messageAnswers = {MsgAnswer::Cancel};
    trigger(action.toLatin1().constData());
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(f.dialogs->messages[0].text), question);
    QVERIFY(f.radio->received().empty());
    QCOMPARE(f.port->opens, 0);
    QCOMPARE(status(), QStringLiteral("Action Canceled....."));
    QVERIFY(m_window->findChild<QAction *>("mnuWrite")->isEnabled());
    QVERIFY(!caption().endsWith(QStringLiteral(" *")));
}

void TestRadioCommands::cancelAtSaveQuestionSendsNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("statusAfter");
    QTest::newRow("read all") << "mnuReadAll"
                              << "Ready.....";
    QTest::newRow("read globals") << "mnuReadGlobals"
                                  << "Reading Unit Global Settings.....";
    QTest::newRow("read group") << "mnuPopupReadGroup"
                                << "Reading Group 2 Data.....";
}

void TestRadioCommands::cancelAtSaveQuestionSendsNothing()
{
    QFETCH(QString, action);
    QFETCH(QString, statusAfter);
    start();
    g_iCurGroup = 1;
    StatusMsg("Ready.....");
    MarkDataChanged();
    const MemMapImage before = MemMap;
    f.dialogs->messageAnswers = {MsgAnswer::Cancel};
    trigger(action.toLatin1().constData());
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs->messages[0].text, SaveBeforeReadText);
    QCOMPARE(f.dialogs->messages[0].caption, std::string("READ UNIT"));
    QVERIFY(f.radio->received().empty());
    QCOMPARE(f.port->opens, 0);
    QVERIFY(MemMap == before);
    QCOMPARE(status(), statusAfter);
    QVERIFY(!m_window->findChild<QProgressBar *>("PBar")->isVisible());
    QVERIFY(m_window->findChild<QAction *>("mnuRead")->isEnabled());
}

void TestRadioCommands::outcomeStatusTexts_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("radioAnswers");
    QTest::addColumn<QString>("statusAfter");
    QTest::addColumn<int>("messages"); // message boxes shown
    const struct {
        const char *action;
        const char *success;
        const char *failure;
        int confirmations;
    } rows[] = {
        {"mnuReadAll", "All Radio Data Read Complete.....", "COMM ERROR Reading Radio.....", 0},
        {"mnuReadGlobals", "Global Settings Read Complete.....",
         "COMM ERROR Reading Global Settings.....", 0},
        {"mnuReadCurrGrp", "Group 12 Data Read Complete.....",
         "COMM ERROR Reading Group 12 Data.....", 0},
        {"mnuWriteAll", "All Radio Data Write Complete.....", "COMM ERROR writing Radio.....", 1},
        {"mnuWriteGlobals", "Global Data Write Settings.....",
         "COMM ERROR writing Global Settings.....", 1},
        {"mnuWriteCurrGrp", "Group 12 Data Write Complete.....",
         "COMM ERROR writing Group 12 Data.....", 1},
    };
    for (const auto &row : rows) {
        QTest::addRow("%s ok", row.action)
            << row.action << true << row.success << row.confirmations;
        // No answer to the hook: one "Unable to 'Hook'" message after the unhook.
        QTest::addRow("%s no radio", row.action)
            << row.action << false << row.failure << row.confirmations + 1;
    }
}

void TestRadioCommands::outcomeStatusTexts()
{
    QFETCH(QString, action);
    QFETCH(bool, radioAnswers);
    QFETCH(QString, statusAfter);
    QFETCH(int, messages);
    start();
    g_iCurGroup = 11;
    f.radio->faults.noHookAnswer = !radioAnswers;
    trigger(action.toLatin1().constData());
    QCOMPARE(status(), statusAfter);
    QCOMPARE(static_cast<int>(f.dialogs->messages.size()), messages);
    if (!radioAnswers) {
        QCOMPARE(f.dialogs->messages.back().text, HookErrorText);
        QVERIFY(!caption().endsWith(QStringLiteral(" *")));
        // Three wake-ups, then the unhook.
        Bytes expected;
        for (int i = 0; i < 3; ++i)
            Append(expected, WakeUp());
        Append(expected, Unhook());
        QCOMPARE(f.radio->received(), expected);
    } else {
        QVERIFY(caption().endsWith(QStringLiteral(" *")));
    }
    QVERIFY(!f.port->isOpen());
    QVERIFY(!RadioTransferRunning());
    QVERIFY(m_window->findChild<QAction *>("mnuFile")->isEnabled());
}

void TestRadioCommands::nothingActsDuringATransfer()
{
    // A paced transfer on a clock that serves the window's events while it waits.
    PumpingClock clock;
    SimSerialPort port(*f.radio, clock);
    port.present.insert(LinkFixture::Device);
    port.paceAtLineRate = true;
    platform().clock = &clock;
    platform().serial = &port;
    start();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));

    // The keys reach the shortcuts while the controls are enabled.
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.dialogs->saveRequests.size(), std::size_t(1));
    f.dialogs->saveRequests.clear();

    int fsOperations = -1;
    bool closed = true;
    bool barShown = false;
    bool readEnabled = true;
    QString statusAfterClose;
    clock.actAt = 300;
    clock.act = [&] {
        fsOperations = m_fs.operations;
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(m_window.get(), Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(m_window.get(), Qt::Key_V, Qt::ControlModifier);
        QToolBar *tbar = m_window->findChild<QToolBar *>("TBar");
        QAction *tbRead = m_window->findChild<QAction *>("tbRead");
        readEnabled = tbRead->isEnabled();
        QTest::mouseClick(tbar->widgetForAction(tbRead), Qt::LeftButton);
        tbRead->trigger();
        // Even a command that slipped past the disabled controls does not nest.
        ReadAllCommand();
        closed = m_window->close();
        statusAfterClose = status();
        barShown = m_window->findChild<QProgressBar *>("PBar")->isVisible();
    };
    trigger("mnuWriteAll");

    QVERIFY(clock.eventPumps > clock.actAt);
    QVERIFY(!closed);
    QVERIFY(m_window->isVisible());
    QCOMPARE(statusAfterClose, QString::fromStdString(TransferBusyStatus));
    QVERIFY(barShown);
    QVERIFY(!readEnabled);
    QCOMPARE(m_fs.operations, fsOperations);
    QVERIFY(f.dialogs->saveRequests.empty());
    QVERIFY(f.dialogs->openRequests.empty());
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1)); // the confirmation only
    QCOMPARE(f.radio->received(), WriteAllTrace(MemMap));
    QCOMPARE(status(), QStringLiteral("All Radio Data Write Complete....."));
    // Once the transfer is over the keys and the close work again.
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.dialogs->saveRequests.size(), std::size_t(1));
    QVERIFY(m_window->close());
}

void TestRadioCommands::readModifyWriteRoundTrip()
{
    start();
    f.fillPattern();
    trigger("mnuReadAll");
    const Bytes radioBefore = f.radio->eeprom;

    // Group 3, channel 5: receive frequency, scan flag and label.
    const int page = 3;
    const int record = 256 + 32 * 4;
    MemMap.set(page, record + 0, 0x12);
    MemMap.set(page, record + 1, 0x34);
    MemMap.set(page, record + 2, MemMap.get(page, record + 2) ^ 0x10);
    for (int i = 0; i < 12; ++i)
        MemMap.set(page, record + 20 + i, 0x21 + i);
    f.radio->clearTrace();
    trigger("mnuWriteAll");
    const MemMapImage &edited = MemMap;

    const Bytes expected = AfterWriteAll(radioBefore, edited);
    QCOMPARE(f.radio->eeprom, expected);
    const int base = page * 1024 + record;
    QCOMPARE(int(f.radio->eeprom[base]), 0x12);
    QCOMPARE(int(f.radio->eeprom[base + 1]), 0x34);
    QCOMPARE(int(f.radio->eeprom[base + 2]), radioBefore[base + 2] ^ 0x10);
    QCOMPARE(int(f.radio->eeprom[base + 31]), 0x2C);
    // The last global block is cleared; the global page's upper half, which the editor holds as
    // zeros, is left as the radio had it, and so are group offsets 896..1023.
    for (int a = 0x168; a < 0x200; ++a)
        QCOMPARE(int(f.radio->eeprom[a]), 0);
    for (int a = 0x200; a < 0x400; ++a)
        QCOMPARE(f.radio->eeprom[a], radioBefore[a]);
    for (int a = 896; a < 1024; ++a)
        QCOMPARE(f.radio->eeprom[5 * 1024 + a], radioBefore[5 * 1024 + a]);
    // Masked bytes keep the radio's own bits: 0x088 takes only bits 6 and 7.
    QCOMPARE(f.radio->eeprom[0x088] & 0x3F, radioBefore[0x088] & 0x3F);
    // A freshly read radio differs from the editor's data only in the edit and the cleared
    // block, so nothing else may have changed.
    int changed = 0;
    for (std::size_t a = 0; a < expected.size(); ++a)
        changed += f.radio->eeprom[a] != radioBefore[a];
    int expectedChanges = 0;
    for (int a = 0x168; a < 0x200; ++a)
        expectedChanges += radioBefore[a] != 0;
    for (int i = 0; i < 32; ++i)
        expectedChanges += edited.get(page, record + i) != radioBefore[base + i];
    QCOMPARE(changed, expectedChanges);
}

void TestRadioCommands::failedBackupDoesNotFailTheRead()
{
    start();
    f.fillPattern();
    for (int i = 0; i < 7; ++i)
        f.radio->eeprom[113 + i] = 9;
    m_fs.failWrite.insert(ProgramFolder + "/Backups/2026-12-06_14-03-59_SN99.99.999.tdf");
    trigger("mnuReadAll");
    QCOMPARE(status(), QStringLiteral("All Radio Data Read Complete....."));
    QVERIFY(f.dialogs->messages.empty());
    QVERIFY(m_fs.listFolder(ProgramFolder + "/Backups").empty());
    QVERIFY(caption().endsWith(QStringLiteral(" - New File *")));
    QCOMPARE(int(MemMap.get(3, 5)), int(f.radio->eeprom[3 * 1024 + 5]));
}

void TestRadioCommands::progressBarNamesTheDevice()
{
    PumpingClock clock;
    SimSerialPort port(*f.radio, clock);
    port.present.insert(LinkFixture::Device);
    platform().clock = &clock;
    platform().serial = &port;
    start();
    QString text;
    int value = -1;
    clock.actAt = 4;
    clock.act = [&] {
        auto *bar = m_window->findChild<QProgressBar *>("PBar");
        text = bar->isTextVisible() ? bar->text() : QString();
        value = bar->value();
    };
    trigger("mnuReadGlobals");
    QVERIFY2(text.startsWith(QString::fromLatin1(LinkFixture::Device)), qPrintable(text));
    QVERIFY(value >= 0 && value < 100);
    QVERIFY(!m_window->findChild<QProgressBar *>("PBar")->isTextVisible());
}

QTEST_MAIN(TestRadioCommands)
#include "tst_radiocommands.moc"
