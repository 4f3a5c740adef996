#include "linkfixture.h"
#include "serialdevices.h"

#include <QtTest>

class TestSerialDevices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void order_data();
    void order();
    void commPortDevice_data();
    void commPortDevice();

private:
    LinkFixture f;
};

void TestSerialDevices::init()
{
    f.reset();
    f.settings->values.clear();
}

void TestSerialDevices::order_data()
{
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QStringList>("ordered");
    QTest::newRow("empty") << QStringList{} << QStringList{};
    QTest::newRow("usb before acm before ttyS")
        << QStringList{"/dev/ttyS0", "/dev/ttyACM0", "/dev/ttyUSB0"}
        << QStringList{"/dev/ttyUSB0", "/dev/ttyACM0", "/dev/ttyS0"};
    QTest::newRow("numeric, not text order")
        << QStringList{"/dev/ttyUSB10", "/dev/ttyUSB2", "/dev/ttyS11", "/dev/ttyS3"}
        << QStringList{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyS3", "/dev/ttyS11"};
    QTest::newRow("others left out")
        << QStringList{"/dev/ttyAMA0", "/dev/rfcomm0", "/dev/ttyUSB", "/dev/ttyUSBx", "/dev/ttyS1"}
        << QStringList{"/dev/ttyS1"};
    QTest::newRow("duplicates once")
        << QStringList{"/dev/ttyACM1", "/dev/ttyACM1"} << QStringList{"/dev/ttyACM1"};
}

void TestSerialDevices::order()
{
    QFETCH(QStringList, found);
    QFETCH(QStringList, ordered);
    std::vector<std::string> in;
    for (const QString &name : found)
        in.push_back(name.toStdString());
    QStringList out;
    for (const std::string &name : OrderSerialDevices(in))
        out << QString::fromStdString(name);
    QCOMPARE(out, ordered);
}

void TestSerialDevices::commPortDevice_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("device");
    QTest::newRow("first found is port 1") << 1 << ""
                                           << "/dev/ttyUSB0";
    QTest::newRow("third found") << 3 << ""
                                 << "/dev/ttyS0";
    QTest::newRow("beyond the list") << 4 << ""
                                     << "";
    QTest::newRow("key wins") << 1 << "/dev/pts/7"
                              << "/dev/pts/7";
    QTest::newRow("key beyond the list") << 9 << "/dev/ttyUSB3"
                                         << "/dev/ttyUSB3";
    QTest::newRow("port 0") << 0 << ""
                            << "";
    QTest::newRow("port 11") << 11 << ""
                             << "";
}

void TestSerialDevices::commPortDevice()
{
    QFETCH(int, port);
    QFETCH(QString, key);
    QFETCH(QString, device);
    f.port->listed = {"/dev/ttyS0", "/dev/ttyACM0", "/dev/ttyUSB0"};
    if (!key.isEmpty())
        f.setSetting("Comm Port " + std::to_string(port) + " Device", key.toStdString());
    QCOMPARE(QString::fromStdString(CommPortDevice(port)), device);
}

QTEST_APPLESS_MAIN(TestSerialDevices)
#include "tst_serialdevices.moc"
