#pragma once

// Decimal texts as whole numbers of a small unit (Hz of a MHz text, 0.1 Hz of a tone), so that
// nothing is lost to binary fractions.

#include <optional>
#include <string>

// "146.52" with 6 decimals is 146520000. Blanks around the text are allowed, a sign is not;
// places beyond `decimals` must be 0.
std::optional<long long> ParseFixed(const std::string &text, int decimals);
// 146520000 with 6 decimals is "146.520000"; value must not be negative.
std::string FixedText(long long value, int decimals);
