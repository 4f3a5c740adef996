#include "virtualradio.h"

#include <QtTest>

using Bytes = std::vector<std::uint8_t>;

namespace
{

const Bytes WakeUp = {0x00, 0x00, 0x00, 0x0A, 0x14, 0x28};

// All reply bytes, in order.
Bytes Answer(VirtualRadio &radio, const Bytes &bytes)
{
    Bytes out;
    for (const RadioReply &reply : radio.receive(bytes))
        out.insert(out.end(), reply.bytes.begin(), reply.bytes.end());
    return out;
}

} // namespace

class TestVirtualRadio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wakeUp()
    {
        // At least one zero, then 0x0A 0x14 0x28 without noise between them; a new wake-up in
        // the middle of a session starts over at 4800 bit/s. (Which rate changes it takes and
        // its return to 4800 on the unhook, the link's and the tool's tests show.)
        const std::pair<Bytes, Bytes> rows[] = {
            {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x0A, 0x14, 0x28}, {0x12}},
            {{0x00, 0x0A, 0x14, 0x28}, {0x12}},
            {{0x0A, 0x14, 0x28}, {}},
            {{0x00, 0x14, 0x0A, 0x28}, {}},
            {{0x00, 0x0A, 0x33, 0x14, 0x28}, {}},
            {{0x00, 0x0A, 0x33, 0x00, 0x0A, 0x14, 0x28}, {0x12}},
            {{0x00, 0x0A, 0x14, 0x28, 0x05, 0x02, 0x00, 0x0A, 0x14, 0x28}, {0x12, 0x01, 0x12}}};
        for (const auto &[bytes, reply] : rows) {
            VirtualRadio radio;
            QCOMPARE(Answer(radio, bytes), reply);
            QCOMPARE(radio.hooked(), !reply.empty());
            QCOMPARE(radio.lineRate(), 4800L);
        }
    }

    void commandsNeedTheHookAndMayBeSplit()
    {
        VirtualRadio radio;
        radio.eeprom[5] = 0x99;
        radio.eeprom[0x1234] = 0x42;
        QVERIFY(Answer(radio, {0xC7, 0x00, 0x05, 0x01}).empty());
        QVERIFY(Answer(radio, {0xD3, 0x00, 0x05, 0xFF, 0x00}).empty());
        QCOMPARE(radio.eeprom[5], std::uint8_t(0x99));
        QCOMPARE(Answer(radio, {0x00, 0x0A}), Bytes{});
        QCOMPARE(Answer(radio, {0x14, 0x28, 0xC7}), Bytes{0x12});
        QCOMPARE(Answer(radio, {0x12}), Bytes{});
        QCOMPARE(Answer(radio, {0x34, 0x01}), Bytes{0x42});
        // A count other than 1 waits for the 0xFF that follows it.
        QCOMPARE(Answer(radio, {0xC7, 0x00, 0x05, 0x02}), Bytes{});
        QCOMPARE(Answer(radio, {0xFF}), (Bytes{0x99, 0x00}));
        // Bytes that are no command are ignored and do not disturb the next one. (Added
        // commands and single-command faults are the alignment link's to test.)
        QCOMPARE(Answer(radio, {0x77, 0xC7, 0, 0x05, 1}), Bytes{0x99});
    }
};

QTEST_APPLESS_MAIN(TestVirtualRadio)
#include "tst_virtualradio.moc"
