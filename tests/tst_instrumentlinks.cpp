// The instruments over real connections: liblxi to the virtual bench's test set on
// 127.0.0.1, and SCPI on a serial line played by a pseudo-terminal. The bench's own commands
// on the simulator's input too.
#include "lxiinstrument.h"
#include "qtserialinstrument.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using Scenario = std::function<void(QProcess &sim, LxiInstrument &lxi)>;
Q_DECLARE_METATYPE(Scenario)

class TestInstrumentLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void overTcp_data()
    {
        QTest::addColumn<Scenario>("scenario");
        QTest::newRow("silence, then the next reply is its own")
            << Scenario([](QProcess &, LxiInstrument &lxi) {
                   std::string reply;
                   QVERIFY(!lxi.query("MEAS:VOLT?", reply, 300));
                   QVERIFY(QString::fromStdString(lxi.lastErrorText()).contains("did not answer"));
                   QVERIFY(lxi.isConnected());
                   QVERIFY(lxi.query("*OPC?", reply, 2000));
                   QCOMPARE(reply, std::string("1"));
               });
        QTest::newRow("instrument gone") << Scenario([](QProcess &sim, LxiInstrument &lxi) {
            sim.kill();
            sim.waitForFinished();
            QElapsedTimer timer;
            timer.start();
            std::string reply;
            QVERIFY(!lxi.query("*IDN?", reply, 5000));
            QVERIFY(QString::fromStdString(lxi.lastErrorText()).contains("lost"));
            QVERIFY(!lxi.isConnected() && !lxi.write("*RST"));
            QVERIFY(timer.elapsed() < 2000);
        });
        QTest::newRow("bench commands on the input")
            << Scenario([](QProcess &sim, LxiInstrument &) {
                   const auto line = [&sim] {
                       while (!sim.canReadLine() && sim.waitForReadyRead(3000)) {
                       }
                       return QString::fromUtf8(sim.readLine()).trimmed();
                   };
                   const auto volts = [](const QString &text) {
                       return text.section(' ', -2, -2).toDouble();
                   };
                   const QString first = line();
                   QVERIFY(first.startsWith("bench: counter "));
                   sim.write("coil -0.2\ncoil 0.1\nturn\n");
                   QCOMPARE(volts(line()), volts(first) - 0.2);
                   QCOMPARE(volts(line()), volts(first) - 0.4);
                   QCOMPARE(line(), QString("bench: not understood: turn"));
               });
        QTest::newRow("nobody listens") << Scenario([](QProcess &, LxiInstrument &lxi) {
            // A port that was free a moment ago.
            const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            socklen_t size = sizeof a;
            QVERIFY(::bind(probe, reinterpret_cast<sockaddr *>(&a), size) == 0);
            ::getsockname(probe, reinterpret_cast<sockaddr *>(&a), &size);
            ::close(probe);
            const int port = ntohs(a.sin_port);
            const std::string address = "tcp://127.0.0.1:" + std::to_string(port);
            QVERIFY(!lxi.connect(address, 1000));
            QVERIFY(QString::fromStdString(lxi.lastErrorText()).contains("No instrument answers"));
        });
    }

    void overTcp()
    {
        QFETCH(Scenario, scenario);
        QProcess sim;
        sim.start(TESSARO_RADIO_SIM, {"--instrument", "0", "--coil", "0.5"});
        QVERIFY(sim.waitForStarted());
        QString address;
        while (address.isEmpty() && (sim.canReadLine() || sim.waitForReadyRead(5000))) {
            const QString line = QString::fromUtf8(sim.readLine()).trimmed();
            if (line.startsWith("bench: test set on "))
                address = line.mid(19);
        }
        QVERIFY(address.startsWith("tcp://127.0.0.1:"));
        LxiInstrument lxi;
        QVERIFY2(lxi.connect(address.toStdString(), 2000), lxi.lastErrorText().c_str());
        scenario(sim, lxi);
        sim.terminate();
        sim.waitForFinished();
    }

    // An old service monitor on a serial line: answers *IDN? after a pause, in two pieces
    // with CR LF; stays silent to anything else.
    void serialLine()
    {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const std::string device = ::ptsname(master);
        bool stop = false;
        std::thread monitor([&] {
            std::string input;
            while (!stop) {
                pollfd p{master, POLLIN, 0};
                char c = 0;
                if (::poll(&p, 1, 20) <= 0 || ::read(master, &c, 1) != 1)
                    continue;
                if (c != '\n') {
                    input += c;
                    continue;
                }
                if (input == "*IDN?") {
                    ::usleep(50000);
                    (void)!::write(master, "HP,8920A,", 9);
                    ::usleep(20000);
                    (void)!::write(master, "0,A.14\r\n", 9);
                }
                input.clear();
            }
        });
        QtSerialInstrument serial;
        QVERIFY(!serial.connect("serial:///dev/no-such-tty?baud=9600", 100));
        QVERIFY(QString::fromStdString(serial.lastErrorText()).contains("Cannot open"));
        QVERIFY2(serial.connect("serial://" + device + "?baud=9600", 100),
                 serial.lastErrorText().c_str());
        std::string reply;
        QVERIFY2(serial.query("*IDN?", reply, 2000), serial.lastErrorText().c_str());
        QCOMPARE(reply, std::string("HP,8920A,0,A.14"));
        QVERIFY(!serial.query("MEAS:SIN?", reply, 200));
        QVERIFY(QString::fromStdString(serial.lastErrorText()).contains("did not answer"));
        QVERIFY(serial.query("*IDN?", reply, 2000));
        serial.disconnect();
        stop = true;
        monitor.join();
        ::close(master);
    }
};

QTEST_GUILESS_MAIN(TestInstrumentLinks)
#include "tst_instrumentlinks.moc"
