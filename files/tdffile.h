#pragma once

#include <string>

// The data-file format: a raw image of MemMap pages 0..25, 26624 bytes, no header.
constexpr int TdfFileSize = 26 * 1024;

// The name that stands for the built-in default image rather than a file.
inline const std::string DefaultValuesName = "DEFAULT VALUES";

// Fills the MemMap from the file, or from the default image for "DEFAULT VALUES" (any case)
// and for a missing file. A short file replaces only the entries it holds. False when the
// file could not be read (reported, and the MemMap is unchanged).
bool LoadMemMapFrom_TDF_File(const std::string &fileName);

// Writes pages 0..25 to the file, replacing it atomically; false (after the I/O message)
// when the file could not be written.
bool WriteMemMapTo_TDF_File(const std::string &fileName);
