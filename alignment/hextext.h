#pragma once

// Hexadecimal as the Tune pages show values: upper case, no leading zeros.

#include <cstdio>
#include <string>

inline std::string HexText(unsigned long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%lX", value);
    return text;
}

// "16000 (HEX: 3E80)": a scroll bar's value as its label shows it.
inline std::string ValueWithHex(int value)
{
    return std::to_string(value) + " (HEX: " + HexText(static_cast<unsigned>(value)) + ")";
}
