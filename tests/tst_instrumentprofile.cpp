#include "fakeinstrument.h"
#include "fakeplatform.h"
#include "instrumentprofile.h"
#include "profilefolders.h"
#include "profiletestset.h"

#include <QFile>
#include <QtTest>

#include <cmath>
#include <functional>

using Call = std::function<bool(TestSet &, double &)>;
Q_DECLARE_METATYPE(Call)

namespace
{

QString Resource(const QString &name)
{
    QFile file(qEnvironmentVariable("TESSARO_SOURCE_DIR") + "/resources/instruments/" + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

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
    void parse_data()
    {
        QTest::addColumn<QString>("yaml");
        QTest::addColumn<QString>("error"); // empty: loads
        const QString base = TestProfile;
        QTest::newRow("shipped bench") << Resource("virtual-bench.yaml") << "";
        QTest::newRow("shipped template") << Resource("template.yaml.example") << "";
        QTest::newRow("test profile") << base << "";
        QTest::newRow("no sinad") << QString(base).remove(QRegularExpression("  sinad:[^\n]*\n"))
                                  << "lacks \"sinad\"";
        QTest::newRow("no name") << QString(base).remove("name: Test set\n") << "lacks \"name\"";
        QTest::newRow("no output off")
            << QString(base).remove("  output_off: \"OUTP OFF\"\n") << "lacks \"output_off\"";
        QTest::newRow("misspelt key") << QString(base).replace("rf_power", "rf_pwr")
                                      << "line 9: \"rf_pwr\" is no key of measure";
        QTest::newRow("bad yaml") << QString(base).replace("[\"*RST\", \"*CLS\"]", "[\"*RST\"")
                                  << "line ";
        QTest::newRow("unknown placeholder")
            << QString(base).replace("{dbm}", "{dbuv}") << "{dbuv}";
        QTest::newRow("placeholder where none fits")
            << QString(base).replace("\"OUTP ON\"", "\"OUTP {hz}\"") << "{hz}";
        QTest::newRow("scale is text")
            << QString(base).replace("scale: 1000", "scale: kHz") << "\"scale\" must be a number";
        QTest::newRow("empty query")
            << QString(base).replace("\"MEAS:POW?\"", "\"\"") << "\"query\" must be one line";
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
        QTest::addColumn<Call>("call");
        QTest::addColumn<QStringList>("replies"); // COMMAND=REPLY, in order per command
        QTest::addColumn<int>("lostAfter");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<double>("value");  // NaN: not a measurement
        QTest::addColumn<QString>("error"); // empty: succeeds
        const QStringList fine = {"SYST:ERR?=+0,\"No error\""};
        const double none = NAN;
        QTest::newRow("counter after its set-up")
            << Call([](TestSet &t, double &v) { return t.counterFrequencyHz(v); })
            << (fine + QStringList{"MEAS:FREQ?=+1.7399500120E+08"}) << -1
            << "CONF:MODE TX|SYST:ERR?|MEAS:FREQ?" << 173995001.2 << "";
        QTest::newRow("set-up sent once for the same mode")
            << Call([](TestSet &t, double &v) { return t.rfPowerW(v) && t.fmDeviationHz(v); })
            << (fine + QStringList{"MEAS:POW?=5.0", "MEAS:FM:DEV?=2.95 KHZ"}) << -1
            << "CONF:MODE TX|SYST:ERR?|MEAS:POW?|MEAS:FM:DEV?" << 2950.0 << "";
        QTest::newRow("set-up again after the generator")
            << Call([](TestSet &t, double &v) {
                   return t.rfPowerW(v) && t.setGeneratorFrequencyHz(150.0125e6) && t.rfPowerW(v);
               })
            << (fine + QStringList{"MEAS:POW?=4.5", "MEAS:POW?=4.75"}) << -1
            << "CONF:MODE TX|SYST:ERR?|MEAS:POW?|CONF:MODE RX|SYST:ERR?|SOUR:FREQ 150.0125 MHZ|"
               "SYST:ERR?|CONF:MODE TX|SYST:ERR?|MEAS:POW?"
            << 4.75 << "";
        QTest::newRow("modulation fills both lines")
            << Call([](TestSet &t, double &) { return t.setGeneratorModulation(1500, 1000); })
            << fine << -1
            << "CONF:MODE RX|SYST:ERR?|SOUR:FM:DEV 1.5 KHZ|SOUR:FM:INT:FREQ 1000|SYST:ERR?" << none
            << "";
        QTest::newRow("level") << Call([](TestSet &t, double &) {
            return t.setGeneratorLevelDbm(-116.5);
        }) << fine << -1 << "CONF:MODE RX|SYST:ERR?|SOUR:POW -116.5|SYST:ERR?"
                               << none << "";
        QTest::newRow("output off needs no set-up")
            << Call([](TestSet &t, double &) { return t.setGeneratorOutput(false); }) << fine << -1
            << "OUTP OFF|SYST:ERR?" << none << "";
        QTest::newRow("preset forgets the set-up")
            << Call(
                   [](TestSet &t, double &v) { return t.sinadDb(v) && t.preset() && t.sinadDb(v); })
            << (fine + QStringList{"MEAS:SIN?=12.0", "MEAS:SIN?=11.5"}) << -1
            << "CONF:MODE RX|SYST:ERR?|MEAS:SIN?|*RST|*CLS|SYST:ERR?|CONF:MODE RX|SYST:ERR?|"
               "MEAS:SIN?"
            << 11.5 << "";
        QTest::newRow("no reading")
            << Call([](TestSet &t, double &v) { return t.sinadDb(v); })
            << (fine + QStringList{"MEAS:SIN?=9.91E37"}) << -1 << "CONF:MODE RX|SYST:ERR?|MEAS:SIN?"
            << none << "no SINAD reading";
        QTest::newRow("garbage reply") << Call([](TestSet &t, double &v) { return t.rfPowerW(v); })
                                       << (fine + QStringList{"MEAS:POW?=OVERLOAD"}) << -1
                                       << "CONF:MODE TX|SYST:ERR?|MEAS:POW?" << none << "OVERLOAD";
        QTest::newRow("silence") << Call([](TestSet &t, double &v) { return t.rfPowerW(v); })
                                 << fine << -1 << "CONF:MODE TX|SYST:ERR?|MEAS:POW?" << none
                                 << "did not answer \"MEAS:POW?\"";
        QTest::newRow("instrument refuses a setting")
            << Call([](TestSet &t, double &) { return t.setGeneratorLevelDbm(20); })
            << QStringList{"SYST:ERR?=0,\"No error\"", "SYST:ERR?=-222,\"Data out of range\""} << -1
            << "CONF:MODE RX|SYST:ERR?|SOUR:POW 20|SYST:ERR?" << none
            << "-222,\"Data out of range\"\" after the generator level";
        QTest::newRow("right identity") << Call([](TestSet &t, double &) {
            std::string id;
            return t.identify(id) && id == "ZPA,TB-1 Virtual Test Set,1,1.0";
        }) << QStringList{"*IDN?=ZPA,TB-1 Virtual Test Set,1,1.0"}
                                        << -1 << "*IDN?" << none << "";
        QTest::newRow("wrong identity") << Call([](TestSet &t, double &) {
            std::string id;
            return t.identify(id);
        }) << QStringList{"*IDN?=ACME,Counter 9,1,2"}
                                        << -1 << "*IDN?" << none
                                        << "says it is \"ACME,Counter 9,1,2\"";
        QTest::newRow("connection lost mid-way")
            << Call([](TestSet &t, double &v) { return t.rfPowerW(v) && t.rfPowerW(v); })
            << (fine + QStringList{"MEAS:POW?=5"}) << 3 << "CONF:MODE TX|SYST:ERR?|MEAS:POW?"
            << none << "lost";
    }

    void testSet()
    {
        QFETCH(Call, call);
        QFETCH(QStringList, replies);
        QFETCH(int, lostAfter);
        QFETCH(QString, sent);
        QFETCH(double, value);
        QFETCH(QString, error);
        InstrumentProfile profile;
        std::string why;
        QVERIFY(ParseInstrumentProfile(TestProfile, profile, why));
        FakeInstrument instrument;
        for (const QString &r : replies)
            instrument.replies[r.section('=', 0, 0).toStdString()].push_back(
                r.section('=', 1).toStdString());
        instrument.lostAfter = lostAfter;
        QVERIFY(instrument.connect("tcp://test", 1000));
        ProfileTestSet testSet(instrument, profile);
        double got = NAN;
        const bool ok = call(testSet, got);
        QStringList lines;
        for (const std::string &s : instrument.sent)
            lines << QString::fromStdString(s);
        QCOMPARE(lines.join('|'), sent);
        QVERIFY2(ok == error.isEmpty(), testSet.lastErrorText().c_str());
        QVERIFY2(QString::fromStdString(testSet.lastErrorText()).contains(error),
                 testSet.lastErrorText().c_str());
        if (!std::isnan(value))
            QCOMPARE(got, value);
    }

    void folders_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found"); // "!" and a word of the error when none is
        QTest::newRow("shipped") << "virtual-bench"
                                 << "/usr/share/i/virtual-bench.yaml";
        QTest::newRow("the user's wins") << "hp8920"
                                         << "/home/t/Data/Instruments/hp8920.yaml";
        QTest::newRow("with suffix") << "hp8920.yaml"
                                     << "/home/t/Data/Instruments/hp8920.yaml";
        QTest::newRow("a path") << "./mine.yaml"
                                << "./mine.yaml";
        QTest::newRow("unknown") << "ifr1200"
                                 << "! /home/t/Data/Instruments or /usr/share/i";
        QTest::newRow("missing path") << "/tmp/none.yaml"
                                      << "! /tmp/none.yaml";
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
