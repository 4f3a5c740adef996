#pragma once

// SHA-256 of a byte string as 64 lower-case hexadecimal digits: the name of a stored image.

#include <cstdint>
#include <string>
#include <vector>

std::string Sha256Hex(const std::vector<std::uint8_t> &data);
