// `tessaro write` on three radios at once, each a tessaro-radio-sim on its own pseudo-terminal:
// a good one, one that corrupts a written byte, and one whose memory differs elsewhere. And the
// tool's export and import of a data file as text.

#include "defaultimage.h"
#include "layout.h"

#include <QtTest>

#include <csignal>
#include <memory>
#include <unistd.h>

class TestCliPty : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_sims;

    QByteArray Image(int seed)
    {
        QByteArray bytes(65536, 0);
        for (int a = 0; a < bytes.size(); ++a)
            bytes[a] = static_cast<char>((a * (seed + 3) + seed) & 0xFF);
        return bytes;
    }
    QString Path(const QString &name) { return m_dir.filePath(name); }
    QString Write(const QString &name, const QByteArray &bytes)
    {
        QFile f(Path(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return f.fileName();
    }
    // A data file of the default image.
    QString DefaultBase()
    {
        MemMapImage image;
        LoadDefaultImage(image);
        const std::vector<std::uint8_t> bytes = UsedPagesBytes(image);
        return Write("base.tdf", QByteArray(reinterpret_cast<const char *>(bytes.data()),
                                            qsizetype(bytes.size())));
    }
    // Runs the tool to its end.
    static std::unique_ptr<QProcess> Run(const QStringList &args)
    {
        auto tool = std::make_unique<QProcess>();
        tool->start(TESSARO_CLI, args);
        tool->waitForFinished(30000);
        return tool;
    }
    // Starts a virtual radio on its own pseudo-terminal and gives its device.
    QString StartSim(const QStringList &args)
    {
        auto sim = std::make_unique<QProcess>();
        sim->start(TESSARO_RADIO_SIM, args);
        sim->waitForStarted(5000);
        QElapsedTimer timer;
        timer.start();
        while (!sim->canReadLine() && timer.elapsed() < 5000)
            sim->waitForReadyRead(100);
        const QString device = QString::fromUtf8(sim->readLine()).trimmed();
        m_sims.push_back(std::move(sim));
        return device;
    }
    QByteArray Read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void cleanupTestCase()
    {
        for (auto &sim : m_sims) {
            sim->terminate();
            sim->waitForFinished(3000);
        }
    }

    // Three radios at once: one corrupts a written byte, and the report names it; or Ctrl+C
    // reaches every worker, whether the tool passes it on or the terminal sends it to all of
    // them (and the tool once more), and each radio stops between two commands.
    void fleet_data()
    {
        QTest::addColumn<int>("interrupt"); // 0 none, 1 to the tool, 2 to its process group
        QTest::newRow("one radio corrupts a byte") << 0;
        QTest::newRow("Ctrl+C to the tool") << 1;
        QTest::newRow("Ctrl+C to its process group, as a terminal does") << 2;
    }

    void fleet()
    {
        QFETCH(int, interrupt);
        const int corruptAt = Layout::ChanFieldAddress(1, 2, Layout::ChTxFreq);
        QStringList ports, args{"write", "--json", Write("fleet.tdf", Image(7).left(26624))};
        for (int i = 0; i < 3; ++i) {
            QStringList sim{"--load", Write(QStringLiteral("radio%1.bin").arg(i), Image(i)),
                            "--dump", Path(QStringLiteral("dump%1.bin").arg(i))};
            if (interrupt)
                sim << "--pace"
                    << "--max-baud"
                    << "19200";
            else if (i == 1)
                sim << "--corrupt-write" << QString::number(corruptAt);
            ports << "--port" << StartSim(sim);
        }
        if (interrupt)
            args << "--no-backup"
                 << "--no-verify";
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", Path("data"));
        tool.setProcessEnvironment(env);
        tool.setChildProcessModifier([] { ::setpgid(0, 0); });
        tool.setReadChannel(QProcess::StandardError);
        tool.start(TESSARO_CLI, args + ports);
        QByteArray progress;
        while (interrupt && !progress.contains("25%") && tool.waitForReadyRead(10000))
            progress += tool.readAllStandardError();
        if (interrupt) {
            QVERIFY2(progress.contains("25%") && tool.processId() > 0, progress.constData());
            ::kill(static_cast<pid_t>(interrupt == 2 ? -tool.processId() : tool.processId()),
                   SIGINT);
        }
        QVERIFY(tool.waitForFinished(120000));
        QCOMPARE(tool.exitCode(), interrupt ? 130 : 1);
        const QJsonArray radios =
            QJsonDocument::fromJson(tool.readAllStandardOutput())["radios"].toArray();
        QCOMPARE(radios.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const QJsonObject r = radios[i].toObject();
            QCOMPARE(r["port"].toString(), ports[2 * i + 1]);
            if (interrupt) {
                QCOMPARE(r.value("message").toString(),
                         QString("interrupted: the radio is partly written; write it again"));
                continue;
            }
            // The verify read each radio back; the in-process jobs check what a write changes.
            QCOMPARE(r.value("ok").toBool(), i != 1);
            const QByteArray dump = Read(Path(QStringLiteral("dump%1.bin").arg(i)));
            QCOMPARE(dump.size(), 65536);
            QCOMPARE(dump[corruptAt] ^ Image(7)[corruptAt], i == 1 ? 1 : 0);
            // Each backup holds that radio's own image from before the write.
            const QByteArray backup = Read(r.value("backup").toString());
            QCOMPARE(backup.mid(1024), Image(i).mid(1024, 25 * 1024));
        }
        const QJsonArray diffs = radios[1]["differences"].toArray();
        QCOMPARE(diffs.size(), interrupt ? 0 : 1);
        for (const QJsonValue &d : diffs)
            QCOMPARE(QString("%1 %2 ").arg(d["group"].toInt()).arg(d["channel"].toInt()) +
                         d["field"].toString(),
                     QString("2 3 TX Freq"));
    }

    // Export, edit one value, import: a refused value names its line and writes nothing.
    void exportImport_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("accepted") << "Battery Saver: \"Allow\""
                                  << "Battery Saver: \"Inhibit\"" << 0 << "";
        QTest::newRow("refused") << "RX Freq: \"162.55000\""
                                 << "RX Freq: \"180.00000\"" << 2
                                 << "Group 1 Channel 2 RX Freq: \"180.00000\" is not a frequency";
    }

    void exportImport()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const QString base = DefaultBase();
        auto exported = Run({"export", base});
        QCOMPARE(exported->exitCode(), 0);
        QString text = QString::fromUtf8(exported->readAllStandardOutput());
        QVERIFY(text.contains(from));
        const int at = int(text.indexOf(from));
        const QString line = QString::number(text.left(at).count('\n') + 1);
        const QString yaml = Write("in.yaml", text.replace(at, from.size(), to).toUtf8());
        QFile::remove(Path("out.tdf"));
        auto imported = Run({"import", yaml, "--base", base, "-o", Path("out.tdf")});
        QCOMPARE(imported->exitCode(), exitCode);
        const QString errors = QString::fromUtf8(imported->readAllStandardError());
        QVERIFY2(message.isEmpty() ? errors.isEmpty()
                                   : errors.startsWith(yaml + ":" + line + ": " + message),
                 qPrintable(errors));
        QCOMPARE(QFile::exists(Path("out.tdf")), exitCode == 0);
        if (exitCode == 0)
            QCOMPARE(Run({"export", Path("out.tdf")})->readAllStandardOutput(), text.toUtf8());
    }

    // A channel list into group 2: what cannot be carried is listed, the rest is written.
    void channelCsv()
    {
        const QString csv = Write("list.csv", "Location,Name,Frequency,Duplex,Offset\r\n"
                                              "1,PORT OPS,156.600000,,0.000000\r\n"
                                              "2,HIGH,223.500000,,0.000000\r\n");
        auto tool =
            Run({"import", csv, "--group", "2", "--base", DefaultBase(), "-o", Path("out.tdf")});
        QCOMPARE(tool->exitCode(), 0);
        const QString errors = QString::fromUtf8(tool->readAllStandardError());
        QVERIFY2(errors.startsWith(csv + ":3: "), qPrintable(errors));
        tool = Run({"export", Path("out.tdf"), "--csv", "--group", "2"});
        const QStringList rows = QString::fromUtf8(tool->readAllStandardOutput()).split("\r\n");
        QVERIFY2(rows.size() == 3 && rows[1].startsWith("1,PORT OPS,156.600000,"),
                 qPrintable(rows.join('|')));
    }
};

QTEST_GUILESS_MAIN(TestCliPty)
#include "tst_clipty.moc"
