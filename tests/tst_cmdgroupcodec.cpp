#include "cellundo.h"
#include "cmdgroupcodec.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "memmap.h"
#include "platform.h"

#include <QtTest>

class TestCmdGroupCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void groupAssign_data();
    void groupAssign();
    void channelAssign_data();
    void channelAssign();
    void unprogrammedSequence();
    void pickList();
    void pickListLock();
    void aniIdDecode();
    void validateAniId_data();
    void validateAniId();
    void aniIdEncode_data();
    void aniIdEncode();
    void keypadPwd_data();
    void keypadPwd();
    void textFieldEdits();
    void pickListEditRejected();
    void nullFreqSubEdit();

private:
    ScriptedDialogs m_dialogs;
};

static QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

void TestCmdGroupCodec::init()
{
    m_dialogs = ScriptedDialogs();
    platform().dialogs = &m_dialogs;
    CellUndoText = CellUndoTexts();
    MemMap.clear();
}

void TestCmdGroupCodec::groupAssign_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << 0 << "Group 1";
    QTest::newRow("24") << 24 << 24 << "Group 25";
    QTest::newRow("25") << 25 << 25 << "Unprogrammed";
    QTest::newRow("26") << 26 << 25 << "Unprogrammed";
    QTest::newRow("254") << 254 << 25 << "Unprogrammed";
    QTest::newRow("255") << 255 << 25 << "Unprogrammed";
}

void TestCmdGroupCodec::groupAssign()
{
    QFETCH(int, stored);
    QFETCH(int, position);
    QFETCH(QString, text);
    MemMap.set(0, 320 + 2 * 19, stored);
    QCOMPARE(GetCmdGrpGroupIndex(MemMap, 19), position);
    QCOMPARE(qs(GetCmdGrpGroupText(MemMap, 19)), text);
    QCOMPARE(CmdGrpChanEnabled(MemMap, 19), position != 25);
}

void TestCmdGroupCodec::channelAssign_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("position");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("19") << 19 << 19;
    QTest::newRow("20 shows Channel 1") << 20 << 0;
    QTest::newRow("255") << 255 << 0;
}

void TestCmdGroupCodec::channelAssign()
{
    QFETCH(int, stored);
    QFETCH(int, position);
    MemMap.set(0, 321, stored);
    QCOMPARE(GetCmdGrpChanIndex(MemMap, 0), position);
    QCOMPARE(qs(GetCmdGrpChanText(MemMap, 0)), QStringLiteral("Channel %1").arg(position + 1));
    SetCmdGrpChanIndex(MemMap, 0, 19);
    QCOMPARE(int(MemMap.get(0, 321)), 19);
    SetCmdGrpChanIndex(MemMap, 0, 20);
    QCOMPARE(int(MemMap.get(0, 321)), 0);
    QCOMPARE(int(MemMap.get(0, 320)), 0);
    QCOMPARE(int(MemMap.get(0, 322)), 0);
}

void TestCmdGroupCodec::unprogrammedSequence()
{
    LoadDefaultImage(MemMap);
    QCOMPARE(qs(GetCmdGrpGroupText(MemMap, 4)), QStringLiteral("Unprogrammed"));
    QVERIFY(!CmdGrpChanEnabled(MemMap, 4));
    SetCmdGrpGroupIndex(MemMap, 4, 2);
    QCOMPARE(int(MemMap.get(0, 328)), 2);
    QVERIFY(CmdGrpChanEnabled(MemMap, 4));
    SetCmdGrpGroupIndex(MemMap, 4, 25);
    QCOMPARE(int(MemMap.get(0, 328)), 255);
    QVERIFY(!CmdGrpChanEnabled(MemMap, 4));
    QCOMPARE(int(MemMap.get(0, 329)), 0);
}

void TestCmdGroupCodec::pickList()
{
    SetPickListGuard(MemMap, 0, "D023");
    QCOMPARE(int(MemMap.get(0, 256)), 0x88);
    QCOMPARE(int(MemMap.get(0, 257)), 0x13);
    QCOMPARE(qs(GetPickListGuard(MemMap, 0)), QStringLiteral("D023"));
    SetPickListGuard(MemMap, 31, "67.0");
    QCOMPARE(int(MemMap.get(0, 318)), 0x06);
    QCOMPARE(int(MemMap.get(0, 319)), 0x70);
    QCOMPARE(int(MemMap.get(0, 320)), 0);
    SetPickListGuard(MemMap, 31, "UTXG 3");
    QCOMPARE(qs(GetPickListGuard(MemMap, 31)), QStringLiteral("000.0"));
}

void TestCmdGroupCodec::pickListLock()
{
    for (int value = 0; value < 256; ++value) {
        MemMap.set(0, 136, value);
        QCOMPARE(GetPickListLock(MemMap), bool(value & 0x40));
        SetPickListLock(MemMap, true);
        QCOMPARE(int(MemMap.get(0, 136)), value | 0x40);
        SetPickListLock(MemMap, false);
        QCOMPARE(int(MemMap.get(0, 136)), value & ~0x40);
    }
}

void TestCmdGroupCodec::aniIdDecode()
{
    MemMap.set(0, 192, 0xA3);
    MemMap.set(0, 193, 0x0B);
    MemMap.set(0, 194, 0x45);
    MemMap.set(0, 195, 0xF0);
    QCOMPARE(qs(GetANIID(MemMap)), QStringLiteral("30B45F0"));
}

void TestCmdGroupCodec::validateAniId_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("short stays") << "12345"
                                 << "12345";
    QTest::newRow("G is not hex") << "12G4567"
                                  << "12F4567";
    QTest::newRow("lower case") << "abcdef0"
                                << "ABCDEF0";
    QTest::newRow("long keeps the last 7") << "123456789"
                                           << "3456789";
    QTest::newRow("blank") << "12 4567"
                           << "12F4567";
    QTest::newRow("non-ASCII counts once") << QStringLiteral("12345678\u00e9") << "345678F";
}

void TestCmdGroupCodec::validateAniId()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(qs(ValidateANIID(text.toStdString())), result);
}

void TestCmdGroupCodec::aniIdEncode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("b192");
    QTest::addColumn<int>("b193");
    QTest::addColumn<int>("b194");
    QTest::addColumn<int>("b195");
    QTest::addColumn<QString>("reloaded");
    QTest::newRow("12345 padded") << "12345" << 0x5F << 0xF1 << 0x23 << 0x45 << "FF12345";
    QTest::newRow("seven digits") << "ABCDEF0" << 0x5A << 0xBC << 0xDE << 0xF0 << "ABCDEF0";
    QTest::newRow("empty") << "" << 0x5F << 0xFF << 0xFF << 0xFF << "FFFFFFF";
}

void TestCmdGroupCodec::aniIdEncode()
{
    QFETCH(QString, text);
    QFETCH(int, b192);
    QFETCH(int, b193);
    QFETCH(int, b194);
    QFETCH(int, b195);
    QFETCH(QString, reloaded);
    MemMap.set(0, 191, 0x77);
    MemMap.set(0, 192, 0x50);
    MemMap.set(0, 196, 0x77);
    SetANIID(MemMap, text.toStdString());
    QCOMPARE(int(MemMap.get(0, 192)), b192);
    QCOMPARE(int(MemMap.get(0, 193)), b193);
    QCOMPARE(int(MemMap.get(0, 194)), b194);
    QCOMPARE(int(MemMap.get(0, 195)), b195);
    QCOMPARE(int(MemMap.get(0, 191)), 0x77);
    QCOMPARE(int(MemMap.get(0, 196)), 0x77);
    QCOMPARE(qs(GetANIID(MemMap)), reloaded);
}

void TestCmdGroupCodec::keypadPwd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("validated");
    QTest::addColumn<int>("b189");
    QTest::addColumn<int>("b190");
    QTest::addColumn<int>("b191");
    QTest::newRow("six digits") << "123456"
                                << "123456" << 0x12 << 0x34 << 0x56;
    QTest::newRow("short padded left") << "123"
                                       << "000123" << 0x00 << 0x01 << 0x23;
    QTest::newRow("letter becomes 0") << "12A456"
                                      << "120456" << 0x12 << 0x04 << 0x56;
    QTest::newRow("long keeps the last 6") << "98765432"
                                           << "765432" << 0x76 << 0x54 << 0x32;
    QTest::newRow("empty") << ""
                           << "000000" << 0 << 0 << 0;
    QTest::newRow("non-ASCII counts once")
        << QStringLiteral("12345\u00e9") << "123450" << 0x12 << 0x34 << 0x50;
}

void TestCmdGroupCodec::keypadPwd()
{
    QFETCH(QString, text);
    QFETCH(QString, validated);
    QFETCH(int, b189);
    QFETCH(int, b190);
    QFETCH(int, b191);
    MemMap.set(0, 188, 0xAA);
    MemMap.set(0, 192, 0xAA);
    const std::string shown = ValidateKeypadPwd(text.toStdString());
    QCOMPARE(qs(shown), validated);
    SetKeypadPwd(MemMap, shown);
    QCOMPARE(int(MemMap.get(0, 189)), b189);
    QCOMPARE(int(MemMap.get(0, 190)), b190);
    QCOMPARE(int(MemMap.get(0, 191)), b191);
    QCOMPARE(int(MemMap.get(0, 188)), 0xAA);
    QCOMPARE(int(MemMap.get(0, 192)), 0xAA);
    QCOMPARE(qs(GetKeypadPwd(MemMap)), validated);
}

void TestCmdGroupCodec::textFieldEdits()
{
    // Unchanged text: nothing happens.
    TextFieldEdit edit = EditANIID(MemMap, "0000000");
    QVERIFY(!edit.changed);

    edit = EditANIID(MemMap, "12345");
    QVERIFY(edit.changed);
    QCOMPARE(qs(edit.shown), QStringLiteral("12345"));
    QCOMPARE(qs(GetANIID(MemMap)), QStringLiteral("FF12345"));
    // The same ID typed short again stores nothing new.
    QVERIFY(!EditANIID(MemMap, "12345").changed);

    edit = EditKeypadPwd(MemMap, "42");
    QVERIFY(edit.changed);
    QCOMPARE(qs(edit.shown), QStringLiteral("000042"));

    edit = EditPickListGuard(MemMap, 2, "d023");
    QVERIFY(edit.changed);
    QCOMPARE(qs(edit.shown), QStringLiteral("D023"));
    QCOMPARE(int(MemMap.get(0, 260)), 0x88);
    edit = EditPickListGuard(MemMap, 2, "");
    QCOMPARE(qs(edit.shown), QStringLiteral("000.0"));
    QCOMPARE(qs(GetPickListGuard(MemMap, 2)), QStringLiteral("000.0"));
    QVERIFY(m_dialogs.messages.empty());
}

void TestCmdGroupCodec::pickListEditRejected()
{
    SetPickListGuard(MemMap, 5, "100.0");
    CellUndoText.guard = "100.0";
    const MemMapImage before = MemMap;
    const TextFieldEdit edit = EditPickListGuard(MemMap, 5, "D019");
    QCOMPARE(qs(edit.shown), QStringLiteral("100.0"));
    QVERIFY(!edit.changed);
    QVERIFY(MemMap == before);
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
    QCOMPARE(qs(m_dialogs.messages[0].caption), QStringLiteral("FORMAT ERROR"));
}

void TestCmdGroupCodec::nullFreqSubEdit()
{
    TextFieldEdit edit = EditNullFreqSub(MemMap, "155.0037", "0.0");
    QVERIFY(edit.changed);
    QCOMPARE(qs(edit.shown), QStringLiteral("155.00250"));
    QCOMPARE(qs(GetNullFreqSub(MemMap)), QStringLiteral("155.00250"));
    edit = EditNullFreqSub(MemMap, "", "155.00250");
    QVERIFY(edit.changed);
    QCOMPARE(qs(edit.shown), QStringLiteral("0.0"));
    QCOMPARE(int(MemMap.get(0, 174)), 0);
    QCOMPARE(int(MemMap.get(0, 175)), 0);
    QVERIFY(!EditNullFreqSub(MemMap, "0.0", "0.0").changed);
}

QTEST_APPLESS_MAIN(TestCmdGroupCodec)
#include "tst_cmdgroupcodec.moc"
