#include "systeminfo.h"

#include <QtTest>

Q_DECLARE_METATYPE(SerialDeviceInfo)

class TestSystemInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lines_data()
    {
        QTest::addColumn<SerialDeviceInfo>("device");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("absent");

        QTest::newRow("USB adapter the user may open")
            << SerialDeviceInfo{"/dev/ttyUSB0", "0403:6001 FTDI FT232R USB UART", "dialout",
                                DeviceAccess::Allowed}
            << QStringList{"  /dev/ttyUSB0 USB 0403:6001 FTDI FT232R USB UART",
                           "    group dialout: you may open it"}
            << "sudo";
        QTest::newRow("built-in port, not a member")
            << SerialDeviceInfo{"/dev/ttyS0", "", "dialout", DeviceAccess::NotMember}
            << QStringList{"  /dev/ttyS0 (not USB)",
                           "    group dialout: your account is not a member, so you may not open "
                           "it; "
                           "add it with \"sudo usermod -aG dialout tech\", then log in again"}
            << "you may open it";
        QTest::newRow("member since this session began")
            << SerialDeviceInfo{"/dev/ttyACM0", "2341:0043", "uucp", DeviceAccess::LogInAgain}
            << QStringList{"    group uucp: your account is a member, but only after logging out "
                           "and in again may you open it"}
            << "sudo";
        QTest::newRow("no devices")
            << SerialDeviceInfo{}
            << QStringList{"Serial devices found: none", "No Comm Port names a serial device."}
            << "Comm Port 1:";
    }

    void lines()
    {
        QFETCH(SerialDeviceInfo, device);
        QFETCH(QStringList, expected);
        QFETCH(QString, absent);
        SystemInfo info;
        info.programVersion = "1.0.0";
        info.userName = "tech";
        info.settingsFile = "/home/tech/.config/ZPA Tessaro Editor/ZPA Tessaro Editor.conf";
        info.dataFolder = "/home/tech/.local/share/ZPA Tessaro Editor";
        info.backupFolder = info.dataFolder + "/Backups";
        info.commPorts.assign(10, "");
        if (!device.path.empty()) {
            info.devices.push_back(device);
            info.commPorts[0] = device.path;
            expected << "Serial devices found:"
                     << "Comm Port 1: " + QString::fromStdString(device.path);
        }
        const QStringList lines =
            QString::fromStdString(SystemInformationText(info)).split(QStringLiteral("\r\n"));
        expected << "ZPA Tessaro Editor version 1.0.0"
                 << "Settings file: /home/tech/.config/ZPA Tessaro Editor/ZPA Tessaro Editor.conf"
                 << "Data folder: /home/tech/.local/share/ZPA Tessaro Editor"
                 << "Backup folder: /home/tech/.local/share/ZPA Tessaro Editor/Backups"
                 << "Help folder: not found";
        for (const QString &line : expected)
            QVERIFY2(lines.contains(line), qPrintable(line));
        QVERIFY(!lines.join('\n').contains(absent));
    }
};

QTEST_APPLESS_MAIN(TestSystemInfo)
#include "tst_systeminfo.moc"
