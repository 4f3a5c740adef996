#include "alignfixture.h"

#include <QtTest>

constexpr int High = 0x000B;
constexpr int Low = 0x0014;

class TestPowerLevels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runs_data()
    {
        QTest::addColumn<bool>("high");
        QTest::addColumn<int>("drag");    // -1: none; else a drag to there, then released
        QTest::addColumn<int>("change");  // -1: none; else an arrow click to there
        QTest::addColumn<int>("answer");  // to "Save this value before quitting?": 0 not asked
        QTest::addColumn<int>("highEnd"); // cells after Finished/Quit
        QTest::addColumn<int>("lowEnd");
        QTest::addColumn<int>("fault"); // a command byte refused, -1 the hook unanswered: restored
        QTest::addColumn<int>("error"); // the Comm Error's number then
        // Saved: high 190, low 120.
        const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No);
        QTest::newRow("high, not moved") << true << -1 << -1 << 0 << 190 << 120 << 0 << 0;
        QTest::newRow("high, dragged, kept") << true << 200 << -1 << yes << 200 << 120 << 0 << 0;
        QTest::newRow("high, moved, not kept") << true << -1 << 180 << no << 190 << 120 << 0 << 0;
        QTest::newRow("low, moved, kept") << false << -1 << 100 << yes << 190 << 100 << 0 << 0;
        QTest::newRow("low, dragged, not kept") << false << 90 << -1 << no << 190 << 120 << 0 << 0;
        QTest::newRow("low, moved back") << false << 110 << 120 << 0 << 190 << 120 << 0 << 0;
        QTest::newRow("high, transmit mode refused")
            << true << -1 << -1 << 0 << 0 << 0 << 0xF3 << 3;
        QTest::newRow("low, transmit mode refused")
            << false << -1 << -1 << 0 << 0 << 0 << 0xF3 << 5;
        QTest::newRow("no radio") << true << -1 << -1 << 0 << 0 << 0 << -1 << 1;
    }

    void runs()
    {
        QFETCH(bool, high);
        QFETCH(int, drag);
        QFETCH(int, change);
        QFETCH(int, answer);
        f.resetAlign();
        f.radio->eeprom[High] = 190;
        f.radio->eeprom[Low] = 120;
        const auto before = f.radio->eeprom;
        PageViews view;
        PowerLevels page(f.screen, view);
        page.SetupTabPage();
        QFETCH(int, fault);
        f.radio->faults.noHookAnswer = fault < 0;
        f.radio->faults.wrongFirstByte = fault > 0 ? 0 : -1;
        f.radio->faults.wrongFirstByteFor = fault;
        if (fault)
            f.dialogs->messageAnswers = {MsgAnswer::Cancel};
        high ? page.SetHighClick() : page.SetLowClick();
        if (fault) {
            QFETCH(int, error);
            QCOMPARE(f.dialogs->messages.back().text,
                     "Comm Error " + std::to_string(error) + " in Sub 'cmdSet" +
                         (high ? "High" : "Low") + "Power_Click', please try again.     ");
            QVERIFY(!page.HoldsRadio() && view.buttons && !view.controls && !g_bHooked);
            QVERIFY(f.radio->eeprom == before);
            return;
        }

        const int saved = high ? 190 : 120;
        QVERIFY(page.HoldsRadio() && !view.buttons && view.controls);
        QVERIFY(f.dialogs->messages.empty());
        QCOMPARE(f.radio->eeprom[High], saved);
        QCOMPARE(f.radio->eeprom[Low], saved);
        QVERIFY(f.bench->transparentTX);
        QVERIFY(f.bench->powerWatts() > 0.0);
        QCOMPARE(view.scroll, saved);
        QCOMPARE(f.screen.HP, high);
        QCOMPARE(f.screen.LP, !high);
        QVERIFY(view.instructions.find(high ? "5.25 watts." : "2.0 watts.") != std::string::npos);
        if (drag >= 0) {
            page.ScrollDrag(drag);
            QCOMPARE(f.radio->eeprom[High], drag);
            QCOMPARE(f.radio->eeprom[Low], saved);
            page.ScrollChange(drag);
            QCOMPARE(f.radio->eeprom[Low], drag);
        }
        if (change >= 0) {
            page.ScrollChange(change);
            QCOMPARE(int(f.radio->eeprom[High]), change);
            QCOMPARE(int(f.radio->eeprom[Low]), change);
            QCOMPARE(view.value, std::to_string(change) + " (HEX: " +
                                     QString::number(change, 16).toUpper().toStdString() + ")");
        }
        if (answer)
            f.dialogs->messageAnswers = {MsgAnswer(answer)};
        page.FinishedClick();

        QCOMPARE(f.dialogs->messages.size(), std::size_t(answer ? 1 : 0));
        if (answer)
            QCOMPARE(f.dialogs->messages[0].text, std::string("Save this value before quitting?"));
        QVERIFY(!page.HoldsRadio() && view.buttons && !view.controls && !f.bench->transparentTX);
        QFETCH(int, highEnd);
        QFETCH(int, lowEnd);
        QCOMPARE(int(f.radio->eeprom[High]), highEnd);
        QCOMPARE(int(f.radio->eeprom[Low]), lowEnd);
        QCOMPARE(f.changedOutside(before, {High, Low}), -1);
        QVERIFY2(QString::fromStdString(f.log()).contains(
                     QString(",TX Power Levels %1,BE 78,").arg(high ? "HIGH" : "LOW")),
                 f.log().c_str());
    }

    void frontEnd_data()
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

    void frontEnd()
    {
        QFETCH(int, stored);
        QFETCH(int, start);
        QFETCH(int, moveTo);
        QFETCH(bool, finish);
        QFETCH(int, kept);
        f.resetAlign();
        f.setPair(0x031F, stored >> 8, stored & 0xFF);
        const auto before = f.radio->eeprom;
        PageViews view;
        FrontEndAdjust page(f.screen, view);
        page.SetupTabPage();
        page.StartClick();

        QVERIFY(page.HoldsRadio());
        const bool ranged = start != stored;
        QCOMPARE(f.dialogs->messages.size(), std::size_t(ranged ? 1 : 0));
        if (ranged)
            QCOMPARE(f.dialogs->messages[0].caption, std::string("VALUE RANGE ERROR"));
        QCOMPARE(view.scroll, start);
        QCOMPARE(f.pair(0x031F), start);
        QVERIFY(f.bench->rxPath && view.controls && qAbs(f.bench->chanMHz(true) - 173.995) < 1e-6);
        QCOMPARE(view.range, std::make_pair(0, 25000));
        QCOMPARE(view.caption, std::string("Finish"));
        QCOMPARE(f.navigation, std::vector<bool>{false});
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
        QVERIFY(!page.HoldsRadio() && !view.controls && !g_bHooked);
        QCOMPARE(view.caption, std::string("Start"));
        QCOMPARE(f.navigation.back(), true);
        QCOMPARE(f.pair(0x031F), kept);
        QCOMPARE(f.changedOutside(before, {0x031F, 0x0320}), -1);
        const std::string end =
            "," + f.pairHex(kept) + (finish ? ",Completed\r\n" : ",Aborted\r\n");
        QVERIFY2(f.log().size() > end.size() && f.log().substr(f.log().size() - end.size()) == end,
                 f.log().c_str());
    }

private:
    AlignFixture f;
};

QTEST_GUILESS_MAIN(TestPowerLevels)
#include "tst_powerlevels.moc"
