// The command-line tool's jobs against the in-process virtual radio, and its command line.

#include "cliargs.h"
#include "clihost.h"
#include "defaultimage.h"
#include "layout.h"
#include "linkfixture.h"

#include <QtTest>

#include <csignal>

// Delivers SIGINT once the n-th command of a kind has gone out, as Ctrl+C would.
class InterruptingPort : public SimSerialPort
{
public:
    using SimSerialPort::SimSerialPort;
    std::uint8_t command = 0xD5;
    int after = -1;
    int sent = 0;
    bool write(const std::vector<std::uint8_t> &bytes) override
    {
        const bool ok = SimSerialPort::write(bytes);
        if (!bytes.empty() && bytes[0] == command && ++sent == after)
            std::raise(SIGINT);
        return ok;
    }
};

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

    JobRequest request(Verb verb) const
    {
        JobRequest r;
        r.verb = verb;
        r.device = LinkFixture::Device;
        r.file = file;
        return r;
    }

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
        const struct {
            const char *name;
            Verb verb;
            int fault;
            bool backup, ok;
            const char *message, *difference;
        } rows[] = {
            {"detect", Verb::Detect, 0, true, true, "", ""},
            {"read twice", Verb::Read, 0, true, true, "wrote SN12.34.567_2026-12-06.tdf", ""},
            {"read twice, noisy cable", Verb::Read, 4, true, false, "the two reads differ",
             "Group 1 Channel 1 record byte 1: 17 -> 16"},
            {"detect, empty port", Verb::Detect, 1, true, true, "no radio", ""},
            {"write", Verb::Write, 0, true, true, "written and verified", ""},
            {"write, corrupting radio", Verb::Write, 2, true, false, "VERIFY FAILED",
             "Group 1 Channel 1 RX Freq"},
            {"write, radio falls silent", Verb::Write, 3, false, false,
             "COMM ERROR: A COMM ERROR occurred", ""},
            {"write, babbling line: no backup, nothing written", Verb::Write, 5, true, false,
             "COMM ERROR", ""},
            {"verify, babbling line", Verb::Verify, 5, true, false, "COMM ERROR", ""},
            {"verify, radio differs", Verb::Verify, 0, true, false, "the radio differs",
             "Group 1 Channel 1 RX Freq"}};
        for (const auto &r : rows)
            QTest::newRow(r.name) << int(r.verb) << r.fault << r.backup << r.ok
                                  << QString(r.message) << QString(r.difference);
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
        JobRequest job = request(Verb(verb));
        job.rate = 115200;
        job.backup = backup;
        job.twice = true;
        const JobResult r = RunJob(job);
        QFETCH(bool, ok);
        QFETCH(QString, message);
        QFETCH(QString, difference);
        QCOMPARE(r.ok, ok);
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
        if (!r.backup.empty()) { // what the radio had; the global page's last half is never kept
            const auto &kept = fs.files[r.backup];
            QCOMPARE(r.backup, folder + "/Backups/2026-12-06_14-03-59_SN12.34.567_ttyVR0.tdf");
            QCOMPARE(kept.size(), std::size_t(UsedPages * PageSize));
            QVERIFY(std::equal(before.begin(), before.begin() + 2 * 256, kept.begin()));
            QVERIFY(std::equal(kept.begin() + PageSize, kept.end(), before.begin() + PageSize));
        }
        if (fault == 5) // the backup read failed, so nothing was sent
            QVERIFY(link.radio->eeprom == before);
    }

    // Ctrl+C between two commands: the command sent is answered, nothing follows but the unhook,
    // and the word names what the radio is left with.
    void interrupted_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("phase"); // the commands of the interrupted kind sent before it
        QTest::addColumn<QString>("message");
        QTest::newRow("backup read") << 0xC7 << 3 << 0 << "interrupted: nothing was written";
        QTest::newRow("between two block writes")
            << 0xD5 << 40 << 0 << "interrupted: the radio is partly written; write it again";
        QTest::newRow("read-back")
            << 0xC7 << 5 << 103 << "interrupted: the radio is written but not verified";
    }

    void interrupted()
    {
        QFETCH(int, command);
        QFETCH(int, after);
        QFETCH(int, phase);
        InterruptingPort port(*link.radio, *link.clock);
        port.present.insert(LinkFixture::Device);
        port.command = std::uint8_t(command);
        port.after = phase + after;
        platform().serial = &port;
        CatchStopSignals();
        const JobResult r = RunJob(request(Verb::Write));
        platform().serial = link.port.get();
        QFETCH(QString, message);
        QCOMPARE(QString::fromStdString(r.message), message);
        QCOMPARE(r.signal, SIGINT);
        QCOMPARE(port.sent, phase + after);
        QVERIFY(!link.radio->hooked() && !port.isOpen());
        // The backup stays once taken.
        QVERIFY(r.backup.empty() ? message.contains("nothing") : !fs.files[r.backup].empty());
        QVERIFY(dialogs.messages.empty());
    }

    // What a shell sees of a run.
    void exitStatus_data()
    {
        QTest::addColumn<int>("verb");
        QTest::addColumn<QString>("radios"); // per radio: o ok, r answered but failed, - silent,
                                             // i interrupted
        QTest::addColumn<int>("status");
        QTest::newRow("detect, nothing answers") << int(Verb::Detect) << "--" << 1;
        QTest::newRow("detect, one radio") << int(Verb::Detect) << "-o" << 0;
        QTest::newRow("write, one fails") << int(Verb::Write) << "or" << 1;
        QTest::newRow("write, one interrupted") << int(Verb::Write) << "ri" << 130;
    }

    void exitStatus()
    {
        QFETCH(int, verb);
        QFETCH(QString, radios);
        std::vector<JobResult> results;
        for (QChar c : radios) {
            JobResult r;
            r.ok = c == 'o' || (c == '-' && verb == int(Verb::Detect));
            r.radio = c != '-';
            r.signal = c == 'i' ? SIGINT : 0;
            results.push_back(r);
        }
        CliCommand command;
        command.verb = Verb(verb);
        QTEST(ExitStatus(command, results), "status");
    }

    void terminal_data()
    {
        QTest::addColumn<QString>("stderrTermNoColor"); // "-": unset
        QTest::addColumn<bool>("draws");
        QTest::newRow("terminal") << "tty xterm -" << true;
        QTest::newRow("pipe") << "pipe xterm -" << false;
        QTest::newRow("dumb") << "tty dumb -" << false;
        QTest::newRow("NO_COLOR") << "tty - 1" << false;
        QTest::newRow("NO_COLOR empty") << "tty xterm " << true;
    }

    void terminal()
    {
        QFETCH(QString, stderrTermNoColor);
        const QList<QByteArray> v = stderrTermNoColor.toLatin1().split(' ');
        auto var = [](const QByteArray &b) { return b == "-" ? nullptr : b.constData(); };
        QTEST(TerminalCanDraw(v[0] == "tty", var(v[1]), var(v[2])), "draws");
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
            JobRequest job = request(verb);
            job.force = force;
            const JobResult r = RunJob(job);
            QVERIFY2(
                QString::fromStdString(r.message).startsWith(
                    message.isEmpty() ? QString() : QString::fromStdString(file) + ": " + message),
                r.message.c_str());
            QCOMPARE(link.radio->received().empty(), !message.isEmpty());
        }
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("error"); // "=rate port output": no error, and what was read
        const char *rows[][3] = {
            {"highest rate by default", "read --port a", "=115200 a "},
            {"--opt=value, -o -", "read --port=a --rate=19200 -o -", "=19200 a -"},
            {"value of a flag", "read --port a --json=yes", "option '--json' takes no value"},
            {"empty value", "read --port=", "--port needs a device"},
            {"write", "write --port a --port b f.tdf", ""},
            {"help", "read --no-such --help", ""},
            {"no verb", "", "no verb given"},
            {"verb", "erase", "unknown verb 'erase'"},
            {"file", "write --port a", "write needs one data file"},
            {"port", "verify f.tdf", "verify needs --port"},
            {"rate", "read --port a --rate 2400", "--rate must be"},
            {"option of another verb", "read --port a --no-verify", "unknown option '--no-verify'"},
            {"-o and ports", "read --port a --port b -o x", "-o names one file"},
            {"diff", "diff a.tdf", "diff needs two data files"},
            {"export", "export a.tdf -o a.yaml", ""},
            {"import", "import a.yaml --base b.tdf -o c.tdf", ""},
            {"import without base", "import a.yaml -o c.tdf", "import needs --base BASE.tdf"},
            {"csv by its name", "import list.CSV --base b.tdf -o c.tdf",
             "a channel CSV import needs --group N"},
            {"csv group", "export a.tdf --csv --group 25", ""},
            {"group 26", "export a.tdf --csv --group 26",
             "--group needs a group number from 1 to 25"},
            {"group of yaml", "export a.tdf --group 3", "--group is for channel CSV"}};
        for (const auto &[name, args, error] : rows)
            QTest::newRow(name) << QString(args) << QString(error);
    }
    void commandLine()
    {
        QFETCH(QString, args);
        QFETCH(QString, error);
        std::vector<std::string> list;
        for (const QString &a : args.split(' ', Qt::SkipEmptyParts))
            list.push_back(a.toStdString());
        const CliCommand c = ParseCommandLine(list);
        if (error.startsWith('='))
            QCOMPARE(QString("=%1 %2 %3")
                         .arg(c.rate)
                         .arg(QString::fromStdString(c.ports.empty() ? "" : c.ports[0]),
                              QString::fromStdString(c.output)),
                     error);
        else
            QVERIFY2(QString::fromStdString(c.error).startsWith(error), c.error.c_str());
        QCOMPARE(c.error.empty(), error.isEmpty() || error.startsWith('='));
        QVERIFY(ParseCommandLine({"--version"}).version);
        QCOMPARE(CommPortNumber("comm port 3") * 10 + CommPortNumber("Comm Port 11"), 30);
    }
};

QTEST_GUILESS_MAIN(TestCliJobs)
#include "tst_clijobs.moc"
