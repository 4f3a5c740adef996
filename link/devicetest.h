#pragma once

#include <string>

// What trying a radio on one device found.
struct DeviceTestResult {
    bool radio = false;  // a radio answered
    std::string serial;  // its serial number, "" when not read
    long rate = 0;       // the highest rate it accepted, up to the one asked
    std::string message; // what went wrong, "" when the radio answered and was read
};

// Hooks the radio on device at up to rate, reads its serial number and unhooks. Nothing is
// written to the radio, and the Comm Port, rate and their settings stay as they were; the
// messages the link would show are gathered into the result instead.
DeviceTestResult TestRadioOnDevice(const std::string &device, long rate);
