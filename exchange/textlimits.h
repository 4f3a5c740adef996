#pragma once

// How much of an exchanged text the program takes in, and how much of a value it repeats in a
// message: a pasted megabyte must neither stall the window nor flood a terminal.

#include <cstddef>
#include <string>

// An exported text is some hundred kilobytes; anything far larger is not one.
inline constexpr std::size_t MaxExchangeTextBytes = 4 * 1024 * 1024;

// Characters of a value a message repeats at most.
inline constexpr std::size_t MaxQuotedChars = 40;

// The value as a message shows it: whole when short, else its start and "..." in
// MaxQuotedChars characters.
std::string Excerpt(const std::string &text);
