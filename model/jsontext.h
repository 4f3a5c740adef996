#pragma once

#include <string>

// The text as a JSON string literal, quotes included; control characters as \uXXXX.
std::string JsonString(const std::string &text);
