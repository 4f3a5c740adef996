#pragma once

#include <string>
#include <vector>

// How one test set is asked for each measurement and setting AutoTune needs: SCPI lines
// from a YAML file the technician can edit. Settings carry placeholders for their values:
// {hz} {khz} {mhz} (frequency), {dbm} {uv} (level), {deviation_hz} {deviation_khz} {tone_hz}.
struct ProfileMeasurement {
    std::vector<std::string> setup; // sent when this measurement follows another set-up
    std::string query;
    double scale = 1.0; // reply unit to Hz, W or dB
    int timeoutMs = 0;  // 0: the profile's
};

struct InstrumentProfile {
    std::string name;
    std::string identify = "*IDN?";
    std::string identityContains; // empty: any instrument
    std::vector<std::string> preset;
    int timeoutMs = 3000;
    std::string errorQuery; // empty: errors are not asked for

    ProfileMeasurement counterFrequency;
    ProfileMeasurement rfPower;
    ProfileMeasurement fmDeviation;
    ProfileMeasurement sinad;

    std::vector<std::string> generatorSetup;
    std::vector<std::string> generatorFrequency;
    std::vector<std::string> generatorLevel;
    std::vector<std::string> generatorModulation;
    std::vector<std::string> outputOn;
    std::vector<std::string> outputOff;
};

// Reads a profile from its YAML text; false with the line and the fault in error.
bool ParseInstrumentProfile(const std::string &yaml, InstrumentProfile &profile,
                            std::string &error);
