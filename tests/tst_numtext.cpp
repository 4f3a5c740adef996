#include "numtext.h"

#include <QtTest>

class TestNumText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numericValue_data();
    void numericValue();
    void roundHalfEven_data();
    void roundHalfEven();
    void formatNumber();
    void textHelpers();
};

void TestNumText::numericValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "162.4" << 162.4;
    QTest::newRow("leading blanks") << "   155.0037" << 155.0037;
    QTest::newRow("unit after the number") << "360 mSec" << 360.0;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("point first") << ".25 Seconds" << 0.25;
    QTest::newRow("trailing point") << "162." << 162.0;
    QTest::newRow("word") << "Inactive" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("only a point") << "." << 0.0;
    QTest::newRow("blank inside ends it") << "1 5" << 1.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex lower case prefix") << "&hff" << 255.0;
    QTest::newRow("hex stops at non-digit") << "&H1G" << 1.0;
    QTest::newRow("hex without digits") << "&H" << 0.0;
    QTest::newRow("sign is not a number") << "-5" << 0.0;
    QTest::newRow("huge") << "99999999999999999999" << 1e20;
}

void TestNumText::numericValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(NumericValue(text.toStdString()), value);
}

void TestNumText::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qlonglong>("rounded");
    QTest::newRow("0.5 down") << 0.5 << 0LL;
    QTest::newRow("1.5 up") << 1.5 << 2LL;
    QTest::newRow("2.5 down") << 2.5 << 2LL;
    QTest::newRow("2.51 up") << 2.51 << 3LL;
    QTest::newRow("2.49 down") << 2.49 << 2LL;
    QTest::newRow("-0.5") << -0.5 << 0LL;
    QTest::newRow("-1.5") << -1.5 << -2LL;
    QTest::newRow("-2.6") << -2.6 << -3LL;
    // 100.000625 MHz is exactly half a step above the base, though not in binary.
    QTest::newRow("half from a decimal text") << (100.000625 * 1e6 - 1e8) / 1250 << 0LL;
    QTest::newRow("three halves from a decimal text") << (100.001875 * 1e6 - 1e8) / 1250 << 2LL;
    QTest::newRow("clamped") << 1e300 << 9007199254740992LL;
}

void TestNumText::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(qlonglong, rounded);
    QCOMPARE(RoundHalfEven(value), rounded);
}

void TestNumText::formatNumber()
{
    const struct {
        double value;
        const char *pattern;
        const char *text;
    } rows[] = {{162.4, "###.00000", "162.40000"},
                {136.0, "###.00000", "136.00000"},
                {155.00125, "###.00000", "155.00125"},
                {1234.5, "##.000", "1234.500"}, // more digits than #
                {2.0, "0.0 Seconds", "2.0 Seconds"},
                {0.0, "0.0 Seconds", "0.0 Seconds"},
                {1020.0, "# mSec", "1020 mSec"},
                {187.5, "0.#Hz", "187.5Hz"}, // optional decimal used
                {375.0, "0.#Hz", "375Hz"},   // and dropped
                {0.0, "0Hz", "0Hz"},
                {562.5, "0.0#Hz", "562.5Hz"},
                {0.25, "#.00 Seconds", ".25 Seconds"}, // no integer digit for #
                {0.25, "0.00 Seconds", "0.25 Seconds"},
                {67.0, "###.0", "67.0"},
                {67.05, "###.0", "67.1"}, // rounds as typed
                {9.96, "0.0", "10.0"},
                {225.0, "0 Seconds", "225 Seconds"},
                {-1.5, "0.0", "-1.5"}};
    for (const auto &row : rows)
        QCOMPARE(QString::fromStdString(FormatNumber(row.value, row.pattern)), QString(row.text));
}

void TestNumText::textHelpers()
{
    QCOMPARE(UpperCase("utxg 5 h"), std::string("UTXG 5 H"));
    QCOMPARE(TrimBlanks("  a b  "), std::string("a b"));
    QCOMPARE(TrimBlanks("    "), std::string());
    QCOMPARE(RightOf("abc", 2), std::string("bc"));
    QCOMPARE(RightOf("abc", 5), std::string("abc"));
    QCOMPARE(DropRight("360 mSec", 5), std::string("360"));
    QCOMPARE(DropRight("abc", 5), std::string());
    QCOMPARE(LeftOf("abc", 5), std::string("abc"));
    QCOMPARE(OneBytePerChar("a\xC3\xA9"
                            "b\xE2\x82\xAC"
                            "c\xFF",
                            '?'),
             std::string("a?b?c\xFF"));
    // A lead byte without its continuation stands alone.
    QCOMPARE(OneBytePerChar("\xC3z", '?'), std::string("\xC3z"));
}

QTEST_APPLESS_MAIN(TestNumText)
#include "tst_numtext.moc"
