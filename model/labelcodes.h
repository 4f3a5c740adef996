#pragma once

#include <array>
#include <cstdint>
#include <string>

// The radio's own label character table: codes 0..49, 48 is the blank.
constexpr int LabelBlankCode = 48;
constexpr int LabelChars = 12;

using LabelCodes = std::array<std::uint8_t, LabelChars>;

// One character, or "" for a code without one (50..255).
std::string LabelCodeToChar(int code);
// A character outside the table gives the blank's code.
int CharToLabelCode(char ch);
// The text padded with blanks and cut to 12 characters, one code each. A character that
// takes several UTF-8 bytes counts as one character outside the table.
LabelCodes LabelToCodes(const std::string &text);
// Codes without a character add nothing, so the text may be shorter than 12.
std::string CodesToLabel(const LabelCodes &codes);
