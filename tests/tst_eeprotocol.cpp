#include "baudrates.h"
#include "eeprotocol.h"
#include "linkfixture.h"
#include "radiotrace.h"

#include <QtTest>

#include <algorithm>

using RadioTrace::Bytes;
using RadioTrace::WakeUp;

namespace
{

void checkMessage(const ScriptedDialogs::Message &m, const std::string &text, const char *caption,
                  MsgButtons buttons, MsgIcon icon)
{
    QCOMPARE(QString::fromStdString(m.text), QString::fromStdString(text));
    QCOMPARE(QString::fromStdString(m.caption), QString::fromLatin1(caption));
    QCOMPARE(m.buttons, buttons);
    QCOMPARE(m.icon, icon);
}

} // namespace

class TestEeProtocol : public QObject
{
    Q_OBJECT

    // A fresh radio, hooked at 4800 bit/s, its trace cleared.
    void hooked()
    {
        f.reset();
        QCOMPARE(HookRadio(1, 3, 4800), 1);
        f.radio->clearTrace();
    }

private Q_SLOTS:
    void init() { f.reset(); }

    void hook()
    {
        // A prompt radio, a silent one, one answering after the second of listening, a slow one
        // in time.
        const struct {
            bool noAnswer;
            double replyDelay;
            int result;
        } rows[] = {{false, 0.0, 1}, {true, 0.0, 0}, {false, 1.2, 0}, {false, 0.9, 1}};
        for (const auto &row : rows) {
            f.reset();
            f.radio->faults.noHookAnswer = row.noAnswer;
            f.radio->faults.replyDelay = row.replyDelay;
            QCOMPARE(HookRadio(1, 3, 4800), row.result);
            QCOMPARE(g_bHooked, row.result == 1);
            // The caller shows the hook error, not the hook.
            QVERIFY(f.dialogs->messages.empty());
            QCOMPARE(f.radio->received(),
                     row.result ? WakeUp() : RadioTrace::Join({WakeUp(), WakeUp(), WakeUp()}));
            if (row.result == 0) {
                // Three attempts of 60 ms plus a second of listening each.
                QVERIFY(f.clock->now >= 3 * 1.06 && f.clock->now < 3 * 1.06 + 0.3);
                continue;
            }
            QVERIFY(m_bPortOpen && f.port->isOpen());
            QCOMPARE(f.port->rate(), 4800L);
            QCOMPARE(f.radio->sent(), Bytes{0x12});
            QVERIFY(f.clock->sleptMs >= 60);
        }
    }

    void commandsOnTheWire()
    {
        // Reads: the count byte is 0x00 for 256, and only a single byte goes without the 0xFF.
        const struct {
            int address, count;
            Bytes command;
        } reads[] = {{0x001F, 1, {0xC7, 0x00, 0x1F, 0x01}},
                     {0x031F, 2, {0xC7, 0x03, 0x1F, 0x02, 0xFF}},
                     {0x0101, 255, {0xC7, 0x01, 0x01, 0xFF, 0xFF}},
                     {0x0400, 256, {0xC7, 0x04, 0x00, 0x00, 0xFF}},
                     {0xFF00, 256, {0xC7, 0xFF, 0x00, 0x00, 0xFF}}};
        for (const auto &row : reads) {
            hooked();
            f.fillPattern();
            Bytes buffer(256, 0xEE);
            QVERIFY(ReadMultiEEBytes(row.address >> 8, row.address & 0xFF, row.count, buffer));
            QCOMPARE(f.radio->received(), row.command);
            QVERIFY(std::equal(buffer.begin(), buffer.begin() + row.count,
                               f.radio->eeprom.begin() + row.address));
            if (row.count < 256)
                QCOMPARE(buffer[row.count], std::uint8_t(0xEE));
            QVERIFY(g_bHooked && f.dialogs->messages.empty());
        }

        // Block writes: the transactions' byte traces.
        // Masked writes at 0x0088: before, mask, value, after.
        const int masked[][4] = {{0x5A, 0xFF, 0x3C, 0x3C},
                                 {0x01, 0xFE, 0x00, 0x01},
                                 {0x00, 0x08, 0xFF, 0x08},
                                 {0x3F, 0xC0, 0x80, 0xBF}};
        for (const auto &[before, mask, value, after] : masked) {
            hooked();
            f.radio->eeprom[0x0088] = static_cast<std::uint8_t>(before);
            QVERIFY(WriteEEByte(0x00, 0x88, mask, value));
            QCOMPARE(f.radio->received(),
                     (Bytes{0xD3, 0x00, 0x88, std::uint8_t(mask), std::uint8_t(value)}));
            QCOMPARE(int(f.radio->eeprom[0x0088]), after);
        }
    }

    void refusedWithoutSending()
    {
        // Counts outside 1 to 256 while hooked, and anything while not hooked or without a port.
        for (const auto &[hooked, count] :
             {std::pair{true, 0}, {true, 257}, {true, -1}, {false, 16}}) {
            f.reset();
            if (hooked)
                QCOMPARE(HookRadio(1, 3, 4800), 1);
            const std::size_t written = f.port->written.size();
            const double now = f.clock->now;
            Bytes buffer(300, 0x11);
            QVERIFY(!ReadMultiEEBytes(0, 0, count, buffer));
            QVERIFY(!WriteMultiEEBytes(0, 0, count, buffer));
            QCOMPARE(f.port->written.size(), written);
            QCOMPARE(f.clock->now, now);
            QCOMPARE(g_bHooked, hooked);
            QCOMPARE(buffer, Bytes(300, 0x11));
            QVERIFY(f.dialogs->messages.empty());
        }
        // Without a port everything fails quietly.
        platform().serial = nullptr;
        QCOMPARE(HookRadio(1, 3, 4800), -1);
        QVERIFY(!WriteEEByte(0, 0, 0xFF, 1));
        UnhookRadio(true);
        SendByte(1);
        QCOMPARE(OpenCommPort(true), 0);
        QVERIFY(!m_bPortOpen && !g_bHooked && f.dialogs->messages.empty());
    }

    void onlyAChunkStartingWithAckEndsAWrite()
    {
        // Alone before the radio's 0x01, a stray byte lets that 0x01 start the next chunk; in the
        // same chunk as the 0x01, the chunk does not count.
        for (const auto &[strayAt, ok] : {std::pair{0.05, true}, {0.10, false}}) {
            hooked();
            f.radio->faults.replyDelay = 0.10;
            f.port->injectInput({0x55}, strayAt);
            QCOMPARE(WriteMultiEEBytes(0, 0x10, 1, Bytes{0x42}), ok);
            QCOMPARE(g_bHooked, ok);
            QCOMPARE(f.dialogs->messages.size(), std::size_t(ok ? 0 : 1));
        }
    }

    void commErrorUnhooksClosesAndReports()
    {
        // A wrong reply to a block or masked write, or a read that times out, also with the
        // device unplugged.
        const std::tuple<std::string, double, bool> rows[] = {{"WriteMultiEEBytes", 2.0, false},
                                                              {"WriteEEByte", 0.25, false},
                                                              {"ReadMultiEEBytes", 2.0, false},
                                                              {"ReadMultiEEBytes", 2.0, true}};
        for (const auto &[routine, limit, gone] : rows) {
            hooked();
            const bool read = routine == "ReadMultiEEBytes";
            if (gone)
                f.port->present.clear();
            if (read)
                f.radio->faults.stopAfterCommands = 1; // the hook is answered, nothing after it
            else
                f.radio->faults.wrongFirstByte = 0x00;
            const double start = f.clock->now;
            const long long pumps = f.clock->eventPumps;
            const int waits = f.port->waits;
            Bytes buffer(256, 0x77);
            const bool ok = read ? ReadMultiEEBytes(0x04, 0x00, 256, buffer)
                            : routine == "WriteMultiEEBytes"
                                ? WriteMultiEEBytes(0, 7, 1, Bytes{0x42})
                                : WriteEEByte(0, 7, 0xFF, 0x42);
            QVERIFY(!ok);
            const double waited = f.clock->now - start;
            QVERIFY2(waited > limit && waited < limit + 0.05, qPrintable(QString::number(waited)));
            // Every turn of the wait services events and blocks in the port for a while.
            const long long turns = f.clock->eventPumps - pumps;
            QVERIFY(turns >= 50 * limit && turns <= 125 * limit);
            QVERIFY(f.port->waits - waits >= turns - 1);
            if (read) {
                QCOMPARE(buffer, Bytes(256, 0x77));
                const Bytes tail(f.port->written.end() - 6, f.port->written.end());
                QCOMPARE(tail, (Bytes{0xC7, 0x04, 0x00, 0x00, 0xFF, 0x01}));
            } else {
                // The radio did write: only the answer was wrong.
                QCOMPARE(f.radio->eeprom[7], std::uint8_t(0x42));
                QCOMPARE(f.port->written.back(), std::uint8_t(0x01));
            }
            QVERIFY(!g_bHooked && !f.port->isOpen() && !m_bPortOpen);
            QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
            checkMessage(f.dialogs->messages[0],
                         "A COMM ERROR occurred in sub routine '" + routine + "'.      \r\n" +
                             LinkFixture::Device +
                             (gone ? " is gone: its cable or USB adapter was unplugged. Plug it "
                                     "in and try again."
                                   : " is there, but the radio did not answer as expected: check "
                                     "that it is on and its cable is seated, then try again."),
                         "COMM ERROR", MsgButtons::OkCancel, MsgIcon::Exclamation);
        }
    }

    void pacedBlockReadAt4800FitsTheTimeLimit()
    {
        // 5 + 256 bytes at 480 bytes/s take 0.54 s of the 2 s.
        for (const auto &[replyDelay, ok] : {std::pair{0.0, true}, {1.4, true}, {1.5, false}}) {
            hooked();
            f.fillPattern();
            f.port->paceAtLineRate = true;
            f.radio->faults.replyDelay = replyDelay;
            Bytes buffer(256);
            const double start = f.clock->now;
            QCOMPARE(ReadMultiEEBytes(0x02, 0x00, 256, buffer), ok);
            if (ok) {
                QVERIFY(f.clock->now - start >= replyDelay + 261 * 10.0 / 4800 - 1e-9);
                QVERIFY(std::equal(buffer.begin(), buffer.end(), f.radio->eeprom.begin() + 0x200));
            }
        }
    }

    void rateNegotiation()
    {
        // The radio's top rate, the chosen index, the rate asked for, the agreed index and the
        // rate changes sent after the wake-up.
        const struct {
            long radioMax;
            int index;
            long requested;
            int agreed;
            Bytes changes;
        } rows[] = {{4800, 5, 115200, 0, {5, 5, 5, 4, 5, 3, 5, 2, 5, 1}}, // down to 4800, silently
                    {19200, 3, 38400, 2, {5, 3, 5, 2}},                   // a lower rate, announced
                    {115200, 4, 57600, 4, {5, 4}},
                    {115200, 2, 12345, 0, {}}}; // an unlisted rate stays at 4800
        for (const auto &row : rows) {
            f.reset();
            f.fillPattern();
            f.radio->maxBaudRate = row.radioMax;
            m_iBaudIndex = row.index;
            SetBaudRate();
            QCOMPARE(HookRadio(1, 3, row.requested), 1);
            QCOMPARE(f.radio->received(), RadioTrace::Join({WakeUp(), row.changes}));
            // Each refusal takes a quarter second.
            const std::size_t refused = row.changes.size() / 2 - (row.agreed != 0 ? 1 : 0);
            QVERIFY(f.clock->now > double(refused) * 0.25);
            // As if chosen from the menu (its setting and check marks: the port choice tests).
            const long rate = BaudRateOfIndex(row.agreed);
            QCOMPARE(m_iBaudIndex, row.agreed);
            QCOMPARE(m_lBaudRate, rate);
            const bool announced = row.agreed != 0 && rate != row.requested;
            QCOMPARE(f.dialogs->messages.size(), std::size_t(announced));
            if (announced)
                checkMessage(f.dialogs->messages[0],
                             "Unable to establish communications at the requested baud rate of "
                             "38400.      \r\n\r\nThe baud rate has been changed to 19200.\r\n\r\n"
                             "If you wish to change the baud rate again, please use the 'Options' "
                             "menu above.",
                             "NEW BAUD RATE", MsgButtons::Ok, MsgIcon::Information);
            // Both ends speak the agreed rate: a read goes through.
            Bytes buffer(16);
            QVERIFY(ReadMultiEEBytes(0, 0x20, 16, buffer));
            QVERIFY(std::equal(buffer.begin(), buffer.end(), f.radio->eeprom.begin() + 0x20));
        }
    }

    void portConflictNamesDeviceAndCause()
    {
        const std::pair<SerialError, std::string> rows[] = {
            {SerialError::Permission, "/dev/ttyVR0 may not be opened by your account: add your "
                                      "account to the 'dialout' group, then log in again."},
            {SerialError::Busy, "/dev/ttyVR0 is held by another program."},
            {SerialError::NotFound,
             "/dev/ttyVR0 was not found: check the cable and the 'Comm Port' menu selection."},
            {SerialError::None, "Comm Port 1 stands for no serial device: check the cable and the "
                                "'Comm Port' menu selection."}}; // no device at all
        for (const auto &[cause, line] : rows) {
            f.reset();
            if (cause == SerialError::None)
                f.setSetting("Comm Port 1 Device", "");
            else
                f.port->refuse[LinkFixture::Device] = cause;
            QCOMPARE(HookRadio(1, 3, 4800), -1);
            QVERIFY(!g_bHooked && !m_bPortOpen && f.port->written.empty());
            QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
            checkMessage(
                f.dialogs->messages[0],
                "The Comm Port is already in use by another      \r\nprogram.  Please select "
                "an available port      \r\nand connect the unit, then make sure the      "
                "\r\n'Comm Port' menu selection matches.\r\n" +
                    line,
                "COMM PORT CONFLICT", MsgButtons::Ok, MsgIcon::Information);
        }
    }

    void unhookAndSendByte()
    {
        // Unhooking opens a closed port for the one byte; sending needs the hook.
        f.port->selectDevice(LinkFixture::Device);
        UnhookRadio(true);
        QCOMPARE(f.port->written, Bytes{0x01});
        QVERIFY(!f.port->isOpen() && f.port->opens == 1);
        f.port->open();
        SendByte(0xFD);
        QCOMPARE(f.port->written, Bytes{0x01});

        QCOMPARE(HookRadio(1, 3, 4800), 1);
        SendByte(0x1FD);
        QCOMPARE(f.port->written.back(), std::uint8_t(0xFD));
        UnhookRadio(false); // the unhook byte, the port left open
        QCOMPARE(f.port->written.back(), std::uint8_t(0x01));
        QVERIFY(!g_bHooked && !f.radio->hooked() && f.port->isOpen() && m_bPortOpen);
    }

private:
    LinkFixture f;
};

QTEST_APPLESS_MAIN(TestEeProtocol)
#include "tst_eeprotocol.moc"
