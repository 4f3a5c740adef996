#include "instrumentaddress.h"

#include <QtTest>

class TestInstrumentAddress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        // kind host port device baud databits parity stopbits rtscts, or "!" and a word of
        // the error
        QTest::addColumn<QString>("expected");
        QTest::newRow("tcp") << "tcp://192.168.1.20:5025"
                             << "tcp 192.168.1.20 5025";
        QTest::newRow("tcp other port") << "tcp://bench-1.lab:4000"
                                        << "tcp bench-1.lab 4000";
        QTest::newRow("tcp default port") << "tcp://monitor"
                                          << "tcp monitor 5025";
        QTest::newRow("tcp port 0") << "tcp://monitor:0"
                                    << "! port";
        QTest::newRow("tcp port too big") << "tcp://monitor:65536"
                                          << "! port";
        QTest::newRow("tcp port text") << "tcp://monitor:abc"
                                       << "! port";
        QTest::newRow("tcp no host") << "tcp://:5025"
                                     << "! host";
        QTest::newRow("tcp bad host") << "tcp://a b:5025"
                                      << "! host";
        QTest::newRow("vxi11") << "vxi11://10.1.2.3"
                               << "vxi11 10.1.2.3";
        QTest::newRow("vxi11 empty") << "vxi11://"
                                     << "! host";
        QTest::newRow("serial") << "serial:///dev/ttyUSB1?baud=9600"
                                << "serial /dev/ttyUSB1 9600 8 N 1 0";
        QTest::newRow("serial defaults") << "serial:///dev/ttyS0"
                                         << "serial /dev/ttyS0 9600 8 N 1 0";
        QTest::newRow("serial all")
            << "serial:///dev/ttyUSB0?baud=19200&databits=7&parity=e&stopbits=2&flow=rtscts"
            << "serial /dev/ttyUSB0 19200 7 E 2 1";
        QTest::newRow("serial bad baud") << "serial:///dev/ttyUSB1?baud=fast"
                                         << "! baud";
        QTest::newRow("serial unknown key") << "serial:///dev/ttyUSB1?speed=9600"
                                            << "! speed";
        QTest::newRow("serial bad parity") << "serial:///dev/ttyUSB1?parity=X"
                                           << "! parity";
        QTest::newRow("serial relative") << "serial://ttyUSB1"
                                         << "! device";
        QTest::newRow("serial climbs out") << "serial:///dev/../etc/passwd"
                                           << "! device";
        QTest::newRow("no scheme") << "192.168.1.20"
                                   << "! tcp://";
        QTest::newRow("gpib") << "gpib://7"
                              << "! tcp://";
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        InstrumentAddress a;
        std::string error;
        const bool ok = ParseInstrumentAddress(text.toStdString(), a, error);
        if (expected.startsWith('!')) {
            QVERIFY(!ok);
            QVERIFY2(QString::fromStdString(error).contains(expected.mid(2)), error.c_str());
            return;
        }
        QVERIFY2(ok, error.c_str());
        QString got;
        switch (a.kind) {
        case InstrumentAddress::Kind::Tcp:
            got = QString("tcp %1 %2").arg(a.host.c_str()).arg(a.port);
            break;
        case InstrumentAddress::Kind::Vxi11:
            got = QString("vxi11 %1").arg(a.host.c_str());
            break;
        case InstrumentAddress::Kind::Serial:
            got = QString("serial %1 %2 %3 %4 %5 %6")
                      .arg(a.device.c_str())
                      .arg(a.baud)
                      .arg(a.dataBits)
                      .arg(QChar(a.parity))
                      .arg(a.stopBits)
                      .arg(int(a.rtsCts));
            break;
        }
        QCOMPARE(got, expected);
    }
};

QTEST_GUILESS_MAIN(TestInstrumentAddress)
#include "tst_instrumentaddress.moc"
