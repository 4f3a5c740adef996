#include "curvemath.h"

#include "appsettings.h"
#include "platform.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{

constexpr long long LowestFull = 16384;
constexpr long long AboveLargest = 32768;

} // namespace

std::string CurveDecimalText(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.14e", value);
    return text;
}

CurveNum CurveDecimal(double value)
{
    return std::strtold(CurveDecimalText(value).c_str(), nullptr);
}

long long RoundCurveNum(CurveNum value)
{
    // The default rounding mode takes halves to even.
    return std::llrint(value);
}

CurveMatrix BuildVandermonde(const std::array<double, 4> &x)
{
    CurveMatrix v(x.size(), CurveVector(4));
    for (std::size_t i = 0; i < x.size(); ++i)
        for (std::size_t j = 0; j < 4; ++j)
            v[i][j] = j == 0 ? 1.0L : CurveDecimal(std::pow(x[i], static_cast<double>(j)));
    return v;
}

CurveMatrix InvertMatrix(const CurveMatrix &a)
{
    const std::size_t n = a.size();
    for (const CurveVector &row : a) {
        if (row.size() != n) {
            platform().dialogs->message(
                "Matrix is not square - Inverting not possible. (rows <> columns)", ProgramTitle,
                MsgButtons::Ok, MsgIcon::None);
            return {};
        }
    }
    CurveMatrix b(n, CurveVector(2 * n, 0.0L));
    for (std::size_t r = 0; r < n; ++r) {
        for (std::size_t c = 0; c < n; ++c)
            b[r][c] = a[r][c];
        b[r][n + r] = 1.0L;
    }
    for (std::size_t p = 0; p < n; ++p) {
        const CurveNum d = b[p][p];
        for (CurveNum &e : b[p])
            e /= d;
        for (std::size_t r = 0; r < n; ++r) {
            if (r == p)
                continue;
            const CurveNum f = b[r][p];
            for (std::size_t j = 0; j < 2 * n; ++j)
                b[r][j] -= b[p][j] * f;
        }
    }
    CurveMatrix inverse(n);
    for (std::size_t r = 0; r < n; ++r)
        inverse[r].assign(b[r].begin() + static_cast<long>(n), b[r].end());
    return inverse;
}

CurveVector MulMatVec(const CurveMatrix &m, const CurveVector &v)
{
    CurveVector r(m.size(), 0.0L);
    for (std::size_t i = 0; i < m.size(); ++i)
        for (std::size_t j = 0; j < v.size() && j < m[i].size(); ++j)
            r[i] += m[i][j] * v[j];
    return r;
}

int NormalizeCoefficients(CurveVector &c, int base)
{
    long long m = 0;
    for (CurveNum value : c)
        m = std::max(m, RoundCurveNum(std::fabs(value)));
    // Nothing to scale when every coefficient is zero; the doubling would never end.
    if (m == 0)
        return base;
    int k = 0;
    while (m < LowestFull) {
        m *= 2;
        ++k;
    }
    for (CurveNum &value : c)
        value = std::ldexp(value, k);
    return base - k;
}

std::optional<CurveBytes> EncodeCurve(const CurvePoints &y, int base)
{
    const CurveMatrix inverse = InvertMatrix(BuildVandermonde(CurveAbscissae));
    CurveVector c = MulMatVec(inverse, CurveVector(y.begin(), y.end()));
    const int exponent = NormalizeCoefficients(c, base);
    CurveBytes bytes{};
    bytes[0] = static_cast<std::uint8_t>(exponent & 0xFF);
    for (std::size_t j = 0; j < 4; ++j) {
        const long long v = RoundCurveNum(c[j]);
        if (v >= AboveLargest || v <= -AboveLargest)
            return std::nullopt;
        bytes[2 * j + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
        bytes[2 * j + 2] = static_cast<std::uint8_t>(v & 0xFF);
    }
    return bytes;
}

CurvePoints DecodeCurve(const CurveMatrix &v, const CurveBytes &bytes, int base)
{
    int e = bytes[0] - base;
    if (e > 127)
        e -= 256;
    CurveVector c(4);
    for (std::size_t j = 0; j < 4; ++j) {
        const int h = bytes[2 * j + 1];
        const int l = bytes[2 * j + 2];
        const int s = (h <= 127 ? h : h - 256) * 256 + l;
        c[j] = std::ldexp(static_cast<CurveNum>(s), e);
    }
    const CurveVector y = MulMatVec(v, c);
    CurvePoints points{};
    for (std::size_t i = 0; i < points.size() && i < y.size(); ++i)
        points[i] = static_cast<int>(RoundCurveNum(y[i]));
    return points;
}
