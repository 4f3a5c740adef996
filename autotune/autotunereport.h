#pragma once

// What an AutoTune run did: each point with its limits, reading, old and new setting and
// verdict, each page with the outcome its own log line gives, and why the run stopped early.

#include "clock.h"
#include "pointlimits.h"

#include <string>
#include <vector>

enum class Verdict { NotDone, Pass, Fail };

struct PointResult {
    PointLimit limit;
    Verdict verdict = Verdict::NotDone;
    bool measured = false;
    double value = 0.0;
    std::string oldSetting;
    std::string newSetting;
    std::string note; // why it failed or was not done
};

struct PageResult {
    std::string title;
    std::string outcome; // the result of the page's own log line(s), or why it did not run
    bool completed = false;
    std::vector<std::string> actions;  // what the automatic technician did, in order
    std::vector<std::string> messages; // the messages the page showed, "CAPTION: text"
};

struct AutoTuneReport {
    std::string serial;
    std::string instrument; // the *IDN? reply
    LocalTime started;
    std::vector<PointResult> points;
    std::vector<PageResult> pages;
    std::string stopReason; // "" when every chosen page ran

    bool allPassed() const;
    int passed() const;
};

const char *VerdictText(Verdict verdict);
// "5.02" with the decimals the unit deserves.
std::string ValueText(double value, const std::string &unit);

// The report as CSV (RFC 4180, CR LF) and as JSON (UTF-8).
std::string ReportCsv(const AutoTuneReport &report);
std::string ReportJson(const AutoTuneReport &report);
