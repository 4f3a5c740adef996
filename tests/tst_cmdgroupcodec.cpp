// The command group, the UTXG pick list and the text fields of the global settings panes.

#include "cellundo.h"
#include "cmdgroupcodec.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "memmap.h"
#include "picklistcodec.h"
#include "platform.h"
#include "textfields.h"

#include <QtTest>

class TestCmdGroupCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void commandGroup();
    void pickList();
    void aniId();
    void keypadPwd();
    void textFieldEdits();

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

void TestCmdGroupCodec::commandGroup()
{
    const struct {
        int stored;
        int position;
        const char *text;
    } groups[] = {{0, 0, "Group 1"},        {24, 24, "Group 25"},      {25, 25, "Unprogrammed"},
                  {26, 25, "Unprogrammed"}, {254, 25, "Unprogrammed"}, {255, 25, "Unprogrammed"}};
    for (const auto &g : groups) {
        MemMap.set(0, 320 + 2 * 19, g.stored);
        QCOMPARE(GetCmdGrpGroupIndex(MemMap, 19), g.position);
        QCOMPARE(qs(GetCmdGrpGroupText(MemMap, 19)), QString::fromLatin1(g.text));
        QCOMPARE(CmdGrpChanEnabled(MemMap, 19), g.position != 25);
    }
    const std::pair<int, int> channels[] = {{0, 0}, {19, 19}, {20, 0}, {255, 0}};
    for (const auto &[stored, position] : channels) {
        MemMap.set(0, 321, stored);
        QCOMPARE(GetCmdGrpChanIndex(MemMap, 0), position);
        QCOMPARE(qs(GetCmdGrpChanText(MemMap, 0)), QStringLiteral("Channel %1").arg(position + 1));
    }
    SetCmdGrpChanIndex(MemMap, 0, 19);
    QCOMPARE(int(MemMap.get(0, 321)), 19);
    SetCmdGrpChanIndex(MemMap, 0, 20);
    QCOMPARE(int(MemMap.get(0, 321)), 0);

    LoadDefaultImage(MemMap);
    QCOMPARE(qs(GetCmdGrpGroupText(MemMap, 4)), QStringLiteral("Unprogrammed"));
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
    SetPickListGuard(MemMap, 31, "UTXG 3");
    QCOMPARE(qs(GetPickListGuard(MemMap, 31)), QStringLiteral("000.0"));
}

void TestCmdGroupCodec::aniId()
{
    MemMap.set(0, 192, 0xA3);
    MemMap.set(0, 193, 0x0B);
    MemMap.set(0, 194, 0x45);
    MemMap.set(0, 195, 0xF0);
    QCOMPARE(qs(GetANIID(MemMap)), QStringLiteral("30B45F0"));

    const std::pair<QString, const char *> validated[] = {
        {"12345", "12345"},
        {"12G4567", "12F4567"},
        {"abcdef0", "ABCDEF0"},
        {"123456789", "3456789"},
        {"12 4567", "12F4567"},
        {QStringLiteral("12345678\u00e9"), "345678F"}}; // a non-ASCII character counts once
    for (const auto &[text, result] : validated)
        QCOMPARE(qs(ValidateANIID(text.toStdString())), QString::fromLatin1(result));

    const struct {
        const char *text;
        int bytes[4]; // 192..195; the high nibble of 192 stays 5
        const char *reloaded;
    } stored[] = {{"12345", {0x5F, 0xF1, 0x23, 0x45}, "FF12345"},
                  {"ABCDEF0", {0x5A, 0xBC, 0xDE, 0xF0}, "ABCDEF0"},
                  {"", {0x5F, 0xFF, 0xFF, 0xFF}, "FFFFFFF"}};
    for (const auto &s : stored) {
        MemMap.set(0, 191, 0x77);
        MemMap.set(0, 192, 0x50);
        MemMap.set(0, 196, 0x77);
        SetANIID(MemMap, s.text);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(int(MemMap.get(0, 192 + i)), s.bytes[i]);
        QCOMPARE(int(MemMap.get(0, 191)), 0x77);
        QCOMPARE(int(MemMap.get(0, 196)), 0x77);
        QCOMPARE(qs(GetANIID(MemMap)), QString::fromLatin1(s.reloaded));
    }
}

void TestCmdGroupCodec::keypadPwd()
{
    const struct {
        QString text;
        const char *validated;
        int bytes[3]; // 189..191
    } cases[] = {{"123456", "123456", {0x12, 0x34, 0x56}},
                 {"123", "000123", {0x00, 0x01, 0x23}},
                 {"12A456", "120456", {0x12, 0x04, 0x56}},
                 {"98765432", "765432", {0x76, 0x54, 0x32}},
                 {"", "000000", {0, 0, 0}},
                 {QStringLiteral("12345\u00e9"), "123450", {0x12, 0x34, 0x50}}};
    for (const auto &c : cases) {
        MemMap.set(0, 188, 0xAA);
        MemMap.set(0, 192, 0xAA);
        const std::string shown = ValidateKeypadPwd(c.text.toStdString());
        QCOMPARE(qs(shown), QString::fromLatin1(c.validated));
        SetKeypadPwd(MemMap, shown);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(int(MemMap.get(0, 189 + i)), c.bytes[i]);
        QCOMPARE(int(MemMap.get(0, 188)), 0xAA);
        QCOMPARE(int(MemMap.get(0, 192)), 0xAA);
        QCOMPARE(qs(GetKeypadPwd(MemMap)), QString::fromLatin1(c.validated));
    }
}

void TestCmdGroupCodec::textFieldEdits()
{
    // Unchanged text: nothing happens.
    QVERIFY(!EditANIID(MemMap, "0000000").changed);
    TextFieldEdit edit = EditANIID(MemMap, "12345");
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

    // A rejected pick-list entry shows the code it had and stores nothing.
    SetPickListGuard(MemMap, 5, "100.0");
    CellUndoText.guard = "100.0";
    const MemMapImage before = MemMap;
    edit = EditPickListGuard(MemMap, 5, "D019");
    QCOMPARE(qs(edit.shown), QStringLiteral("100.0"));
    QVERIFY(!edit.changed);
    QVERIFY(MemMap == before);
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
    QCOMPARE(qs(m_dialogs.messages[0].caption), QStringLiteral("FORMAT ERROR"));

    edit = EditNullFreqSub(MemMap, "155.0037", "0.0");
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
