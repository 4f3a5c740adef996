#include "curvemath.h"
#include "fakeplatform.h"
#include "platform.h"

#include <QtTest>

#include <random>

Q_DECLARE_METATYPE(CurveBytes)
Q_DECLARE_METATYPE(CurvePoints)

static CurveBytes Bytes(std::initializer_list<int> values)
{
    CurveBytes bytes{};
    std::copy(values.begin(), values.end(), bytes.begin());
    return bytes;
}

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
        // Checked against the same steps over exact fractions.
        QTest::newRow("mod curve") << CurvePoints{217, 208, 45, 151} << 8
                                   << Bytes({0x05, 0x06, 0xB3, 0x14, 0x62, 0xAD, 0x3F, 0x3C, 0x70});
        QTest::newRow("rising mod curve")
            << CurvePoints{43, 84, 173, 248} << 8
            << Bytes({0x02, 0x0A, 0xC3, 0xFC, 0x39, 0x7D, 0xDE, 0xB9, 0x31});
        QTest::newRow("power curve")
            << CurvePoints{977, 202, 1413, 412} << 1
            << Bytes({0x01, 0x03, 0xF9, 0xD9, 0xC4, 0x6E, 0xCE, 0xB5, 0x05});
        QTest::newRow("power curve, exponent below zero")
            << CurvePoints{1129, 1672, 1776, 823} << 1
            << Bytes({0xFE, 0x23, 0x10, 0x34, 0x3F, 0x1A, 0x8A, 0xA7, 0xAF});
        QTest::newRow("power curve beyond 16 bits")
            << CurvePoints{395, 1596, 22, 154} << 1 << Bytes({});
    }

    void codingKnownCurves()
    {
        QFETCH(CurvePoints, y);
        QFETCH(int, base);
        QFETCH(CurveBytes, bytes);
        QCOMPARE(EncodeCurve(y, base).value_or(CurveBytes{}), bytes);
        const CurveMatrix v = BuildVandermonde(CurveAbscissae);
        if (bytes != CurveBytes{})
            QCOMPARE(DecodeCurve(v, bytes, base), y);
        // Exponent byte 0x00 of a base-1 curve means 2^-1; 100.5 goes to the even 100.
        QCOMPARE(DecodeCurve(v, Bytes({0x00, 0x00, 201}), 1), (CurvePoints{100, 100, 100, 100}));
    }

    void randomPointSetsComeBack()
    {
        const CurveMatrix v = BuildVandermonde(CurveAbscissae);
        std::mt19937 random(15);
        int refused = 0;
        for (int run = 0; run < 2000; ++run) {
            const int base = run < 1000 ? ModCurveBase : PowerCurveBase;
            std::uniform_int_distribution<int> value(0, run < 1000 ? 255 : 2047);
            const CurvePoints y{value(random), value(random), value(random), value(random)};
            const auto bytes = EncodeCurve(y, base);
            refused += !bytes;
            // Give or take the coefficients' rounding (half a unit each, four terms up to x = 1).
            const CurvePoints back = DecodeCurve(v, bytes.value_or(CurveBytes{}), base);
            for (int i = 0; i < 4 && bytes; ++i)
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
