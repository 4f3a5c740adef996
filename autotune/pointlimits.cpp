#include "pointlimits.h"

#include <yaml-cpp/yaml.h>

#include <cstdio>

namespace
{

struct LimitRow {
    const char *key;
    const char *name;
    const char *unit;
    double target;
    double lower;
    double upper;
    int settleMs;
    int average;
};

// Tolerances as a service manual gives them: the VCO window the page itself uses, half a ppm of
// frequency, 3 % of power and deviation, 1 dB of SINAD, and a sensitivity floor of 0.7 uV. The
// settle times are five time constants of a typical meter (power and deviation 0.1 s, SINAD
// 0.2 s), so a reading after a change is within 1 % of its final value.
constexpr LimitRow DefaultRows[] = {
    {"vco_rx_136", "VCO tuning voltage, RX 136 MHz", "V", 2.0, 1.95, 2.05, 0, 1},
    {"vco_rx_174", "VCO tuning voltage, RX 174 MHz", "V", 2.0, 1.95, 2.05, 0, 1},
    {"vco_tx_136", "VCO tuning voltage, TX 136 MHz", "V", 2.0, 1.95, 2.05, 0, 1},
    {"vco_tx_174", "VCO tuning voltage, TX 174 MHz", "V", 2.0, 1.95, 2.05, 0, 1},
    {"frequency_error", "TX frequency error", "ppm", 0.0, -0.5, 0.5, 200, 3},
    {"power_curve_136", "TX power curve, 136.000 MHz", "W", 5.0, 4.85, 5.15, 500, 2},
    {"power_curve_148", "TX power curve, 148.665 MHz", "W", 5.0, 4.85, 5.15, 500, 2},
    {"power_curve_161", "TX power curve, 161.335 MHz", "W", 5.0, 4.85, 5.15, 500, 2},
    {"power_curve_174", "TX power curve, 174.000 MHz", "W", 5.0, 4.85, 5.15, 500, 2},
    {"high_power", "TX power, high level", "W", 5.25, 5.1, 5.4, 500, 2},
    {"low_power", "TX power, low level", "W", 2.0, 1.94, 2.06, 500, 2},
    {"deviation_136", "FM deviation, 136.000 MHz", "kHz", 3.0, 2.91, 3.09, 500, 3},
    {"deviation_148", "FM deviation, 148.665 MHz", "kHz", 3.0, 2.91, 3.09, 500, 3},
    {"deviation_161", "FM deviation, 161.335 MHz", "kHz", 3.0, 2.91, 3.09, 500, 3},
    {"deviation_174", "FM deviation, 174.000 MHz", "kHz", 3.0, 2.91, 3.09, 500, 3},
    {"sensitivity", "RX level for 12 dB SINAD, 173.995 MHz", "dBm", -113.0, -135.0, -110.0, 1000,
     3},
    {"squelch_narrow", "Squelch set at 8 dB SINAD, narrowband", "dB", 8.0, 7.0, 9.0, 1000, 3},
    {"squelch_wide", "Squelch set at 8 dB SINAD, wideband", "dB", 8.0, 7.0, 9.0, 1000, 3},
};

bool ReadNumber(const YAML::Node &node, double &value)
{
    try {
        value = node.as<double>();
        return true;
    } catch (const YAML::Exception &) {
        return false;
    }
}

} // namespace

std::vector<PointLimit> DefaultLimits()
{
    std::vector<PointLimit> limits;
    for (const LimitRow &r : DefaultRows)
        limits.push_back(
            {r.key, r.name, r.unit, r.target, r.lower, r.upper, r.settleMs, r.average});
    return limits;
}

const PointLimit *FindLimit(const std::vector<PointLimit> &limits, const std::string &key)
{
    for (const PointLimit &l : limits)
        if (l.key == key)
            return &l;
    return nullptr;
}

bool ApplyLimitsText(const std::string &yaml, std::vector<PointLimit> &limits, std::string &why)
{
    YAML::Node root;
    try {
        root = YAML::Load(yaml);
    } catch (const YAML::Exception &e) {
        why = "not YAML: " + std::string(e.what());
        return false;
    }
    const YAML::Node points = root.IsMap() ? root["points"] : YAML::Node();
    if (!points.IsMap()) {
        why = "no \"points:\" map";
        return false;
    }
    std::vector<PointLimit> result = limits;
    for (auto it = points.begin(); it != points.end(); ++it) {
        const std::string key = it->first.as<std::string>();
        PointLimit *limit = const_cast<PointLimit *>(FindLimit(result, key));
        if (limit == nullptr) {
            why = "unknown point \"" + key + "\"";
            return false;
        }
        if (!it->second.IsMap()) {
            why = key + ": expected a map of target, lower, upper, settle_ms, average";
            return false;
        }
        for (auto f = it->second.begin(); f != it->second.end(); ++f) {
            const std::string field = f->first.as<std::string>();
            double value = 0.0;
            if (!ReadNumber(f->second, value)) {
                why = key + "." + field + ": not a number";
                return false;
            }
            if (field == "target")
                limit->target = value;
            else if (field == "lower")
                limit->lower = value;
            else if (field == "upper")
                limit->upper = value;
            else if (field == "settle_ms" && value >= 0 && value <= 60000)
                limit->settleMs = static_cast<int>(value);
            else if (field == "average" && value >= 1 && value <= 100)
                limit->average = static_cast<int>(value);
            else {
                why = key + "." + field + ": unknown field or value out of range";
                return false;
            }
        }
        if (limit->lower > limit->upper) {
            why = key + ": the lower limit lies above the upper one";
            return false;
        }
    }
    limits = result;
    return true;
}
