// The command-line tool's jobs against the in-process virtual radio, and its command line.

#include "cliargs.h"
#include "clihost.h"
#include "defaultimage.h"
#include "layout.h"
#include "linkfixture.h"
#include "writetables.h"

#include <QtTest>

class TestCliJobs : public QObject
{
    Q_OBJECT

    LinkFixture link;
    MemoryFileSystem fs;
    CliDialogs dialogs;
    CliWindow window;
    MemMapImage fileImage;
    std::vector<std::uint8_t> before; // the radio's EEPROM before the job
    const std::string file = "/bench/fleet.tdf";
    const std::string folder = "/home/tech/.local/share/ZPA Tessaro Editor";

    // RX frequency low byte of group 1 channel 1.
    static constexpr int RxLowAddress = Layout::ChanFieldAddress(0, 0, Layout::ChRxFreq + 1);

private Q_SLOTS:
    void init()
    {
        link.reset();
        link.fillPattern();
        for (int i = 0; i < 7; ++i)
            link.radio->eeprom[Layout::GlbSerialNumber + i] = static_cast<std::uint8_t>(i + 1);
        before = link.radio->eeprom;
        fs = MemoryFileSystem();
        dialogs.messages.clear();
        Platform &p = platform();
        p.files = &fs;
        p.dialogs = &dialogs;
        p.window = &window;
        p.programFolder = folder;
        LoadDefaultImage(fileImage);
        fileImage.set(1, Layout::ChanRecord(0) + Layout::ChRxFreq + 1, 0x42);
        fs.files[file] = UsedPagesBytes(fileImage);
    }

    void cleanup() { platform().window = nullptr; }

    void jobs_data()
    {
        QTest::addColumn<int>("verb");
        // 0 none, 1 no hook answer, 2 corrupt, 3 silent, 4 noisy, 5 a line that adds bytes
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("backup");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("difference");
        const int detect = int(Verb::Detect), write = int(Verb::Write), verify = int(Verb::Verify);
        QTest::newRow("detect") << detect << 0 << true << true << ""
                                << "";
        QTest::newRow("read twice")
            << int(Verb::Read) << 0 << true << true << "wrote SN12.34.567_2026-12-06.tdf"
            << "";
        QTest::newRow("read twice, noisy cable")
            << int(Verb::Read) << 4 << true << false << "the two reads differ"
            << "Group 1 Channel 1 record byte 1: 17 -> 16";
        QTest::newRow("detect, empty port") << detect << 1 << true << true << "no radio"
                                            << "";
        QTest::newRow("write") << write << 0 << true << true << "written and verified"
                               << "";
        QTest::newRow("write, corrupting radio") << write << 2 << true << false << "VERIFY FAILED"
                                                 << "Group 1 Channel 1 RX Freq";
        QTest::newRow("write, radio falls silent")
            << write << 3 << false << false << "COMM ERROR: A COMM ERROR occurred"
            << "";
        QTest::newRow("write, babbling line: no backup, nothing written")
            << write << 5 << true << false << "COMM ERROR"
            << "";
        QTest::newRow("verify, babbling line") << verify << 5 << true << false << "COMM ERROR"
                                               << "";
        QTest::newRow("verify, radio differs")
            << verify << 0 << true << false << "the radio differs"
            << "Group 1 Channel 1 RX Freq";
    }

    void jobs()
    {
        QFETCH(int, verb);
        QFETCH(int, fault);
        QFETCH(bool, backup);
        link.radio->faults.noHookAnswer = fault == 1;
        link.radio->faults.corruptWriteAt = fault == 2 ? RxLowAddress : -1;
        link.radio->faults.stopAfterCommands = fault == 3 ? 40 : -1;
        // The silent radio also refuses the rate: its news is not the error to report.
        link.radio->maxBaudRate = fault == 3 ? 19200 : 115200;
        link.radio->faults.noisyReadAt = fault == 4 ? RxLowAddress : -1;
        link.radio->faults.babbleReadAt = fault == 5 ? RxLowAddress : -1;
        JobRequest request;
        request.verb = Verb(verb);
        request.device = LinkFixture::Device;
        request.rate = 115200;
        request.file = file;
        request.backup = backup;
        request.twice = true;

        const JobResult r = RunJob(request);
        QFETCH(bool, ok);
        QFETCH(QString, message);
        QFETCH(QString, difference);
        QCOMPARE(r.ok, ok);
        QCOMPARE(r.device, std::string(LinkFixture::Device));
        QVERIFY2(QString::fromStdString(r.message).startsWith(message), r.message.c_str());
        QCOMPARE(r.differences.empty(), difference.isEmpty());
        const bool named = std::any_of(r.differences.begin(), r.differences.end(), [&](auto &d) {
            return QString::fromStdString(DifferenceLine(d)).startsWith(difference);
        });
        QVERIFY2(named || difference.isEmpty(),
                 r.differences.empty() ? "" : DifferenceLine(r.differences[0]).c_str());
        if (r.radio)
            QCOMPARE(r.serial, std::string("12.34.567"));
        if (!r.file.empty()) // a read: the file holds the radio's groups
            QVERIFY(std::equal(before.begin() + PageSize, before.begin() + UsedPages * PageSize,
                               fs.files[r.file].begin() + PageSize));
        QVERIFY(!g_bHooked && !link.port->isOpen());
        if (fault == 5) // the backup read failed, so nothing was sent
            QVERIFY(link.radio->eeprom == before);
    }

    // Write All leaves the radio's own bytes alone, and the backup holds what it had before.
    void writeKeepsTheRadiosOwnBytes()
    {
        JobRequest request;
        request.verb = Verb::Write;
        request.device = LinkFixture::Device;
        request.rate = 19200;
        request.file = file;
        QVERIFY(RunJob(request).ok);
        std::vector<bool> cleared(VirtualRadio::EepromSize, false);
        for (const GlobalWrite &w : GlobalWrites)
            for (int i = 0; w.kind == WriteKind::ZeroBlock && i < w.maskOrLength; ++i)
                cleared[w.address + i] = true;
        for (int a = 0; a < VirtualRadio::EepromSize; ++a) {
            const int mask = OwnedMask(a / PageSize, a % PageSize);
            const int after = link.radio->eeprom[a];
            const int expected =
                cleared[a] ? 0
                : a < UsedPages * PageSize
                    ? (before[a] & ~mask) | (fileImage.get(a / PageSize, a % PageSize) & mask)
                    : before[a];
            QVERIFY2(after == expected, qPrintable(QString::number(a, 16)));
        }
        const auto &backup =
            fs.files[folder + "/Backups/2026-12-06_14-03-59_SN12.34.567_ttyVR0.tdf"];
        QCOMPARE(backup.size(), std::size_t(UsedPages * PageSize));
        for (int a = 0; a < 2 * 256; ++a) // the global page's last half is never kept
            QCOMPARE(backup[a], before[a]);
        QVERIFY(std::equal(backup.begin() + PageSize, backup.end(), before.begin() + PageSize));
    }

    // Nothing but a whole data file goes into a radio; the check comes before the port opens.
    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("force");
        QTest::addColumn<QString>("message"); // "" when taken
        const QByteArray yaml = "Globals:\n  Serial Number: \"12.34.567\"\n";
        const QByteArray binary(1500, '\0');
        QTest::newRow("yaml") << yaml << false << "not a data file: 38 bytes, looks like text";
        QTest::newRow("yaml, forced") << yaml << true << "not a data file: 38 bytes, looks like";
        QTest::newRow("1,500 bytes")
            << binary << false << "not a data file: 1,500 bytes, a data file holds 26,624";
        QTest::newRow("1,500 bytes, forced") << binary << true << "";
        QTest::newRow("empty, forced") << QByteArray() << true << "not a data file: 0 bytes";
        QTest::newRow("one byte too many")
            << QByteArray(26625, '\xff') << true << "not a data file: 26,625 bytes";
        QTest::newRow("whole text") << QByteArray(26624, 'a') << false << "not a data file";
    }

    void refusedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, force);
        QFETCH(QString, message);
        fs.files[file].assign(bytes.begin(), bytes.end());
        for (const Verb verb : {Verb::Write, Verb::Verify}) {
            link.radio->clearTrace();
            JobRequest request;
            request.verb = verb;
            request.device = LinkFixture::Device;
            request.file = file;
            request.force = force;
            const JobResult r = RunJob(request);
            QVERIFY2(
                QString::fromStdString(r.message).startsWith(
                    message.isEmpty() ? QString() : QString::fromStdString(file) + ": " + message),
                r.message.c_str());
            QCOMPARE(link.radio->received().empty(), !message.isEmpty());
        }
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("write") << QStringList{"write", "--port", "a", "--port", "b", "f.tdf"} << "";
        QTest::newRow("help") << QStringList{"read", "--no-such", "--help"} << "";
        QTest::newRow("no verb") << QStringList{} << "no verb given";
        QTest::newRow("verb") << QStringList{"erase"} << "unknown verb 'erase'";
        QTest::newRow("file") << QStringList{"write", "--port", "a"} << "write needs one data file";
        QTest::newRow("port") << QStringList{"verify", "f.tdf"} << "verify needs --port";
        QTest::newRow("rate") << QStringList{"read", "--port", "a", "--rate", "2400"}
                              << "--rate must be";
        QTest::newRow("option of another verb")
            << QStringList{"read", "--port", "a", "--no-verify"} << "unknown option '--no-verify'";
        QTest::newRow("-o and ports")
            << QStringList{"read", "--port", "a", "--port", "b", "-o", "x"} << "-o names one file";
        QTest::newRow("diff") << QStringList{"diff", "a.tdf"} << "diff needs two data files";
        QTest::newRow("export") << QStringList{"export", "a.tdf", "-o", "a.yaml"} << "";
        QTest::newRow("import") << QStringList{"import", "a.yaml", "--base", "b.tdf", "-o", "c.tdf"}
                                << "";
        QTest::newRow("import without base")
            << QStringList{"import", "a.yaml", "-o", "c.tdf"} << "import needs --base BASE.tdf";
        QTest::newRow("csv by its name")
            << QStringList{"import", "list.CSV", "--base", "b.tdf", "-o", "c.tdf"}
            << "a channel CSV import needs --group N";
        QTest::newRow("csv group")
            << QStringList{"export", "a.tdf", "--csv", "--group", "25"} << "";
        QTest::newRow("group 26") << QStringList{"export", "a.tdf", "--csv", "--group", "26"}
                                  << "--group needs a group number from 1 to 25";
        QTest::newRow("group of yaml")
            << QStringList{"export", "a.tdf", "--group", "3"} << "--group is for channel CSV";
    }

    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        std::vector<std::string> list;
        for (const QString &a : args)
            list.push_back(a.toStdString());
        const CliCommand c = ParseCommandLine(list);
        QVERIFY2(QString::fromStdString(c.error).startsWith(error), c.error.c_str());
        QCOMPARE(c.error.empty(), error.isEmpty());
        QCOMPARE(CommPortNumber("comm port 3") * 10 + CommPortNumber("Comm Port 11"), 30);
    }
};

QTEST_GUILESS_MAIN(TestCliJobs)
#include "tst_clijobs.moc"
