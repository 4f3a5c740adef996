#include "curvemath.h"
#include "fakeplatform.h"
#include "platform.h"

#include <QtTest>

#include <gmpxx.h>
#include <random>

Q_DECLARE_METATYPE(CurveBytes)
Q_DECLARE_METATYPE(CurvePoints)

namespace
{

// The same steps over exact fractions.
using Q = mpq_class;
using QMatrix = std::vector<std::vector<Q>>;

Q Exact(double value)
{
    const std::string text = CurveDecimalText(value); // "-d.dddddddddddddde-XX"
    const std::size_t e = text.find('e');
    std::string digits = text.substr(0, e);
    digits.erase(digits.find('.'), 1);
    const int shift = std::stoi(text.substr(e + 1)) - 14;
    mpz_class ten;
    mpz_ui_pow_ui(ten.get_mpz_t(), 10, static_cast<unsigned long>(std::abs(shift)));
    const Q q{mpz_class(digits)};
    return shift >= 0 ? Q(q * ten) : Q(q / ten);
}

mpz_class RoundHalfEven(const Q &q)
{
    const Q up = q + Q(1, 2);
    mpz_class f;
    mpz_fdiv_q(f.get_mpz_t(), up.get_num_mpz_t(), up.get_den_mpz_t());
    if (up == Q(f) && mpz_odd_p(f.get_mpz_t()))
        f -= 1;
    return f;
}

// The matrix of powers, turned into the inverse in its right half.
QMatrix ExactInverse()
{
    QMatrix b(4, std::vector<Q>(8));
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c)
            b[r][c] = c == 0 ? Q(1) : Exact(std::pow(CurveAbscissae[r], c));
        b[r][4 + r] = 1;
    }
    for (int p = 0; p < 4; ++p) {
        const Q d = b[p][p];
        for (Q &e : b[p])
            e /= d;
        for (int r = 0; r < 4; ++r) {
            const Q f = b[r][p];
            for (int j = 0; r != p && j < 8; ++j)
                b[r][j] -= b[p][j] * f;
        }
    }
    return b;
}

std::optional<CurveBytes> ExactEncode(const QMatrix &inverse, const CurvePoints &y, int base)
{
    std::vector<Q> c(4);
    mpz_class m = 0;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            c[i] += inverse[i][4 + j] * y[j];
        m = std::max(m, RoundHalfEven(abs(c[i])));
    }
    int k = 0;
    for (; m != 0 && m < 16384; ++k)
        m *= 2;
    CurveBytes bytes{static_cast<std::uint8_t>((base - k) & 0xFF)};
    for (int j = 0; j < 4; ++j) {
        const long v = RoundHalfEven(c[j] * (mpz_class(1) << k)).get_si();
        if (std::abs(v) >= 32768)
            return std::nullopt;
        bytes[2 * j + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
        bytes[2 * j + 2] = static_cast<std::uint8_t>(v & 0xFF);
    }
    return bytes;
}

CurveBytes Bytes(std::initializer_list<int> values)
{
    CurveBytes bytes{};
    std::copy(values.begin(), values.end(), bytes.begin());
    return bytes;
}

} // namespace

class TestCurveMath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void codingKnownCurves_data()
    {
        QTest::addColumn<CurvePoints>("y");
        QTest::addColumn<int>("base");
        QTest::addColumn<CurveBytes>("bytes");
        QTest::newRow("flat power curve")
            << CurvePoints{100, 100, 100, 100} << 1 << Bytes({0xF9, 0x64, 0x00});
        QTest::newRow("flat mod curve")
            << CurvePoints{100, 100, 100, 100} << 8 << Bytes({0x00, 0x64, 0x00});
        QTest::newRow("zero curve") << CurvePoints{0, 0, 0, 0} << 8 << Bytes({0x08});
    }

    void codingKnownCurves()
    {
        QFETCH(CurvePoints, y);
        QFETCH(int, base);
        QFETCH(CurveBytes, bytes);
        QCOMPARE(EncodeCurve(y, base).value_or(CurveBytes{}), bytes);
        const CurveMatrix v = BuildVandermonde(CurveAbscissae);
        QCOMPARE(DecodeCurve(v, bytes, base), y);
        // Exponent byte 0x00 of a base-1 curve means 2^-1.
        QCOMPARE(DecodeCurve(v, Bytes({0x00, 0x00, 200}), 1), (CurvePoints{100, 100, 100, 100}));
    }

    void randomPointSetsMatchExactFractions()
    {
        const QMatrix exact = ExactInverse();
        const CurveMatrix v = BuildVandermonde(CurveAbscissae);
        std::mt19937 random(15);
        int refused = 0;
        for (int run = 0; run < 2000; ++run) {
            const int base = run < 1000 ? ModCurveBase : PowerCurveBase;
            std::uniform_int_distribution<int> value(0, run < 1000 ? 255 : 2047);
            const CurvePoints y{value(random), value(random), value(random), value(random)};
            const auto bytes = EncodeCurve(y, base);
            QCOMPARE(bytes, ExactEncode(exact, y, base));
            refused += !bytes;
            if (!bytes)
                continue;
            // Decoding with the base it was stored with gives the points back, give or take the
            // coefficients' rounding (half a unit each, four terms up to x = 1).
            const CurvePoints back = DecodeCurve(v, *bytes, base);
            for (int i = 0; i < 4; ++i)
                QVERIFY(std::abs(back[i] - y[i]) <= 2);
        }
        // Only power values above about 1190 can need more than 16 bits.
        QVERIFY(refused > 0 && refused < 500);
    }

    void nonSquareMatrixRefused()
    {
        ScriptedDialogs dialogs;
        platform().dialogs = &dialogs;
        QVERIFY(InvertMatrix(CurveMatrix{{1, 2, 3}, {4, 5, 6}}).empty());
        QCOMPARE(dialogs.messages.at(0).text,
                 std::string("Matrix is not square - Inverting not possible. (rows <> columns)"));
        QCOMPARE(dialogs.messages[0].caption, std::string("ZPA Tessaro Editor"));
        platform().dialogs = nullptr;
    }
};

QTEST_APPLESS_MAIN(TestCurveMath)
#include "tst_curvemath.moc"
