#include "alignfixture.h"
#include "powerlevels.h"

#include <QtTest>

namespace
{

struct View : PowerLevelsView {
    void setInstructions(const std::string &text) override { instructions = text; }
    void showSetButtons(bool visible) override { buttons = visible; }
    void showAdjustControls(bool visible) override { adjusting = visible; }
    void setScrollValue(int v) override { scroll = v; }
    void setValueText(const std::string &text) override { value = text; }

    std::string instructions, value;
    bool buttons = false, adjusting = true;
    int scroll = -1;
};

constexpr int High = 0x000B;
constexpr int Low = 0x0014;

} // namespace

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
        // Saved: high 190, low 120.
        QTest::newRow("high, not moved") << true << -1 << -1 << 0 << 190 << 120;
        QTest::newRow("high, dragged, kept")
            << true << 200 << -1 << int(MsgAnswer::Yes) << 200 << 120;
        QTest::newRow("high, moved, not kept")
            << true << -1 << 180 << int(MsgAnswer::No) << 190 << 120;
        QTest::newRow("low, moved, kept")
            << false << -1 << 100 << int(MsgAnswer::Yes) << 190 << 100;
        QTest::newRow("low, dragged, not kept")
            << false << 90 << -1 << int(MsgAnswer::No) << 190 << 120;
        QTest::newRow("low, moved back") << false << 110 << 120 << 0 << 190 << 120;
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
        TuneScreen screen;
        View view;
        PowerLevels page(screen, view);
        page.SetupTabPage();
        high ? page.SetHighClick() : page.SetLowClick();

        const int saved = high ? 190 : 120;
        QVERIFY(page.HoldsRadio() && !view.buttons && view.adjusting);
        QVERIFY(f.dialogs->messages.empty());
        QCOMPARE(f.radio->eeprom[High], saved);
        QCOMPARE(f.radio->eeprom[Low], saved);
        QVERIFY(f.bench->transparentTX);
        QVERIFY(f.bench->powerWatts() > 0.0);
        QCOMPARE(view.scroll, saved);
        QCOMPARE(screen.HP, high);
        QCOMPARE(screen.LP, !high);
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
        QVERIFY(!page.HoldsRadio() && view.buttons && !view.adjusting && !f.bench->transparentTX);
        QFETCH(int, highEnd);
        QFETCH(int, lowEnd);
        QCOMPARE(int(f.radio->eeprom[High]), highEnd);
        QCOMPARE(int(f.radio->eeprom[Low]), lowEnd);
        for (int a = 0; a < VirtualRadio::EepromSize; ++a)
            if (a != High && a != Low)
                QCOMPARE(f.radio->eeprom[a], before[a]);
        QVERIFY2(QString::fromStdString(f.log()).contains(
                     QString(",TX Power Levels %1,BE 78,").arg(high ? "HIGH" : "LOW")),
                 f.log().c_str());
    }

    void failuresRestore_data()
    {
        QTest::addColumn<bool>("high");
        QTest::addColumn<int>("fault"); // command byte refused; -1: the hook goes unanswered
        QTest::addColumn<QString>("message");
        QTest::newRow("high, transmit mode refused")
            << true << 0xF3
            << "Comm Error 3 in Sub 'cmdSetHighPower_Click', please try again.     ";
        QTest::newRow("low, transmit mode refused")
            << false << 0xF3
            << "Comm Error 5 in Sub 'cmdSetLowPower_Click', please try again.     ";
        QTest::newRow("no radio")
            << true << -1 << "Comm Error 1 in Sub 'cmdSetHighPower_Click', please try again.     ";
    }

    void failuresRestore()
    {
        QFETCH(bool, high);
        QFETCH(int, fault);
        QFETCH(QString, message);
        f.resetAlign();
        f.radio->eeprom[High] = 190;
        f.radio->eeprom[Low] = 120;
        const auto before = f.radio->eeprom;
        TuneScreen screen;
        View view;
        PowerLevels page(screen, view);
        f.radio->faults.noHookAnswer = fault < 0;
        f.radio->faults.wrongFirstByte = fault < 0 ? -1 : 0;
        f.radio->faults.wrongFirstByteFor = fault;
        f.dialogs->messageAnswers = {MsgAnswer::Cancel};
        high ? page.SetHighClick() : page.SetLowClick();
        QStringList shown;
        for (const auto &m : f.dialogs->messages)
            shown << QString::fromStdString(m.text);
        QVERIFY2(shown.contains(message), qPrintable(shown.join('|')));
        QVERIFY(!page.HoldsRadio() && view.buttons && !view.adjusting && !g_bHooked);
        QVERIFY(f.radio->eeprom == before);
    }

private:
    AlignFixture f;
};

QTEST_GUILESS_MAIN(TestPowerLevels)
#include "tst_powerlevels.moc"
