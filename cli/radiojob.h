#pragma once

// One radio's job for the command-line tool, over the link and platform(): detect, read,
// write (with backup and verify) and verify. Needs platform().serial, clock, files, settings,
// and a CliDialogs and CliWindow installed.

#include "clock.h"
#include "fielddiff.h"
#include "memmap.h"

#include <string>
#include <vector>

enum class Verb { None, Detect, Read, Write, Verify, Diff, Export, Import };

struct JobRequest {
    Verb verb = Verb::None;
    std::string device; // "/dev/ttyUSB0"
    long rate = 4800;
    std::string file;   // the data file to write or verify against
    std::string output; // read: the file to write; "" names one from the serial number
    bool twice = false;
    bool backup = true;
    bool verify = true;
    bool force = false; // take a short data file
};

struct JobResult {
    std::string device;
    bool radio = false; // a radio answered
    bool ok = false;
    std::string serial;  // "12.34.567", "" when not read
    long rate = 0;       // the rate the link ended at
    std::string message; // why it failed, or what it wrote
    std::string file;    // read: the data file written
    std::string backup;  // the backup written, if any
    std::vector<FieldDifference> differences;
    double seconds = 0;
};

// Loads a data file as the editor does (a short file over the default image); false with
// the reason when it cannot be read.
bool LoadImageFile(const std::string &path, MemMapImage &image, std::string &why);

// Loads a file to write into radios or compare: a whole data file, or with force a short one.
bool LoadWholeDataFile(const std::string &path, bool force, MemMapImage &image, std::string &why);

// "cannot write OUT: why", after a failed writeAtomic() of path.
std::string CannotWrite(const std::string &path);

// "SN12.34.567_2026-12-07.tdf".
std::string DefaultReadName(const std::string &serial, const LocalTime &when);

JobResult RunJob(const JobRequest &request);
