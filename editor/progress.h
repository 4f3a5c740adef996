#pragma once

#include <optional>

// The progress bar's percentage for iVal of iMax, with exact halves going to the even
// neighbour; nothing once the count has reached the total.
inline std::optional<int> ProgressPercent(int iVal, int iMax)
{
    if (iMax <= 0 || iVal >= iMax || iVal < 0)
        return std::nullopt;
    const long long scaled = static_cast<long long>(iVal) * 100;
    long long quotient = scaled / iMax;
    const long long twiceRest = 2 * (scaled % iMax);
    if (twiceRest > iMax || (twiceRest == iMax && quotient % 2 != 0))
        ++quotient;
    return static_cast<int>(quotient);
}
