#include "alignmentcells.h"
#include "benchmodel.h"
#include "chanslot.h"
#include "eeprotocol.h"
#include "linkfixture.h"
#include "testcommands.h"

#include <QtTest>

#include <functional>

using Bytes = std::vector<std::uint8_t>;
using Call = std::function<int()>;
Q_DECLARE_METATYPE(Bytes)
Q_DECLARE_METATYPE(Call)
// A link call as a row's value.
#define CALL(expr) Call([] { return int(expr); })

class TestAlignLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        f.reset();
        bench = std::make_unique<RadioBench>(*f.radio);
    }

    void testCommandsSendExactBytes_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<bool>("hooked");
        QTest::addColumn<Bytes>("sent");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        const QString potValue =
            "WARNING: Sub 'SetDigitalPotValue' was sent a digital      \r\n"
            " potentiometer value of 256, which is      \r\n"
            "outside the acceptable range of 0 to 255 - cancelling the attempt!"
            "      ";
        QTest::newRow("rx path") << CALL(EnableRXPath()) << true << Bytes{0x32} << 1 << "";
        QTest::newRow("enter tx") << CALL(EnterTransparentTXMode()) << true << Bytes{0xF3} << 1
                                  << "";
        QTest::newRow("exit tx") << CALL(ExitTransparentTXMode()) << true << Bytes{0xF4} << 1 << "";
        QTest::newRow("source low byte")
            << CALL(SelectTXTestSource(0x108)) << true << Bytes{0xF9, 0x08} << 1 << "";
        QTest::newRow("pot 1, 255")
            << CALL(SetDigitalPotValue(1, 255)) << true << Bytes{0xF8, 0x01, 0xFF} << 1 << "";
        QTest::newRow("pot selector -1 unsigned")
            << CALL(SetDigitalPotValue(-1, 10)) << true << Bytes{} << 0
            << "WARNING: Sub 'SetDigitalPotValue' was sent a 'Selector Code' of -1, which is      "
               "\r\n"
               "outside the acceptable range of 0 or 1 - cancelling the attempt!      ";
        QTest::newRow("pot value 256")
            << CALL(SetDigitalPotValue(0, 256)) << true << Bytes{} << 0 << potValue;
        QTest::newRow("curve dac") << CALL(SetPowerCurveDAC(0x1234, 0)) << true
                                   << Bytes{0xFB, 0x12, 0x34, 0x00} << 1 << "";
        QTest::newRow("a2d") << CALL(ReadA2DVal(2, 5)) << true << Bytes{0xFA, 0x05, 0xFA, 0x05}
                             << 149 << "";
        QTest::newRow("not hooked: a2d")
            << CALL(ReadA2DVal(20, 5)) << false << Bytes{} << -1000 << "";
        QTest::newRow("not hooked: coarse tune")
            << CALL(GetVCOCourseTuneCurveValues(0, 1)) << false << Bytes{} << -1000000 << "";
        QTest::newRow("coarse tune (1, 1)") << CALL(GetVCOCourseTuneCurveValues(1, 1)) << true
                                            << Bytes{0xC7, 0x03, 0x0C, 0x02, 0xFF} << 0x4321 << "";
        QTest::newRow("coarse tune path 2")
            << CALL(GetVCOCourseTuneCurveValues(2, 0)) << true << Bytes{} << -1000000 << "";
    }

    void testCommandsSendExactBytes()
    {
        QFETCH(Call, call);
        QFETCH(bool, hooked);
        f.radio->eeprom[0x030C] = 0x43;
        f.radio->eeprom[0x030D] = 0x21;
        bench->coilVolts = 0.6; // 2.6 V reads as 149
        if (hooked)
            hook();
        f.radio->clearTrace();
        QTEST(call(), "result");
        QTEST(f.radio->received(), "sent");
        QFETCH(QString, message);
        QCOMPARE(f.dialogs->messages.empty() ? QString()
                                             : QString::fromStdString(f.dialogs->messages[0].text),
                 message);
    }

    void timeOuts_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<int>("failure");
        QTest::addColumn<double>("limit");
        QTest::addColumn<bool>("staysHooked");
        QTest::newRow("test command 0.5 s") << CALL(EnableRXPath()) << 0 << 0.5 << true;
        QTest::newRow("a2d sample 10 s") << CALL(ReadA2DVal(20, 5)) << -1000 << 10.0 << true;
        QTest::newRow("noise 2 s, released") << CALL(ReadNoiseAverage()) << -10000 << 2.0 << false;
    }

    void timeOuts()
    {
        QFETCH(Call, call);
        QFETCH(double, limit);
        hook();
        f.radio->faults.stopAfterCommands = f.radio->commandsHandled();
        const double t0 = f.clock->now;
        QTEST(call(), "failure");
        QVERIFY(f.clock->now - t0 > limit);
        QVERIFY(f.clock->now - t0 < limit + 0.05);
        QTEST(g_bHooked, "staysHooked");
    }

    void a2dAverageHalvesToEven()
    {
        // Ten samples of each, one per request: 100.5, 101.5 and 127.5 go to the even number.
        for (const auto &[first, second, average] :
             {std::tuple{100, 101, 100}, {101, 102, 102}, {0, 255, 128}}) {
            init();
            auto n = std::make_shared<int>(0);
            f.radio->addCommand(
                0xFA, 1, [=, first = first, second = second](VirtualRadio &, const Bytes &) {
                    return Bytes{static_cast<std::uint8_t>((*n)++ < 10 ? first : second)};
                });
            hook();
            QCOMPARE(ReadA2DVal(20, 5), average);
        }
    }

    void noiseAverageCountsTheTail()
    {
        // 64 bytes of 100 at once, then 64 of 200 while the stop byte is on its way.
        f.radio->addCommand(0xFD, 0, [this](VirtualRadio &, const Bytes &) {
            f.port->injectInput(Bytes(64, 200), 0.1);
            return Bytes(64, 100);
        });
        hook();
        f.radio->clearTrace();
        QCOMPARE(ReadNoiseAverage(), 150);
        QCOMPARE(f.radio->received(), (Bytes{0xFD, 0x00}));
    }

    void slotAddressesAndFields()
    {
        f.fillPattern();
        QCOMPARE(UnitChanSlot(0, 8), 0x0600);
        QCOMPARE(UnitChanSlot(24, 19), 25 * 1024 + 256 + 19 * 32);
        hook();
        f.radio->clearTrace();
        QVERIFY(WriteUnitChanFreq(0, 8, true, 155.0));
        QCOMPARE(f.radio->received(),
                 (Bytes{0xD3, 0x06, 0x00, 0xFF, 0xAB, 0xD3, 0x06, 0x01, 0xFF, 0xE0}));

        // Frequencies below the band (here 100.01250 MHz) are kept as 0.
        const Bytes before = f.radio->eeprom;
        f.radio->eeprom[0x0500] = 0x00;
        f.radio->eeprom[0x0501] = 0x0A;
        TuneChanRec rec;
        QVERIFY(GetChanDataFromUnit(0, 0, rec, false));
        QCOMPARE(rec.RxFreq, 0.0);
        // Written back, the record changes only its six fields' bytes of the slot.
        QVERIFY(WriteChanDataToUnit(0, 0, {161.25, "N", "067.0", 173.995, "L", "D023"}, true));
        Bytes expected = before;
        for (int a :
             {0x500, 0x501, 0x502, 0x504, 0x505, 0x508, 0x509, 0x50A, 0x50C, 0x50D, 0x600, 0x601})
            expected[a] = f.radio->eeprom[a];
        QVERIFY(f.radio->eeprom == expected);
    }

    // A cell call without a radio: a port that cannot be used shows only the link's conflict; a
    // radio that does not answer, the hook error at each call; one that falls silent mid-write,
    // the comm error first. (The cells themselves are checked through the pages that set them.)
    void cellCallsWithoutARadio()
    {
        for (const std::string radio : {"refused", "silent", "no answer"}) {
            init();
            if (radio == "refused") {
                f.port->refuse[LinkFixture::Device] = SerialError::Busy;
            } else if (radio == "silent") {
                hook();
                f.radio->faults.stopAfterCommands = f.radio->commandsHandled();
            } else {
                f.radio->faults.noHookAnswer = true;
            }
            TuneChanRec rec;
            QVERIFY(!WriteHighPowerDAC(1, false));
            QVERIFY(!GetChanDataFromUnit(0, 0, rec, false));
            const auto hookErrors = std::count_if(
                f.dialogs->messages.begin(), f.dialogs->messages.end(),
                [](const ScriptedDialogs::Message &m) {
                    return m.text ==
                           "Unable to 'Hook' radio.  Please check all connections and try again.";
                });
            QCOMPARE(int(hookErrors), radio == "refused" ? 0 : 2);
            QCOMPARE(f.dialogs->messages.size() - hookErrors,
                     std::size_t(radio == "refused" ? 2 : radio == "silent"));
            QVERIFY(radio != "silent" || f.dialogs->messages[0].text.rfind("A COMM ERROR", 0) == 0);
            QVERIFY(!f.port->isOpen() && !g_bHooked);
            QVERIFY(f.radio->received().empty() == (radio == "refused"));
        }
        // The pages' own hook offers a retry, and gets through once the radio answers.
        f.dialogs->messages.clear();
        f.dialogs->messageAnswers = {MsgAnswer::Retry, MsgAnswer::Cancel};
        QVERIFY(!HookTDFx());
        QCOMPARE(f.dialogs->messages.size(), std::size_t(2));
        QCOMPARE(f.dialogs->messages[0].caption, std::string("COMM ERROR"));
        QVERIFY(f.dialogs->messages[0].buttons == MsgButtons::RetryCancel);
        f.radio->faults.noHookAnswer = false;
        QVERIFY(HookTDFx());
    }

private:
    void hook() { QCOMPARE(HookRadio(1, 3, 4800), 1); }
    LinkFixture f;
    std::unique_ptr<RadioBench> bench;
};

QTEST_GUILESS_MAIN(TestAlignLink)
#include "tst_alignlink.moc"
