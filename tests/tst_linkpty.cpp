// The link against tessaro-radio-sim on a pseudo-terminal, through the real Qt serial port.

#include "eeprotocol.h"
#include "fakeplatform.h"
#include "linkstate.h"
#include "platform.h"
#include "portchoice.h"
#include "qtclock.h"
#include "qtserialport.h"

#include <QtTest>

using Bytes = std::vector<std::uint8_t>;

static std::uint8_t PatternByte(int address)
{
    return static_cast<std::uint8_t>((address * 13 + 5) & 0xFF);
}

class TestLinkPty : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QFile image(m_dir.filePath("image.bin"));
        QVERIFY(image.open(QIODevice::WriteOnly));
        QByteArray bytes(65536, 0);
        for (int a = 0; a < bytes.size(); ++a)
            bytes[a] = static_cast<char>(PatternByte(a));
        image.write(bytes);
        image.close();
        Platform &p = platform();
        p.serial = &m_port;
        p.clock = &m_clock;
        p.settings = &m_settings;
        p.dialogs = &m_dialogs;
        ResetLinkState();
        ResetPortChoice();

        // A radio that can do 19200 bit/s at most, pacing its line as a real one; the first line
        // it prints is the terminal to use.
        m_sim.start(TESSARO_RADIO_SIM,
                    {"--load", m_dir.filePath("image.bin"), "--max-baud", "19200", "--pace"});
        QElapsedTimer timer;
        timer.start();
        while (m_sim.waitForStarted(5000) && !m_sim.canReadLine() && timer.elapsed() < 5000)
            m_sim.waitForReadyRead(100);
        m_device = QString::fromUtf8(m_sim.readLine()).trimmed();
        QVERIFY(m_device.startsWith("/dev/pts/"));
        m_settings.values["ZPA Tessaro Editor/Settings/Comm Port 1 Device"] =
            m_device.toStdString();
    }

    void cleanupTestCase()
    {
        m_port.close();
        m_sim.terminate();
        if (!m_sim.waitForFinished(3000))
            m_sim.kill();
        m_sim.waitForFinished(3000);
    }

    void session()
    {
        QSerialPort other;
        other.setPortName(m_device);
        QVERIFY(other.open(QIODevice::ReadWrite));
        QCOMPARE(HookRadio(1, 3, 4800), -1);
        QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
        QCOMPARE(m_dialogs.messages[0].caption, std::string("COMM PORT CONFLICT"));
        const std::string &text = m_dialogs.messages[0].text;
        QCOMPARE(text.substr(text.rfind("\r\n") + 2),
                 m_device.toStdString() + " is held by another program.");
        other.close();

        m_iBaudIndex = 3;
        SetBaudRate();
        QCOMPARE(HookRadio(1, 3, 38400), 1);
        QCOMPARE(m_dialogs.messages.size(), std::size_t(2));
        QCOMPARE(m_dialogs.messages[1].caption, std::string("NEW BAUD RATE"));
        QCOMPARE(m_iBaudIndex, 2);
        Bytes buffer(256);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(ReadMultiEEBytes(0x10, 0x00, 256, buffer));
        // Paced at 19200 bit/s the block takes 261 bytes of 10 bits.
        QVERIFY(timer.elapsed() >= 130);
        for (int i = 0; i < 256; ++i)
            QCOMPARE(buffer[i], PatternByte(0x1000 + i));
        // Writes over a real line: the command-line tool's own tests.
        UnhookRadio(true);
        QVERIFY(!g_bHooked && !m_port.isOpen());
        QCOMPARE(m_dialogs.messages.size(), std::size_t(2));
    }

private:
    QTemporaryDir m_dir;
    QProcess m_sim;
    QString m_device;
    QtSerialPort m_port;
    QtClock m_clock;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
};

QTEST_GUILESS_MAIN(TestLinkPty)
#include "tst_linkpty.moc"
