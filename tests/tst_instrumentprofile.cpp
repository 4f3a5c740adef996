#include "fakeinstrument.h"
#include "fakeplatform.h"
#include "instrumentaddress.h"
#include "instrumentprofile.h"
#include "profilefolders.h"
#include "profiletestset.h"

#include <QFile>
#include <QtTest>

#include <cmath>

namespace
{

const char TestProfile[] = R"(
name: Test set
identify: "*IDN?"
identity_contains: "TB-1"
preset: ["*RST", "*CLS"]
error_query: "SYST:ERR?"
measure:
  counter_frequency: {setup: ["CONF:MODE TX"], query: "MEAS:FREQ?"}
  rf_power: {setup: "CONF:MODE TX", query: "MEAS:POW?"}
  fm_deviation: {setup: ["CONF:MODE TX"], query: "MEAS:FM:DEV?", scale: 1000}
  sinad: {setup: ["CONF:MODE RX"], query: "MEAS:SIN?"}
generator:
  setup: ["CONF:MODE RX"]
  frequency: "SOUR:FREQ {mhz} MHZ"
  level: "SOUR:POW {dbm}"
  modulation: ["SOUR:FM:DEV {deviation_khz} KHZ", "SOUR:FM:INT:FREQ {tone_hz}"]
  output_on: "OUTP ON"
  output_off: "OUTP OFF"
)";

} // namespace

class TestInstrumentProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void address_data()
    {
        QTest::addColumn<QString>("text");
        // kind host port, or serial device baud databits parity stopbits rtscts, or "!" and a
        // word of the error
        QTest::addColumn<QString>("expected");
        const char *const rows[][2] = {
            {"tcp://bench-1.lab:4000", "tcp bench-1.lab 4000"},
            {"tcp://monitor", "tcp monitor 5025"},
            {"tcp://monitor:0", "! port"},
            {"tcp://monitor:65536", "! port"},
            {"tcp://a b:5025", "! host"},
            {"vxi11://10.1.2.3", "vxi11 10.1.2.3"},
            {"vxi11://", "! host"},
            {"serial:///dev/ttyS0", "serial /dev/ttyS0 9600 8 N 1 0"},
            {"serial:///dev/ttyUSB0?baud=19200&databits=7&parity=e&stopbits=2&flow=rtscts",
             "serial /dev/ttyUSB0 19200 7 E 2 1"},
            {"serial:///dev/ttyUSB1?baud=fast", "! baud"},
            {"serial:///dev/ttyUSB1?speed=9600", "! speed"},
            {"serial://ttyUSB1", "! device"},
            {"serial:///dev/../etc/passwd", "! device"},
            {"192.168.1.20", "! tcp://"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString(row[0]) << QString(row[1]);
    }

    void address()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        InstrumentAddress a;
        std::string error;
        const bool ok = ParseInstrumentAddress(text.toStdString(), a, error);
        QCOMPARE(ok, !expected.startsWith('!'));
        if (!ok)
            QVERIFY2(QString::fromStdString(error).contains(expected.mid(2)), error.c_str());
        else if (a.kind == InstrumentAddress::Kind::Serial)
            QCOMPARE(QString::asprintf("serial %s %d %d %c %d %d", a.device.c_str(), a.baud,
                                       a.dataBits, a.parity, a.stopBits, int(a.rtsCts)),
                     expected);
        else
            QCOMPARE(a.kind == InstrumentAddress::Kind::Tcp
                         ? QString::asprintf("tcp %s %d", a.host.c_str(), a.port)
                         : "vxi11 " + QString::fromStdString(a.host),
                     expected);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("yaml");
        QTest::addColumn<QString>("error"); // empty: loads
        const QString base = TestProfile;
        QFile shipped(qEnvironmentVariable("TESSARO_SOURCE_DIR") +
                      "/resources/instruments/template.yaml.example");
        QTest::newRow("shipped template")
            << (shipped.open(QIODevice::ReadOnly) ? QString::fromUtf8(shipped.readAll())
                                                  : QString())
            << "";
        QTest::newRow("test profile") << base << "";
        // The test profile with one text replaced.
        const char *const rows[][3] = {
            {"  sinad: {setup: [\"CONF:MODE RX\"], query: \"MEAS:SIN?\"}\n", "", "lacks \"sinad\""},
            {"rf_power", "rf_pwr", "line 9: \"rf_pwr\" is no key of measure"},
            {"[\"*RST\", \"*CLS\"]", "[\"*RST\"", "line "},
            {"{dbm}", "{dbuv}", "{dbuv}"},
            {"\"OUTP ON\"", "\"OUTP {hz}\"", "{hz}"},
            {"scale: 1000", "scale: kHz", "\"scale\" must be a number"},
            {"\"MEAS:POW?\"", "\"\"", "\"query\" must be one line"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[2]) << QString(base).replace(row[0], row[1]) << QString(row[2]);
        QTest::newRow("empty file") << ""
                                    << "must be a map";
    }

    void parse()
    {
        QFETCH(QString, yaml);
        QFETCH(QString, error);
        QVERIFY(!yaml.isNull());
        InstrumentProfile profile;
        std::string why;
        const bool ok = ParseInstrumentProfile(yaml.toStdString(), profile, why);
        QCOMPARE(ok, error.isEmpty());
        QVERIFY2(QString::fromStdString(why).contains(error), why.c_str());
        if (ok)
            QVERIFY(!profile.name.empty() && !profile.sinad.query.empty());
    }

    void testSet_data()
    {
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QString>("replies"); // COMMAND=REPLY|..., in order per command
        QTest::addColumn<QString>("sent");
        QTest::addColumn<double>("value");  // NaN: not a measurement
        QTest::addColumn<QString>("error"); // empty: succeeds
        QTest::addColumn<int>("lostAfter");
        const double none = NAN;
        const struct {
            const char *tag, *calls, *replies, *sent;
            double value;
            const char *error;
            int lostAfter = -1;
        } rows[] = {
            {"counter after its set-up", "counter", "MEAS:FREQ?=+1.7399500120E+08",
             "CONF:MODE TX|SYST:ERR?|MEAS:FREQ?", 173995001.2, ""},
            {"set-up sent once for the same mode", "power deviation",
             "MEAS:POW?=5.0|MEAS:FM:DEV?=2.95 KHZ", "CONF:MODE TX|SYST:ERR?|MEAS:POW?|MEAS:FM:DEV?",
             2950.0, ""},
            {"set-up again after the generator", "power frequency power",
             "MEAS:POW?=4.5|MEAS:POW?=4.75",
             "CONF:MODE TX|SYST:ERR?|MEAS:POW?|CONF:MODE RX|SYST:ERR?|SOUR:FREQ 150.0125 MHZ|"
             "SYST:ERR?|CONF:MODE TX|SYST:ERR?|MEAS:POW?",
             4.75, ""},
            {"modulation fills both lines", "modulation", "",
             "CONF:MODE RX|SYST:ERR?|SOUR:FM:DEV 1.5 KHZ|SOUR:FM:INT:FREQ 1000|SYST:ERR?", none,
             ""},
            {"output off needs no set-up", "off", "", "OUTP OFF|SYST:ERR?", none, ""},
            {"preset forgets the set-up", "sinad preset sinad", "MEAS:SIN?=12.0|MEAS:SIN?=11.5",
             "CONF:MODE RX|SYST:ERR?|MEAS:SIN?|*RST|*CLS|SYST:ERR?|CONF:MODE RX|SYST:ERR?|"
             "MEAS:SIN?",
             11.5, ""},
            {"no reading", "sinad", "MEAS:SIN?=9.91E37", "CONF:MODE RX|SYST:ERR?|MEAS:SIN?", none,
             "no SINAD reading"},
            {"garbage reply", "power", "MEAS:POW?=OVERLOAD", "CONF:MODE TX|SYST:ERR?|MEAS:POW?",
             none, "OVERLOAD"},
            {"silence", "power", "", "CONF:MODE TX|SYST:ERR?|MEAS:POW?", none,
             "did not answer \"MEAS:POW?\""},
            {"instrument refuses a setting", "level",
             "SYST:ERR?=0,\"No error\"|SYST:ERR?=-222,\"Data out of range\"",
             "CONF:MODE RX|SYST:ERR?|SOUR:POW 20|SYST:ERR?", none,
             "-222,\"Data out of range\"\" after the generator level"},
            {"wrong identity", "identify", "*IDN?=ACME,Counter 9,1,2", "*IDN?", none,
             "says it is \"ACME,Counter 9,1,2\""},
            {"connection lost mid-way", "power power", "MEAS:POW?=5",
             "CONF:MODE TX|SYST:ERR?|MEAS:POW?", none, "lost", 3},
        };
        for (const auto &r : rows)
            QTest::newRow(r.tag) << QString(r.calls) << QString(r.replies) << QString(r.sent)
                                 << r.value << QString(r.error) << r.lostAfter;
    }

    void testSet()
    {
        QFETCH(QString, calls);
        QFETCH(QString, replies);
        QFETCH(QString, sent);
        QFETCH(double, value);
        QFETCH(QString, error);
        InstrumentProfile profile;
        std::string why;
        QVERIFY(ParseInstrumentProfile(TestProfile, profile, why));
        FakeInstrument instrument;
        for (const QString &r : replies.split('|', Qt::SkipEmptyParts))
            instrument.replies[r.section('=', 0, 0).toStdString()].push_back(
                r.section('=', 1).toStdString());
        instrument.replies.emplace("SYST:ERR?", std::deque<std::string>{"+0,\"No error\""});
        QFETCH(int, lostAfter);
        instrument.lostAfter = lostAfter;
        QVERIFY(instrument.connect("tcp://test", 1000));
        ProfileTestSet t(instrument, profile);
        double got = NAN;
        std::string id;
        bool ok = true;
        for (const QString &c : calls.split(' ')) {
            ok = ok && (c == "counter"      ? t.counterFrequencyHz(got)
                        : c == "power"      ? t.rfPowerW(got)
                        : c == "deviation"  ? t.fmDeviationHz(got)
                        : c == "sinad"      ? t.sinadDb(got)
                        : c == "preset"     ? t.preset()
                        : c == "frequency"  ? t.setGeneratorFrequencyHz(150.0125e6)
                        : c == "modulation" ? t.setGeneratorModulation(1500, 1000)
                        : c == "off"        ? t.setGeneratorOutput(false)
                        : c == "level"      ? t.setGeneratorLevelDbm(20)
                                            : t.identify(id));
        }
        QStringList lines;
        for (const std::string &s : instrument.sent)
            lines << QString::fromStdString(s);
        QCOMPARE(lines.join('|'), sent);
        QVERIFY2(ok == error.isEmpty(), t.lastErrorText().c_str());
        QVERIFY2(QString::fromStdString(t.lastErrorText()).contains(error),
                 t.lastErrorText().c_str());
        if (!std::isnan(value))
            QCOMPARE(got, value);
    }

    void folders_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found"); // "!" and a word of the error when none is
        const char *const rows[][2] = {
            {"virtual-bench", "/usr/share/i/virtual-bench.yaml"},
            {"hp8920", "/home/t/Data/Instruments/hp8920.yaml"}, // the user's wins
            {"./mine.yaml", "./mine.yaml"},
            {"ifr1200", "! /home/t/Data/Instruments or /usr/share/i"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString(row[0]) << QString(row[1]);
    }

    void folders()
    {
        QFETCH(QString, asked);
        QFETCH(QString, found);
        MemoryFileSystem files;
        for (const char *path : {"/usr/share/i/virtual-bench.yaml", "/usr/share/i/hp8920.yaml",
                                 "/usr/share/i/template.yaml.example",
                                 "/home/t/Data/Instruments/hp8920.yaml", "./mine.yaml"})
            files.files[path] = {};
        const auto folders = InstrumentProfileFolders("/home/t/Data", "/usr/share/i");
        std::string error;
        const QString path = QString::fromStdString(
            FindInstrumentProfile(files, asked.toStdString(), folders, error));
        if (found.startsWith('!'))
            QVERIFY2(path.isEmpty() && QString::fromStdString(error).contains(found.mid(2)),
                     error.c_str());
        else
            QCOMPARE(path, found);
        const auto names = ListInstrumentProfiles(files, folders);
        QCOMPARE(names, (std::vector<std::string>{"hp8920", "virtual-bench"}));
    }
};

QTEST_GUILESS_MAIN(TestInstrumentProfile)
#include "tst_instrumentprofile.moc"
