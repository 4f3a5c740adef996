// `tessaro write` on three radios at once, each a tessaro-radio-sim on its own pseudo-terminal:
// a good one, one that corrupts a written byte, and one whose memory differs elsewhere.

#include "fielddiff.h"
#include "layout.h"

#include <QtTest>

#include <memory>

class TestCliPty : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_sims;
    QStringList m_ports;

    QByteArray Image(int seed)
    {
        QByteArray bytes(65536, 0);
        for (int a = 0; a < bytes.size(); ++a)
            bytes[a] = static_cast<char>((a * (seed + 3) + seed) & 0xFF);
        return bytes;
    }
    QString Path(const QString &name) { return m_dir.filePath(name); }
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

    void writeThreeRadios()
    {
        QVERIFY(m_dir.isValid());
        const int corruptAt = Layout::ChanFieldAddress(1, 2, Layout::ChTxFreq);
        for (int i = 0; i < 3; ++i) {
            QFile image(Path(QStringLiteral("radio%1.bin").arg(i)));
            QVERIFY(image.open(QIODevice::WriteOnly));
            image.write(Image(i));
            image.close();
            auto sim = std::make_unique<QProcess>();
            QStringList args{"--load", image.fileName(), "--dump",
                             Path(QStringLiteral("dump%1.bin").arg(i))};
            if (i == 1)
                args << "--corrupt-write" << QString::number(corruptAt);
            sim->start(TESSARO_RADIO_SIM, args);
            QVERIFY(sim->waitForStarted(5000));
            QElapsedTimer timer;
            timer.start();
            while (!sim->canReadLine() && timer.elapsed() < 5000)
                sim->waitForReadyRead(100);
            m_ports << "--port" << QString::fromUtf8(sim->readLine()).trimmed();
            m_sims.push_back(std::move(sim));
        }
        const QByteArray file = Image(7).left(26624);
        QFile tdf(Path("fleet.tdf"));
        QVERIFY(tdf.open(QIODevice::WriteOnly));
        tdf.write(file);
        tdf.close();

        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", Path("data"));
        tool.setProcessEnvironment(env);
        tool.start(TESSARO_CLI,
                   QStringList{"write", "--rate", "115200", "--json", tdf.fileName()} + m_ports);
        QVERIFY(tool.waitForFinished(120000));
        QCOMPARE(tool.exitCode(), 1);
        const QJsonArray radios = QJsonDocument::fromJson(tool.readAllStandardOutput())
                                      .object()
                                      .value("radios")
                                      .toArray();
        QCOMPARE(radios.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const QJsonObject r = radios[i].toObject();
            QCOMPARE(r.value("port").toString(), m_ports[2 * i + 1]);
            QCOMPARE(r.value("ok").toBool(), i != 1);
            const QByteArray dump = Read(Path(QStringLiteral("dump%1.bin").arg(i)));
            QCOMPARE(dump.size(), 65536);
            for (int a = 0; a < 26624; ++a) {
                const int mask =
                    OwnedMask(a / 1024, a % 1024) & (a == corruptAt && i == 1 ? 0xFE : 0xFF);
                QVERIFY((dump[a] & mask) == (file[a] & mask));
            }
            // Each backup holds that radio's own image from before the write.
            const QByteArray backup = Read(r.value("backup").toString());
            QCOMPARE(backup.mid(1024), Image(i).mid(1024, 25 * 1024));
        }
        const QJsonArray diffs = radios[1].toObject().value("differences").toArray();
        QCOMPARE(diffs.size(), 1);
        QCOMPARE(diffs[0].toObject().value("group").toInt(), 2);
        QCOMPARE(diffs[0].toObject().value("channel").toInt(), 3);
        QCOMPARE(diffs[0].toObject().value("field").toString(), QString("TX Freq"));
    }
};

QTEST_GUILESS_MAIN(TestCliPty)
#include "tst_clipty.moc"
