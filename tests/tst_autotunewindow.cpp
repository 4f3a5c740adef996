#include "alignfixture.h"
#include "autotunewindow.h"
#include "benchtestset.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

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

} // namespace

class TestAutoTuneWindow : public QObject
{
    Q_OBJECT

    AlignFixture f;

private Q_SLOTS:
    void runs_data()
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
    void runs()
    {
        QFETCH(QString, how);
        f.resetAlign();
        RadioBench::SeedAlignmentCells(f.radio->eeprom);
        const auto before = f.radio->eeprom;
        AutoTuneWindow *shown = nullptr;
        AutoTuneWindow window(
            {[&](const std::string &address, const std::string &, std::string &why) {
                 std::unique_ptr<HookedSet> set;
                 if (how == "unreachable") {
                     why = "no answer from " + address;
                     return std::unique_ptr<TestSet>();
                 }
                 set = std::make_unique<HookedSet>(*f.bench);
                 if (how == "close")
                     set->hook = [&] { shown->close(); };
                 return std::unique_ptr<TestSet>(std::move(set));
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
        if (how != "run") {
            QVERIFY(f.radio->eeprom == before);
            return;
        }
        QVERIFY(window.saveReport("/home/tech/unit.pdf")); // the report's text has its own test
        const auto &pdf = f.files->files["/home/tech/unit.pdf"];
        QVERIFY(pdf.size() > 1000 && std::string(pdf.begin(), pdf.begin() + 5) == "%PDF-");
    }
};

QTEST_MAIN(TestAutoTuneWindow)
#include "tst_autotunewindow.moc"
