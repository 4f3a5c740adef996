#include "baudrates.h"
#include "eeprotocol.h"
#include "linkfixture.h"
#include "serialdevices.h"

#include <QtTest>

// The Comm Port and Baud Rate menus, and the serial device each port stands for.
class TestPortChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        f.reset();
        window = RecordingWindow();
        platform().window = &window;
    }
    void cleanup() { platform().window = nullptr; }

    void portMenuShowsPresentPortsAboveFive()
    {
        const std::pair<std::vector<int>, const char *> rows[] = {{{2}, "EEEEE-----"},
                                                                  {{7, 10}, "EEEEEDEDDE"}};
        for (const auto &[present, items] : rows) {
            f.reset();
            f.port->present.clear();
            for (int port : present) {
                const std::string device = "/dev/ttyV" + std::to_string(port);
                f.setSetting("Comm Port " + std::to_string(port) + " Device", device);
                f.port->present.insert(device);
            }
            QCOMPARE(visibleEnabled(), QStringLiteral("EEEEE-----"));
            BuildPortMenu();
            QCOMPARE(visibleEnabled(), QString(items));
        }
        // Port 1 is pinned, so ports 2..7 take the six devices the machine lists; port 8 names
        // a device that is gone, port 9 a pseudo-terminal that exists although nothing lists it.
        f.reset();
        f.port->listed = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2",
                          "/dev/ttyS3", "/dev/ttyS4", "/dev/ttyUSB0"};
        f.port->present = {"/dev/pts/3"};
        f.setSetting("Comm Port 8 Device", "/dev/ttyUSB9");
        f.setSetting("Comm Port 9 Device", "/dev/pts/3");
        window.optionsMenuChanges = 0;
        BuildPortMenu();
        QCOMPARE(visibleEnabled(), QStringLiteral("EEEEEEEDE-"));
        QCOMPARE(window.optionsMenuChanges, 1);
    }

    void selectingAPort()
    {
        mnuComm_Click(3);
        QCOMPARE(window.optionsMenuChanges, 1);
        QCOMPARE(m_iCommPort, 4);
        QCOMPARE(f.setting("Comm Port"), std::string("4"));
        for (int i = 0; i < NumCommPorts; ++i)
            QCOMPARE(mnuCommState[i].checked, i == 3);
        // Selecting does not open the port, but closes an open one.
        QCOMPARE(f.port->opens, 0);
        QCOMPARE(HookRadio(1, 3, 4800), 1);
        const int closes = f.port->closes;
        mnuComm_Click(1);
        QVERIFY(!f.port->isOpen() && !m_bPortOpen);
        QCOMPARE(f.port->closes, closes + 1);
        QCOMPARE(m_iCommPort, 2);
    }

    void fasterRateAsksFirst()
    {
        // From and to index, whether the question is cancelled, whether asked, the index after.
        const struct {
            int from, to;
            bool cancel, asked;
            int result;
        } rows[] = {{3, 1, false, false, 1},
                    {0, 5, false, true, 5},
                    {0, 5, true, true, 0},
                    {2, 2, true, false, 2},
                    {2, 3, false, true, 3}};
        for (const auto &row : rows) {
            f.reset();
            m_iBaudIndex = row.from;
            SetBaudRate();
            if (row.cancel)
                f.dialogs->messageAnswers = {MsgAnswer::Cancel};
            window.optionsMenuChanges = 0;
            mnuBaud_Click(row.to);
            // Even when cancelled: a checkable menu item must be put back.
            QCOMPARE(window.optionsMenuChanges, 1);
            QCOMPARE(m_iBaudIndex, row.result);
            QCOMPARE(f.setting("Baud Rate Index"), std::to_string(row.result));
            QCOMPARE(m_lBaudRate, BaudRateOfIndex(row.result));
            for (int i = 0; i < 6; ++i)
                QCOMPARE(mnuBaudState[i].checked, i == row.result);
            QCOMPARE(f.dialogs->messages.size(), std::size_t(row.asked));
            if (row.asked) {
                const auto &message = f.dialogs->messages[0];
                QCOMPARE(message.text,
                         std::string("Not all radios and interface cables are capable\r\n"
                                     "of higher baud rates.  Please verify that your\r\n"
                                     "radio and interface cable are capable of supporting\r\n"
                                     "the baud rate you wish to select."));
                QCOMPARE(message.caption, std::string("SERIAL COMMUNICATIONS"));
                QCOMPARE(message.buttons, MsgButtons::OkCancel);
                QCOMPARE(message.icon, MsgIcon::Information);
            }
        }
    }

    void baudRates()
    {
        const long rates[] = {4800, 9600, 19200, 38400, 57600, 115200};
        for (int index = -1; index <= 7; ++index) {
            m_iBaudIndex = index;
            SetBaudRate();
            const bool listed = index >= 0 && index < 6;
            QCOMPARE(m_lBaudRate, listed ? rates[index] : 4800L);
            if (listed) {
                QCOMPARE(BaudRates[index].settings, std::to_string(rates[index]) + ",n,8,1");
                QCOMPARE(BaudIndexOfRate(rates[index]), index);
            }
        }
    }

    void restoreStoredChoice()
    {
        // Stored port and baud rate index (nullptr: absent), what is restored.
        const struct {
            const char *port, *baud;
            int portResult, baudResult;
        } rows[] = {{nullptr, nullptr, 1, 0}, {"3", "5", 3, 5},  {"10", "2", 10, 2},
                    {"2", "7", 2, 0},         {"12", "1", 1, 1}, {"COM1", "fast", 1, 0}};
        for (const auto &row : rows) {
            f.reset();
            if (row.port)
                f.setSetting("Comm Port", row.port);
            if (row.baud)
                f.setSetting("Baud Rate Index", row.baud);
            RestoreLastCommPort();
            RestoreLastBaudRate();
            QCOMPARE(m_iCommPort, row.portResult);
            QCOMPARE(m_iBaudIndex, row.baudResult);
            QCOMPARE(m_lBaudRate, BaudRateOfIndex(row.baudResult));
            for (int i = 0; i < NumCommPorts; ++i)
                QCOMPARE(mnuCommState[i].checked, i + 1 == row.portResult);
            for (int i = 0; i < 6; ++i)
                QCOMPARE(mnuBaudState[i].checked, i == row.baudResult);
            // Restoring never asks about the rate.
            QVERIFY(f.dialogs->messages.empty());
        }
    }

private:
    // One letter per port item: E visible and enabled, D visible but disabled, - hidden.
    QString visibleEnabled() const
    {
        QString text;
        for (const MenuItemState &item : mnuCommState)
            text += !item.visible ? '-' : item.enabled ? 'E' : 'D';
        return text;
    }

    LinkFixture f;
    RecordingWindow window;
};

QTEST_APPLESS_MAIN(TestPortChoice)
#include "tst_portchoice.moc"
