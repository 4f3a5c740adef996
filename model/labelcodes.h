#pragma once

#include <array>
#include <cstdint>
#include <string>

// The radio's own label character table: codes 0..49, 48 is the blank.
constexpr int LabelBlankCode = 48;

// One character, or "" for a code without one (50..255).
std::string LabelCodeToChar(int code);
// A character outside the table gives the blank's code.
int CharToLabelCode(char ch);
// The text padded with blanks and cut to 12 characters, one code each.
std::array<std::uint8_t, 12> LabelToCodes(const std::string &text);
std::string CodesToLabel(const std::array<std::uint8_t, 12> &codes);
