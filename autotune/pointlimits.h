#pragma once

// What each alignment point must reach: its target, the limits a measurement must lie within,
// and how long to let the instrument settle and how many readings to average. Defaults come
// from the procedures' own targets; a YAML limits file overrides any of them by key.

#include <string>
#include <vector>

struct PointLimit {
    std::string key;  // "high_power", the limits file's name for it
    std::string name; // "TX power, high level", for the report
    std::string unit; // "W", "kHz", "V", "ppm", "dB", "dBm"
    double target = 0.0;
    double lower = 0.0;
    double upper = 0.0;
    int settleMs = 0;
    int average = 1;

    bool passes(double measured) const { return measured >= lower && measured <= upper; }
};

// Every point in page order, with the documented default tolerances.
std::vector<PointLimit> DefaultLimits();

// Applies a limits file's text over the defaults; false with why when the text is not usable
// (not YAML, an unknown key, a lower limit above the upper one, no readings to average).
bool ApplyLimitsText(const std::string &yaml, std::vector<PointLimit> &limits, std::string &why);

const PointLimit *FindLimit(const std::vector<PointLimit> &limits, const std::string &key);
