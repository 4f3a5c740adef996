#include "baudrates.h"
#include "eeprotocol.h"
#include "linkfixture.h"

#include <QtTest>

class TestPortChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void portMenuShowsPresentPortsAboveFive_data();
    void portMenuShowsPresentPortsAboveFive();
    void portIsPresentOnlyWhenItsDeviceExists();
    void selectingAPortChecksItAndPersists();
    void selectingAPortClosesAnOpenPort();
    void fasterRateAsksFirst_data();
    void fasterRateAsksFirst();
    void baudRateOfIndex_data();
    void baudRateOfIndex();
    void restoreStoredChoice_data();
    void restoreStoredChoice();
    void listenerFollowsEveryChange();

private:
    QString visibleEnabled() const;
    LinkFixture f;
};

void TestPortChoice::init()
{
    f.reset();
}

// One letter per port item: E visible and enabled, D visible but disabled, - hidden.
QString TestPortChoice::visibleEnabled() const
{
    QString text;
    for (const MenuItemState &item : mnuCommState)
        text += !item.visible  ? QLatin1Char('-')
                : item.enabled ? QLatin1Char('E')
                               : QLatin1Char('D');
    return text;
}

void TestPortChoice::portMenuShowsPresentPortsAboveFive_data()
{
    QTest::addColumn<QList<int>>("present");
    QTest::addColumn<QString>("items");
    QTest::newRow("only port 8") << QList<int>{8} << "EEEEEDDE--";
    QTest::newRow("none above 5") << QList<int>{2} << "EEEEE-----";
    QTest::newRow("port 6") << QList<int>{6} << "EEEEEE----";
    QTest::newRow("ports 7 and 10") << QList<int>{7, 10} << "EEEEEDEDDE";
    QTest::newRow("all") << QList<int>{6, 7, 8, 9, 10} << "EEEEEEEEEE";
}

void TestPortChoice::portMenuShowsPresentPortsAboveFive()
{
    QFETCH(QList<int>, present);
    QFETCH(QString, items);
    f.port->present.clear();
    for (int port : present) {
        const std::string device = "/dev/ttyV" + std::to_string(port);
        f.setSetting("Comm Port " + std::to_string(port) + " Device", device);
        f.port->present.insert(device);
    }
    QCOMPARE(visibleEnabled(), QStringLiteral("EEEEE-----"));
    BuildPortMenu();
    QCOMPARE(visibleEnabled(), items);
}

void TestPortChoice::portIsPresentOnlyWhenItsDeviceExists()
{
    // Port 6 is the 6th device the machine lists, port 7 has none, port 8 names a device
    // that is gone, port 9 a pseudo-terminal that exists although nothing lists it.
    f.port->listed = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2",
                      "/dev/ttyS3", "/dev/ttyS4", "/dev/ttyUSB0"};
    f.port->present = {"/dev/pts/3"};
    f.setSetting("Comm Port 8 Device", "/dev/ttyUSB9");
    f.setSetting("Comm Port 9 Device", "/dev/pts/3");
    BuildPortMenu();
    QCOMPARE(visibleEnabled(), QStringLiteral("EEEEEEDDE-"));
    bool found = true;
    IsCommPortInRegistry("", found);
    QVERIFY(!found);
    IsCommPortInRegistry("/dev/ttyS4", found);
    QVERIFY(found);
}

void TestPortChoice::selectingAPortChecksItAndPersists()
{
    mnuComm_Click(3);
    QCOMPARE(m_iCommPort, 4);
    QCOMPARE(f.setting("Comm Port"), std::string("4"));
    for (int i = 0; i < NumCommPorts; ++i)
        QCOMPARE(mnuCommState[i].checked, i == 3);
    // Selecting does not touch the port.
    QCOMPARE(f.port->opens, 0);
}

void TestPortChoice::selectingAPortClosesAnOpenPort()
{
    QCOMPARE(HookRadio(1, 3, 4800), 1);
    QVERIFY(f.port->isOpen());
    const int closes = f.port->closes;
    mnuComm_Click(1);
    QVERIFY(!f.port->isOpen());
    QVERIFY(!m_bPortOpen);
    QCOMPARE(f.port->closes, closes + 1);
    QCOMPARE(m_iCommPort, 2);
}

void TestPortChoice::fasterRateAsksFirst_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("result");
    QTest::newRow("9600 while 38400") << 3 << 1 << false << false << 1;
    QTest::newRow("115200 while 4800, OK") << 0 << 5 << false << true << 5;
    QTest::newRow("115200 while 4800, Cancel") << 0 << 5 << true << true << 0;
    QTest::newRow("same rate") << 2 << 2 << true << false << 2;
    QTest::newRow("one step up") << 2 << 3 << false << true << 3;
}

void TestPortChoice::fasterRateAsksFirst()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, cancel);
    QFETCH(bool, asked);
    QFETCH(int, result);
    m_iBaudIndex = from;
    SetBaudRate();
    if (cancel)
        f.dialogs->messageAnswers = {MsgAnswer::Cancel};
    mnuBaud_Click(to);
    QCOMPARE(m_iBaudIndex, result);
    QCOMPARE(f.setting("Baud Rate Index"), std::to_string(result));
    QCOMPARE(m_lBaudRate, BaudRateOfIndex(result));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(mnuBaudState[i].checked, i == result);
    QCOMPARE(f.dialogs->messages.size(), std::size_t(asked ? 1 : 0));
    if (asked) {
        const auto &message = f.dialogs->messages[0];
        QCOMPARE(message.text, std::string("Not all radios and interface cables are capable\r\n"
                                           "of higher baud rates.  Please verify that your\r\n"
                                           "radio and interface cable are capable of supporting\r\n"
                                           "the baud rate you wish to select."));
        QCOMPARE(message.caption, std::string("SERIAL COMMUNICATIONS"));
        QCOMPARE(message.buttons, MsgButtons::OkCancel);
        QCOMPARE(message.icon, MsgIcon::Information);
    }
}

void TestPortChoice::baudRateOfIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<long>("rate");
    QTest::addColumn<QString>("settings");
    QTest::newRow("0") << 0 << 4800L << "4800,n,8,1";
    QTest::newRow("1") << 1 << 9600L << "9600,n,8,1";
    QTest::newRow("2") << 2 << 19200L << "19200,n,8,1";
    QTest::newRow("3") << 3 << 38400L << "38400,n,8,1";
    QTest::newRow("4") << 4 << 57600L << "57600,n,8,1";
    QTest::newRow("5") << 5 << 115200L << "115200,n,8,1";
    QTest::newRow("7") << 7 << 4800L << "";
    QTest::newRow("-1") << -1 << 4800L << "";
}

void TestPortChoice::baudRateOfIndex()
{
    QFETCH(int, index);
    QFETCH(long, rate);
    QFETCH(QString, settings);
    m_iBaudIndex = index;
    SetBaudRate();
    QCOMPARE(m_lBaudRate, rate);
    if (!settings.isEmpty()) {
        QCOMPARE(QString::fromLatin1(BaudRates[index].settings), settings);
        QCOMPARE(BaudIndexOfRate(rate), index);
    }
}

void TestPortChoice::restoreStoredChoice_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("baud");
    QTest::addColumn<int>("portResult");
    QTest::addColumn<int>("baudResult");
    QTest::newRow("absent") << ""
                            << "" << 1 << 0;
    QTest::newRow("port 3, 115200") << "3"
                                    << "5" << 3 << 5;
    QTest::newRow("port 10, 19200") << "10"
                                    << "2" << 10 << 2;
    QTest::newRow("baud index 7") << "2"
                                  << "7" << 2 << 0;
    QTest::newRow("port 12") << "12"
                             << "1" << 1 << 1;
    QTest::newRow("text") << "COM1"
                          << "fast" << 1 << 0;
}

void TestPortChoice::restoreStoredChoice()
{
    QFETCH(QString, port);
    QFETCH(QString, baud);
    QFETCH(int, portResult);
    QFETCH(int, baudResult);
    if (!port.isEmpty())
        f.setSetting("Comm Port", port.toStdString());
    if (!baud.isEmpty())
        f.setSetting("Baud Rate Index", baud.toStdString());
    RestoreLastCommPort();
    RestoreLastBaudRate();
    QCOMPARE(m_iCommPort, portResult);
    QCOMPARE(m_iBaudIndex, baudResult);
    QCOMPARE(m_lBaudRate, BaudRateOfIndex(baudResult));
    int portChecks = 0;
    int baudChecks = 0;
    for (int i = 0; i < NumCommPorts; ++i)
        portChecks += mnuCommState[i].checked ? (i + 1 == portResult ? 1 : 100) : 0;
    for (int i = 0; i < 6; ++i)
        baudChecks += mnuBaudState[i].checked ? (i == baudResult ? 1 : 100) : 0;
    QCOMPARE(portChecks, 1);
    QCOMPARE(baudChecks, 1);
    // Restoring never asks about the rate.
    QVERIFY(f.dialogs->messages.empty());
}

void TestPortChoice::listenerFollowsEveryChange()
{
    RecordingWindow window;
    platform().window = &window;
    const int &calls = window.optionsMenuChanges;
    mnuComm_Click(0);
    QCOMPARE(calls, 1);
    SetBaudRate();
    QCOMPARE(calls, 2);
    f.dialogs->messageAnswers = {MsgAnswer::Cancel};
    mnuBaud_Click(5); // cancelled: a checkable menu item must be put back
    QCOMPARE(calls, 3);
    BuildPortMenu();
    QCOMPARE(calls, 4);
    platform().window = nullptr;
}

QTEST_APPLESS_MAIN(TestPortChoice)
#include "tst_portchoice.moc"
