#pragma once

// The texts the Tune screen's pages show before a run, and the warning note of the window.

#include <string>

std::string VCOOpenText();
std::string TXFrequencyIdleText();
std::string PowerCurveIdleText();
std::string PowerLevelsIdleText();
std::string ModSenseIdleText();
std::string FrontEndIdleText();
std::string SquelchIdleText();

inline const char TuneWarningHeading[] = "WARNING:";
inline const char TuneWarningNote[] =
    "Some of the adjustments make changes to your radio in order to simplify\r\n"
    "the tuning procedure.  Always be sure to keep the radio connected\r\n"
    "to the Comm Port until you complete or cancel the adjustment.";
inline const char TuneLaunchWarning[] = "Radio tuning requires special test procedures\r\n"
                                        "and should only be performed by a qualified\r\n"
                                        "service technician with the proper equipment.\r\n\r\n"
                                        "- See Service Manual for further instructions -\r\n\r\n"
                                        "Click 'OK' to continue.";

// The seven pages in tab order.
inline const char *const TunePageTitles[] = {
    "VCO Tuning Voltage", "TX Frequency", "TX Power Curve", "TX Power Levels",
    "Mod Sense",          "RX Front End", "Squelch"};
constexpr int TunePageCount = 7;
