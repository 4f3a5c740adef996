#include "alignfixture.h"
#include "curveadjust.h"
#include "hextext.h"

#include <QtTest>

Q_DECLARE_METATYPE(CurvePoints)

namespace
{

// Answers like the scripted dialogs; a Comm Error brings a silent radio back, so the restore
// that follows it can be seen.
struct HealingDialogs : ScriptedDialogs {
    VirtualRadio *radio = nullptr;
    MsgAnswer message(const std::string &text, const std::string &caption, MsgButtons buttons,
                      MsgIcon icon) override
    {
        if (text.rfind("Comm Error", 0) == 0)
            radio->faults.stopAfterCommands = -1;
        return ScriptedDialogs::message(text, caption, buttons, icon);
    }
};

// A scroll bar: clamps, and reports a change to the procedure like the widget does.
struct View : CurveAdjustView {
    void setInstructions(const std::string &text) override { instructions = text; }
    void setStartButton(const std::string &text) override { caption = text; }
    void showRunControls(bool shown) override { controls = shown; }
    void setScrollRange(int maximum) override { max = maximum; }
    void setScrollValue(int v) override
    {
        const int old = scroll;
        scroll = std::clamp(v, 0, max);
        if (scroll != old)
            procedure->ScrollChanged(scroll);
    }
    int scrollValue() const override { return scroll; }
    void setValueLabel(const std::string &text) override { value = text; }

    CurveAdjust *procedure = nullptr;
    std::string instructions, caption, value;
    bool controls = false;
    int max = 0, scroll = 0;
};

} // namespace

class TestCurveAdjust : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsEndToEnd_data()
    {
        QTest::addColumn<bool>("mod");
        QTest::addColumn<CurvePoints>("stored");
        QTest::addColumn<CurvePoints>("chosen"); // on target at each step
        QTest::newRow("power") << false << CurvePoints{700, 650, 720, 900}
                               << CurvePoints{600, 667, 733, 800};
        QTest::newRow("mod, from a zero curve")
            << true << CurvePoints{0, 0, 0, 0} << CurvePoints{120, 133, 147, 160};
        QTest::newRow("mod, seeds as stored")
            << true << CurvePoints{118, 131, 150, 161} << CurvePoints{120, 133, 147, 160};
    }

    void runsEndToEnd()
    {
        QFETCH(bool, mod);
        QFETCH(CurvePoints, stored);
        QFETCH(CurvePoints, chosen);
        setUp(mod, stored);
        const CurveBytes expected = EncodeCurve(chosen, kind->base).value();
        int opens = 0;
        for (int k = 0; k < 4; ++k) {
            const long seen = f.bench->commandsSeen;
            page->StartClick();
            // Exit, enter, the test source and the one value sent: seeding sends nothing.
            QCOMPARE(f.bench->commandsSeen - seen, long(k == 0 ? 0 : 1) + (mod ? 3 : 2));
            QVERIFY(std::abs(page->seeds()[k] - stored[k]) <= 2);
            QVERIFY(view.scroll == page->seeds()[k] && sent() == view.scroll);
            QCOMPARE(f.bench->chanMHz(false), CurveFreqs[k]);
            QVERIFY(view.controls && f.bench->transparentTX);
            if (k == 0)
                opens = f.port->opens; // one hook's
            QCOMPARE(f.port->opens, mod ? (k + 1) * opens : opens);
            QVERIFY(view.instructions.rfind("Step " + std::to_string(k + 1) + " - ", 0) == 0);
            // By hand every position goes to the radio, and the meter reaches its target.
            for (int v : {chosen[k] - 9, chosen[k]}) {
                view.setScrollValue(v);
                QCOMPARE(sent(), v);
            }
            QCOMPARE(f.bench->commandsSeen - seen, long(k == 0 ? 0 : 1) + (mod ? 5 : 4));
            QVERIFY(mod ? std::abs(f.bench->deviationKHz() - 3.0) < 0.02
                        : std::abs(f.bench->powerWatts() - 5.0) < 0.02);
        }
        page->StartClick();
        QVERIFY(dialogs.messages.empty());
        QCOMPARE(curve(), expected);
        QVERIFY(channel1Intact() && !page->HoldsRadio() && !g_bHooked);
        for (int a = 0; a < VirtualRadio::EepromSize; ++a)
            QVERIFY(f.radio->eeprom[a] == before[a] || (a >= cell && a < cell + 9));
        QVERIFY(view.caption == "Start" && !view.controls);
        QCOMPARE(view.instructions, CurveInstructions(*kind, 5));
        // The log names the radio, the bytes before and after, and the four values.
        const std::string logged = "1234567," + std::string(kind->procedure) + "," +
                                   HexBytes({before.begin() + cell, before.begin() + cell + 9}) +
                                   "," + HexBytes({expected.begin(), expected.end()}) +
                                   ",\"Completed: values " + std::to_string(chosen[0]);
        QVERIFY(f.log().find(logged) != std::string::npos);
    }

    void commErrorsRestore_data()
    {
        QTest::addColumn<bool>("mod");
        QTest::addColumn<int>("last");
        QTest::addColumn<QList<int>>("writes"); // a failed write releases the radio
        QTest::newRow("mod") << true << 23 << QList<int>{3, 8, 13, 18, 23};
        QTest::newRow("power") << false << 19 << QList<int>{3, 7, 11, 15, 19};
    }

    void commErrorsRestore()
    {
        QFETCH(bool, mod);
        QFETCH(int, last);
        QFETCH(QList<int>, writes);
        // The radio falls silent after each number of commands in turn until a run gets through.
        QList<int> numbers;
        for (int n = 0; n < 1000; ++n) {
            setUp(mod, {90, 100, 110, 120});
            const CurveBytes stored = curve();
            f.radio->faults.stopAfterCommands = f.radio->commandsHandled() + n;
            for (int click = 0; click < 5 && (click == 0 || page->HoldsRadio()); ++click)
                page->StartClick();
            QVERIFY(!page->HoldsRadio());
            if (dialogs.messages.empty()) {
                QCOMPARE(view.instructions, CurveInstructions(*kind, 5));
                break;
            }
            const std::string &text = dialogs.messages.back().text;
            if (text.rfind("Comm Error ", 0) != 0)
                continue; // a hook that went unanswered
            const int number = std::stoi(text.substr(11));
            QCOMPARE(text, "Comm Error " + std::to_string(number) + " in Sub '" +
                               kind->clickHandler + "', please try again.     ");
            QCOMPARE(dialogs.messages.back().caption, std::string("COMM ERROR"));
            QCOMPARE(curve(), stored);
            QVERIFY(channel1Intact() || writes.contains(number));
            // A channel 1 not put back is said to be so.
            const std::string idle = CurveInstructions(*kind, 0);
            QVERIFY(view.instructions == idle + Channel1Left ||
                    (channel1Intact() && view.instructions == idle));
            QVERIFY(!view.controls && view.caption == "Start" && !g_bHooked);
            if (numbers.isEmpty() || numbers.back() != number)
                numbers << number;
        }
        QList<int> all;
        for (int i = 1; i <= last; ++i)
            all << i;
        QCOMPARE(numbers, all);
    }

    void abortAndRefusal()
    {
        // Abort answered with Cancel keeps the step; OK restores channel 1 and leaves the curve.
        setUp(false, {2000, 2000, 2000, 2000});
        page->StartClick();
        page->StartClick();
        // A refused DAC value asks the same question.
        f.radio->faults.wrongFirstByte = 0x55;
        f.radio->faults.wrongFirstByteFor = 0xFB;
        dialogs.messageAnswers = {MsgAnswer::Cancel};
        view.setScrollValue(view.scroll - 1);
        f.radio->faults.wrongFirstByte = -1;
        QCOMPARE(dialogs.messages.back().text,
                 std::string("Abort TX Power Curve adjustment?      "));
        QVERIFY(page->HoldsRadio() && view.caption == "Go To Step 3" && f.bench->transparentTX);
        page->AbortClick();
        QVERIFY(!page->HoldsRadio() && !f.bench->transparentTX && channel1Intact());
        QCOMPARE(view.instructions, CurveInstructions(*kind, 6));
        QVERIFY(f.log().find(",\"Aborted: values 2000, 1999\"\r\n") != std::string::npos);

        // Seeds above the DAC's usual range widen it; a curve that does not fit is not written.
        dialogs.messages.clear();
        for (int v : {2000, 0, 2000, 0}) {
            page->StartClick();
            QCOMPARE(view.max, 2000);
            view.setScrollValue(v);
        }
        page->StartClick();
        QCOMPARE(dialogs.messages.size(), qsizetype(1));
        QVERIFY(dialogs.messages[0].text.find("values 2000, 0, 2000, 0") != std::string::npos);
        QVERIFY(!page->HoldsRadio() && channel1Intact());
        QCOMPARE(curve(), EncodeCurve({2000, 2000, 2000, 2000}, 1).value());
    }

private:
    void setUp(bool mod, const CurvePoints &stored)
    {
        f.resetAlign();
        dialogs.radio = f.radio.get();
        platform().dialogs = &dialogs;
        dialogs.messages.clear();
        kind = mod ? &ModSenseCurve : &PowerCurve;
        cell = mod ? ModCurveCell.address : PowerCurveCell.address;
        const CurveBytes bytes = EncodeCurve(stored, kind->base).value();
        std::copy(bytes.begin(), bytes.end(), f.radio->eeprom.begin() + cell);
        before = f.radio->eeprom;
        view = View();
        page = std::make_unique<CurveAdjust>(*kind, f.screen, view);
        view.procedure = page.get();
        page->SetupTabPage();
    }
    int sent() const { return kind == &ModSenseCurve ? f.bench->pot[0] : f.bench->curveDAC; }
    bool channel1Intact() const
    {
        return std::equal(before.begin() + 0x0500, before.begin() + 0x0510,
                          f.radio->eeprom.begin() + 0x0500);
    }
    CurveBytes curve() const
    {
        CurveBytes bytes;
        std::copy_n(f.radio->eeprom.begin() + cell, 9, bytes.begin());
        return bytes;
    }

    AlignFixture f;
    HealingDialogs dialogs;
    View view;
    std::unique_ptr<CurveAdjust> page;
    const CurveKind *kind = nullptr;
    int cell = 0;
    std::vector<std::uint8_t> before;
};

QTEST_GUILESS_MAIN(TestCurveAdjust)
#include "tst_curveadjust.moc"
