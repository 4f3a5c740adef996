#include "fixedtext.h"

#include "numtext.h"

#include <algorithm>
#include <cstdio>

namespace
{
// Far beyond any frequency in Hz, and far from overflowing.
constexpr long long MaxFixedValue = 1000000000000LL;
} // namespace

std::optional<long long> ParseFixed(const std::string &text, int decimals)
{
    long long value = 0;
    int places = -1;
    bool digits = false;
    for (char ch : TrimBlanks(text)) {
        if (ch == '.' && places < 0) {
            places = 0;
            continue;
        }
        if (ch < '0' || ch > '9' || value > MaxFixedValue)
            return std::nullopt;
        digits = true;
        if (places >= decimals) {
            if (ch != '0')
                return std::nullopt;
            continue;
        }
        value = value * 10 + (ch - '0');
        if (places >= 0)
            ++places;
    }
    if (!digits)
        return std::nullopt;
    for (int p = std::max(places, 0); p < decimals; ++p)
        value *= 10;
    return value;
}

std::string FixedText(long long value, int decimals)
{
    long long unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    char text[64];
    std::snprintf(text, sizeof text, "%lld.%0*lld", value / unit, decimals, value % unit);
    return text;
}
