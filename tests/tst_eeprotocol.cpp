#include "eeprotocol.h"
#include "linkfixture.h"

#include <QtTest>

#include <algorithm>

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace
{

const std::string ConflictText = "The Comm Port is already in use by another      \r\n"
                                 "program.  Please select an available port      \r\n"
                                 "and connect the unit, then make sure the      \r\n"
                                 "'Comm Port' menu selection matches.\r\n";

Bytes WakeUp()
{
    Bytes bytes(10, 0x00);
    bytes.insert(bytes.end(), {0x0A, 0x14, 0x28});
    return bytes;
}

int CountOf(const Bytes &bytes, std::uint8_t value)
{
    return static_cast<int>(std::count(bytes.begin(), bytes.end(), value));
}

} // namespace

class TestEeProtocol : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void hookWakesTheRadioAt4800();
    void hookGivesUpAfterTries_data();
    void hookGivesUpAfterTries();
    void readSendsExactBytes_data();
    void readSendsExactBytes();
    void blockWriteSendsExactBytes_data();
    void blockWriteSendsExactBytes();
    void maskedWrite_data();
    void maskedWrite();
    void countsOutsideTheRangeAreRefused_data();
    void countsOutsideTheRangeAreRefused();
    void onlyAChunkStartingWithAckEndsAWrite_data();
    void onlyAChunkStartingWithAckEndsAWrite();
    void wrongReplyByteFailsTheWrite_data();
    void wrongReplyByteFailsTheWrite();
    void readTimeOutUnhooksClosesAndReports();
    void pacedBlockReadAt4800FitsTheTimeLimit_data();
    void pacedBlockReadAt4800FitsTheTimeLimit();
    void stepDownToTheLowestRateIsSilent();
    void lowerRateAcceptedIsAnnounced();
    void requestedRateAccepted();
    void unlistedRateHooksAt4800();
    void nothingIsSentWhileNotHooked();
    void portConflictNamesDeviceAndCause_data();
    void portConflictNamesDeviceAndCause();
    void unhookOpensThePortWhenClosed();
    void sendByteOnlyWhileHooked();
    void hookMessages();
    void waitingPumpsEventsWithoutSpinning();
    void withoutAPortEverythingFailsQuietly();

private:
    int hook(long baud = 4800) { return HookRadio(1, 3, baud); }
    LinkFixture f;
};

void TestEeProtocol::init()
{
    f.reset();
}

void TestEeProtocol::hookWakesTheRadioAt4800()
{
    QCOMPARE(hook(), 1);
    QVERIFY(g_bHooked);
    QCOMPARE(g_iCommPort, 1);
    QVERIFY(m_bPortOpen);
    QVERIFY(f.port->isOpen());
    QCOMPARE(f.port->device(), std::string(LinkFixture::Device));
    QCOMPARE(f.port->rate(), 4800L);
    QCOMPARE(f.radio->received(), WakeUp());
    QCOMPARE(f.radio->sent(), Bytes{0x12});
    QVERIFY(f.clock->sleptMs >= 60);
    QVERIFY(f.dialogs->messages.empty());
}

void TestEeProtocol::hookGivesUpAfterTries_data()
{
    QTest::addColumn<bool>("noAnswer");
    QTest::addColumn<double>("replyDelay");
    QTest::addColumn<int>("result");
    QTest::newRow("silent radio") << true << 0.0 << 0;
    QTest::newRow("answer after the second") << false << 1.2 << 0;
    QTest::newRow("slow but in time") << false << 0.9 << 1;
}

void TestEeProtocol::hookGivesUpAfterTries()
{
    QFETCH(bool, noAnswer);
    QFETCH(double, replyDelay);
    QFETCH(int, result);
    f.radio->faults.noHookAnswer = noAnswer;
    f.radio->faults.replyDelay = replyDelay;
    QCOMPARE(hook(), result);
    QCOMPARE(g_bHooked, result == 1);
    const int wakeUps = CountOf(f.radio->received(), 0x28);
    QCOMPARE(wakeUps, result == 1 ? 1 : 3);
    if (result == 0) {
        // Three attempts of 60 ms plus a second of listening each.
        QVERIFY(f.clock->now >= 3 * 1.06);
        QVERIFY(f.clock->now < 3 * 1.06 + 0.3);
    }
    // The caller shows the hook error, not the hook.
    QVERIFY(f.dialogs->messages.empty());
}

void TestEeProtocol::readSendsExactBytes_data()
{
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("count");
    QTest::addColumn<Bytes>("command");
    QTest::newRow("1 byte, no 0xFF") << 0x00 << 0x1F << 1 << Bytes{0xC7, 0x00, 0x1F, 0x01};
    QTest::newRow("2 bytes") << 0x03 << 0x1F << 2 << Bytes{0xC7, 0x03, 0x1F, 0x02, 0xFF};
    QTest::newRow("255 bytes") << 0x01 << 0x01 << 255 << Bytes{0xC7, 0x01, 0x01, 0xFF, 0xFF};
    QTest::newRow("256 bytes as 0x00")
        << 0x04 << 0x00 << 256 << Bytes{0xC7, 0x04, 0x00, 0x00, 0xFF};
    QTest::newRow("top of 64 KiB") << 0xFF << 0x00 << 256 << Bytes{0xC7, 0xFF, 0x00, 0x00, 0xFF};
}

void TestEeProtocol::readSendsExactBytes()
{
    QFETCH(int, high);
    QFETCH(int, low);
    QFETCH(int, count);
    QFETCH(Bytes, command);
    f.fillPattern();
    QCOMPARE(hook(), 1);
    f.radio->clearTrace();
    Bytes buffer(256, 0xEE);
    QVERIFY(ReadMultiEEBytes(high, low, count, buffer));
    QCOMPARE(f.radio->received(), command);
    const int address = high * 256 + low;
    for (int i = 0; i < count; ++i)
        QCOMPARE(buffer[i], f.radio->eeprom[address + i]);
    if (count < 256)
        QCOMPARE(buffer[count], std::uint8_t(0xEE));
    QVERIFY(g_bHooked);
    QVERIFY(f.dialogs->messages.empty());
}

void TestEeProtocol::blockWriteSendsExactBytes_data()
{
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("count");
    QTest::newRow("1 byte") << 0x00 << 0x07 << 1;
    QTest::newRow("12 bytes") << 0x04 << 0x20 << 12;
    QTest::newRow("256 bytes") << 0x65 << 0x00 << 256;
}

void TestEeProtocol::blockWriteSendsExactBytes()
{
    QFETCH(int, high);
    QFETCH(int, low);
    QFETCH(int, count);
    QCOMPARE(hook(), 1);
    f.radio->clearTrace();
    Bytes data(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        data[i] = static_cast<std::uint8_t>(0xA0 ^ i);
    QVERIFY(WriteMultiEEBytes(high, low, count, data));

    Bytes expected = {0xD5, static_cast<std::uint8_t>(high), static_cast<std::uint8_t>(low),
                      static_cast<std::uint8_t>(count == 256 ? 0x00 : count)};
    for (std::uint8_t byte : data)
        expected.push_back(byte);
    QCOMPARE(f.radio->received(), expected);
    const int address = high * 256 + low;
    QVERIFY(std::equal(data.begin(), data.end(), f.radio->eeprom.begin() + address));
    QCOMPARE(f.radio->eeprom[address + count], std::uint8_t(0));
}

void TestEeProtocol::maskedWrite_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("after");
    QTest::newRow("whole byte") << 0x5A << 0xFF << 0x3C << 0x3C;
    QTest::newRow("low bit kept") << 0x01 << 0xFE << 0x00 << 0x01;
    QTest::newRow("one bit set") << 0x00 << 0x08 << 0xFF << 0x08;
    QTest::newRow("top two bits") << 0x3F << 0xC0 << 0x80 << 0xBF;
}

void TestEeProtocol::maskedWrite()
{
    QFETCH(int, before);
    QFETCH(int, mask);
    QFETCH(int, value);
    QFETCH(int, after);
    f.radio->eeprom[0x0088] = static_cast<std::uint8_t>(before);
    QCOMPARE(hook(), 1);
    f.radio->clearTrace();
    QVERIFY(WriteEEByte(0x00, 0x88, mask, value));
    const Bytes expected = {0xD3, 0x00, 0x88, static_cast<std::uint8_t>(mask),
                            static_cast<std::uint8_t>(value)};
    QCOMPARE(f.radio->received(), expected);
    QCOMPARE(int(f.radio->eeprom[0x0088]), after);
}

void TestEeProtocol::countsOutsideTheRangeAreRefused_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("0") << 0;
    QTest::newRow("257") << 257;
    QTest::newRow("-1") << -1;
}

void TestEeProtocol::countsOutsideTheRangeAreRefused()
{
    QFETCH(int, count);
    QCOMPARE(hook(), 1);
    const std::size_t written = f.port->written.size();
    Bytes buffer(300, 0x11);
    QVERIFY(!ReadMultiEEBytes(0, 0, count, buffer));
    QVERIFY(!WriteMultiEEBytes(0, 0, count, buffer));
    QCOMPARE(f.port->written.size(), written);
    QVERIFY(f.dialogs->messages.empty());
    QVERIFY(g_bHooked);
    QCOMPARE(buffer, Bytes(300, 0x11));
}

void TestEeProtocol::onlyAChunkStartingWithAckEndsAWrite_data()
{
    QTest::addColumn<double>("strayAt");
    QTest::addColumn<bool>("ok");
    // The stray byte comes alone, before the radio's 0x01: that 0x01 starts the next chunk.
    QTest::newRow("stray byte first, on its own") << 0.05 << true;
    // The stray byte comes in the same chunk as the 0x01: the chunk does not count.
    QTest::newRow("stray byte in front of 0x01") << 0.10 << false;
}

void TestEeProtocol::onlyAChunkStartingWithAckEndsAWrite()
{
    QFETCH(double, strayAt);
    QFETCH(bool, ok);
    QCOMPARE(hook(), 1);
    f.radio->faults.replyDelay = 0.10;
    f.port->injectInput({0x55}, strayAt);
    QCOMPARE(WriteMultiEEBytes(0, 0x10, 1, Bytes{0x42}), ok);
    QCOMPARE(g_bHooked, ok);
    QCOMPARE(f.dialogs->messages.size(), std::size_t(ok ? 0 : 1));
}

void TestEeProtocol::wrongReplyByteFailsTheWrite_data()
{
    QTest::addColumn<bool>("block");
    QTest::addColumn<QString>("routine");
    QTest::addColumn<double>("limit");
    QTest::newRow("block write") << true << "WriteMultiEEBytes" << 2.0;
    QTest::newRow("masked write") << false << "WriteEEByte" << 0.25;
}

void TestEeProtocol::wrongReplyByteFailsTheWrite()
{
    QFETCH(bool, block);
    QFETCH(QString, routine);
    QFETCH(double, limit);
    QCOMPARE(hook(), 1);
    f.radio->faults.wrongFirstByte = 0x00;
    const double start = f.clock->now;
    const bool ok = block ? WriteMultiEEBytes(0, 7, 1, Bytes{0x42}) : WriteEEByte(0, 7, 0xFF, 0x42);
    QVERIFY(!ok);
    const double waited = f.clock->now - start;
    QVERIFY2(waited > limit && waited < limit + 0.05, qPrintable(QString::number(waited)));
    // The radio did write: only the answer was wrong.
    QCOMPARE(f.radio->eeprom[7], std::uint8_t(0x42));
    QCOMPARE(f.port->written.back(), std::uint8_t(0x01));
    QVERIFY(!g_bHooked);
    QVERIFY(!f.port->isOpen());
    QVERIFY(!m_bPortOpen);
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
    const auto &message = f.dialogs->messages[0];
    QCOMPARE(message.text,
             "A COMM ERROR occurred in sub routine '" + routine.toStdString() + "'.      ");
    QCOMPARE(message.caption, std::string("COMM ERROR"));
    QCOMPARE(message.buttons, MsgButtons::OkCancel);
    QCOMPARE(message.icon, MsgIcon::Exclamation);
}

void TestEeProtocol::readTimeOutUnhooksClosesAndReports()
{
    f.radio->faults.stopAfterCommands = 1; // the hook is answered, nothing after it
    QCOMPARE(hook(), 1);
    const double start = f.clock->now;
    Bytes buffer(256, 0x77);
    QVERIFY(!ReadMultiEEBytes(0x04, 0x00, 256, buffer));
    const double waited = f.clock->now - start;
    QVERIFY2(waited > 2.0 && waited < 2.05, qPrintable(QString::number(waited)));
    QCOMPARE(buffer, Bytes(256, 0x77));
    const Bytes tail(f.port->written.end() - 6, f.port->written.end());
    QCOMPARE(tail, (Bytes{0xC7, 0x04, 0x00, 0x00, 0xFF, 0x01}));
    QVERIFY(!g_bHooked);
    QVERIFY(!f.port->isOpen());
    QVERIFY(!m_bPortOpen);
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs->messages[0].text,
             std::string("A COMM ERROR occurred in sub routine 'ReadMultiEEBytes'.      "));
    QCOMPARE(f.dialogs->messages[0].caption, std::string("COMM ERROR"));
    QCOMPARE(f.dialogs->messages[0].buttons, MsgButtons::OkCancel);
    QCOMPARE(f.dialogs->messages[0].icon, MsgIcon::Exclamation);
}

void TestEeProtocol::pacedBlockReadAt4800FitsTheTimeLimit_data()
{
    QTest::addColumn<double>("replyDelay");
    QTest::addColumn<bool>("ok");
    // 5 + 256 bytes at 480 bytes/s take 0.54 s.
    QTest::newRow("prompt radio") << 0.0 << true;
    QTest::newRow("1.4 s late") << 1.4 << true;
    QTest::newRow("1.5 s late") << 1.5 << false;
}

void TestEeProtocol::pacedBlockReadAt4800FitsTheTimeLimit()
{
    QFETCH(double, replyDelay);
    QFETCH(bool, ok);
    f.fillPattern();
    f.port->paceAtLineRate = true;
    QCOMPARE(hook(), 1);
    f.radio->faults.replyDelay = replyDelay;
    Bytes buffer(256);
    const double start = f.clock->now;
    QCOMPARE(ReadMultiEEBytes(0x02, 0x00, 256, buffer), ok);
    if (ok) {
        QVERIFY(f.clock->now - start >= replyDelay + 261 * 10.0 / 4800 - 1e-9);
        QVERIFY(std::equal(buffer.begin(), buffer.end(), f.radio->eeprom.begin() + 0x200));
    }
}

void TestEeProtocol::stepDownToTheLowestRateIsSilent()
{
    f.radio->maxBaudRate = 4800;
    m_iBaudIndex = 5;
    SetBaudRate();
    QCOMPARE(hook(115200), 1);
    QVERIFY(g_bHooked);
    QVERIFY(f.dialogs->messages.empty());
    QCOMPARE(m_iBaudIndex, 0);
    QCOMPARE(m_lBaudRate, 4800L);
    QCOMPARE(f.setting("Baud Rate Index"), std::string("0"));
    QCOMPARE(f.port->rate(), 4800L);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(mnuBaudState[i].checked, i == 0);
    Bytes expected = WakeUp();
    expected.insert(expected.end(), {0x05, 5, 0x05, 4, 0x05, 3, 0x05, 2, 0x05, 1});
    QCOMPARE(f.radio->received(), expected);
    // Four refusals of a quarter second each, plus the last.
    QVERIFY(f.clock->now > 5 * 0.25);
}

void TestEeProtocol::lowerRateAcceptedIsAnnounced()
{
    f.radio->maxBaudRate = 19200;
    f.fillPattern();
    m_iBaudIndex = 3;
    SetBaudRate();
    QCOMPARE(hook(38400), 1);
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
    const auto &message = f.dialogs->messages[0];
    QCOMPARE(message.text,
             std::string("Unable to establish communications at the requested baud rate of "
                         "38400.      \r\n\r\nThe baud rate has been changed to 19200.\r\n\r\n"
                         "If you wish to change the baud rate again, please use the 'Options' "
                         "menu above."));
    QCOMPARE(message.caption, std::string("NEW BAUD RATE"));
    QCOMPARE(message.buttons, MsgButtons::Ok);
    QCOMPARE(message.icon, MsgIcon::Information);
    QCOMPARE(m_iBaudIndex, 2);
    QCOMPARE(m_lBaudRate, 19200L);
    QCOMPARE(f.setting("Baud Rate Index"), std::string("2"));
    QCOMPARE(f.port->rate(), 19200L);
    QCOMPARE(f.radio->lineRate(), 19200L);
    // Both ends now speak 19200: a read goes through.
    Bytes buffer(16);
    QVERIFY(ReadMultiEEBytes(0, 0x20, 16, buffer));
    QVERIFY(std::equal(buffer.begin(), buffer.end(), f.radio->eeprom.begin() + 0x20));
}

void TestEeProtocol::requestedRateAccepted()
{
    m_iBaudIndex = 4;
    SetBaudRate();
    QCOMPARE(hook(57600), 1);
    QVERIFY(f.dialogs->messages.empty());
    QCOMPARE(f.port->rate(), 57600L);
    QCOMPARE(f.radio->lineRate(), 57600L);
    QCOMPARE(m_iBaudIndex, 4);
    const Bytes received = f.radio->received();
    const Bytes tail(received.end() - 2, received.end());
    QCOMPARE(tail, (Bytes{0x05, 0x04}));
}

void TestEeProtocol::unlistedRateHooksAt4800()
{
    m_iBaudIndex = 2;
    SetBaudRate();
    QCOMPARE(hook(12345), 1);
    QCOMPARE(f.radio->received(), WakeUp());
    QCOMPARE(m_iBaudIndex, 0);
    QCOMPARE(f.setting("Baud Rate Index"), std::string("0"));
    QCOMPARE(f.port->rate(), 4800L);
}

void TestEeProtocol::nothingIsSentWhileNotHooked()
{
    Bytes buffer(256);
    QVERIFY(!ReadMultiEEBytes(0, 0, 16, buffer));
    QVERIFY(!WriteMultiEEBytes(0, 0, 16, buffer));
    QVERIFY(f.port->written.empty());
    QVERIFY(f.radio->received().empty());
    QVERIFY(f.dialogs->messages.empty());
    QCOMPARE(f.clock->now, 0.0);
}

void TestEeProtocol::portConflictNamesDeviceAndCause_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("cause");
    QTest::addColumn<QString>("line");
    QTest::newRow("permission")
        << LinkFixture::Device << int(SerialError::Permission)
        << "/dev/ttyVR0 may not be opened by your account: add your account to the 'dialout' "
           "group, then log in again.";
    QTest::newRow("busy") << LinkFixture::Device << int(SerialError::Busy)
                          << "/dev/ttyVR0 is held by another program.";
    QTest::newRow("missing")
        << LinkFixture::Device << int(SerialError::NotFound)
        << "/dev/ttyVR0 was not found: check the cable and the 'Comm Port' menu selection.";
    QTest::newRow("no device at all")
        << "" << int(SerialError::None)
        << "Comm Port 1 stands for no serial device: check the cable and the 'Comm Port' menu "
           "selection.";
}

void TestEeProtocol::portConflictNamesDeviceAndCause()
{
    QFETCH(QString, device);
    QFETCH(int, cause);
    QFETCH(QString, line);
    f.setSetting("Comm Port 1 Device", device.toStdString());
    if (cause != int(SerialError::None))
        f.port->refuse[device.toStdString()] = static_cast<SerialError>(cause);
    QCOMPARE(hook(), -1);
    QVERIFY(!g_bHooked);
    QVERIFY(!m_bPortOpen);
    QVERIFY(f.port->written.empty());
    QCOMPARE(f.dialogs->messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs->messages[0].text, ConflictText + line.toStdString());
    QCOMPARE(f.dialogs->messages[0].caption, std::string("COMM PORT CONFLICT"));
    QCOMPARE(f.dialogs->messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(f.dialogs->messages[0].icon, MsgIcon::Information);
}

void TestEeProtocol::unhookOpensThePortWhenClosed()
{
    f.port->selectDevice(LinkFixture::Device);
    QVERIFY(!f.port->isOpen());
    UnhookRadio(true);
    QCOMPARE(f.port->written, Bytes{0x01});
    QVERIFY(!f.port->isOpen());
    QCOMPARE(f.port->opens, 1);

    QCOMPARE(hook(), 1);
    UnhookRadio(false);
    QVERIFY(!g_bHooked);
    QVERIFY(f.port->isOpen());
    QVERIFY(m_bPortOpen);
    QVERIFY(!f.radio->hooked());
}

void TestEeProtocol::sendByteOnlyWhileHooked()
{
    f.port->selectDevice(LinkFixture::Device);
    f.port->open();
    SendByte(0xFD);
    QVERIFY(f.port->written.empty());
    QCOMPARE(hook(), 1);
    const std::size_t before = f.port->written.size();
    SendByte(0x1FD);
    QCOMPARE(f.port->written.size(), before + 1);
    QCOMPARE(f.port->written.back(), std::uint8_t(0xFD));
}

void TestEeProtocol::hookMessages()
{
    const std::string text = "Unable to 'Hook' radio.  Please check all connections and try again.";
    ShowHookError();
    f.dialogs->messageAnswers = {MsgAnswer::Retry, MsgAnswer::Cancel};
    QVERIFY(AskHookRetry());
    QVERIFY(!AskHookRetry());
    QCOMPARE(f.dialogs->messages.size(), std::size_t(3));
    QCOMPARE(f.dialogs->messages[0].text, text);
    QCOMPARE(f.dialogs->messages[0].buttons, MsgButtons::Ok);
    for (const auto &message : f.dialogs->messages) {
        QCOMPARE(message.caption, std::string("COMM ERROR"));
        QCOMPARE(message.icon, MsgIcon::Exclamation);
    }
    QCOMPARE(f.dialogs->messages[1].text, text);
    QCOMPARE(f.dialogs->messages[1].buttons, MsgButtons::RetryCancel);
}

void TestEeProtocol::waitingPumpsEventsWithoutSpinning()
{
    f.radio->faults.stopAfterCommands = 1;
    QCOMPARE(hook(), 1);
    const long long pumps = f.clock->eventPumps;
    const int waits = f.port->waits;
    Bytes buffer(256);
    QVERIFY(!ReadMultiEEBytes(0, 0, 256, buffer));
    // Every turn of the 2 s wait services events and blocks in the port for a while.
    const long long turns = f.clock->eventPumps - pumps;
    QVERIFY(turns >= 100);
    QVERIFY(turns <= 250);
    QVERIFY(f.port->waits - waits >= turns - 1);
}

void TestEeProtocol::withoutAPortEverythingFailsQuietly()
{
    platform().serial = nullptr;
    Bytes buffer(4);
    QCOMPARE(HookRadio(1, 3, 4800), -1);
    QVERIFY(!WriteEEByte(0, 0, 0xFF, 1));
    UnhookRadio(true);
    SendByte(1);
    QCOMPARE(OpenCommPort(true), 0);
    QVERIFY(!m_bPortOpen);
    QVERIFY(!g_bHooked);
    QVERIFY(f.dialogs->messages.empty());
}

QTEST_APPLESS_MAIN(TestEeProtocol)
#include "tst_eeprotocol.moc"
