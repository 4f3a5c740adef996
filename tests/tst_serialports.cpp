#include "devicetest.h"
#include "fakeserialdevices.h"
#include "linkfixture.h"
#include "serialdevices.h"
#include "serialportlist.h"

#include <QtTest>

// The Comm Port map over the machine's devices, the port list, --port names and the device test.
class TestSerialPorts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        f.reset();
        f.settings->values.clear();
        table = FakeSerialDevices{};
        platform().devices = &table;
        RefreshSerialDevices();
    }
    void cleanup() { platform().devices = nullptr; }

    void commPortMap_data()
    {
        // Devices "kernel=stable" (one letter: /dev/ttyX / by-id usb-X), pins "n=device",
        // the devices of Comm Ports 1..4.
        QTest::addColumn<QString>("devices");
        QTest::addColumn<QString>("pins");
        QTest::addColumn<QString>("ports");
        const char *const rows[][4] = {
            {"usb first, numeric", "S0 ACM0 USB10 USB2", "", "USB2 USB10 ACM0 S0"},
            {"others left out, duplicates once", "S11 AMA0 USB10 USB USBx ACM1 ACM1 S3", "",
             "USB10 ACM1 S3 S11"},
            {"pin overrides, no device twice", "USB0=A USB1=B", "1=usb-B", "usb-B USB0 - -"},
            {"pin by kernel name", "USB0=A USB1=B", "3=USB0", "USB1 - USB0 -"},
            {"vanished pinned device keeps its port", "USB0=A", "2=usb-B", "USB0 usb-B - -"},
            {"same model told apart, replugged in the other order", "USB0=B USB1=A",
             "1=usb-A 2=usb-B", "usb-A usb-B - -"},
            {"pseudo-terminal pinned", "S0", "1=pts/7", "pts/7 S0 - -"}};
        for (const auto &row : rows)
            QTest::newRow(row[0]) << row[1] << row[2] << row[3];
    }

    void commPortMap()
    {
        QFETCH(QString, devices);
        QFETCH(QString, pins);
        QFETCH(QString, ports);
        setUp(devices, pins);
        QStringList mapped;
        for (int port = 1; port <= 4; ++port)
            mapped << QString::fromStdString(shortName(CommPortDevice(port)));
        QCOMPARE(mapped.join(' '), ports);
    }

    void portList()
    {
        // A listed adapter with a pin, an automatic one, a pinned pseudo-terminal, a pinned
        // adapter that is unplugged; one adapter held by another program.
        setUp("USB0=A USB1=B", "2=usb-A 4=pts/7 5=usb-C");
        table.listed[0].vendorId = "0403";
        table.listed[0].manufacturer = "FTDI";
        table.listed[0].serialNumber = "A";
        table.accessOf["/dev/serial/by-id/usb-B"] = {DeviceAccess::Busy, "dialout", 42, "minicom"};
        QStringList lines;
        for (const SerialPortRow &row : ListSerialPorts()) {
            const auto cells = SerialPortCells(row, "tech");
            lines << QString::fromStdString(shortName(cells[0]) + "|" + cells[2] + "|" + cells[3] +
                                            "|" + cells[5] + "|" + cells[6] + "|" + cells[7]);
        }
        QCOMPARE(lines, QStringList({"usb-A|0403 FTDI|||yes|Comm Port 2 (pinned)",
                                     "usb-B||||no: busy, held by minicom (pid 42)|Comm Port 1",
                                     "pts/7|||pseudo-terminal|yes|Comm Port 4 (pinned)",
                                     "usb-C||||no: missing (unplugged?)|Comm Port 5 (pinned)"}));
    }

    void portNames_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("device"); // or the error
        const char *const rows[][2] = {
            {"comm1", "usb-B"},
            {"COMM2", "USB0"},
            {"Comm Port 1", "usb-B"},
            {"comm3", "comm3 stands for no serial device"},
            {"comm4", "comm4 stands for /dev/serial/by-id/usb-C, which is not present"},
            {"/dev/serial/by-id/usb-A", "usb-A"},
            {"usb-A", "usb-A"},
            {"comm11", "comm11 is not present (tessaro ports lists the serial devices)"}};
        for (const auto &row : rows)
            QTest::newRow(row[0]) << row[0] << row[1];
    }

    void portNames()
    {
        QFETCH(QString, given);
        QFETCH(QString, device);
        setUp("USB0=A USB1=B", "1=usb-B 4=usb-C");
        std::string found, why;
        const bool ok = ResolvePortName(given.toStdString(), found, why);
        QCOMPARE(QString::fromStdString(ok ? shortName(found) : why), device);
    }

    void pinAndUnpin()
    {
        setUp("USB0=A USB1=B", "");
        RecordingWindow window;
        platform().window = &window;
        PinCommPort(1, "/dev/serial/by-id/usb-B");
        QCOMPARE(shortName(CommPortDevice(1)) + " " + shortName(CommPortDevice(2)),
                 std::string("usb-B USB0"));
        PinCommPort(1, "");
        QCOMPARE(shortName(CommPortDevice(1)), std::string("USB0"));
        QCOMPARE(window.optionsMenuChanges, 2);
        // A pin beyond the four ports the map shows, and keys of ports that do not exist.
        setUp("", "9=USB3 0=USB0 11=USB0");
        QCOMPARE(CommPortDevice(9) + CommPortDevice(0) + CommPortDevice(11),
                 std::string("/dev/ttyUSB3"));
        platform().window = nullptr;
    }

    void testingADevice()
    {
        // The radio answers on its device at up to 19200; the Options menu keeps its choice.
        f.radio->maxBaudRate = 19200;
        m_iBaudIndex = 1;
        f.setSetting("Baud Rate Index", "1");
        const std::vector<std::uint8_t> before = f.radio->eeprom;
        const DeviceTestResult found = TestRadioOnDevice(LinkFixture::Device, 115200);
        QVERIFY(found.radio);
        QVERIFY(!found.serial.empty());
        QCOMPARE(found.rate, 19200L);
        QCOMPARE(found.message, std::string());
        QCOMPARE(m_iBaudIndex, 1);
        QCOMPARE(f.setting("Baud Rate Index"), std::string("1"));
        QVERIFY(f.radio->eeprom == before && !f.port->isOpen());
        QVERIFY(f.dialogs->messages.empty());
        f.radio->maxBaudRate = 115200;
        QCOMPARE(TestRadioOnDevice(LinkFixture::Device, 38400).rate, 38400L);
        QCOMPARE(m_lBaudRate, 9600L);
        f.radio->faults.noHookAnswer = true;
        QCOMPARE(TestRadioOnDevice(LinkFixture::Device, 4800).message,
                 std::string("no radio answered"));
        f.port->refuse[LinkFixture::Device] = SerialError::Busy;
        QCOMPARE(TestRadioOnDevice(LinkFixture::Device, 4800).message.substr(0, 25),
                 std::string("The Comm Port is already "));
    }

private:
    // "USB0=A" lists /dev/ttyUSB0 with the stable name /dev/serial/by-id/usb-A.
    void setUp(const QString &devices, const QString &pins)
    {
        for (const QString &d : devices.split(' ', Qt::SkipEmptyParts)) {
            const QStringList parts = d.split('=');
            SerialDeviceFacts facts;
            facts.kernelName = "/dev/tty" + parts[0].toStdString();
            if (parts.size() > 1)
                facts.stableName = "/dev/serial/by-id/usb-" + parts[1].toStdString();
            table.listed.push_back(facts);
        }
        for (const QString &p : pins.split(' ', Qt::SkipEmptyParts)) {
            const QStringList parts = p.split('=');
            const std::string name = parts[1].toStdString();
            const std::string device = name.rfind("pts/", 0) == 0   ? "/dev/" + name
                                       : name.rfind("usb-", 0) == 0 ? "/dev/serial/by-id/" + name
                                                                    : "/dev/tty" + name;
            if (name.rfind("pts/", 0) == 0)
                table.present.insert(device);
            f.setSetting("Comm Port " + parts[0].toStdString() + " Device", device);
        }
        RefreshSerialDevices();
    }

    static std::string shortName(const std::string &device)
    {
        for (const std::string prefix : {"/dev/serial/by-id/", "/dev/tty", "/dev/"})
            if (device.rfind(prefix, 0) == 0)
                return device.substr(prefix.size());
        return device.empty() ? "-" : device;
    }

    LinkFixture f;
    FakeSerialDevices table;
};

QTEST_APPLESS_MAIN(TestSerialPorts)
#include "tst_serialports.moc"
