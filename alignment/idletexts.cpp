#include "idletexts.h"

#include "numtext.h"

#include <initializer_list>

namespace
{

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    bool first = true;
    for (const std::string &line : lines) {
        text += (first ? "" : "\r\n") + line;
        first = false;
    }
    return text;
}

constexpr double SquelchTestRxMHz = 155.1;

} // namespace

std::string VCOOpenText()
{
    return Lines({"To properly set VCO Tuning Voltage please set your      ",
                  "radio to Group 1, Channel 1, connect the RF Output      ",
                  "to a suitable load for protection, then click 'Start' below.      "});
}

std::string TXFrequencyIdleText()
{
    return Lines({"Set the unit to Group 1, Channel 1, connect to your Frequency Counter ",
                  "or Service Monitor, and click 'Start' below.", "",
                  "Once initiated, please do NOT disconnect the unit without clicking",
                  "the 'QUIT' key and allowing your original radio frequencies and",
                  "settings to be restored."});
}

std::string PowerCurveIdleText()
{
    return Lines(
        {"The TX Power Curve adjustment is a 5 step process.  Once initiated, please do NOT",
         "disconnect the unit without clicking the 'QUIT' key and allowing your original",
         "radio frequencies and settings to be restored.  To begin make sure your radio is",
         "on and set to Group 1, Channel 1, then click 'Start' below."});
}

std::string PowerLevelsIdleText()
{
    return Lines({"To adjust either the High or Low power settings, make sure the unit",
                  "is on and set to Group 1, Channel 1 and connected to a calibrated",
                  "Power Meter or Service Monitor.  Then simply click the desired adjustment "
                  "below."});
}

std::string ModSenseIdleText()
{
    return Lines(
        {"The VCO Modulation Sensitivity Curve adjustment is a 5 step process.  Once initiated, "
         "please",
         "do NOT disconnect the unit without clicking the 'QUIT' key and allowing your original",
         "radio frequencies and settings to be restored.  The modulation will be generated "
         "internally",
         "so NO external audio should be connected to the unit.  To begin make sure your radio is",
         "on and set to Group 1, Channel 1, then click 'Start' below."});
}

std::string FrontEndIdleText()
{
    return Lines({"This adjustment is meant to set the Receiver Front End Tuning Slope.  ",
                  "Please verify that the receiver has been properly tuned for maximum ",
                  "sensitivity at the extreme low end of the band, typically 136.1MHz ",
                  "to 136.15MHz.  Once completed, set the unit to Group 1, Channel 1 and",
                  "the test equipment to measure Wideband SINAD in ANALOG mode at 173.995MHz.",
                  "Then click 'Start' below and adjust the scroll bar value",
                  "for maximum sensitivity."});
}

std::string SquelchIdleText()
{
    return Lines({"To accurately adjust Preset Squelch, please configure your test equipment as "
                  "follows:",
                  "",
                  "1. Connect an RF Signal Generator tuned to " +
                      FormatNumber(SquelchTestRxMHz, "###.000") + "MHz, at 1mVrms.",
                  "2. Use 3KHz Deviation for Wide band, 1.5 KHz for Narrow band.",
                  "3. Leave the Squelch control wide open (fully clockwise).",
                  "4. With the radio on and set to Group 1, Channel 1 and connected",
                  "      to the Comm Port, click the Squelch Adj below for the desired",
                  "      band and follow the next set of instructions."});
}
