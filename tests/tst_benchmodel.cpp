#include "benchmodel.h"

#include <QProcess>
#include <QtTest>

#include <functional>

using Setup = std::function<void(RadioBench &, VirtualRadio &)>;
using Reading = std::function<double(const RadioBench &)>;
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Reading)

namespace
{

void Put16(VirtualRadio &radio, int address, int value)
{
    radio.eeprom[address] = static_cast<std::uint8_t>(value >> 8);
    radio.eeprom[address + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

// Channel 1 at rx / tx MHz, narrow band.
void Channel1(VirtualRadio &radio, double rx, double tx)
{
    Put16(radio, 0x0500, static_cast<int>((rx - 100.0) / 0.00125 + 0.5));
    Put16(radio, 0x0508, static_cast<int>((tx - 100.0) / 0.00125 + 0.5));
    radio.eeprom[0x0502] = 0x08;
}

} // namespace

class TestBenchModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void instrumentsFollowTheRadio_data()
    {
        QTest::addColumn<Setup>("change");
        QTest::addColumn<Reading>("reading");
        QTest::addColumn<double>("delta");
        const Reading counter = [](const RadioBench &b) { return b.counterHz(); };
        const Reading volts = [](const RadioBench &b) { return b.tuningVolts(); };
        const Reading noise = [](const RadioBench &b) { return double(b.noiseLevel()); };
        QTest::newRow("adjust +1 ppm")
            << Setup([](RadioBench &, VirtualRadio &r) { Put16(r, 0x1F, 512); }) << counter
            << 173.995;
        QTest::newRow("adjust -1 ppm")
            << Setup([](RadioBench &, VirtualRadio &r) { Put16(r, 0x1F, 0xFE00); }) << counter
            << -173.995;
        QTest::newRow("crystal +2 ppm")
            << Setup([](RadioBench &b, VirtualRadio &) { b.crystalErrorPpm = 2; }) << counter
            << 347.99;
        QTest::newRow("coil") << Setup([](RadioBench &b, VirtualRadio &) { b.coilVolts -= 0.25; })
                              << volts << -0.25;
        QTest::newRow("rx coarse at 174 MHz")
            << Setup([](RadioBench &, VirtualRadio &r) { Put16(r, 0x0303, 16000 + 875); }) << volts
            << -0.5;
        QTest::newRow("tx coarse at 174 MHz") << Setup([](RadioBench &b, VirtualRadio &r) {
            b.transparentTX = true;
            Put16(r, 0x030C, 24000 - 875);
        }) << volts << 0.5;
        QTest::newRow("narrow squelch gain +8")
            << Setup([](RadioBench &, VirtualRadio &r) { r.eeprom[0x43] += 8; }) << noise << -4.0;
        QTest::newRow("wide gain leaves narrow")
            << Setup([](RadioBench &, VirtualRadio &r) { r.eeprom[0x4C] += 8; }) << noise << 0.0;
        QTest::newRow("rf level x2")
            << Setup([](RadioBench &b, VirtualRadio &) { b.rfLevelUv *= 2; }) << noise << -12.0;
        QTest::newRow("curve dac doubled")
            << Setup([](RadioBench &b, VirtualRadio &) { b.curveDAC *= 2; })
            << Reading([](const RadioBench &b) { return b.powerWatts(); }) << 0.9375;
        QTest::newRow("pot +40") << Setup([](RadioBench &b, VirtualRadio &) { b.pot[0] += 40; })
                                 << Reading([](const RadioBench &b) { return b.deviationKHz(); })
                                 << 0.75;
        QTest::newRow("slope off by 2000")
            << Setup([](RadioBench &, VirtualRadio &r) { Put16(r, 0x031F, 17500 + 2000); })
            << Reading([](const RadioBench &b) { return b.sinadDb(); }) << -1.0;
    }

    void instrumentsFollowTheRadio()
    {
        QFETCH(Setup, change);
        QFETCH(Reading, reading);
        QFETCH(double, delta);
        VirtualRadio radio;
        RadioBench bench(radio);
        Channel1(radio, 174.0, 174.0);
        Put16(radio, 0x0303, 16000);
        Put16(radio, 0x030C, 24000);
        Put16(radio, 0x031F, 17500);
        radio.eeprom[0x43] = 0x70;
        bench.rfLevelUv = 1.0;
        bench.coilVolts = 0.0;
        bench.transparentTX = false;
        bench.curveDAC = 200;
        bench.pot[0] = 160;
        const double before = reading(bench);
        bench.transparentTX = QByteArray(QTest::currentDataTag()).startsWith("curve") ||
                              QByteArray(QTest::currentDataTag()).startsWith("pot");
        const double base = bench.transparentTX ? reading(bench) : before;
        change(bench, radio);
        QVERIFY2(std::abs(reading(bench) - base - delta) < 0.01,
                 qPrintable(QString::number(reading(bench) - base)));
    }

    void simulatorTakesBenchCommands()
    {
        QProcess sim;
        sim.start(TESSARO_RADIO_SIM, {"--coil", "0.5"});
        QVERIFY(sim.waitForStarted());
        auto line = [&sim] {
            while (!sim.canReadLine() && sim.waitForReadyRead(3000)) {
            }
            return QString::fromUtf8(sim.readLine()).trimmed();
        };
        auto volts = [](const QString &text) { return text.section(' ', -2, -2).toDouble(); };
        QVERIFY(line().startsWith("/dev/pts/"));
        const QString first = line();
        QVERIFY(first.startsWith("bench: counter "));
        sim.write("coil -0.2\ncoil 0.1\nturn\n");
        QCOMPARE(volts(line()), volts(first) - 0.2);
        QCOMPARE(volts(line()), volts(first) - 0.4);
        QCOMPARE(line(), QString("bench: not understood: turn"));
        sim.terminate();
        sim.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestBenchModel)
#include "tst_benchmodel.moc"
