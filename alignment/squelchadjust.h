#pragma once

// The "Squelch" page: steps a band's preset squelch gain until the radio's averaged noise
// reading at 8 dB SINAD meets the target.

#include "alignlog.h"
#include "tunescreen.h"

#include <string>

class SquelchView
{
public:
    virtual ~SquelchView() = default;
    virtual void setInstructions(const std::string &text) = 0;
    // band 0 narrowband, 1 wideband.
    virtual void setBandButton(int band, const std::string &caption, bool visible,
                               bool enabled) = 0;
    virtual void showAbort(bool visible) = 0;
};

struct SquelchBand {
    const char *caption;
    const char *handler;
    int cell;
    int defaultGain; // when the cell reads 0 or 0xFF
    const char *narrowFlag;
    const char *searchLine;
    const char *gainLine;
    const char *initLine;
    const char *completion;
};

constexpr SquelchBand SquelchBands[2] = {
    {"Narrowband", "cmdNarrowband_Click", 0x0043, 0x41, "N",
     "Please be patient while the proper Narrowband Squelch value is found.....",
     "Narrowband Squelch Gain set to: 0x",
     "Unable to initialize the Narrowband squelch adjustment.  Please verify",
     "Narrowband Preset Squelch Gain set to: 0x"},
    {"Wideband", "cmdWideband_Click", 0x004C, 0x55, "-",
     "Please be patient while the proper Wideband Squelch value is found.....",
     "Wideband Squelch Gain set to: 0x",
     "Unable to initialize the Wideband squelch adjustment.  Please verify",
     "Wideband Preset Squelch Gain set to: 0x"},
};

struct SquelchLimits {
    int target;      // the noise reading sought
    int initDone;    // a reading at or below this ends the initialisation
    int initStep;    // gain added per initialisation reading
    int initTries;   // initialisation steps before the user is asked
    int searchSteps; // search steps before the run gives up
    int settleMs;    // pause after the test channel is programmed
};
constexpr SquelchLimits SquelchConstants{249, 246, 20, 200, 100, 500};

// The page's instruction text for steps 0-3 and 10.
std::string SquelchInstructions(int step);

class SquelchAdjust : public TuneProcedure
{
public:
    SquelchAdjust(TuneScreen &screen, SquelchView &view);

    void SetupTabPage();
    void BandClick(int band);
    void AbortClick();

    bool HoldsRadio() const override { return m_state != State::Idle; }
    void AbandonRun() override;

    int workingGain() const { return m_gain; }

private:
    enum class State { Idle, Waiting, Calibrating };

    void Begin(int band);
    void Calibrate();
    bool Initialise();
    void Search();
    void Done();
    void CommError(int n, bool restore);
    void Restore(const std::string &result);
    void AbortRun();
    void Reset(const std::string &result);
    bool WriteGain(int cell, int value);
    void ShowGain(const std::string &lead, const char *tail);
    // Lets the window breathe; true when an abort was asked for meanwhile.
    bool Interrupted();

    TuneScreen &m_screen;
    SquelchView &m_view;
    State m_state = State::Idle;
    int m_band = 0;
    int m_gain = 0;
    int m_saved[2] = {0, 0};
    bool m_gainRead = false;
    bool m_abortAsked = false;
    bool m_logging = false;
    AlignLogEntry m_log;
};
