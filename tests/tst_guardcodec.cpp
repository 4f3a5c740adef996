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
    void wordsAndTexts();
    void validateAccepts();
    void validateRejects();
    void utxgIndex();
    void transmitReference();
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

void TestGuardCodec::wordsAndTexts()
{
    // Direction: b both ways, e text to word only, d word to text only.
    const struct {
        char direction;
        const char *text;
        int word;
    } rows[] = {{'b', "000.0", 0x0000}, {'b', "067.0", 0x0670},  {'b', "100.0", 0x1000},
                {'b', "250.3", 0x2503}, {'b', "D023", 0x8813},   {'b', "D023-", 0xC813},
                {'b', "D754", 0x89EC},  {'e', "67.0", 0x0670},   {'e', "d023", 0x8813},
                {'e', "D131-", 0xC859}, {'e', "UTXG 5", 0x0000}, // a reference stores none
                {'e', "D888", 0x8800},                           // a stray 8 stays in its bits
                {'d', "1AB.C", 0x1ABC},                          // not BCD shows hex
                {'d', "D023", 0xBE13}, // bits 13, 12, 11, 10 and 9 are ignored on reading
                {'d', "D777-", 0xFFFF}};
    for (const auto &row : rows) {
        if (row.direction != 'd') {
            const GuardBytes bytes = GuardToBytes(row.text);
            QVERIFY2(bytes.high * 256 + bytes.low == row.word, row.text);
        }
        if (row.direction != 'e')
            QCOMPARE(qs(BytesToGuard(row.word / 256, row.word % 256)), QString(row.text));
    }
}

void TestGuardCodec::validateAccepts()
{
    const char *const rows[][2] = {
        {"67", "67.0"},       {"67.0", "67.0"},       {"250.3", "250.3"},   {"100", "100.0"},
        {"D023", "D023"},     {"d023-", "D023-"},     {"D754", "D754"},     {"OFF", "000.0"},
        {"0", "000.0"},       {"-", "000.0"},         {"", "000.0"},        {"   ", "000.0"},
        {"utxg 5", "UTXG 5"}, {"UTXG 32", "UTXG 32"}, {"UTXG 1", "UTXG 1"}, {" UTXG 3", "UTXG 3"}};
    for (const auto &row : rows)
        QCOMPARE(qs(ValidateChanGuard(row[0])), QString(row[1]));
    QVERIFY(m_dialogs.messages.empty());
}

void TestGuardCodec::validateRejects()
{
    const char *const rows[] = {"250.4",   "66.9",   "D018",  "D019",  "D022",
                                "D2-3",    "D023-X", "D02",   "D02.3", "67.0-",
                                "UTXG 33", "UTXG 0", "UTXG5", "U",     "UTXG 105",
                                "D23X",    "D023X",  "67A",   " 67",   "100.00"};
    CellUndoText.guard = "D131-";
    for (const char *text : rows) {
        m_dialogs.messages.clear();
        QCOMPARE(qs(ValidateChanGuard(text)), QStringLiteral("D131-"));
        QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
        const ScriptedDialogs::Message &msg = m_dialogs.messages[0];
        QCOMPARE(qs(msg.caption), QStringLiteral("FORMAT ERROR"));
        QCOMPARE(msg.buttons, MsgButtons::Ok);
        QCOMPARE(msg.icon, MsgIcon::Information);
        QCOMPARE(qs(msg.text),
                 QStringLiteral("You attempted to enter the value '") + text +
                     QStringLiteral("'.\r\n\r\nPlease enter a valid Channel Guard value.\r\n\r\n"
                                    "CTCSS in the range of '67.0' To '250.3'\r\n\r\n"
                                    "CDCSS in the range of 'D023' To 'D754',\r\n"
                                    "8 and 9 are not valid CDCSS digits.\r\n"
                                    "Use an optional '-' the the end to invert\r\n"
                                    "CDCSS ONLY, example 'D131-') OR enter a\r\n"
                                    "User TX Guard in the format 'UTXG 3'"));
    }
}

void TestGuardCodec::utxgIndex()
{
    const struct {
        const char *text;
        int index;
        const char *shown;
    } rows[] = {{"UTXG 5", 5, "UTXG 5"}, {"UTXG 32", 32, "UTXG 32"}, {"UTXG 33", 0, "OFF"},
                {"OFF", 0, "OFF"},       {"UT 5", 0, "OFF"},         {"UTXG5", 0, "OFF"}};
    for (const auto &row : rows) {
        MemMap.set(5, 256 + 32 * 3 + 11, 17);
        SetChanUTXG(MemMap, 4, 3, row.text);
        QCOMPARE(int(MemMap.get(5, 256 + 32 * 3 + 11)), row.index);
        QCOMPARE(qs(GetChanUTXG(MemMap, 4, 3)), QString(row.shown));
    }
}

void TestGuardCodec::transmitReference()
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
    // The receive side never shows it.
    QCOMPARE(qs(GetChanGuard(MemMap, 0, 0, true)), QStringLiteral("000.0"));
    // Index bytes beyond the pick list show no reference.
    MemMap.set(1, 256 + 11, 33);
    QCOMPARE(qs(GetChanGuard(MemMap, 0, 0, false)), QStringLiteral("000.0"));

    // Any guard write clears the reference, even one to the receive side.
    SetChanGuard(MemMap, 2, 9, false, "UTXG 3");
    SetChanGuard(MemMap, 2, 9, true, "100.0");
    QCOMPARE(qs(GetChanGuard(MemMap, 2, 9, true)), QStringLiteral("100.0"));
    QCOMPARE(qs(GetChanGuard(MemMap, 2, 9, false)), QStringLiteral("000.0"));
    QCOMPARE(int(MemMap.get(3, 256 + 32 * 9 + 11)), 0);
    SetChanGuard(MemMap, 0, 1, true, "UTXG 4");
    QCOMPARE(qs(GetChanGuard(MemMap, 0, 1, true)), QStringLiteral("000.0"));
    QCOMPARE(qs(GetChanGuard(MemMap, 0, 1, false)), QStringLiteral("UTXG 4"));
}

void TestGuardCodec::guardWriteKeepsOtherBytes()
{
    for (int o = 0; o < PageSize; ++o)
        MemMap.set(25, o, o * 13);
    MemMapImage expected = MemMap;
    const int rec = 256 + 32 * 19;
    const std::pair<int, int> own[] = {{4, 0xC8}, {5, 0x13}, {11, 0}, {12, 0x06}, {13, 0x70}};
    for (const auto &[field, value] : own)
        expected.set(25, rec + field, value);
    SetChanGuard(MemMap, 24, 19, true, "D023-");
    SetChanGuard(MemMap, 24, 19, false, "067.0");
    QVERIFY(MemMap == expected);
}

QTEST_APPLESS_MAIN(TestGuardCodec)
#include "tst_guardcodec.moc"
