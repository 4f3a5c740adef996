#pragma once

// One thing the bench did to a radio: a read, write, verify, alignment run or a file saved
// from its data.

#include <cstdint>
#include <string>
#include <vector>

// Events of radios whose serial number could not be read.
inline const char UnknownSerial[] = "unknown";

struct RadioEvent {
    std::string key;     // unique over every bench: sent twice, stored once
    std::string serial;  // the seven digits, or UnknownSerial
    std::string at;      // "2026-12-07 09:30:15", local time
    std::string kind;    // "Read All", "Write Group 3", "Verify", "Alignment", "Save"
    std::string bench;   // host name
    std::string port;    // "/dev/ttyUSB0"
    std::string version; // of the program
    std::string outcome; // "OK", "Failed", "Verify failed", ...
    std::string detail;
    std::string file;                 // the data file saved or written from
    std::string labels;               // the group labels of the image, for searching
    std::vector<std::uint8_t> image;  // the radio's full image, when the event has one
    std::vector<std::uint8_t> report; // an alignment report (PDF), when there is one
    std::string imageHash;            // filled by the store
    bool hasReport = false;           // in stored events, whose report is fetched apart
};

// A radio with its newest event, as the history window lists it.
struct RadioSummary {
    std::string serial;
    std::string customer;
    std::string note;
    std::string lastAt;
    std::string lastKind;
    std::string lastOutcome;
    long long events = 0;
};
