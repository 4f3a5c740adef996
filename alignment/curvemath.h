#pragma once

// The radio's curves: cubic polynomials over a normalised frequency axis, solved from four
// measured points through the inverse of a 4x4 matrix of powers and stored as 9 bytes (an
// exponent byte and four signed 16-bit coefficients, high byte first).

#include "alignmentcells.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The curves were first computed with 28-digit decimals; the 64-bit mantissa of long double
// gives the same bytes (the tests compare it with exact fractions).
using CurveNum = long double;
using CurveMatrix = std::vector<std::vector<CurveNum>>;
using CurveVector = std::vector<CurveNum>;
using CurvePoints = std::array<int, 4>;

constexpr std::array<double, 4> CurveFreqs = {136.0, 148.665, 161.335, 174.0};
constexpr std::array<double, 4> CurveAbscissae = {0.004188, 0.335689, 0.667321, 0.998822};

constexpr int ModCurveBase = 8;
constexpr int PowerCurveBase = 1;

// A double as a decimal of 15 significant digits, the way the matrix entries were taken.
CurveNum CurveDecimal(double value);
std::string CurveDecimalText(double value);

// V(i, j) = x[i]^j, each power computed in double precision.
CurveMatrix BuildVandermonde(const std::array<double, 4> &x);
// Gauss-Jordan without row exchanges; a non-square matrix gives a message and an empty result.
CurveMatrix InvertMatrix(const CurveMatrix &a);
CurveVector MulMatVec(const CurveMatrix &m, const CurveVector &v);
// Scales c by 2^k so the largest magnitude lies in 16384..32767; returns base - k. Four zero
// coefficients stay as they are with k = 0.
int NormalizeCoefficients(CurveVector &c, int base);

// The stored bytes for four point values; none when a coefficient needs more than 16 bits.
std::optional<CurveBytes> EncodeCurve(const CurvePoints &y, int base);
// The point values at the abscissae of V of a stored curve, scaled back with the base the
// curve was stored with.
CurvePoints DecodeCurve(const CurveMatrix &v, const CurveBytes &bytes, int base);

// Rounds to an integer, halves to even.
long long RoundCurveNum(CurveNum value);
