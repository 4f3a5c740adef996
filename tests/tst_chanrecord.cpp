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
    void flags_data();
    void flags();
    void labelCodes_data();
    void labelCodes();
    void validateLabel_data();
    void validateLabel();
    void labelAccessors();
    void labelWithCodeWithoutCharacter();
    void groupOptions();
    void validateGridCell_data();
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

using FlagGet = std::string (*)(const MemMapImage &, int, int);
using FlagSet = void (*)(MemMapImage &, int, int, const std::string &);
Q_DECLARE_METATYPE(FlagGet)
Q_DECLARE_METATYPE(FlagSet)

void TestChanRecord::flags_data()
{
    QTest::addColumn<FlagGet>("get");
    QTest::addColumn<FlagSet>("set");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("mask");
    QTest::addColumn<QString>("letter");
    QTest::newRow("scan") << FlagGet(GetChanScan) << FlagSet(SetChanScan) << 2 << 0x10 << "S";
    QTest::newRow("narrow") << FlagGet(GetChanNarrow) << FlagSet(SetChanNarrow) << 2 << 0x08 << "N";
    QTest::newRow("low power") << FlagGet(GetChanLowPower) << FlagSet(SetChanLowPower) << 10 << 0x20
                               << "L";
}

void TestChanRecord::flags()
{
    QFETCH(FlagGet, get);
    QFETCH(FlagSet, set);
    QFETCH(int, field);
    QFETCH(int, mask);
    QFETCH(QString, letter);
    const int page = 7;
    const int at = 256 + 32 * 11 + field;
    for (int value = 0; value < 256; ++value) {
        MemMap.set(page, at, value);
        QCOMPARE(qs(get(MemMap, 6, 11)), (value & mask) ? letter : QStringLiteral("-"));
        set(MemMap, 6, 11, "x");
        QCOMPARE(int(MemMap.get(page, at)), value | mask);
        set(MemMap, 6, 11, "-");
        QCOMPARE(int(MemMap.get(page, at)), value & ~mask);
    }
}

void TestChanRecord::labelCodes_data()
{
    QTest::addColumn<QString>("ch");
    QTest::addColumn<int>("code");
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("9") << "9" << 9;
    QTest::newRow("A") << "A" << 10;
    QTest::newRow("H") << "H" << 17;
    QTest::newRow("Z") << "Z" << 35;
    QTest::newRow("-") << "-" << 36;
    QTest::newRow("*") << "*" << 37;
    QTest::newRow("$") << "$" << 38;
    QTest::newRow("/") << "/" << 39;
    QTest::newRow("+") << "+" << 40;
    QTest::newRow("%") << "%" << 41;
    QTest::newRow("backslash") << "\\" << 42;
    QTest::newRow("bar") << "|" << 43;
    QTest::newRow("_") << "_" << 44;
    QTest::newRow("<") << "<" << 45;
    QTest::newRow(">") << ">" << 46;
    QTest::newRow("lower h") << "h" << 47;
    QTest::newRow("blank") << " " << 48;
    QTest::newRow(".") << "." << 49;
}

void TestChanRecord::labelCodes()
{
    QFETCH(QString, ch);
    QFETCH(int, code);
    QCOMPARE(CharToLabelCode(ch.toLatin1().at(0)), code);
    QCOMPARE(qs(LabelCodeToChar(code)), ch);
}

void TestChanRecord::validateLabel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    QTest::newRow("ch 1") << "ch 1"
                          << "Ch 1        ";
    QTest::newRow("CH 1 keeps upper H") << "CH 1"
                                        << "CH 1        ";
    QTest::newRow("outside the table") << "abc!?def"
                                       << "ABC  DEF    ";
    QTest::newRow("cut to 12") << "ABCDEFGHIJKLMNO"
                               << "ABCDEFGHIJKL";
    QTest::newRow("empty") << ""
                           << "            ";
    QTest::newRow("all blank") << "     "
                               << "            ";
    QTest::newRow("every symbol") << "-*$/+%\\|_<>."
                                  << "-*$/+%\\|_<>.";
    QTest::newRow("lower letters") << "xyz"
                                   << "XYZ         ";
    QTest::newRow("non-ASCII is one blank") << QStringLiteral("A\u00e9B") << "A B         ";
    QTest::newRow("tab") << "A\tB"
                         << "A B         ";
}

void TestChanRecord::validateLabel()
{
    QFETCH(QString, text);
    QFETCH(QString, label);
    QCOMPARE(qs(ValidateLabel(text.toStdString(), 12)), label);
    QCOMPARE(qs(ValidateLabel(text.toStdString(), 4)), label.left(4));
}

void TestChanRecord::labelAccessors()
{
    SetChanLabel(MemMap, 24, 19, "Ch 20");
    QCOMPARE(qs(GetChanLabel(MemMap, 24, 19)), QStringLiteral("Ch 20       "));
    QCOMPARE(int(MemMap.get(25, 256 + 32 * 19 + 20)), 12);
    QCOMPARE(int(MemMap.get(25, 256 + 32 * 19 + 21)), 47);
    QCOMPARE(int(MemMap.get(25, 256 + 32 * 19 + 31)), 48);
    QCOMPARE(int(MemMap.get(26, 0)), 0);

    SetGrpLabel(MemMap, 0, "FIRE DEPT");
    QCOMPARE(qs(GetGrpLabel(MemMap, 0)), QStringLiteral("FIRE DEPT   "));
    QCOMPARE(int(MemMap.get(1, 31)), 0);
    QCOMPARE(int(MemMap.get(1, 32)), 15);
    QCOMPARE(int(MemMap.get(1, 43)), 48);
    QCOMPARE(int(MemMap.get(1, 44)), 0);

    // A multi-byte character takes one place, so the label is not shifted.
    SetGrpLabel(MemMap, 1, "\xC3\xA9X");
    QCOMPARE(qs(GetGrpLabel(MemMap, 1)), QStringLiteral(" X          "));
}

void TestChanRecord::labelWithCodeWithoutCharacter()
{
    SetChanLabel(MemMap, 0, 0, "ABC");
    MemMap.set(1, 256 + 21, 60);
    QCOMPARE(qs(GetChanLabel(MemMap, 0, 0)), QStringLiteral("AC         "));
}

void TestChanRecord::groupOptions()
{
    for (int value = 0; value < 256; ++value) {
        MemMap.set(4, 0, value);
        MemMap.set(4, 44, value);
        QCOMPARE(GetGrpIncomingClone(MemMap, 3), bool(value & 1));
        QCOMPARE(qs(GetGrpScanList(MemMap, 3)),
                 (value & 1) ? QStringLiteral("Yes") : QStringLiteral("No"));
        SetGrpIncomingClone(MemMap, 3, true);
        SetGrpScanList(MemMap, 3, "yes");
        QCOMPARE(int(MemMap.get(4, 0)), value | 1);
        QCOMPARE(int(MemMap.get(4, 44)), value | 1);
        SetGrpIncomingClone(MemMap, 3, false);
        SetGrpScanList(MemMap, 3, "No");
        QCOMPARE(int(MemMap.get(4, 0)), value & ~1);
        QCOMPARE(int(MemMap.get(4, 44)), value & ~1);
    }
}

void TestChanRecord::validateGridCell_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("result");
    QTest::newRow("label") << "ch 1" << 1 << "Ch 1        ";
    QTest::newRow("rx freq") << "162.4" << 2 << "162.40000";
    QTest::newRow("rx guard") << "67" << 3 << "67.0";
    QTest::newRow("tx freq snapped") << "155.0037" << 4 << "155.00250";
    QTest::newRow("tx guard reference") << "utxg 5" << 5 << "UTXG 5";
    QTest::newRow("tx freq cleared") << "0" << 4 << "Inactive";
    QTest::newRow("scan x") << "x" << 6 << "S";
    QTest::newRow("scan dash") << "-" << 6 << "-";
    QTest::newRow("narrow any") << "n" << 7 << "N";
    QTest::newRow("narrow dash") << "-" << 7 << "-";
    QTest::newRow("power any") << "S" << 8 << "L";
    QTest::newRow("power dash") << "-" << 8 << "-";
    QTest::newRow("row header column keeps text") << "abc" << 0 << "abc";
}

void TestChanRecord::validateGridCell()
{
    QFETCH(QString, text);
    QFETCH(int, column);
    QFETCH(QString, result);
    QCOMPARE(qs(ValidateGridCell(text.toStdString(), column)), result);
    QVERIFY(m_dialogs.messages.empty());
    QVERIFY(m_dialogs.inputs.empty());
}

QTEST_APPLESS_MAIN(TestChanRecord)
#include "tst_chanrecord.moc"
