// Before the pages' own names, which its page list would shadow.
#include "autotunerunner.h"

#include "alignfixture.h"
#include "autotunereport.h"
#include "autotunewindow.h"
#include "benchtestset.h"
#include "curveadjust.h"
#include "eeprotocol.h"
#include "linkstate.h"
#include "searches.h"
#include "testcommands.h"
#include "tunejob.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <cmath>

namespace
{

// A bench test set that runs a hook at its first power reading.
struct HookedSet : BenchTestSet {
    using BenchTestSet::BenchTestSet;
    bool rfPowerW(double &watts) override
    {
        if (hook)
            std::exchange(hook, nullptr)();
        return BenchTestSet::rfPowerW(watts);
    }
    std::function<void()> hook;
};

// The views a replay needs: scroll bars that keep their value.
struct Views : PageViews, CurveAdjustView {
    using PageViews::setScrollRange;
    using PageViews::setStartButton;
    void setInstructions(const std::string &) override {}
    void setStartButton(const std::string &) override {}
    void showRunControls(bool) override {}
    void setScrollRange(int) override {}
    void setScrollValue(int v) override { scroll = v; }
    int scrollValue() const override { return scroll; }
    void setValueLabel(const std::string &) override {}
};

// What a technician's hands do for an action of an automatic run.
void Replay(AutoPage page, const std::vector<std::string> &actions, TuneScreen &screen)
{
    Views v;
    FreqAdjust freq(screen, v);
    CurveAdjust curve(PowerCurve, screen, v);
    PowerLevels levels(screen, v);
    FrontEndAdjust fe(screen, v);
    for (const std::string &a : actions) {
        const int value = a.rfind("move ", 0) == 0 ? std::stoi(a.substr(5)) : 0;
        if (a.rfind("level", 0) == 0 || a.rfind("generator", 0) == 0)
            continue; // the test set's, not the radio's
        if (a == "key" || a == "unkey") {
            if (g_bHooked || HookTDFx())
                a == "key" ? EnterTransparentTXMode() : ExitTransparentTXMode();
            if (a == "unkey")
                UnhookRadio(true);
        } else if (a.rfind("type ", 0) == 0) {
            v.entry = a.substr(5);
        } else if (page == AutoPage::Frequency) {
            if (a.rfind("click", 0) == 0)
                freq.StartFinishClick();
        } else if (page == AutoPage::PowerCurve) {
            v.scroll = value ? value : v.scroll;
            value ? curve.ScrollChanged(value) : curve.StartClick();
        } else if (page == AutoPage::FrontEnd) {
            value ? fe.ScrollMoved(value) : fe.StartClick();
        } else if (value) {
            levels.ScrollChange(value);
        } else if (a.rfind("click Set ", 0) == 0) {
            a == "click Set High Power" ? levels.SetHighClick() : levels.SetLowClick();
        } else { // "Save this value before quitting?"
            static_cast<ScriptedDialogs *>(platform().dialogs)->messageAnswers = {MsgAnswer::Yes};
            levels.FinishedClick();
        }
    }
}

} // namespace

class TestAutoTune : public QObject
{
    Q_OBJECT

    AlignFixture f;
    std::unique_ptr<BenchTestSet> set;

    void seeded()
    {
        f.resetAlign();
        RadioBench::SeedAlignmentCells(f.radio->eeprom);
        f.bench->crystalErrorPpm = 2.0;
        set = std::make_unique<BenchTestSet>(*f.bench);
    }
    AutoTuneReport run(AutoTuneRunner &runner, AutoPage page)
    {
        runner.onCoil = [this](double) { f.bench->coilVolts = 0.0; };
        return runner.run({page});
    }

private Q_SLOTS:
    void pagesAlign_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("cell"); // a cell the page sets, 2 bytes when above 0x100
        QTest::addColumn<int>("ideal");
        QTest::addColumn<int>("slack");
        QTest::newRow("VCO") << int(AutoPage::VCO) << 0x0303 << 16000 << 90;
        // 2 ppm fast: 1024 / 512 ppm low, as two's complement.
        QTest::newRow("frequency") << int(AutoPage::Frequency) << 0x001F << 0x10000 - 1024 << 15;
        QTest::newRow("power curve") << int(AutoPage::PowerCurve) << 0 << 0 << 0;
        QTest::newRow("power levels") << int(AutoPage::PowerLevels) << 0x000B << 195 << 1;
        QTest::newRow("mod sense") << int(AutoPage::ModSense) << 0 << 0 << 0;
        QTest::newRow("front end") << int(AutoPage::FrontEnd) << 0x031F << 17500 << 300;
        QTest::newRow("squelch") << int(AutoPage::Squelch) << 0x0043 << 0x70 << 3;
    }
    void pagesAlign()
    {
        QFETCH(int, page);
        QFETCH(int, cell);
        seeded();
        const auto start = f.radio->eeprom;
        AutoTuneRunner runner(*set, DefaultLimits());
        const AutoTuneReport report = run(runner, AutoPage(page));
        QVERIFY2(report.stopReason.empty(), report.stopReason.c_str());
        QVERIFY2(report.allPassed(), ReportCsv(report).c_str());
        QVERIFY2(report.pages[0].completed, report.pages[0].outcome.c_str());
        QVERIFY(!f.bench->transparentTX && !g_bHooked);
        if (cell) {
            QFETCH(int, ideal);
            QFETCH(int, slack);
            const int value = cell > 0x100 || cell == 0x001F ? f.pair(cell) : f.radio->eeprom[cell];
            QVERIFY2(std::abs(value - ideal) <= slack, std::to_string(value).c_str());
        }
        QVERIFY(f.log().find("AutoTune,,,Completed: ") != std::string::npos);
        // By hand from the report's actions, the radio sees the same bytes.
        if (AutoPage(page) == AutoPage::Frequency || AutoPage(page) == AutoPage::PowerCurve ||
            AutoPage(page) == AutoPage::PowerLevels || AutoPage(page) == AutoPage::FrontEnd) {
            const auto automatic = f.radio->received();
            const auto aligned = f.radio->eeprom;
            seeded();
            f.radio->eeprom = start;
            Replay(AutoPage(page), report.pages[0].actions, f.screen);
            QVERIFY(f.radio->received() == automatic);
            QVERIFY(f.radio->eeprom == aligned);
        }
        if (AutoPage(page) != AutoPage::PowerLevels)
            return;
        // The report's two forms, with the radio's serial number and the test set's identity.
        const std::string csv = ReportCsv(report);
        QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 3L);
        QVERIFY(csv.find("\r\nhigh_power,\"TX power, high level\",W,5.25,5.10,5.40,5.2") !=
                std::string::npos);
        QVERIFY(csv.find(",1234567,\"ZPA,Virtual Bench,0,1.0\",2026-12-06 14:03:59\r\n") !=
                std::string::npos);
        const std::string json = ReportJson(report);
        QVERIFY(json.find("\"passed\": true") != std::string::npos);
        QVERIFY(json.find("\"point\": \"low_power\"") != std::string::npos);
    }

    void failuresRestore_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("fault");
        // The run's stop reason starts so; "" for none, when the first point fails, else it is
        // not done.
        QTest::addColumn<QString>("stop");
        const struct {
            const char *tag;
            AutoPage page;
            const char *fault, *stop;
        } rows[] = {
            {"weak transmitter", AutoPage::PowerLevels, "weak", ""},
            {"deaf receiver", AutoPage::FrontEnd, "deaf", ""},
            {"instrument silent", AutoPage::PowerLevels, "silent", "Instrument lost: no reply"},
            {"wrong identity", AutoPage::ModSense, "stranger", "The test set did not identify"},
            {"abort mid-curve", AutoPage::ModSense, "abort", "Aborted by the technician"},
            {"abort in calibration", AutoPage::Squelch, "abort", "Aborted by the technician"},
            {"radio gone mid-search", AutoPage::FrontEnd, "radio gone", "\"RX Front End\" did not"},
        };
        for (const auto &r : rows)
            QTest::newRow(r.tag) << int(r.page) << QString(r.fault) << QString(r.stop);
    }
    void failuresRestore()
    {
        QFETCH(int, page);
        QFETCH(QString, fault);
        seeded();
        const auto before = f.radio->eeprom;
        AutoTuneRunner runner(*set, DefaultLimits());
        set->powerScale = fault == "weak" ? 0.2 : 1.0;
        set->lossDb = fault == "deaf" ? 20 : 0;
        set->answersLeft = fault == "silent" ? 5 : fault == "stranger" ? 0 : -1;
        if (fault == "abort")
            runner.onPoint = [&](const PointResult &) { runner.requestAbort(AbortCause::Button); };
        if (fault == "radio gone")
            runner.onStatus = [&](const std::string &s) {
                if (s.rfind("Searching", 0) == 0)
                    f.radio->faults.stopAfterCommands = f.radio->commandsHandled() + 3;
            };
        const AutoTuneReport report = run(runner, AutoPage(page));
        QFETCH(QString, stop);
        QVERIFY2(QString::fromStdString(report.stopReason).startsWith(stop),
                 report.stopReason.c_str());
        QCOMPARE(QString(VerdictText(report.points[0].verdict)),
                 stop.isEmpty() ? "FAIL" : "not done");
        QVERIFY(!report.allPassed());
        QVERIFY(!report.pages[0].outcome.empty());
        for (const PointResult &p : report.points)
            QVERIFY2(p.verdict != Verdict::NotDone || !p.note.empty(), p.limit.key.c_str());
        QVERIFY(!f.bench->transparentTX);
        // A curve is stored only at its end.
        if (fault != "radio gone" && (fault != "abort" || page == int(AutoPage::ModSense)))
            QVERIFY(f.radio->eeprom == before);
        const std::string log = f.log();
        QVERIFY2(log.find("Failed: ", log.find(",AutoTune,,,")) != std::string::npos, log.c_str());
    }

    void limitsFile_data()
    {
        QTest::addColumn<QString>("yaml");
        QTest::addColumn<QString>("why"); // "" when accepted
        const char *const rows[][2] = {
            {"points:\n  high_power: {lower: 5.0, average: 4}\n", ""},
            {"points:\n  hi_power: {lower: 5}\n", "unknown point \"hi_power\""},
            {"points:\n  low_power: {lower: 2.2, upper: 2.1}\n",
             "low_power: the lower limit lies above the upper one"},
            {"points:\n  low_power: {average: 0}\n",
             "low_power.average: unknown field or value out of range"},
            {"points:\n  low_power: {upper: two}\n", "low_power.upper: not a number"},
            {"limits: []\n", "no \"points:\" map"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[1]) << QString(row[0]) << QString(row[1]);
    }
    void limitsFile()
    {
        QFETCH(QString, yaml);
        QFETCH(QString, why);
        std::vector<PointLimit> limits = DefaultLimits();
        std::string error;
        QCOMPARE(ApplyLimitsText(yaml.toStdString(), limits, error), why.isEmpty());
        QCOMPARE(QString::fromStdString(error), why);
        const PointLimit *high = FindLimit(limits, "high_power");
        QCOMPARE(high->lower, why.isEmpty() ? 5.0 : 5.1);
        QCOMPARE(high->average, why.isEmpty() ? 4 : 2);
        QCOMPARE(high->upper, 5.4);
        QCOMPARE(limits.size(), DefaultLimits().size());
    }

    void searches_data()
    {
        QTest::addColumn<bool>("peak");
        QTest::addColumn<double>("a"); // monotonic: y = a * x^2 (square) or a * x + b; peak at a
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("maxProbes"); // the most the search may use
        QTest::newRow("square law from below") << false << 5.0 / 190 / 190 << 0.0 << 120.0 << 4;
        QTest::newRow("square law from above") << false << 5.0 / 90 / 90 << 0.0 << 200.0 << 5;
        QTest::newRow("falling line") << false << -0.05 << 14.0 << 30.0 << 4;
        QTest::newRow("peak to the right") << true << 17500.0 << 0.0 << 12000.0 << 16;
        QTest::newRow("peak to the left") << true << 11000.0 << 0.0 << 16000.0 << 16;
        QTest::newRow("peak at the start") << true << 16000.0 << 0.0 << 16000.0 << 16;
    }
    void searches()
    {
        QFETCH(bool, peak);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, start);
        QFETCH(int, maxProbes);
        double last = -1;
        const Probe probe = [&](double x, double &y) {
            last = x;
            y = peak ? 30 - std::pow((x - a) / 2000, 2) : b == 0 ? a * x * x : a * x + b;
            return true;
        };
        const SearchResult r =
            peak ? FindPeak({10000, 22000, start, 500, 25, maxProbes}, probe)
                 : SolveMonotonic({0, 255, start, 1, 5.0, 0.05, b == 0, 10}, probe);
        QVERIFY(r.ok);
        QCOMPARE(r.x, last);
        QVERIFY2(r.probes <= maxProbes, std::to_string(r.probes).c_str());
        if (peak)
            QVERIFY2(std::abs(r.x - a) <= 100, std::to_string(r.x).c_str());
        else
            QVERIFY2(std::abs(r.y - 5.0) <= 0.05, std::to_string(r.y).c_str());
    }

    void tuneCommand_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error"); // from the parse; "" when usable
        QTest::addColumn<double>("powerScale");
        QTest::addColumn<int>("status");
        const QStringList base{"--port", "/dev/ttyVR0", "--instrument", "tcp://127.0.0.1:5025"};
        QTest::newRow("passes") << base + QStringList{"--pages", "levels", "--report", "r.csv"}
                                << "" << 1.0 << 0;
        QTest::newRow("a point fails") << base + QStringList{"--pages", "4"} << "" << 0.2 << 1;
        QTest::newRow("unknown page")
            << base + QStringList{"--pages", "levels,vfo"} << "" << 1.0 << 2;
        QTest::newRow("unreadable limits")
            << base + QStringList{"--limits", "none.yaml"} << "" << 1.0 << 2;
        QTest::newRow("no test set") << QStringList{"--port", "/dev/ttyVR0"}
                                     << "tune needs --instrument ADDRESS" << 1.0 << 2;
        QTest::newRow("unknown option")
            << base + QStringList{"--coil"} << "tune: unknown option --coil" << 1.0 << 2;
    }
    void tuneCommand()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        std::vector<std::string> words;
        for (const QString &a : args)
            words.push_back(a.toStdString());
        const TuneRequest request = ParseTuneArgs(words);
        QCOMPARE(QString::fromStdString(request.error), error);
        if (!error.isEmpty())
            return;
        seeded();
        QFETCH(double, powerScale);
        set->powerScale = powerScale;
        std::FILE *sink = std::tmpfile();
        AutoTuneRunner *volatile running = nullptr;
        QFETCH(int, status);
        QCOMPARE(RunTuneJob(request, *set, {sink, sink, {}}, &running), status);
        std::fclose(sink);
        QVERIFY(running == nullptr);
        if (!request.report.empty())
            QVERIFY(f.files->files.count("r.csv"));
    }

    void windowRuns_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("status"); // the status line starts so
        QTest::addColumn<QStringList>("results");
        QTest::newRow("passes") << "run"
                                << "PASS: 2 of 2" << QStringList{"pass", "pass"};
        QTest::newRow("closed while running")
            << "close"
            << "FAIL: 0 of 2 points pass \u2014 Aborted: the window was closed"
            << QStringList{"not done", "not done"};
        QTest::newRow("no test set") << "unreachable"
                                     << "Not started" << QStringList{"", ""};
    }
    void windowRuns()
    {
        QFETCH(QString, how);
        seeded();
        AutoTuneWindow *shown = nullptr;
        AutoTuneWindow window(
            {[&](const std::string &address, const std::string &, std::string &why) {
                 if (how == "unreachable") {
                     why = "no answer from " + address;
                     return std::unique_ptr<TestSet>();
                 }
                 auto hooked = std::make_unique<HookedSet>(*f.bench);
                 if (how == "close")
                     hooked->hook = [&] { shown->close(); };
                 return std::unique_ptr<TestSet>(std::move(hooked));
             },
             {},
             {}});
        shown = &window;
        window.show();
        for (int i = 0; i < AutoPageCount; ++i)
            window.findChild<QCheckBox *>(QString("chkPage_%1").arg(i))->setChecked(i == 3);
        QTest::mouseClick(window.findChild<QPushButton *>("cmdStart"), Qt::LeftButton);

        auto *table = window.findChild<QTableWidget *>("grdResults");
        QCOMPARE(table->rowCount(), 2);
        QFETCH(QStringList, results);
        for (int r = 0; r < 2; ++r)
            QCOMPARE(table->item(r, 6)->text(), results[r]);
        QFETCH(QString, status);
        QVERIFY2(window.findChild<QLabel *>("lblStatus")->text().startsWith(status),
                 qPrintable(window.findChild<QLabel *>("lblStatus")->text()));
        QCOMPARE(window.isVisible(), how != "close");
        QCOMPARE(window.findChild<QPushButton *>("cmdSaveReport")->isEnabled(),
                 how != "unreachable");
        if (how == "unreachable")
            QCOMPARE(f.dialogs->messages.back().text,
                     std::string("The test set at tcp://127.0.0.1:5025 cannot be used: no answer "
                                 "from tcp://127.0.0.1:5025"));
        if (how != "run")
            return; // the runner's own test checks what a stopped run puts back
        QVERIFY(window.saveReport("/home/tech/unit.pdf")); // the report's text has its own test
        const auto &pdf = f.files->files["/home/tech/unit.pdf"];
        QVERIFY(pdf.size() > 1000 && std::string(pdf.begin(), pdf.begin() + 5) == "%PDF-");
    }
};

QTEST_MAIN(TestAutoTune)
#include "tst_autotune.moc"
