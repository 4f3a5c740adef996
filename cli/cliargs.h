#pragma once

// The command line of `tessaro`: one verb, its options, and the help of each verb.

#include "baudrates.h"
#include "radiojob.h"

#include <string>
#include <vector>

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1; // a radio failed, or the images differ
constexpr int ExitUsage = 2;  // bad usage or input
// Stopped by a signal: 128 + its number, as shells report it.
constexpr int ExitSignal = 128;

// The text form of export and import.
enum class ExchangeForm { Yaml, Csv };

struct CliCommand {
    Verb verb = Verb::None;
    std::vector<std::string> ports; // as given: a device path or "Comm Port n"
    long rate = MaxBaudRate;        // the highest rate to ask the radio for
    std::vector<std::string> files; // write/verify: one; diff: two
    std::string output;             // "-": standard output
    std::string base;               // import: the data file whose bytes the text does not hold
    ExchangeForm form = ExchangeForm::Yaml;
    int group = 0; // channel CSV: 1..25; 0 for all 500 channels (export only)
    bool twice = false;
    bool backup = true;
    bool verify = true;
    bool renumber = false; // channel CSV import: rows in file order as channels 1..20
    bool force = false;    // write/verify/diff: take a short data file
    bool json = false;
    bool help = false;
    bool version = false;
    bool worker = false; // one radio of a several-radio run, reporting to the tool
    std::string error;   // one line: why the command line is not usable
};

CliCommand ParseCommandLine(const std::vector<std::string> &args);

// The help of a verb, or the overview for Verb::None.
std::string HelpText(Verb verb);
// "tessaro 1.0.0".
std::string VersionText();

// The exit status a run's results make: a signal that stopped a radio wins, then a failed
// radio, then a detect that found no radio at all.
int ExitStatus(const CliCommand &command, const std::vector<JobResult> &results);

// "Comm Port n" (any case) gives n, anything else 0.
int CommPortNumber(const std::string &name);

// Progress bars move the cursor: only on a terminal, not a dumb one, and not with NO_COLOR set
// to anything but the empty text). Null stands for an unset variable.
bool TerminalCanDraw(bool stderrIsTerminal, const char *term, const char *noColor);
