#pragma once

// The command line of `tessaro`: one verb, its options, and the help of each verb.

#include "radiojob.h"

#include <string>
#include <vector>

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1; // a radio failed, or the images differ
constexpr int ExitUsage = 2;  // bad usage or input

// The text form of export and import.
enum class ExchangeForm { Yaml, Csv };

struct CliCommand {
    Verb verb = Verb::None;
    std::vector<std::string> ports; // as given: a device path or "Comm Port n"
    long rate = 0;                  // 0: the rate chosen in the editor's Options menu
    std::vector<std::string> files; // write/verify: one; diff: two
    std::string output;
    std::string base; // import: the data file whose bytes the text does not hold
    ExchangeForm form = ExchangeForm::Yaml;
    int group = 0; // channel CSV: 1..25; 0 for all 500 channels (export only)
    bool twice = false;
    bool backup = true;
    bool verify = true;
    bool renumber = false; // channel CSV import: rows in file order as channels 1..20
    bool force = false;    // write/verify/diff: take a short data file
    bool json = false;
    bool help = false;
    bool worker = false; // one radio of a several-radio run, reporting to the tool
    std::string error;   // one line: why the command line is not usable
};

CliCommand ParseCommandLine(const std::vector<std::string> &args);

// The help of a verb, or the overview for Verb::None.
std::string HelpText(Verb verb);

// "Comm Port n" (any case) gives n, anything else 0.
int CommPortNumber(const std::string &name);
