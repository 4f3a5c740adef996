#pragma once

// `tessaro tune`: AutoTune of a radio on a serial port with a test set, from the command line.

#include "autotunerunner.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

struct TuneRequest {
    std::string port;       // a device path or "Comm Port n"
    std::string instrument; // the test set's address
    std::string profile;
    std::string limits; // "" for the built-in limits
    std::string pages = "all";
    std::string report; // .pdf, .csv or .json; "" for none
    long rate = 0;      // 0: the rate chosen in the editor
    bool json = false;  // the report as JSON on standard output
    bool help = false;
    std::string error;
};

// The words after "tune".
TuneRequest ParseTuneArgs(const std::vector<std::string> &args);
std::string TuneHelpText();

struct TuneOutput {
    std::FILE *out;
    std::FILE *err;
    // The report as PDF bytes; empty when it could not be made.
    std::function<std::vector<std::uint8_t>(const AutoTuneReport &)> pdf;
};

// Runs the pages with the test set (the port already chosen) and writes the report: 0 when
// every point passes, 1 otherwise, 2 for unusable limits or pages. The runner is published in
// running while it runs, for an interrupt to abort it.
int RunTuneJob(const TuneRequest &request, TestSet &set, const TuneOutput &output,
               AutoTuneRunner *volatile *running);
