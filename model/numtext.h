#pragma once

// Text and number conversions shared by every field codec.

#include <string>

// The number formed by the leading characters of a text: leading blanks skipped, then digits
// with at most one decimal point, or "&H" and hexadecimal digits. 0 when there is none.
double NumericValue(const std::string &text);

// Nearest integer; exact halves go to the even neighbour. Clamped to +-2^53 (NaN gives 0).
long long RoundHalfEven(double value);

// Formats a value with a display pattern: "0" a digit always shown, "#" a digit shown only
// when significant, the first "." the decimal point, anything else literal text.
// "###.00000", "0.0 Seconds", "# mSec", "0.#Hz", "#.00 Seconds".
std::string FormatNumber(double value, const std::string &pattern);

// ASCII upper case; other bytes stay as they are.
std::string UpperCase(std::string text);
// Without leading and trailing blanks.
std::string TrimBlanks(const std::string &text);
bool StartsWith(const std::string &text, const std::string &prefix);
bool Contains(const std::string &text, const std::string &part);
// The first count characters, or the last count characters (the whole text when shorter).
std::string LeftOf(const std::string &text, std::size_t count);
std::string RightOf(const std::string &text, std::size_t count);
// The text without its last count characters ("" when it is not longer).
std::string DropRight(const std::string &text, std::size_t count);

// Bytes of the UTF-8 character that starts at 'at'; 1 for a stray or malformed byte.
std::string::size_type Utf8CharLength(const std::string &text, std::string::size_type at);
// Every character that takes several UTF-8 bytes replaced by one 'replacement' byte, so
// that the text has one byte per character typed.
std::string OneBytePerChar(const std::string &text, char replacement);
