#include "cellundo.h"
#include "chanrecord.h"
#include "fakeplatform.h"
#include "labelcodes.h"
#include "memmap.h"
#include "platform.h"

#include <QtTest>

class TestChanRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
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

void TestChanRecord::init()
{
    m_dialogs = ScriptedDialogs();
    platform().dialogs = &m_dialogs;
    CellUndoText = CellUndoTexts();
    MemMap.clear();
}

void TestChanRecord::flagBits()
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

void TestChanRecord::labelCodes()
{
    // The code of each character is its place in this row.
    const std::string table = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-*$/+%\\|_<>h .";
    QCOMPARE(table.size(), std::size_t(50));
    for (int code = 0; code < 50; ++code) {
        QCOMPARE(CharToLabelCode(table[code]), code);
        QCOMPARE(qs(LabelCodeToChar(code)), QString(QChar(table[code])));
    }
}

void TestChanRecord::validateLabel()
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

void TestChanRecord::labelAccessors()
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

void TestChanRecord::validateGridCell()
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

QTEST_APPLESS_MAIN(TestChanRecord)
#include "tst_chanrecord.moc"
