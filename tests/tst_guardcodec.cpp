#include "cellundo.h"
#include "fakeplatform.h"
#include "guardcodec.h"
#include "memmap.h"
#include "platform.h"

#include <QtTest>

class TestGuardCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void guardToBytes_data();
    void guardToBytes();
    void bytesToGuard_data();
    void bytesToGuard();
    void validateAccepts_data();
    void validateAccepts();
    void validateRejects_data();
    void validateRejects();
    void utxgIndex_data();
    void utxgIndex();
    void transmitSideShowsReference();
    void guardWriteClearsReference();
    void receiveSideNeverShowsReference();
    void guardWriteKeepsOtherBytes();

private:
    ScriptedDialogs m_dialogs;
};

static QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

void TestGuardCodec::init()
{
    m_dialogs = ScriptedDialogs();
    platform().dialogs = &m_dialogs;
    CellUndoText = CellUndoTexts();
    MemMap.clear();
}

void TestGuardCodec::guardToBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::newRow("none") << "000.0" << 0x00 << 0x00;
    QTest::newRow("67.0 short form") << "67.0" << 0x06 << 0x70;
    QTest::newRow("067.0") << "067.0" << 0x06 << 0x70;
    QTest::newRow("250.3") << "250.3" << 0x25 << 0x03;
    QTest::newRow("100.0") << "100.0" << 0x10 << 0x00;
    QTest::newRow("D023") << "D023" << 0x88 << 0x13;
    QTest::newRow("d023 lower case") << "d023" << 0x88 << 0x13;
    QTest::newRow("D023-") << "D023-" << 0xC8 << 0x13;
    QTest::newRow("D754") << "D754" << 0x89 << 0xEC;
    QTest::newRow("D131-") << "D131-" << 0xC8 << 0x59;
    QTest::newRow("UTXG reference stores none") << "UTXG 5" << 0x00 << 0x00;
    QTest::newRow("stray 8 stays in its bits") << "D888" << 0x88 << 0x00;
}

void TestGuardCodec::guardToBytes()
{
    QFETCH(QString, text);
    QFETCH(int, high);
    QFETCH(int, low);
    const GuardBytes bytes = GuardToBytes(text.toStdString());
    QCOMPARE(int(bytes.high), high);
    QCOMPARE(int(bytes.low), low);
}

void TestGuardCodec::bytesToGuard_data()
{
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0x00 << 0x00 << "000.0";
    QTest::newRow("067.0") << 0x06 << 0x70 << "067.0";
    QTest::newRow("100.0") << 0x10 << 0x00 << "100.0";
    QTest::newRow("250.3") << 0x25 << 0x03 << "250.3";
    QTest::newRow("not BCD shows hex") << 0x1A << 0xBC << "1AB.C";
    QTest::newRow("D023") << 0x88 << 0x13 << "D023";
    QTest::newRow("D023-") << 0xC8 << 0x13 << "D023-";
    QTest::newRow("D754") << 0x89 << 0xEC << "D754";
    // Bits 13, 12, 11, 10 and 9 are ignored on reading.
    QTest::newRow("ignored bits") << 0xBE << 0x13 << "D023";
    QTest::newRow("all ones") << 0xFF << 0xFF << "D777-";
}

void TestGuardCodec::bytesToGuard()
{
    QFETCH(int, high);
    QFETCH(int, low);
    QFETCH(QString, text);
    QCOMPARE(qs(BytesToGuard(high, low)), text);
}

void TestGuardCodec::validateAccepts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("67") << "67"
                        << "67.0";
    QTest::newRow("67.0") << "67.0"
                          << "67.0";
    QTest::newRow("250.3") << "250.3"
                           << "250.3";
    QTest::newRow("100") << "100"
                         << "100.0";
    QTest::newRow("D023") << "D023"
                          << "D023";
    QTest::newRow("d023- upper-cased") << "d023-"
                                       << "D023-";
    QTest::newRow("D754") << "D754"
                          << "D754";
    QTest::newRow("OFF") << "OFF"
                         << "000.0";
    QTest::newRow("0") << "0"
                       << "000.0";
    QTest::newRow("dash") << "-"
                          << "000.0";
    QTest::newRow("empty") << ""
                           << "000.0";
    QTest::newRow("blanks") << "   "
                            << "000.0";
    QTest::newRow("utxg 5") << "utxg 5"
                            << "UTXG 5";
    QTest::newRow("UTXG 32") << "UTXG 32"
                             << "UTXG 32";
    QTest::newRow("UTXG 1") << "UTXG 1"
                            << "UTXG 1";
    QTest::newRow("leading blank dropped") << " UTXG 3"
                                           << "UTXG 3";
}

void TestGuardCodec::validateAccepts()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(qs(ValidateChanGuard(text.toStdString())), result);
    QVERIFY(m_dialogs.messages.empty());
}

void TestGuardCodec::validateRejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("250.4") << "250.4";
    QTest::newRow("66.9") << "66.9";
    QTest::newRow("D018 digit 8") << "D018";
    QTest::newRow("D019 digit 9") << "D019";
    QTest::newRow("D022 below 23") << "D022";
    QTest::newRow("D2-3") << "D2-3";
    QTest::newRow("D023-X six characters") << "D023-X";
    QTest::newRow("D02 too short") << "D02";
    QTest::newRow("D02.3") << "D02.3";
    QTest::newRow("67.0- point and dash") << "67.0-";
    QTest::newRow("UTXG 33") << "UTXG 33";
    QTest::newRow("UTXG 0") << "UTXG 0";
    QTest::newRow("UTXG without blank") << "UTXG5";
    QTest::newRow("U alone") << "U";
    QTest::newRow("UTXG 105 is not UTXG 5") << "UTXG 105";
    QTest::newRow("letters after the code") << "D23X";
    QTest::newRow("fifth character not dash") << "D023X";
    QTest::newRow("tone with letters") << "67A";
    QTest::newRow("tone with blank") << " 67";
    QTest::newRow("six characters") << "100.00";
}

void TestGuardCodec::validateRejects()
{
    QFETCH(QString, text);
    CellUndoText.guard = "D131-";
    QCOMPARE(qs(ValidateChanGuard(text.toStdString())), QStringLiteral("D131-"));
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
    const ScriptedDialogs::Message &msg = m_dialogs.messages[0];
    QCOMPARE(qs(msg.caption), QStringLiteral("FORMAT ERROR"));
    QCOMPARE(msg.buttons, MsgButtons::Ok);
    QCOMPARE(msg.icon, MsgIcon::Information);
    const QString expected =
        QStringLiteral("You attempted to enter the value '") + text +
        QStringLiteral("'.\r\n\r\nPlease enter a valid Channel Guard value.\r\n\r\n"
                       "CTCSS in the range of '67.0' To '250.3'\r\n\r\n"
                       "CDCSS in the range of 'D023' To 'D754',\r\n"
                       "8 and 9 are not valid CDCSS digits.\r\n"
                       "Use an optional '-' the the end to invert\r\n"
                       "CDCSS ONLY, example 'D131-') OR enter a\r\n"
                       "User TX Guard in the format 'UTXG 3'");
    QCOMPARE(qs(msg.text), expected);
}

void TestGuardCodec::utxgIndex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("shown");
    QTest::newRow("UTXG 5") << "UTXG 5" << 5 << "UTXG 5";
    QTest::newRow("UTXG 32") << "UTXG 32" << 32 << "UTXG 32";
    QTest::newRow("UTXG 33") << "UTXG 33" << 0 << "OFF";
    QTest::newRow("OFF") << "OFF" << 0 << "OFF";
    QTest::newRow("blank too early") << "UT 5" << 0 << "OFF";
    QTest::newRow("no blank") << "UTXG5" << 0 << "OFF";
}

void TestGuardCodec::utxgIndex()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QString, shown);
    MemMap.set(5, 256 + 32 * 3 + 11, 17);
    SetChanUTXG(MemMap, 4, 3, text.toStdString());
    QCOMPARE(int(MemMap.get(5, 256 + 32 * 3 + 11)), index);
    QCOMPARE(qs(GetChanUTXG(MemMap, 4, 3)), shown);
}

void TestGuardCodec::transmitSideShowsReference()
{
    MemMap.set(1, 256 + 12, 0x06);
    MemMap.set(1, 256 + 13, 0x70);
    MemMap.set(1, 256 + 11, 7);
    // A guard of its own wins over the reference.
    QCOMPARE(qs(GetChanGuard(MemMap, 0, 0, false)), QStringLiteral("067.0"));

    SetChanGuard(MemMap, 0, 0, false, "UTXG 5");
    QCOMPARE(int(MemMap.get(1, 256 + 12)), 0);
    QCOMPARE(int(MemMap.get(1, 256 + 13)), 0);
    QCOMPARE(int(MemMap.get(1, 256 + 11)), 5);
    QCOMPARE(qs(GetChanGuard(MemMap, 0, 0, false)), QStringLiteral("UTXG 5"));

    // Index bytes beyond the pick list show no reference.
    MemMap.set(1, 256 + 11, 33);
    QCOMPARE(qs(GetChanGuard(MemMap, 0, 0, false)), QStringLiteral("000.0"));
}

void TestGuardCodec::guardWriteClearsReference()
{
    SetChanGuard(MemMap, 2, 9, false, "UTXG 3");
    QCOMPARE(qs(GetChanGuard(MemMap, 2, 9, false)), QStringLiteral("UTXG 3"));
    SetChanGuard(MemMap, 2, 9, true, "100.0");
    QCOMPARE(qs(GetChanGuard(MemMap, 2, 9, true)), QStringLiteral("100.0"));
    QCOMPARE(qs(GetChanGuard(MemMap, 2, 9, false)), QStringLiteral("000.0"));
    QCOMPARE(int(MemMap.get(3, 256 + 32 * 9 + 11)), 0);
}

void TestGuardCodec::receiveSideNeverShowsReference()
{
    SetChanGuard(MemMap, 0, 1, true, "UTXG 4");
    QCOMPARE(qs(GetChanGuard(MemMap, 0, 1, true)), QStringLiteral("000.0"));
    QCOMPARE(qs(GetChanGuard(MemMap, 0, 1, false)), QStringLiteral("UTXG 4"));
}

void TestGuardCodec::guardWriteKeepsOtherBytes()
{
    for (int o = 0; o < PageSize; ++o)
        MemMap.set(25, o, o * 13);
    const MemMapImage before = MemMap;
    const int rec = 256 + 32 * 19;
    SetChanGuard(MemMap, 24, 19, true, "D023-");
    SetChanGuard(MemMap, 24, 19, false, "067.0");
    QCOMPARE(int(MemMap.get(25, rec + 4)), 0xC8);
    QCOMPARE(int(MemMap.get(25, rec + 5)), 0x13);
    QCOMPARE(int(MemMap.get(25, rec + 12)), 0x06);
    QCOMPARE(int(MemMap.get(25, rec + 13)), 0x70);
    QCOMPARE(int(MemMap.get(25, rec + 11)), 0);
    for (int p = 0; p < MemMapPages; ++p) {
        for (int o = 0; o < PageSize; ++o) {
            const bool own = p == 25 && (o == rec + 4 || o == rec + 5 || o == rec + 11 ||
                                         o == rec + 12 || o == rec + 13);
            if (!own && MemMap.get(p, o) != before.get(p, o))
                QFAIL(qPrintable(QStringLiteral("page %1 offset %2 changed").arg(p).arg(o)));
        }
    }
}

QTEST_APPLESS_MAIN(TestGuardCodec)
#include "tst_guardcodec.moc"
