// The channel fields: frequencies, guards, flags and labels, and the cell edits that check them.

#include "cellundo.h"
#include "chanrecord.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "guardcodec.h"
#include "labelcodes.h"
#include "memmap.h"
#include "platform.h"

#include <QtTest>

class TestChanCodecs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void freqWordsAndTexts();
    void setChanFreq();
    void isValidFreq();
    void validateFreqAcceptsWithoutPrompt();
    void validateFreqPrompts();
    void nullFreqSub();
    void nullFreqSubEdit();
    void guardWordsAndTexts();
    void validateGuardAccepts();
    void validateGuardRejects();
    void utxgIndex();
    void transmitReference();
    void guardWriteKeepsOtherBytes();
    void flagBits();
    void labelCodes();
    void validateLabel();
    void labelAccessors();
    void validateGridCell();

private:
    ScriptedDialogs m_dialogs;
};

static QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

void TestChanCodecs::init()
{
    m_dialogs = ScriptedDialogs();
    platform().dialogs = &m_dialogs;
    CellUndoText = CellUndoTexts();
    MemMap.clear();
}

static QString expectedPrompt(const std::string &text)
{
    return qs("You attempted to enter a frequency of '" + text +
              "'.\r\n\r\nPlease enter a valid frequency in MHz in\r\nthe range of 136.00000 and "
              "174.00000\r\nFrequencies must be divisible by 2.5kHz or 6.25kHz.\r\nConsult your "
              "owners manual for details.\r\n(example: 155.00250)");
}

void TestChanCodecs::freqWordsAndTexts()
{
    // MHz to the stored word and, where given, the word back to its text. Exact half steps
    // go to the even count; below the base stores 0, beyond two bytes is held.
    const struct {
        double mhz;
        int word;
        const char *text;
    } rows[] = {{162.4, 0xC300, "162.40000"}, {162.55, 0xC378, "162.55000"},
                {136.0, 28800, "136.00000"},  {174.0, 59200, "174.00000"},
                {100.00125, 1, "100.00125"},  {181.91875, 0xFFFF, "181.91875"},
                {100.000625, 0, nullptr},     {100.001875, 2, nullptr},
                {50.0, 0, nullptr},           {500.0, 0xFFFF, nullptr}};
    for (const auto &row : rows) {
        const FreqBytes bytes = FreqToBytes(row.mhz);
        QCOMPARE(bytes.high * 256 + bytes.low, row.word);
        if (row.text)
            QCOMPARE(qs(BytesToFreq(row.word / 256, row.word % 256)), QString(row.text));
    }
}

void TestChanCodecs::setChanFreq()
{
    // Texts that are no frequency store 0; a blank is not a digit.
    const struct {
        const char *text;
        bool isReceive;
        int word;
    } rows[] = {{"162.40000", true, 0xC300},
                {"162.55", false, 0xC378},
                {"Inactive", true, 0},
                {"?", false, 0},
                {"", true, 0},
                {" 162.4", true, 0}};
    for (const auto &row : rows) {
        for (int o = 0; o < PageSize; ++o)
            MemMap.set(3, o, 0x5A);
        MemMapImage expected = MemMap;
        const int at = 256 + 32 * 7 + (row.isReceive ? 0 : 8);
        expected.set(3, at, row.word / 256);
        expected.set(3, at + 1, row.word % 256);
        SetChanFreq(MemMap, 2, 7, row.isReceive, row.text);
        QVERIFY2(MemMap == expected, row.text);
    }
}

void TestChanCodecs::isValidFreq()
{
    for (const char *text : {"162.4", "162", "162.", "136", "174", "155.00625", "155.0025"}) {
        std::string work = text;
        QVERIFY2(IsValidFreq(work) && work == text, text);
    }
    for (const char *text :
         {"174.00001", "135.99", "16", "16.24", "1624.0", "162.4.5", "16A.4", " 162.4"}) {
        std::string work = text;
        QVERIFY2(!IsValidFreq(work) && work == text, text);
    }
    // Valid, and snapped to the raster.
    const char *const snapped[][2] = {
        // Both candidates 1000 Hz away and equal: the 2.5 kHz one, same value.
        {"161.401", "161.40000"},
        // 155 006 250 is 2550 Hz away, 155 002 500 only 1200 Hz.
        {"155.0037", "155.00250"},
        // 155 006 250 is 250 Hz away, 155 005 000 1000 Hz.
        {"155.0060", "155.00625"},
        // Equally near the 6.25 kHz and 2.5 kHz points (625 Hz each side): 2.5 kHz wins.
        {"155.005625", "155.00500"},
        // Near the top the upper 2.5 kHz neighbour would leave the band and is held at its edge.
        {"173.9999", "174.00000"}};
    for (const auto &row : snapped) {
        std::string work = row[0];
        QVERIFY(IsValidFreq(work));
        QCOMPARE(qs(work), QString(row[1]));
    }
}

void TestChanCodecs::validateFreqAcceptsWithoutPrompt()
{
    const char *const rows[][2] = {
        {"162.4", "162.40000"}, {"155.0037", "155.00250"}, {"136", "136.00000"}, {"0", "Inactive"},
        {"", "Inactive"},       {"Inactive", "Inactive"},  {"off", "Inactive"}};
    for (const auto &row : rows)
        QCOMPARE(qs(ValidateFreq(row[0], "RX")), QString(row[1]));
    QVERIFY(m_dialogs.inputs.empty());
}

void TestChanCodecs::validateFreqPrompts()
{
    // Asked again until valid, each time with what was typed and the cell's previous text.
    CellUndoText.freq = "155.00250";
    m_dialogs.inputAnswers = {std::string("16.24"), std::string("174.00001"),
                              std::string("155.0037")};
    QCOMPARE(qs(ValidateFreq("1624.0", "TX")), QStringLiteral("155.00250"));
    QCOMPARE(m_dialogs.inputs.size(), std::size_t(3));
    QCOMPARE(qs(m_dialogs.inputs[0].title), QStringLiteral("FORMAT ERROR"));
    QCOMPARE(qs(m_dialogs.inputs[0].defaultText), QStringLiteral("155.00250"));
    const char *typed[] = {"1624.0", "16.24", "174.00001"};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(qs(m_dialogs.inputs[i].prompt), expectedPrompt(typed[i]));

    // Cancel keeps the previous text; an empty or 0 answer clears the cell.
    m_dialogs.inputAnswers = {std::nullopt, std::nullopt, std::string(""), std::string("0")};
    CellUndoText.freq = "162.40000";
    QCOMPARE(qs(ValidateFreq("200", "RX")), QStringLiteral("162.40000"));
    CellUndoText.freq = "Inactive";
    QCOMPARE(qs(ValidateFreq("200", "RX")), QStringLiteral("Inactive"));
    CellUndoText.freq = "162.40000";
    QCOMPARE(qs(ValidateFreq("2000", "RX")), QStringLiteral("Inactive"));
    QCOMPARE(qs(ValidateFreq("2000", "RX")), QStringLiteral("Inactive"));
    QCOMPARE(m_dialogs.inputs.size(), std::size_t(7));

    // Text without a leading digit clears without asking; an example that is no frequency
    // becomes 161.40000, an off-raster one is snapped in place.
    init();
    CellUndoText.freq = "Inactive";
    m_dialogs.inputAnswers = {std::string("162.55")};
    QCOMPARE(qs(ValidateFreq("abc1", "RX")), QStringLiteral("Inactive"));
    QVERIFY(m_dialogs.inputs.empty());
    QCOMPARE(qs(ValidateFreq("999", "RX")), QStringLiteral("162.55000"));
    QCOMPARE(qs(m_dialogs.inputs[0].defaultText), QStringLiteral("161.40000"));
    QCOMPARE(qs(CellUndoText.freq), QStringLiteral("161.40000"));
    CellUndoText.freq = "161.401";
    m_dialogs.inputAnswers = {std::string("162.55")};
    ValidateFreq("999", "RX");
    QCOMPARE(qs(m_dialogs.inputs[1].defaultText), QStringLiteral("161.40000"));
}

void TestChanCodecs::nullFreqSub()
{
    const struct {
        const char *text;
        int word;
        const char *shown;
    } rows[] = {{"162.40000", 0xC300, "162.40000"},
                {"0", 0, "0.0"},
                {"", 0, "0.0"},
                {"180", 0, "0.0"},
                {"162.4 MHz", 0, "0.0"},
                {"174", 59200, "174.00000"}};
    for (const auto &row : rows) {
        const int bytes[] = {0xFF, 0x11, 0x22, 0xEE};
        for (int i = 0; i < 4; ++i)
            MemMap.set(0, 173 + i, bytes[i]);
        SetNullFreqSub(MemMap, row.text);
        const int after[] = {0xFF, row.word / 256, row.word % 256, 0xEE};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(int(MemMap.get(0, 173 + i)), after[i]);
        QCOMPARE(qs(GetNullFreqSub(MemMap)), QString(row.shown));
    }
}

void TestChanCodecs::nullFreqSubEdit()
{
    MemMap.set(0, 174, 64000 / 256);
    MemMap.set(0, 175, 64000 % 256);
    QCOMPARE(qs(GetNullFreqSub(MemMap)), QStringLiteral("?"));

    QCOMPARE(qs(ValidateNullFreqSub("155.0037", "?")), QStringLiteral("155.00250"));
    QCOMPARE(qs(ValidateNullFreqSub("", "155.00250")), QStringLiteral("0.0"));
    QCOMPARE(qs(ValidateNullFreqSub("0", "155.00250")), QStringLiteral("0.0"));

    // The field's own previous text is the example, and what Cancel keeps.
    m_dialogs.inputAnswers = {std::nullopt, std::nullopt};
    QCOMPARE(qs(ValidateNullFreqSub("12", "155.00250")), QStringLiteral("155.00250"));
    QCOMPARE(qs(m_dialogs.inputs[0].defaultText), QStringLiteral("155.00250"));
    QCOMPARE(qs(ValidateNullFreqSub("12", "0.0")), QStringLiteral("0.0"));
    QCOMPARE(qs(m_dialogs.inputs[1].defaultText), QStringLiteral("161.40000"));
}

void TestChanCodecs::guardWordsAndTexts()
{
    // Direction: b both ways, e text to word only, d word to text only. A reference stores no
    // guard, a stray 8 stays in its bits, a word that is not BCD shows as hex, and bits 13 to
    // 9 are ignored on reading.
    const struct {
        char direction;
        const char *text;
        int word;
    } rows[] = {{'b', "000.0", 0x0000}, {'b', "067.0", 0x0670},  {'b', "100.0", 0x1000},
                {'b', "250.3", 0x2503}, {'b', "D023", 0x8813},   {'b', "D023-", 0xC813},
                {'b', "D754", 0x89EC},  {'e', "67.0", 0x0670},   {'e', "d023", 0x8813},
                {'e', "D131-", 0xC859}, {'e', "UTXG 5", 0x0000}, {'e', "D888", 0x8800},
                {'d', "1AB.C", 0x1ABC}, {'d', "D023", 0xBE13},   {'d', "D777-", 0xFFFF}};
    for (const auto &row : rows) {
        if (row.direction != 'd') {
            const GuardBytes bytes = GuardToBytes(row.text);
            QVERIFY2(bytes.high * 256 + bytes.low == row.word, row.text);
        }
        if (row.direction != 'e')
            QCOMPARE(qs(BytesToGuard(row.word / 256, row.word % 256)), QString(row.text));
    }
}

void TestChanCodecs::validateGuardAccepts()
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

void TestChanCodecs::validateGuardRejects()
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

void TestChanCodecs::utxgIndex()
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

void TestChanCodecs::transmitReference()
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

void TestChanCodecs::guardWriteKeepsOtherBytes()
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

void TestChanCodecs::flagBits()
{
    // Channel flags of group 7, channel 12 and options of group 4, over every byte value;
    // any text but "-" sets a channel flag.
    using Get = std::string (*)(const MemMapImage &, int, int);
    using Set = void (*)(MemMapImage &, int, int, const std::string &);
    const struct {
        Get get;
        Set set;
        int page, offset, mask;
        const char *on, *off;
    } rows[] = {{GetChanScan, SetChanScan, 7, 256 + 32 * 11 + 2, 0x10, "S", "-"},
                {GetChanNarrow, SetChanNarrow, 7, 256 + 32 * 11 + 2, 0x08, "N", "-"},
                {GetChanLowPower, SetChanLowPower, 7, 256 + 32 * 11 + 10, 0x20, "L", "-"},
                {[](const MemMapImage &mm, int, int) { return GetGrpScanList(mm, 3); },
                 [](MemMapImage &mm, int, int, const std::string &t) { SetGrpScanList(mm, 3, t); },
                 4, 44, 0x01, "Yes", "No"},
                {[](const MemMapImage &mm, int, int) {
                     return std::string(GetGrpIncomingClone(mm, 3) ? "+" : "-");
                 },
                 [](MemMapImage &mm, int, int, const std::string &t) {
                     SetGrpIncomingClone(mm, 3, t == "+");
                 },
                 4, 0, 0x01, "+", "-"}};
    for (const auto &row : rows) {
        for (int value = 0; value < 256; ++value) {
            MemMap.set(row.page, row.offset, value);
            QCOMPARE(qs(row.get(MemMap, 6, 11)), QString((value & row.mask) ? row.on : row.off));
            row.set(MemMap, 6, 11, row.mask == 1 ? row.on : "x");
            QCOMPARE(int(MemMap.get(row.page, row.offset)), value | row.mask);
            row.set(MemMap, 6, 11, row.off);
            QCOMPARE(int(MemMap.get(row.page, row.offset)), value & ~row.mask);
        }
    }
    SetGrpScanList(MemMap, 3, "yes");
    QCOMPARE(int(MemMap.get(4, 44)), 0xFF);
}

void TestChanCodecs::labelCodes()
{
    // The code of each character is its place in this row.
    const std::string table = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-*$/+%\\|_<>h .";
    QCOMPARE(table.size(), std::size_t(50));
    for (int code = 0; code < 50; ++code) {
        QCOMPARE(CharToLabelCode(table[code]), code);
        QCOMPARE(qs(LabelCodeToChar(code)), QString(QChar(table[code])));
    }
}

void TestChanCodecs::validateLabel()
{
    const char *const rows[][2] = {{"ch 1", "Ch 1        "},
                                   {"CH 1", "CH 1        "}, // keeps the upper H
                                   {"abc!?def", "ABC  DEF    "},
                                   {"ABCDEFGHIJKLMNO", "ABCDEFGHIJKL"},
                                   {"", "            "},
                                   {"     ", "            "},
                                   {"-*$/+%\\|_<>.", "-*$/+%\\|_<>."},
                                   {"xyz", "XYZ         "},
                                   {"A\xC3\xA9"
                                    "B",
                                    "A B         "}, // one blank for a multi-byte character
                                   {"A\tB", "A B         "}};
    for (const auto &row : rows) {
        QCOMPARE(qs(ValidateLabel(row[0], 12)), QString(row[1]));
        QCOMPARE(qs(ValidateLabel(row[0], 4)), QString(row[1]).left(4));
    }
}

void TestChanCodecs::labelAccessors()
{
    SetChanLabel(MemMap, 24, 19, "Ch 20");
    QCOMPARE(qs(GetChanLabel(MemMap, 24, 19)), QStringLiteral("Ch 20       "));
    const int rec = 256 + 32 * 19;
    QCOMPARE(int(MemMap.get(25, rec + 20)), 12);
    QCOMPARE(int(MemMap.get(25, rec + 21)), 47);
    QCOMPARE(int(MemMap.get(25, rec + 31)), 48);
    QCOMPARE(int(MemMap.get(26, 0)), 0);

    SetGrpLabel(MemMap, 0, "FIRE DEPT");
    QCOMPARE(qs(GetGrpLabel(MemMap, 0)), QStringLiteral("FIRE DEPT   "));
    const int around[][2] = {{31, 0}, {32, 15}, {43, 48}, {44, 0}};
    for (const auto &[offset, code] : around)
        QCOMPARE(int(MemMap.get(1, offset)), code);

    // A multi-byte character takes one place, so the label is not shifted.
    SetGrpLabel(MemMap, 1, "\xC3\xA9X");
    QCOMPARE(qs(GetGrpLabel(MemMap, 1)), QStringLiteral(" X          "));
    // A code without a character is left out.
    SetChanLabel(MemMap, 0, 0, "ABC");
    MemMap.set(1, 256 + 21, 60);
    QCOMPARE(qs(GetChanLabel(MemMap, 0, 0)), QStringLiteral("AC         "));
}

void TestChanCodecs::validateGridCell()
{
    const struct {
        const char *text;
        int column;
        const char *result;
    } rows[] = {{"ch 1", 1, "Ch 1        "},
                {"162.4", 2, "162.40000"},
                {"67", 3, "67.0"},
                {"155.0037", 4, "155.00250"},
                {"utxg 5", 5, "UTXG 5"},
                {"0", 4, "Inactive"},
                {"x", 6, "S"},
                {"-", 6, "-"},
                {"n", 7, "N"},
                {"-", 7, "-"},
                {"S", 8, "L"},
                {"-", 8, "-"},
                {"abc", 0, "abc"}}; // the row header column keeps its text
    for (const auto &row : rows)
        QCOMPARE(qs(ValidateGridCell(row.text, row.column)), QString(row.result));
    QVERIFY(m_dialogs.messages.empty() && m_dialogs.inputs.empty());
}

QTEST_APPLESS_MAIN(TestChanCodecs)
#include "tst_chancodecs.moc"
