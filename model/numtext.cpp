#include "numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace
{

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

int hexDigit(char ch)
{
    if (isDigit(ch))
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

// Exactly 2^53: every integer up to here is a double.
constexpr double MaxExactInteger = 9007199254740992.0;

// Decimal digits of a non-negative value rounded to 'decimals' places, half away from zero,
// taken from its 15 significant digits so that 67.05 rounds up as typed.
void roundedDigits(double value, int decimals, std::string &intPart, std::string &fracPart)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string sci(buf, res.ptr);
    // d.dddddddddddddde[+-]x
    const std::size_t e = sci.find('e');
    std::string mantissa = sci.substr(0, 1) + sci.substr(2, e - 2);
    const int exponent = std::atoi(sci.c_str() + e + 1);

    // Place the decimal point: digits before it are exponent + 1.
    int pointPos = exponent + 1;
    if (pointPos <= 0) {
        mantissa.insert(0, static_cast<std::size_t>(-pointPos + 1), '0');
        pointPos = 1;
    }
    if (static_cast<int>(mantissa.size()) < pointPos + decimals + 1)
        mantissa.append(static_cast<std::size_t>(pointPos + decimals + 1) - mantissa.size(), '0');

    std::string kept = mantissa.substr(0, static_cast<std::size_t>(pointPos + decimals));
    const bool roundUp = mantissa[static_cast<std::size_t>(pointPos + decimals)] >= '5';
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
            kept[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++kept[static_cast<std::size_t>(i)];
        } else {
            kept.insert(0, 1, '1');
            ++pointPos;
        }
    }
    intPart = kept.substr(0, static_cast<std::size_t>(pointPos));
    fracPart = kept.substr(static_cast<std::size_t>(pointPos));
    intPart.erase(0, std::min(intPart.find_first_not_of('0'), intPart.size()));
}

} // namespace

double NumericValue(const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;

    if (i + 1 < text.size() && text[i] == '&' && (text[i + 1] == 'H' || text[i + 1] == 'h')) {
        double value = 0;
        for (i += 2; i < text.size() && hexDigit(text[i]) >= 0; ++i)
            value = value * 16 + hexDigit(text[i]);
        return value;
    }

    std::string intPart;
    std::string fracPart;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (isDigit(ch)) {
            (point ? fracPart : intPart) += ch;
        } else if (ch == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (intPart.empty() && fracPart.empty())
        return 0;
    const std::string number = (intPart.empty() ? "0" : intPart) + "." + fracPart + "0";
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

long long RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= MaxExactInteger)
        return static_cast<long long>(MaxExactInteger);
    if (value <= -MaxExactInteger)
        return -static_cast<long long>(MaxExactInteger);
    const double lower = std::floor(value);
    const double fraction = value - lower;
    // Texts such as "100.000625" reach us a hair away from the exact half they stand for.
    const double tolerance = 64 * 2.220446049250313e-16 * std::max(1.0, std::fabs(value));
    long long result = static_cast<long long>(lower);
    if (std::fabs(fraction - 0.5) <= tolerance) {
        if (result % 2 != 0)
            ++result;
    } else if (fraction > 0.5) {
        ++result;
    }
    return result;
}

std::string FormatNumber(double value, const std::string &pattern)
{
    // Split the pattern at its decimal point into placeholders and literal text.
    const std::size_t pointAt = pattern.find('.');
    const std::string intPattern = pattern.substr(0, pointAt);
    const std::string fracPattern =
        pointAt == std::string::npos ? std::string() : pattern.substr(pointAt + 1);

    int intZeros = 0;
    for (char ch : intPattern)
        intZeros += ch == '0';
    int fracMin = 0;
    int fracMax = 0;
    for (char ch : fracPattern) {
        if (ch == '0' || ch == '#') {
            ++fracMax;
            if (ch == '0')
                fracMin = fracMax;
        }
    }

    const bool negative = value < 0;
    if (std::isnan(value) || std::isinf(value))
        value = 0;
    std::string intDigits;
    std::string fracDigits;
    roundedDigits(std::fabs(value), fracMax, intDigits, fracDigits);
    while (static_cast<int>(fracDigits.size()) > fracMin && fracDigits.back() == '0')
        fracDigits.pop_back();
    if (static_cast<int>(intDigits.size()) < intZeros)
        intDigits.insert(0, static_cast<std::size_t>(intZeros) - intDigits.size(), '0');

    // Digits fill the integer placeholders from the right; surplus digits go before the first.
    std::string intText;
    int digitIndex = static_cast<int>(intDigits.size()) - 1;
    bool firstPlaceholderSeen = false;
    for (int p = static_cast<int>(intPattern.size()) - 1; p >= 0; --p) {
        const char ch = intPattern[static_cast<std::size_t>(p)];
        if (ch == '0' || ch == '#') {
            bool isFirst = true;
            for (int q = p - 1; q >= 0; --q) {
                const char before = intPattern[static_cast<std::size_t>(q)];
                if (before == '0' || before == '#')
                    isFirst = false;
            }
            if (isFirst) {
                firstPlaceholderSeen = true;
                std::string rest =
                    digitIndex >= 0 ? intDigits.substr(0, static_cast<std::size_t>(digitIndex) + 1)
                                    : std::string();
                intText.insert(0, rest);
                digitIndex = -1;
            } else if (digitIndex >= 0) {
                intText.insert(0, 1, intDigits[static_cast<std::size_t>(digitIndex)]);
                --digitIndex;
            }
        } else {
            intText.insert(0, 1, ch);
        }
    }
    if (!firstPlaceholderSeen && digitIndex >= 0)
        intText.insert(0, intDigits.substr(0, static_cast<std::size_t>(digitIndex) + 1));

    std::string fracText;
    std::size_t fracIndex = 0;
    for (char ch : fracPattern) {
        if (ch == '0' || ch == '#') {
            if (fracIndex < fracDigits.size())
                fracText += fracDigits[fracIndex++];
        } else {
            fracText += ch;
        }
    }

    std::string text = intText;
    if (pointAt != std::string::npos && !fracDigits.empty())
        text += '.';
    text += fracText;
    const bool allZero = intDigits.find_first_not_of('0') == std::string::npos &&
                         fracDigits.find_first_not_of('0') == std::string::npos;
    return negative && !allZero ? "-" + text : text;
}

std::string UpperCase(std::string text)
{
    for (char &ch : text) {
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    }
    return text;
}

std::string TrimBlanks(const std::string &text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool StartsWith(const std::string &text, const std::string &prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

std::string LeftOf(const std::string &text, std::size_t count)
{
    return text.substr(0, std::min(count, text.size()));
}

std::string RightOf(const std::string &text, std::size_t count)
{
    return count >= text.size() ? text : text.substr(text.size() - count);
}

std::string DropRight(const std::string &text, std::size_t count)
{
    return count >= text.size() ? std::string() : text.substr(0, text.size() - count);
}

std::string::size_type Utf8CharLength(const std::string &text, std::string::size_type at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::string::size_type length = 1;
    if (lead >= 0xF0 && lead < 0xF8)
        length = 4;
    else if (lead >= 0xE0)
        length = lead < 0xF0 ? 3 : 1;
    else if (lead >= 0xC0)
        length = 2;
    // Only continuation bytes may follow; otherwise the lead byte stands alone.
    for (std::string::size_type i = 1; i < length; ++i) {
        if (at + i >= text.size() || (static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

std::string OneBytePerChar(const std::string &text, char replacement)
{
    std::string result;
    for (std::string::size_type at = 0; at < text.size();) {
        const auto length = Utf8CharLength(text, at);
        result += length == 1 ? text[at] : replacement;
        at += length;
    }
    return result;
}
