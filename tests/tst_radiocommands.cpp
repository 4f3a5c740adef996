#include "eeprotocol.h"
#include "filecommands.h"
#include "freqcodec.h"
#include "linkfixture.h"
#include "radiocommands.h"
#include "radiotrace.h"
#include "transactions.h"
#include "windowfixture.h"

#include <QProgressBar>

#include <functional>

using namespace RadioTrace;

namespace
{

const QString SaveBeforeRead = "READ UNIT|Save the existing data before reading new data?      ";
const std::string Backups = "/home/tech/.local/share/ZPA Tessaro Editor/Backups";

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

// The six transactions, alone and as the Read and Write commands of the window's menus,
// toolbar and pop-ups, against the virtual radio; the radio's byte trace is the oracle.
class TestRadioCommands : public QObject
{
    Q_OBJECT

    WindowFixture w;
    LinkFixture f;
    RecordingWindow rec; // the window of the transactions run alone
    std::unique_ptr<PumpingClock> pumping;
    std::unique_ptr<SimSerialPort> pumpingPort;

    void start()
    {
        w.start();
        f.radio->clearTrace();
    }
    void trigger(const QString &name)
    {
        QAction *a = w.window->findChild<QAction *>(name);
        QVERIFY2(a && a->isEnabled(), qPrintable(name));
        a->trigger();
    }
    QString caption() const { return w.window->windowTitle(); }
    bool barShown() const { return w.window->findChild<QProgressBar *>("PBar")->isVisible(); }
    bool enabled(const char *name) const
    {
        return w.window->findChild<QAction *>(name)->isEnabled();
    }
    // The messages shown, as "CAPTION|text".
    QStringList messages() const
    {
        QStringList shown;
        for (const auto &m : f.dialogs->messages)
            shown << QString::fromStdString(m.caption + "|" + m.text);
        return shown;
    }
    // The radio's serial number digits: 1 to 7 ("12.34.567"), or none.
    void setSerial(bool set)
    {
        for (int i = 0; i < 7; ++i)
            f.radio->eeprom[113 + i] = static_cast<std::uint8_t>(set ? 1 + i : 0);
    }

private Q_SLOTS:
    void init()
    {
        w.reset();
        f.reset(); // its settings and dialogs replace the window fixture's
        rec = RecordingWindow();
    }
    void cleanup()
    {
        w.stop();
        pumpingPort.reset(); // it refers to this test's radio
        platform().window = nullptr;
    }

    // Reads count bytes stored; writes count global writes and group bytes sent. Each step
    // is reported once, in order, against a fixed total; and the status texts follow the pages.
    void transactionProgressAndStatus()
    {
        platform().window = &rec;
        const struct {
            std::function<bool()> run;
            int total;
            int steps;
        } rows[] = {
            {[] { return ReadAllFromRadio(); }, 26368, 768 + 25 * 1024},
            {[] { return ReadGlobalsFromRadio(true); }, 768, 768},
            {[] { return ReadGroupFromRadio(3, true); }, 1024, 1024},
            {[] { return WriteAllToRadio(); }, 23338, 23 + 25 * 654},
            {[] { return WriteGlobalsToRadio(true); }, 12, 21},
            {[] { return WriteGroupToRadio(3, true); }, 782, 654},
        };
        for (const auto &row : rows) {
            rec.progress.clear();
            QVERIFY(row.run());
            QCOMPARE(static_cast<int>(rec.progress.size()), row.steps);
            for (std::size_t i = 0; i < rec.progress.size(); ++i)
                QVERIFY(rec.progress[i] == std::make_pair(static_cast<int>(i) + 1, row.total));
        }
        std::vector<std::string> reads = {"Attempting to 'Hook' radio.....",
                                          "Reading Unit Global Settings....."};
        std::vector<std::string> writes = {"Writing Unit Global Settings....."};
        for (int n = 1; n <= 25; ++n) {
            reads.push_back("Reading Group " + std::to_string(n) + " Data.....");
            writes.push_back("Writing Group " + std::to_string(n) + " Data.....");
        }
        for (const auto &[run, expected] :
             {std::make_pair(&ReadAllFromRadio, reads), std::make_pair(&WriteAllToRadio, writes)}) {
            rec.statusTexts.clear();
            QVERIFY(run());
            QCOMPARE(rec.statusTexts, expected);
        }
        QVERIFY(!ReadGroupFromRadio(25, true)); // groups outside 0..24 are refused
        QVERIFY(!WriteGroupToRadio(-1, true));
    }

    // A transaction left hooked is taken up by the next: one wake-up for three. A read
    // replaces its own pages only.
    void hookingAcrossTransactions()
    {
        platform().window = &rec;
        f.fillPattern();
        for (int a = 0; a < PageSize; ++a) {
            MemMap.set(0, a, 0xAA);
            MemMap.set(25, a, (a * 5 + 2) & 0xFF);
        }
        QVERIFY(WriteGroupToRadio(24, true)); // group 25 lies in blocks 100 to 103
        QCOMPARE(f.radio->received(), Session(GroupWrites(MemMap, 24)));

        const MemMapImage before = MemMap;
        // Each page as the radio holds it where read (the global page's upper half is not
        // read but cleared), otherwise as before.
        const auto pagesAre = [&](const std::function<bool(int)> &read) {
            for (int p = 0; p < MemMapPages; ++p)
                for (int a = 0; a < PageSize; ++a) {
                    const int radio = p || a < 512 ? f.radio->eeprom[p * 1024 + a] : 0;
                    QVERIFY(MemMap.get(p, a) == (read(p) ? radio : before.get(p, a)));
                }
        };
        f.radio->clearTrace(); // one wake-up for the three transactions
        const Bytes expected =
            Session(Join({ReadBlocks({12, 13, 14, 15}), Writes(MemMap, 0, GlobalRows(false)),
                          ReadBlocks({0, 1, 2})}));
        QVERIFY(ReadGroupFromRadio(2, false));
        QVERIFY(g_bHooked && f.port->isOpen());
        pagesAre([](int p) { return p == 3; });
        QVERIFY(WriteGlobalsToRadio(false));
        QVERIFY(ReadGlobalsFromRadio(true));
        QVERIFY(!g_bHooked && !f.port->isOpen());
        pagesAre([](int p) { return p == 0 || p == 3; });
        QCOMPARE(f.radio->received(), expected);
        QVERIFY(ReadAllFromRadio());
        pagesAre([](int p) { return p <= NumGroups; });
        // A port in use by another program: that message, and nothing more.
        f.radio->clearTrace();
        rec.statusTexts.clear();
        f.port->refuse[LinkFixture::Device] = SerialError::Busy;
        QVERIFY(!WriteAllToRadio());
        QCOMPARE(messages().size(), 1);
        QVERIFY(f.radio->received().empty() && rec.statusTexts.empty());
    }

    // Cancel at a write's confirmation, or at a read's save question, sends nothing.
    void cancelledQuestionSendsNothing_data()
    {
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("statusAfter");
        const char *rows[][3] = {
            {"mnuWriteAll", "ALL Current Data", "Action Canceled....."},
            {"tbWrite", "ALL Current Data", "Action Canceled....."},
            {"mnuPopupWriteGlobals", "Global Settings", "Action Canceled....."},
            {"mnuWriteCurrGrp", "Group 4 Data", "Action Canceled....."},
            {"mnuReadAll", "", "Ready....."},
            {"mnuReadGlobals", "", "Reading Unit Global Settings....."},
            {"mnuPopupReadGroup", "", "Reading Group 4 Data....."},
        };
        for (const auto &[action, what, statusAfter] : rows)
            QTest::newRow(action)
                << (*what ? QString("WRITE DATA TO UNIT|OK to write %1 to the unit?").arg(what)
                          : SaveBeforeRead)
                << QString(statusAfter);
    }

    void cancelledQuestionSendsNothing()
    {
        QFETCH(QString, question);
        QFETCH(QString, statusAfter);
        start();
        g_iCurGroup = 3;
        StatusMsg("Ready.....");
        const bool read = question == SaveBeforeRead;
        if (read)
            MarkDataChanged();
        const MemMapImage before = MemMap;
        f.dialogs->messageAnswers = {MsgAnswer::Cancel};
        trigger(QTest::currentDataTag());
        QCOMPARE(messages(), QStringList{question});
        QVERIFY(f.radio->received().empty());
        QCOMPARE(f.port->opens, 0);
        QVERIFY(MemMap == before);
        QCOMPARE(w.status(), statusAfter);
        QVERIFY(!barShown() && enabled("mnuRead") && enabled("mnuWrite"));
        QCOMPARE(caption().endsWith(" *"), read);
    }

    // Each command with a radio that answers, one that does not answer the hook, and one that
    // falls silent halfway: the pages read so far are thrown away, a write leaves the radio
    // partly written.
    void outcomes_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answered"); // commands answered, the hook included; -1: all
        QTest::addColumn<QString>("statusAfter");
        const struct {
            const char *action;
            int answered;
            const char *statusAfter;
        } rows[] = {
            {"tbRead", -1, "All Radio Data Read Complete....."},
            {"mnuReadAll", 0, "COMM ERROR Reading Radio....."},
            {"mnuReadAll", 11, "COMM ERROR Reading Radio....."},
            {"mnuReadGlobals", -1, "Global Settings Read Complete....."},
            {"mnuPopupReadGlobals", 0, "COMM ERROR Reading Global Settings....."},
            {"mnuReadCurrGrp", -1, "Group 12 Data Read Complete....."},
            {"mnuReadCurrGrp", 0, "COMM ERROR Reading Group 12 Data....."},
            {"mnuPopupReadGroup", 3, "COMM ERROR Reading Group 12 Data....."},
            {"mnuWriteAll", -1, "All Radio Data Write Complete....."},
            {"mnuWriteAll", 0, "COMM ERROR writing Radio....."},
            {"mnuWriteGlobals", -1, "Global Data Write Settings....."},
            {"mnuWriteGlobals", 0, "COMM ERROR writing Global Settings....."},
            {"mnuWriteGlobals", 7, "COMM ERROR writing Global Settings....."},
            {"mnuWriteCurrGrp", -1, "Group 12 Data Write Complete....."},
            {"mnuPopupWriteGroup", 0, "COMM ERROR writing Group 12 Data....."},
        };
        for (const auto &[action, answered, statusAfter] : rows)
            QTest::addRow("%s %s", action,
                          answered < 0    ? "ok"
                          : answered == 0 ? "no radio"
                                          : "falls silent")
                << action << answered << statusAfter;
    }

    void outcomes()
    {
        QFETCH(QString, action);
        QFETCH(int, answered);
        QFETCH(QString, statusAfter);
        const bool write = action.contains("Write"); // asked first
        const bool ask = !write && answered >= 0; // changed data: asked to save first, No goes on
        start();
        f.fillPattern();
        g_iCurGroup = 11;
        if (ask) {
            MarkDataChanged();
            f.dialogs->messageAnswers = {MsgAnswer::No};
        }
        const bool sheet = action == "mnuWriteGlobals" && answered < 0;
        for (int a = 0; sheet && a < PageSize; ++a) // each byte sent tells where it came from
            MemMap.set(0, a, (a * 13 + 5) & 0xFF);
        const QString captionBefore = caption();
        const MemMapImage before = MemMap;
        f.radio->faults.noHookAnswer = answered == 0;
        if (answered > 0)
            f.radio->faults.stopAfterCommands = answered;
        trigger(action);
        QCOMPARE(w.status(), statusAfter);
        QVERIFY(!f.port->isOpen() && !g_bHooked && !RadioTransferRunning() && !barShown());
        QVERIFY(enabled("mnuFile") && enabled("mnuRead") && enabled("tbRead"));
        QStringList failure = {
            "COMM ERROR|Unable to 'Hook' radio.  Please check all connections and try again."};
        if (answered > 0)
            failure.prepend(QString("COMM ERROR|A COMM ERROR occurred in sub routine '%1'.      "
                                    "\r\n%2 is there, but the radio did not answer as expected: "
                                    "check that it is on and its cable is seated, then try again.")
                                .arg(write ? "WriteMultiEEBytes" : "ReadMultiEEBytes",
                                     QString::fromStdString(LinkFixture::Device)));
        if (ask)
            QCOMPARE(messages().value(0), SaveBeforeRead);
        if (write)
            QCOMPARE(f.dialogs->messages[0].icon, MsgIcon::Question);
        QCOMPARE(messages().mid(write || ask ? 1 : 0), answered < 0 ? QStringList() : failure);
        if (answered < 0) {
            QVERIFY(caption().endsWith(" *"));
            QCOMPARE(caption().endsWith(" - New File *"), action == "tbRead");
            // Write Globals sends what the editor holds (a focused field commits when the controls
            // go off): the sheet's rows, then the read-back.
            if (sheet)
                QCOMPARE(f.radio->received(), Join({Session(Writes(MemMap, 0, GlobalRows(false))),
                                                    ReadBackTrace(true)}));
            else if (!write)
                QCOMPARE(f.radio->received(),
                         Session(ReadBlocks(action == "tbRead" ? ReadAllBlocks()
                                            : action == "mnuReadGlobals"
                                                ? std::vector<int>{0, 1, 2}
                                                : std::vector<int>{48, 49, 50, 51})));
            return;
        }
        QCOMPARE(f.dialogs->messages.back().icon, MsgIcon::Exclamation);
        QCOMPARE(f.dialogs->messages.back().buttons, MsgButtons::Ok);
        QCOMPARE(caption(), captionBefore);
        QVERIFY(MemMap == before);
        QVERIFY(w.fs.listFolder(Backups).empty());
        QCOMPARE(f.radio->received().back(), Unhook()[0]);
        if (answered > 0 && write) { // the six byte writes went, the first block not
            QCOMPARE(int(f.radio->eeprom[0x007]), int(MemMap.get(0, 0x007)));
            QCOMPARE(int(f.radio->eeprom[0x0AE]), (0xAE * 7 + 1) & 0xFF);
            QVERIFY(MemMap.get(0, 0x0AE) != f.radio->eeprom[0x0AE]);
        }
    }

    void nothingActsDuringATransfer()
    {
        g_bBackupBeforeWrite = g_bVerifyAfterWrite = false; // the write alone, no backup file
        // The radio behind a paced port and a clock that serves the window's events.
        pumping = std::make_unique<PumpingClock>();
        pumpingPort = std::make_unique<SimSerialPort>(*f.radio, *pumping);
        pumpingPort->present.insert(LinkFixture::Device);
        pumpingPort->paceAtLineRate = true;
        platform().clock = pumping.get();
        platform().serial = pumpingPort.get();
        start();
        w.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        int fsOperations = -1;
        bool closed = true, bar = false, readEnabled = true;
        QString statusAfterClose, barText;
        pumping->actAt = 300;
        pumping->act = [&] {
            fsOperations = w.fs.operations;
            for (Qt::Key k : {Qt::Key_S, Qt::Key_N, Qt::Key_V})
                QTest::keyClick(w.window.get(), k, Qt::ControlModifier);
            QAction *tbRead = w.window->findChild<QAction *>("tbRead");
            readEnabled = tbRead->isEnabled();
            tbRead->trigger();
            ReadAllCommand(); // even a command that slipped past the controls does not nest
            closed = w.window->close();
            statusAfterClose = w.status();
            bar = barShown();
            auto *pbar = w.window->findChild<QProgressBar *>("PBar");
            barText = pbar->isTextVisible() ? pbar->text() : QString();
        };
        trigger("mnuWriteAll");
        QVERIFY(pumping->eventPumps > pumping->actAt);
        QVERIFY(!closed && w.window->isVisible());
        QCOMPARE(statusAfterClose, QString::fromStdString(TransferBusyStatus));
        QVERIFY(bar && !readEnabled);
        QVERIFY2(barText.startsWith(LinkFixture::Device), qPrintable(barText)); // names the port
        QVERIFY(!w.window->findChild<QProgressBar *>("PBar")->isTextVisible());
        QCOMPARE(w.fs.operations, fsOperations);
        QVERIFY(f.dialogs->saveRequests.empty() && f.dialogs->openRequests.empty());
        QCOMPARE(f.dialogs->messages.size(), std::size_t(1)); // the confirmation only
        QCOMPARE(f.radio->received(), WriteAllTrace(MemMap));
        // Once the transfer is over the keys (so they reach the shortcuts) and the close work.
        QTest::keyClick(w.window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.dialogs->saveRequests.size(), std::size_t(1));
        QVERIFY(w.window->close());
    }

    // A write reads back what it sent, and Write All first keeps the radio's image: a radio
    // that keeps one written bit wrong fails the write, naming the field.
    void verifyAfterWriteAndBackupBeforeWrite()
    {
        start();
        g_iCurGroup = 2;
        g_sPaneView = "Channels"; // the grid shown again must leave the failure in the status
        SetChanFreq(MemMap, 2, 0, true, "151.2500");
        const int rxFreqLow = 3 * 1024 + 256 + 1; // group 3, channel 1
        f.radio->faults.corruptWriteAt = rxFreqLow;
        trigger("mnuWriteCurrGrp");
        QCOMPARE(f.radio->received(),
                 Join({Session(GroupWrites(MemMap, 2)), ReadBackTrace(false, 2, 3)}));
        QCOMPARE(f.dialogs->messages.size(), std::size_t(2));
        const auto &failed = f.dialogs->messages[1];
        QCOMPARE(failed.caption, std::string("VERIFY FAILED"));
        QCOMPARE(failed.icon, MsgIcon::Critical);
        QVERIFY2(QString::fromStdString(failed.text)
                     .startsWith("The radio does not hold what was written. 1 field differs "
                                 "(editor -> radio):\r\nGroup 3 Channel 1 RX Freq: 151.25000 -> "),
                 failed.text.c_str());
        QCOMPARE(w.status(), QString("VERIFY FAILED: 1 field differs from the editor data....."));

        // Write All: the radio's image goes to the backup folder before anything is sent.
        f.fillPattern();
        const Bytes radioBefore = f.radio->eeprom;
        trigger("mnuWriteAll");
        const std::vector<std::string> names = w.fs.listFolder(Backups);
        QCOMPARE(names.size(), std::size_t(1));
        const Bytes &image = w.fs.files[Backups + "/" + names[0]];
        QCOMPARE(image.size(), std::size_t(26624));
        for (std::size_t a = 0; a < image.size(); ++a)
            QVERIFY(image[a] == (a >= 512 && a < 1024 ? 0 : radioBefore[a]));

        // A backup that cannot be kept stops the write before it starts.
        f.radio->eeprom = radioBefore;
        f.radio->clearTrace();
        f.dialogs->messages.clear();
        // Same second, same radio: the second backup of that name.
        w.fs.failWrite.insert(Backups + "/" + names[0].substr(0, names[0].size() - 4) + "_2.tdf");
        trigger("mnuWriteAll");
        QCOMPARE(f.radio->received(), Session(ReadBlocks(ReadAllBlocks())));
        QCOMPARE(f.radio->eeprom, radioBefore);
        QCOMPARE(f.dialogs->messages.back().caption, std::string("BACKUP FAILED"));
        QCOMPARE(w.status(), QString("Action Canceled....."));
    }

    // The radio compared with the editor's data: a table of the fields that differ, nothing
    // written or changed.
    void verifyRadioAgainstEditorData()
    {
        start();
        trigger("mnuWriteAll");
        f.dialogs->messages.clear();
        trigger("mnuReadVerify");
        QCOMPARE(messages(), QStringList{"VERIFY RADIO|The radio holds the editor data: no field "
                                         "differs."});
        QCOMPARE(w.status(), QString("Radio Data Matches Editor Data....."));

        SetChanFreq(MemMap, 4, 9, false, "155.5000");
        const MemMapImage edited = MemMap;
        const QString captionBefore = caption();
        f.radio->clearTrace();
        f.dialogs->messages.clear();
        trigger("mnuReadVerify");
        QCOMPARE(f.radio->received(), Session(ReadBlocks(ReadAllBlocks())));
        QVERIFY(MemMap == edited);
        QCOMPARE(caption(), captionBefore);
        QVERIFY(f.dialogs->messages.empty() && f.dialogs->tables.size() == 1);
        const TableRequest &table = f.dialogs->tables[0];
        QCOMPARE(table.title, std::string("VERIFY RADIO"));
        QCOMPARE(table.heading, std::string("1 field differs between the editor data and the "
                                            "radio. Nothing was written."));
        QCOMPARE(table.rows.size(), std::size_t(1));
        QCOMPARE(table.rows[0][0] + "|" + table.rows[0][1] + "|" + table.rows[0][2] + "|" +
                     table.rows[0][3],
                 std::string("5|10|TX Freq|155.50000"));
        QCOMPARE(w.status(), QString("Radio Data Differs From Editor Data: 1 field....."));
    }

    // Write All keeps no second copy of a radio whose Read All backup still stands for it:
    // same radio, same device, nothing written since, the file still there.
    void backupOnlyWhereNoReadStands_data()
    {
        QTest::addColumn<QString>("between");
        QTest::addColumn<bool>("taken");
        QTest::newRow("nothing") << "" << false;
        QTest::newRow("another radio") << "another radio" << true;
        QTest::newRow("a group written") << "write group" << true;
        QTest::newRow("another device") << "another device" << true;
        QTest::newRow("backup removed") << "backup removed" << true;
        QTest::newRow("no serial number") << "no serial" << true;
        QTest::newRow("a group read only") << "read group" << true;
    }

    void backupOnlyWhereNoReadStands()
    {
        QFETCH(QString, between);
        start();
        f.fillPattern();
        setSerial(between != "no serial");
        trigger(between == "read group" ? "mnuReadCurrGrp" : "mnuReadAll");
        if (between.isEmpty()) // the read's backup, named by time and serial number
            QCOMPARE(w.fs.listFolder(Backups),
                     std::vector<std::string>{"2026-12-06_14-03-59_SN12.34.567.tdf"});
        if (between == "another radio")
            f.radio->eeprom[113] = 9;
        if (between == "write group")
            trigger("mnuWriteCurrGrp");
        if (between == "another device") {
            f.port->present.insert("/dev/ttyVR1");
            f.setSetting("Comm Port 1 Device", "/dev/ttyVR1");
        }
        if (between == "backup removed")
            for (const std::string &name : w.fs.listFolder(Backups))
                w.fs.remove(Backups + "/" + name);
        const std::size_t kept = w.fs.listFolder(Backups).size();
        const int opensBefore = f.port->opens;
        f.radio->clearTrace();
        trigger("mnuWriteAll");
        QCOMPARE(w.status(), QString("All Radio Data Write Complete....."));
        QTEST(w.fs.listFolder(Backups).size() == kept + 1, "taken");
        if (!between.isEmpty())
            return;
        // The read's backup stands once the radio's serial number says it is the same one
        // (one open per session tests and opens the port); then globals and 25 groups are
        // written and read back.
        QCOMPARE(f.port->opens - opensBefore, 2);
        Bytes written = WriteAllTrace(MemMap);
        written.insert(written.begin() + 13, {0xC7, 0x00, 113, 7, 0xFF});
        QCOMPARE(f.radio->received(), Join({written, ReadBackTrace(true, 0, NumGroups)}));
    }
};

QTEST_MAIN(TestRadioCommands)
#include "tst_radiocommands.moc"
