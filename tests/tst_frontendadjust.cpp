#include "alignfixture.h"
#include "frontendadjust.h"

#include <QtTest>

namespace
{

struct View : FrontEndView {
    void setInstructions(const std::string &text) override { instructions = text; }
    void setStartCaption(const std::string &text) override { caption = text; }
    void showAdjustControls(bool visible) override { shown = visible; }
    void setScrollRange(int minimum, int maximum) override { range = {minimum, maximum}; }
    void setScrollValue(int v) override { scroll = v; }
    void setValueText(const std::string &text) override { value = text; }

    std::string instructions, caption, value;
    bool shown = true;
    std::pair<int, int> range{-1, -1};
    int scroll = -1;
};

} // namespace

class TestFrontEndAdjust : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runs_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("start");   // where the scroll bar starts
        QTest::addColumn<int>("moveTo");  // -1: no move
        QTest::addColumn<bool>("finish"); // else Abort
        QTest::addColumn<int>("kept");    // the cell after the run
        QTest::newRow("top of the range") << 22000 << 22000 << -1 << false << 22000;
        QTest::newRow("above the range") << 22001 << 16000 << -1 << false << 22001;
        QTest::newRow("below the range, moved, aborted") << 9999 << 16000 << 12000 << false << 9999;
        QTest::newRow("bottom of the range kept") << 10000 << 10000 << -1 << true << 10000;
        QTest::newRow("moved and finished") << 20000 << 20000 << 16000 << true << 0x3E80;
    }

    void runs()
    {
        QFETCH(int, stored);
        QFETCH(int, start);
        QFETCH(int, moveTo);
        QFETCH(bool, finish);
        QFETCH(int, kept);
        f.resetAlign();
        f.setPair(0x031F, stored >> 8, stored & 0xFF);
        const auto before = f.radio->eeprom;
        TuneScreen screen;
        std::vector<bool> navigation;
        screen.navigation = [&](bool on) { navigation.push_back(on); };
        View view;
        FrontEndAdjust page(screen, view);
        page.SetupTabPage();
        page.StartClick();

        QVERIFY(page.HoldsRadio());
        const bool ranged = start != stored;
        QCOMPARE(f.dialogs->messages.size(), std::size_t(ranged ? 1 : 0));
        if (ranged)
            QCOMPARE(f.dialogs->messages[0].caption, std::string("VALUE RANGE ERROR"));
        QCOMPARE(view.scroll, start);
        QCOMPARE(f.pair(0x031F), start);
        QVERIFY(f.bench->rxPath);
        QVERIFY(qAbs(f.bench->chanMHz(true) - 173.995) < 1e-6);
        QCOMPARE(view.range, std::make_pair(0, 25000));
        QCOMPARE(view.caption, std::string("Finish"));
        QVERIFY(view.shown);
        QCOMPARE(navigation, std::vector<bool>{false});
        QVERIFY(view.instructions.find("3. Adjust the value for maximum sensitivity.") !=
                std::string::npos);
        if (moveTo >= 0) {
            f.bench->rxPath = false;
            page.ScrollMoved(moveTo);
            QCOMPARE(f.pair(0x031F), moveTo);
            QVERIFY(f.bench->rxPath);
            QCOMPARE(view.value, moveTo == 16000 ? std::string("16000 (HEX: 3E80)")
                                                 : std::string("12000 (HEX: 2EE0)"));
        }
        f.dialogs->messageAnswers = {MsgAnswer::Cancel};
        page.AbortClick(); // Cancel keeps the run
        QVERIFY(page.HoldsRadio());
        if (finish) {
            page.StartClick();
            QVERIFY(view.instructions.find("adjustment is complete") != std::string::npos);
        } else {
            page.AbortClick();
            QCOMPARE(f.dialogs->messages.back().text,
                     std::string("Abort Front End Slope adjustment?      "));
            QCOMPARE(view.instructions.substr(0, 20), std::string("This adjustment is m"));
        }
        QVERIFY(!page.HoldsRadio() && !view.shown && !g_bHooked);
        QCOMPARE(view.caption, std::string("Start"));
        QCOMPARE(navigation.back(), true);
        QCOMPARE(f.pair(0x031F), kept);
        for (int a = 0; a < VirtualRadio::EepromSize; ++a)
            if (a != 0x031F && a != 0x0320)
                QCOMPARE(f.radio->eeprom[a], before[a]);
        const QString hex = QString("%1 %2")
                                .arg(kept >> 8, 2, 16, QChar('0'))
                                .arg(kept & 0xFF, 2, 16, QChar('0'))
                                .toUpper();
        QVERIFY2(QString::fromStdString(f.log()).endsWith(
                     "," + hex + (finish ? ",Completed\r\n" : ",Aborted\r\n")),
                 f.log().c_str());
    }

private:
    AlignFixture f;
};

QTEST_GUILESS_MAIN(TestFrontEndAdjust)
#include "tst_frontendadjust.moc"
