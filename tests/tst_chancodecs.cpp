// The channel fields: frequencies, guards, flags and labels, and the cell edits that check them.

#include "cellundo.h"
#include "chanrecord.h"
#include "cmdgroupcodec.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "guardcodec.h"
#include "labelcodes.h"
#include "memmap.h"
#include "platform.h"
#include "textfields.h"

#include <QtTest>

static QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

static QString expectedPrompt(const std::string &text)
{
    return qs("You attempted to enter a frequency of '" + text +
              "'.\r\n\r\nPlease enter a valid frequency in MHz in\r\nthe range of 136.00000 and "
              "174.00000\r\nFrequencies must be divisible by 2.5kHz or 6.25kHz.\r\nConsult your "
              "owners manual for details.\r\n(example: 155.00250)");
}

class TestChanCodecs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dialogs = ScriptedDialogs();
        platform().dialogs = &m_dialogs;
        CellUndoText = CellUndoTexts();
        MemMap.clear();
    }

    void freqWordsAndTexts()
    {
        // MHz to the stored word and, where given, the word back to its text (every word: the
        // codec fuzzing). Exact half steps go to the even count; below the base stores 0,
        // beyond two bytes is held.
        const struct {
            double mhz;
            int word;
            const char *text;
        } rows[] = {{162.4, 0xC300, "162.40000"},     {100.00125, 1, "100.00125"},
                    {181.91875, 0xFFFF, "181.91875"}, {100.000625, 0, nullptr},
                    {100.001875, 2, nullptr},         {50.0, 0, nullptr},
                    {500.0, 0xFFFF, nullptr}};
        for (const auto &row : rows) {
            const FreqBytes bytes = FreqToBytes(row.mhz);
            QCOMPARE(bytes.high * 256 + bytes.low, row.word);
            if (row.text)
                QCOMPARE(qs(BytesToFreq(row.word / 256, row.word % 256)), QString(row.text));
        }

        // Texts that are no frequency store 0; a blank is not a digit.
        for (const char *text : {"Inactive", "?", "", " 162.4"}) {
            SetChanFreq(MemMap, 2, 7, false, "162.55");
            SetChanFreq(MemMap, 2, 7, false, text);
            QVERIFY2(GetChanFreq(MemMap, 2, 7, false) == "Inactive", text);
        }

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
            // Near the top the upper 2.5 kHz neighbour would leave the band and is held at its
            // edge.
            {"173.9999", "174.00000"}};
        for (const auto &row : snapped) {
            std::string work = row[0];
            QVERIFY(IsValidFreq(work));
            QCOMPARE(qs(work), QString(row[1]));
        }
    }

    void validateFreqPrompts()
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

    void nullFreqSub()
    {
        const char *const rows[][2] = {
            {"162.40000", "162.40000"}, {"0", "0.0"},        {"", "0.0"}, {"180", "0.0"},
            {"162.4 MHz", "0.0"},       {"174", "174.00000"}};
        for (const auto &row : rows) {
            SetNullFreqSub(MemMap, "155.0025");
            SetNullFreqSub(MemMap, row[0]);
            QCOMPARE(qs(GetNullFreqSub(MemMap)), QString(row[1]));
        }

        MemMap.set(0, 174, 64000 / 256);
        MemMap.set(0, 175, 64000 % 256);
        QCOMPARE(qs(GetNullFreqSub(MemMap)), QStringLiteral("?"));

        QCOMPARE(qs(ValidateNullFreqSub("0", "155.00250")), QStringLiteral("0.0"));

        // The field's own previous text is the example, and what Cancel keeps.
        m_dialogs.inputAnswers = {std::nullopt};
        QCOMPARE(qs(ValidateNullFreqSub("12", "155.00250")), QStringLiteral("155.00250"));
        QCOMPARE(qs(m_dialogs.inputs[0].defaultText), QStringLiteral("155.00250"));
    }

    void guards()
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

        // Refused with the cell's previous text kept.
        const char *const bad[] = {"250.4",   "66.9",   "D018",  "D019",  "D022",
                                   "D2-3",    "D023-X", "D02",   "D02.3", "67.0-",
                                   "UTXG 33", "UTXG 0", "UTXG5", "U",     "UTXG 105",
                                   "D23X",    "D023X",  "67A",   " 67",   "100.00"};
        CellUndoText.guard = "D131-";
        for (const char *text : bad) {
            QCOMPARE(qs(ValidateChanGuard(text)), QStringLiteral("D131-"));
            QCOMPARE(
                qs(m_dialogs.messages.back().text),
                QStringLiteral("You attempted to enter the value '") + text +
                    QStringLiteral("'.\r\n\r\nPlease enter a valid Channel Guard value.\r\n\r\n"
                                   "CTCSS in the range of '67.0' To '250.3'\r\n\r\n"
                                   "CDCSS in the range of 'D023' To 'D754',\r\n"
                                   "8 and 9 are not valid CDCSS digits.\r\n"
                                   "Use an optional '-' the the end to invert\r\n"
                                   "CDCSS ONLY, example 'D131-') OR enter a\r\n"
                                   "User TX Guard in the format 'UTXG 3'"));
        }
        QCOMPARE(m_dialogs.messages.size(), std::size(bad));
        const ScriptedDialogs::Message &msg = m_dialogs.messages[0];
        QVERIFY(msg.caption == "FORMAT ERROR" && msg.buttons == MsgButtons::Ok &&
                msg.icon == MsgIcon::Information);
    }

    void utxgReference()
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

        // A guard of its own wins over the reference; the receive side never shows it, nor does an
        // index beyond the pick list.
        MemMap.set(1, 256 + 12, 0x06);
        MemMap.set(1, 256 + 13, 0x70);
        MemMap.set(1, 256 + 11, 7);
        QCOMPARE(qs(GetChanGuard(MemMap, 0, 0, false)), QStringLiteral("067.0"));
        MemMap.set(1, 256 + 13, 0);
        MemMap.set(1, 256 + 12, 0);
        QCOMPARE(qs(GetChanGuard(MemMap, 0, 0, false)), QStringLiteral("UTXG 7"));
        QCOMPARE(qs(GetChanGuard(MemMap, 0, 0, true)), QStringLiteral("000.0"));
        MemMap.set(1, 256 + 11, 33);
        QCOMPARE(qs(GetChanGuard(MemMap, 0, 0, false)), QStringLiteral("000.0"));
    }

    void flagBits()
    {
        // Any text but "-" sets a channel flag; the group's scan list takes any case.
        SetChanScan(MemMap, 6, 11, "x");
        SetChanNarrow(MemMap, 6, 11, "x");
        SetChanLowPower(MemMap, 6, 11, "x");
        SetGrpScanList(MemMap, 3, "yes");
        QCOMPARE(int(MemMap.get(7, 256 + 32 * 11 + 2)), 0x18);
        QCOMPARE(int(MemMap.get(7, 256 + 32 * 11 + 10)), 0x20);
        QCOMPARE(int(MemMap.get(4, 44)), 0x01);
    }

    void labels()
    {
        // The code of each character is its place in this row.
        const std::string table = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-*$/+%\\|_<>h .";
        for (int code = 0; code < 50; ++code) {
            QCOMPARE(CharToLabelCode(table[code]), code);
            QCOMPARE(qs(LabelCodeToChar(code)), QString(QChar(table[code])));
        }

        // "CH 1" keeps the upper H; a multi-byte character becomes one blank.
        // clang-format off
        const char *const rows[][2] = {
            {"ch 1", "Ch 1        "}, {"CH 1", "CH 1        "}, {"abc!?def", "ABC  DEF    "},
            {"ABCDEFGHIJKLMNO", "ABCDEFGHIJKL"}, {"", "            "}, {"     ", "            "},
            {"-*$/+%\\|_<>.", "-*$/+%\\|_<>."}, {"xyz", "XYZ         "},
            {"A\xC3\xA9" "B", "A B         "}, {"A\tB", "A B         "}};
        // clang-format on
        for (const auto &row : rows) {
            QCOMPARE(qs(ValidateLabel(row[0], 12)), QString(row[1]));
            QCOMPARE(qs(ValidateLabel(row[0], 4)), QString(row[1]).left(4));
        }

        SetChanLabel(MemMap, 24, 19, "Ch 20");
        QCOMPARE(qs(GetChanLabel(MemMap, 24, 19)), QStringLiteral("Ch 20       "));
        const int rec = 256 + 32 * 19;
        QCOMPARE(int(MemMap.get(25, rec + 20)), 12);
        QCOMPARE(int(MemMap.get(25, rec + 21)), 47);
        QCOMPARE(int(MemMap.get(25, rec + 31)), 48);

        // A multi-byte character takes one place, so the label is not shifted.
        SetGrpLabel(MemMap, 1, "\xC3\xA9X");
        QCOMPARE(qs(GetGrpLabel(MemMap, 1)), QStringLiteral(" X          "));
        // A code without a character is left out.
        SetChanLabel(MemMap, 0, 0, "ABC");
        MemMap.set(1, 256 + 21, 60);
        QCOMPARE(qs(GetChanLabel(MemMap, 0, 0)), QStringLiteral("AC         "));
    }

    void validateGridCell()
    {
        // Accepted without a question; the row header column keeps its text.
        const struct {
            const char *text;
            int column;
            const char *result;
        } rows[] = {
            // clang-format off
            {"ch 1", 1, "Ch 1        "}, {"abc", 0, "abc"}, {"off", 4, "Inactive"},
            {"155.0037", 4, "155.00250"}, {"0", 4, "Inactive"}, {"", 2, "Inactive"},
            {"67", 3, "67.0"}, {"100", 5, "100.0"}, {"d023-", 5, "D023-"}, {"OFF", 5, "000.0"},
            {"0", 3, "000.0"}, {"-", 5, "000.0"}, {"   ", 5, "000.0"},
            {"utxg 5", 5, "UTXG 5"}, {" UTXG 3", 3, "UTXG 3"},
            {"x", 6, "S"}, {"-", 6, "-"}, {"n", 7, "N"}, {"S", 8, "L"},
            // clang-format on
        };
        for (const auto &row : rows)
            QCOMPARE(qs(ValidateGridCell(row.text, row.column)), QString(row.result));
        QVERIFY(m_dialogs.messages.empty() && m_dialogs.inputs.empty());
    }

    void globalFields()
    {
        // Typed text as the field shows it; a multi-byte character counts once.
        using Validate = std::string (*)(const std::string &);
        const struct {
            Validate validate;
            const char *text, *shown;
        } rows[] = {
            {ValidateANIID, "12G4567", "12F4567"},          {ValidateANIID, "abcdef0", "ABCDEF0"},
            {ValidateANIID, "123456789", "3456789"},        {ValidateANIID, "12 4567", "12F4567"},
            {ValidateANIID, "12345678\xC3\xA9", "345678F"}, {ValidateKeypadPwd, "123", "000123"},
            {ValidateKeypadPwd, "12A456", "120456"},        {ValidateKeypadPwd, "", "000000"},
            {ValidateKeypadPwd, "12345\xC3\xA9", "123450"}};
        for (const auto &row : rows)
            QCOMPARE(qs(row.validate(row.text)), QString(row.shown));
        // The ANI ID's first byte keeps its high nibble; a short ID is padded with F.
        MemMap.set(0, 192, 0xA3);
        MemMap.set(0, 193, 0x0B);
        QCOMPARE(qs(GetANIID(MemMap)), QStringLiteral("30B0000"));
        SetANIID(MemMap, "");
        QCOMPARE(int(MemMap.get(0, 192)), 0xAF);
        QCOMPARE(qs(GetANIID(MemMap)), QStringLiteral("FFFFFFF"));
        // Text that stores what is there already is no edit, even typed short.
        QVERIFY(EditANIID(MemMap, "12345").changed);
        QVERIFY(!EditANIID(MemMap, "12345").changed);
        QVERIFY(!EditKeypadPwd(MemMap, "000000").changed);
        QVERIFY(!EditNullFreqSub(MemMap, "0.0", "0.0").changed);
        // Command group positions beyond the lists store unprogrammed and channel 1.
        SetCmdGrpGroupIndex(MemMap, 4, 26);
        SetCmdGrpChanIndex(MemMap, 4, 20);
        QVERIFY(MemMap.get(0, 328) == 255 && MemMap.get(0, 329) == 0);
    }

private:
    ScriptedDialogs m_dialogs;
};

QTEST_APPLESS_MAIN(TestChanCodecs)
#include "tst_chancodecs.moc"
