// The virtual bench's test set in process, then the instruments over real connections: liblxi
// to the simulator's test set on 127.0.0.1, and SCPI on a serial line played by a
// pseudo-terminal. The bench's own commands on the simulator's input too.
#include "benchinstrument.h"
#include "fakeclock.h"
#include "instrumentprofile.h"
#include "lxiinstrument.h"
#include "profiletestset.h"
#include "qtserialinstrument.h"
#include "siminstrument.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <fcntl.h>
#include <functional>
#include <memory>
#include <poll.h>
#include <thread>
#include <unistd.h>

using Measure = std::function<bool(TestSet &, double &)>;
using Setup = std::function<void(RadioBench &, VirtualRadio &)>;
using Reading = std::function<double(const RadioBench &)>;
Q_DECLARE_METATYPE(Measure)
Q_DECLARE_METATYPE(Setup)
using Scenario = std::function<void(QProcess &sim, LxiInstrument &lxi)>;
Q_DECLARE_METATYPE(Reading)
Q_DECLARE_METATYPE(Scenario)

namespace
{

void Put16(VirtualRadio &radio, int address, int value)
{
    radio.eeprom[address] = static_cast<std::uint8_t>(value >> 8);
    radio.eeprom[address + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

// A narrow-band channel 1 on 174 MHz, the front end at the bench's ideal.
void Seed(VirtualRadio &radio)
{
    Put16(radio, 0x0500, 59200);
    Put16(radio, 0x0508, 59200);
    radio.eeprom[0x0502] = 0x08;
    Put16(radio, 0x031F, 17500);
    Put16(radio, 0x001F, 0);
}

struct Bench {
    VirtualRadio radio;
    RadioBench bench{radio};
    FakeClock clock;
    BenchInstrument instrument{bench, radio, clock};
    SimInstrument link{instrument};
    std::unique_ptr<ProfileTestSet> testSet;

    Bench()
    {
        Seed(radio);
        instrument.noiseScale = 0.0;
        QFile file(qEnvironmentVariable("TESSARO_SOURCE_DIR") +
                   "/resources/instruments/virtual-bench.yaml");
        InstrumentProfile profile;
        std::string error;
        if (file.open(QIODevice::ReadOnly) &&
            ParseInstrumentProfile(file.readAll().toStdString(), profile, error))
            testSet = std::make_unique<ProfileTestSet>(link, profile);
        link.connect("tcp://127.0.0.1:5025", 1000);
    }
};

std::string SimAddress; // the test set of the simulator that overTcp() runs

// The generator on channel 1 at the level, 1.5 kHz of a 1 kHz tone.
bool Generator(TestSet &t, double dbm)
{
    return t.setGeneratorFrequencyHz(174e6) && t.setGeneratorLevelDbm(dbm) &&
           t.setGeneratorModulation(1500, 1000) && t.setGeneratorOutput(true);
}

} // namespace

class TestBenchInstrument : public QObject
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
        Seed(radio);
        Put16(radio, 0x0303, 16000);
        Put16(radio, 0x030C, 24000);
        radio.eeprom[0x43] = 0x70;
        bench.rfLevelUv = 1.0;
        bench.coilVolts = 0.0;
        bench.curveDAC = 200;
        bench.pot[0] = 160;
        bench.transparentTX = QByteArray(QTest::currentDataTag()).startsWith("curve") ||
                              QByteArray(QTest::currentDataTag()).startsWith("pot");
        const double base = reading(bench);
        change(bench, radio);
        QVERIFY2(std::abs(reading(bench) - base - delta) < 0.01,
                 qPrintable(QString::number(reading(bench) - base)));
    }

    void readings_data()
    {
        QTest::addColumn<Setup>("change");
        QTest::addColumn<double>("wait"); // seconds after the change
        QTest::addColumn<Measure>("measure");
        QTest::addColumn<double>("expected");
        const Measure power = [](TestSet &t, double &v) { return t.rfPowerW(v); };
        const Measure deviation = [](TestSet &t, double &v) { return t.fmDeviationHz(v); };
        const Setup keyed = [](RadioBench &b, VirtualRadio &) {
            b.transparentTX = true;
            b.curveDAC = 800;
            b.pot[0] = 160;
        };
        QTest::newRow("power one time constant on")
            << keyed << BenchInstrument::PowerSettle << power << 5.0 * (1 - std::exp(-1.0));
        QTest::newRow("deviation") << keyed << 5.0 << deviation << 3000.0;
        QTest::newRow("amplifier that cannot reach 5 W")
            << Setup([keyed](RadioBench &b, VirtualRadio &r) {
                   keyed(b, r);
                   b.powerCeilingW = 4.0;
               })
            << 5.0 << power << 4.0;
        const double at1uV = 8.0 + 20.0 * std::log10(1.0 / 0.35);
        // SINAD with the generator on channel 1 at 1 uV, after a step.
        const auto sinad = [](std::function<bool(TestSet &)> step) {
            return Measure([step](TestSet &t, double &v) {
                return Generator(t, -106.99) && step(t) && t.sinadDb(v);
            });
        };
        const Setup none = [](RadioBench &, VirtualRadio &) {};
        QTest::newRow("SINAD at 1 uV")
            << none << 5.0 << sinad([](TestSet &) { return true; }) << at1uV;
        QTest::newRow("SINAD 3 kHz off the channel")
            << none << 5.0 << sinad([](TestSet &t) { return t.setGeneratorFrequencyHz(174.003e6); })
            << at1uV - 10.0;
        QTest::newRow("SINAD with half the deviation")
            << none << 5.0 << sinad([](TestSet &t) { return t.setGeneratorModulation(750, 1000); })
            << at1uV - 20.0 * std::log10(2.0);
        QTest::newRow("SINAD with the output off")
            << none << 5.0 << sinad([](TestSet &t) { return t.setGeneratorOutput(false); }) << 0.0;
        QTest::newRow("deaf receiver, one time constant on")
            << Setup([](RadioBench &b, VirtualRadio &) { b.sensitivityLossDb = 15; })
            << BenchInstrument::SinadSettle << sinad([](TestSet &) { return true; })
            << at1uV - 15.0 * (1 - std::exp(-1.0));
    }

    void readings()
    {
        QFETCH(Setup, change);
        QFETCH(double, wait);
        QFETCH(Measure, measure);
        QFETCH(double, expected);
        Bench b;
        std::string id; // the shipped profile knows the bench's test set
        QVERIFY(b.testSet && b.testSet->identify(id) && b.testSet->preset());
        double v = 0.0;
        QVERIFY(measure(*b.testSet, v)); // settled on the bench as it was
        b.clock.advance(5.0);
        change(b.bench, b.radio);
        b.instrument.Track();
        b.clock.advance(wait);
        QVERIFY2(measure(*b.testSet, v), b.testSet->lastErrorText().c_str());
        QVERIFY2(
            std::abs(v - expected) < 1e-6 * std::max(1.0, std::abs(expected)),
            qPrintable(QString("%1 instead of %2").arg(v, 0, 'f', 4).arg(expected, 0, 'f', 4)));
    }

    // Radio commands move the meters at the moment they happen.
    void radioCommandsStartTheSettling()
    {
        Bench b;
        b.radio.receive({0x00, 0x0A, 0x14, 0x28}); // wake-up
        b.clock.advance(1.0);
        b.testSet->preset();
        double watts = 0.0;
        QVERIFY(b.testSet->rfPowerW(watts) && watts == 0.0);
        b.radio.receive({0xF3});                   // transmit
        b.radio.receive({0xFB, 0x03, 0x20, 0x00}); // curve DAC 800
        b.clock.advance(BenchInstrument::PowerSettle);
        QVERIFY(b.testSet->rfPowerW(watts));
        QVERIFY(std::abs(watts - 5.0 * (1 - std::exp(-1.0))) < 1e-9);
    }

    void scpi_data()
    {
        QTest::addColumn<QString>("lines"); // sent, split at '|'
        QTest::addColumn<QString>("replies");
        QTest::addColumn<QString>("error"); // what SYST:ERR? says afterwards
        const char *const none = "0,\"No error\"", *const conflict = "-221,\"Settings conflict\"";
        const char *const rows[][3] = {
            {"*idn?", "ZPA,TB-1 Virtual Test Set,000001,1.0", none},
            {"SOURce:FREQuency 150.0125 MHz;:SOUR:FREQ?|OUTPut:STATe ON|OUTP?",
             "1.5001250000E+08|1", none},
            {"CONF:MODE TX|MEAS:SIN?", "9.9100000000E+37", conflict},
            {"MEAS:VOLT?", "", "-113,\"Undefined header\""},
            {"SOUR:POW loud|SOUR:POW?", "-1.2700000000E+02", "-224,\"Illegal parameter value\""},
            {"SOUR:POW 10", "", "-222,\"Data out of range\""},
            {"SOUR:FM:DEV", "", "-109,\"Missing parameter\""},
            {"FOO|*RST|OUTP?", "0", none}, // a preset clears the errors
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString(row[0]) << QString(row[1]) << QString(row[2]);
    }

    void scpi()
    {
        QFETCH(QString, lines);
        QFETCH(QString, replies);
        QFETCH(QString, error);
        Bench b;
        QStringList got;
        for (const QString &line : lines.split('|')) {
            std::string reply;
            if (b.instrument.Handle(line.toStdString(), reply))
                got << QString::fromStdString(reply);
        }
        QCOMPARE(got.join('|'), replies);
        std::string reply;
        QVERIFY(b.instrument.Handle("SYST:ERR?", reply));
        QCOMPARE(QString::fromStdString(reply), error);
    }

    void noiseIsSmallAndCentred()
    {
        Bench b;
        b.instrument.noiseScale = 1.0;
        b.testSet->preset();
        b.clock.advance(1.0);
        double sum = 0.0, squares = 0.0, hz = 0.0;
        for (int i = 0; i < 400; ++i) {
            QVERIFY(b.testSet->counterFrequencyHz(hz));
            sum += hz - 174e6;
            squares += (hz - 174e6) * (hz - 174e6);
        }
        const double mean = sum / 400, sigma = std::sqrt(squares / 400 - mean * mean);
        QVERIFY2(std::abs(mean) < 0.2 && sigma > 0.8 && sigma < 1.2,
                 qPrintable(QString("mean %1 sigma %2").arg(mean).arg(sigma)));
    }

    void overTcp_data()
    {
        QTest::addColumn<Scenario>("scenario");
        QTest::newRow("silence, then the next reply is its own")
            << Scenario([](QProcess &, LxiInstrument &lxi) {
                   std::string reply;
                   QVERIFY(!lxi.query("MEAS:VOLT?", reply, 300));
                   QVERIFY(QString::fromStdString(lxi.lastErrorText()).contains("did not answer"));
                   QVERIFY(lxi.isConnected());
                   QVERIFY(lxi.query("*OPC?", reply, 2000));
                   QCOMPARE(reply, std::string("1"));
               });
        QTest::newRow("instrument gone") << Scenario([](QProcess &sim, LxiInstrument &lxi) {
            sim.kill();
            sim.waitForFinished();
            QElapsedTimer timer;
            timer.start();
            std::string reply;
            QVERIFY(!lxi.query("*IDN?", reply, 5000));
            QVERIFY(QString::fromStdString(lxi.lastErrorText()).contains("lost"));
            QVERIFY(!lxi.isConnected() && !lxi.write("*RST"));
            QVERIFY(timer.elapsed() < 2000);
            // Nobody listens there now.
            QVERIFY(!lxi.connect(SimAddress, 1000));
            QVERIFY(QString::fromStdString(lxi.lastErrorText()).contains("No instrument answers"));
        });
        QTest::newRow("bench commands on the input")
            << Scenario([](QProcess &sim, LxiInstrument &) {
                   const auto line = [&sim] {
                       while (!sim.canReadLine() && sim.waitForReadyRead(3000)) {
                       }
                       return QString::fromUtf8(sim.readLine()).trimmed();
                   };
                   const auto volts = [](const QString &text) {
                       return text.section(' ', -2, -2).toDouble();
                   };
                   const QString first = line();
                   QVERIFY(first.startsWith("bench: counter "));
                   sim.write("coil -0.2\ncoil 0.1\nturn\n");
                   QCOMPARE(volts(line()), volts(first) - 0.2);
                   QCOMPARE(volts(line()), volts(first) - 0.4);
                   QCOMPARE(line(), QString("bench: not understood: turn"));
               });
    }

    void overTcp()
    {
        QFETCH(Scenario, scenario);
        QProcess sim;
        sim.start(TESSARO_RADIO_SIM, {"--instrument", "0", "--coil", "0.5"});
        QVERIFY(sim.waitForStarted());
        QString address;
        while (address.isEmpty() && (sim.canReadLine() || sim.waitForReadyRead(5000))) {
            const QString line = QString::fromUtf8(sim.readLine()).trimmed();
            if (line.startsWith("bench: test set on "))
                address = line.mid(19);
        }
        QVERIFY(address.startsWith("tcp://127.0.0.1:"));
        SimAddress = address.toStdString();
        LxiInstrument lxi;
        QVERIFY2(lxi.connect(address.toStdString(), 2000), lxi.lastErrorText().c_str());
        scenario(sim, lxi);
        sim.terminate();
        sim.waitForFinished();
    }

    // An old service monitor on a serial line: answers *IDN? after a pause, in two pieces
    // with CR LF; stays silent to anything else.
    void serialLine()
    {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const std::string device = ::ptsname(master);
        bool stop = false;
        std::thread monitor([&] {
            std::string input;
            while (!stop) {
                pollfd p{master, POLLIN, 0};
                char c = 0;
                if (::poll(&p, 1, 20) <= 0 || ::read(master, &c, 1) != 1)
                    continue;
                if (c != '\n') {
                    input += c;
                    continue;
                }
                if (input == "*IDN?") {
                    ::usleep(50000);
                    (void)!::write(master, "HP,8920A,", 9);
                    ::usleep(20000);
                    (void)!::write(master, "0,A.14\r\n", 9);
                }
                input.clear();
            }
        });
        QtSerialInstrument serial;
        QVERIFY(!serial.connect("serial:///dev/no-such-tty?baud=9600", 100));
        QVERIFY(QString::fromStdString(serial.lastErrorText()).contains("Cannot open"));
        QVERIFY2(serial.connect("serial://" + device + "?baud=9600", 100),
                 serial.lastErrorText().c_str());
        std::string reply;
        QVERIFY2(serial.query("*IDN?", reply, 2000), serial.lastErrorText().c_str());
        QCOMPARE(reply, std::string("HP,8920A,0,A.14"));
        QVERIFY(!serial.query("MEAS:SIN?", reply, 200));
        QVERIFY(QString::fromStdString(serial.lastErrorText()).contains("did not answer"));
        QVERIFY(serial.query("*IDN?", reply, 2000));
        serial.disconnect();
        stop = true;
        monitor.join();
        ::close(master);
    }
};

QTEST_GUILESS_MAIN(TestBenchInstrument)
#include "tst_benchinstrument.moc"
