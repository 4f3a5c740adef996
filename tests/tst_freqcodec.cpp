#include "cellundo.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "memmap.h"
#include "platform.h"

#include <QtTest>

class TestFreqCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void wordsAndTexts();
    void setChanFreq();
    void isValidFreq();
    void validateFreqAcceptsWithoutPrompt();
    void validateFreqPrompts();
    void nullFreqSub();
    void nullFreqSubEdit();

private:
    ScriptedDialogs m_dialogs;
};

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

void TestFreqCodec::init()
{
    m_dialogs = ScriptedDialogs();
    platform().dialogs = &m_dialogs;
    CellUndoText = CellUndoTexts();
    MemMap.clear();
}

void TestFreqCodec::wordsAndTexts()
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

void TestFreqCodec::setChanFreq()
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

void TestFreqCodec::isValidFreq()
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

void TestFreqCodec::validateFreqAcceptsWithoutPrompt()
{
    const char *const rows[][2] = {
        {"162.4", "162.40000"}, {"155.0037", "155.00250"}, {"136", "136.00000"}, {"0", "Inactive"},
        {"", "Inactive"},       {"Inactive", "Inactive"},  {"off", "Inactive"}};
    for (const auto &row : rows)
        QCOMPARE(qs(ValidateFreq(row[0], "RX")), QString(row[1]));
    QVERIFY(m_dialogs.inputs.empty());
}

void TestFreqCodec::validateFreqPrompts()
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

void TestFreqCodec::nullFreqSub()
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

void TestFreqCodec::nullFreqSubEdit()
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

QTEST_APPLESS_MAIN(TestFreqCodec)
#include "tst_freqcodec.moc"
