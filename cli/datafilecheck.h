#pragma once

// Whether a file's bytes may be written into radios or compared as a data file. The window reads
// files of any length; the bench tool, which writes fleets, takes only whole data files.

#include <cstdint>
#include <string>
#include <vector>

// "" when the bytes are a data file, otherwise one line: "not a data file: 1,204 bytes, looks
// like text". With force a short binary file is taken (over the default image); text never is.
std::string DataFileProblem(const std::vector<std::uint8_t> &bytes, bool force);
