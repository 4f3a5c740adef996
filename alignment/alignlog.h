#pragma once

// The service record of the Tune screen: one CSV line per run that ended, in the per-user
// data folder.

#include <string>
#include <vector>

struct AlignLogEntry {
    std::string serial;    // the radio's embedded serial number, "" when unread
    std::string procedure; // the page's title
    std::string before;    // cell values before the run, hexadecimal bytes
    std::string after;     // and after it
    std::string result;    // "Completed", "Aborted", "Failed..."
};

inline const char AlignLogFileName[] = "Alignment Log.csv";
inline const std::vector<std::string> AlignLogColumns = {
    "Date", "Time", "Serial Number", "Procedure", "Before", "After", "Result"};

std::string AlignLogPath();
// Adds the line, stamped with the local time; false when the file could not be written.
bool AppendAlignLog(const AlignLogEntry &entry);
// The lines after the heading, split into their fields.
std::vector<std::vector<std::string>> ReadAlignLog();

// Reads the radio's seven serial-number digits (hooked); "" when they could not be read.
std::string ReadUnitSerialNumber();
// "F4 81" for the bytes given.
std::string HexBytes(const std::vector<int> &bytes);
