#include "numtext.h"

#include <QtTest>

class TestNumText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numericValue()
    {
        // A blank, a second point or a non-hex digit ends the number; a sign is none.
        // clang-format off
        const std::pair<const char *, double> rows[] = {
            {"162.4", 162.4}, {"   155.0037", 155.0037}, {"360 mSec", 360.0}, {"1.2.3", 1.2},
            {".25 Seconds", 0.25}, {"162.", 162.0}, {"Inactive", 0.0}, {"", 0.0}, {".", 0.0},
            {"1 5", 1.0}, {"&H1F", 31.0}, {"&hff", 255.0}, {"&H1G", 1.0}, {"&H", 0.0},
            {"-5", 0.0}, {"99999999999999999999", 1e20}};
        // clang-format on
        for (const auto &[text, value] : rows)
            QCOMPARE(NumericValue(text), value);
    }

    void roundHalfEven()
    {
        // 100.000625 MHz is exactly half a step above the base, though not in binary; 1e300 is
        // clamped.
        // clang-format off
        const std::pair<double, long long> rows[] = {
            {0.5, 0}, {1.5, 2}, {2.5, 2}, {2.51, 3}, {2.49, 2}, {-0.5, 0}, {-1.5, -2}, {-2.6, -3},
            {(100.000625 * 1e6 - 1e8) / 1250, 0}, {(100.001875 * 1e6 - 1e8) / 1250, 2},
            {1e300, 9007199254740992LL}};
        // clang-format on
        for (const auto &[value, rounded] : rows)
            QCOMPARE(RoundHalfEven(value), rounded);
    }

    void formatNumber()
    {
        const struct {
            double value;
            const char *pattern;
            const char *text;
        } rows[] = {
            // More digits than #, an optional decimal used and dropped, no integer digit for #,
            // rounding as typed.
            // clang-format off
            {162.4, "###.00000", "162.40000"}, {136.0, "###.00000", "136.00000"},
            {155.00125, "###.00000", "155.00125"}, {1234.5, "##.000", "1234.500"},
            {2.0, "0.0 Seconds", "2.0 Seconds"}, {0.0, "0.0 Seconds", "0.0 Seconds"},
            {1020.0, "# mSec", "1020 mSec"}, {187.5, "0.#Hz", "187.5Hz"}, {375.0, "0.#Hz", "375Hz"},
            {0.0, "0Hz", "0Hz"}, {562.5, "0.0#Hz", "562.5Hz"}, {0.25, "#.00 Seconds", ".25 Seconds"},
            {0.25, "0.00 Seconds", "0.25 Seconds"}, {67.0, "###.0", "67.0"}, {67.05, "###.0", "67.1"},
            {9.96, "0.0", "10.0"}, {225.0, "0 Seconds", "225 Seconds"}, {-1.5, "0.0", "-1.5"}};
        // clang-format on
        for (const auto &row : rows)
            QCOMPARE(QString::fromStdString(FormatNumber(row.value, row.pattern)),
                     QString(row.text));
    }

    void textHelpers()
    {
        QCOMPARE(UpperCase("utxg 5 h"), std::string("UTXG 5 H"));
        QCOMPARE(TrimBlanks("  a b  "), std::string("a b"));
        QCOMPARE(TrimBlanks("    "), std::string());
        QCOMPARE(RightOf("abc", 2), std::string("bc"));
        QCOMPARE(RightOf("abc", 5), std::string("abc"));
        QCOMPARE(DropRight("360 mSec", 5), std::string("360"));
        QCOMPARE(DropRight("abc", 5), std::string());
        QCOMPARE(LeftOf("abc", 5), std::string("abc"));
        QCOMPARE(OneBytePerChar("a\303\251b\342\202\254c\377", '?'), std::string("a?b?c\377"));
        // A lead byte without its continuation stands alone.
        QCOMPARE(OneBytePerChar("\xC3z", '?'), std::string("\xC3z"));
    }
};

QTEST_APPLESS_MAIN(TestNumText)
#include "tst_numtext.moc"
