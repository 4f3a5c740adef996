#pragma once

// The "TX Power Levels" page: the high and low transmitter power DACs, each set by scroll bar
// while the radio transmits into a power meter.

#include "alignlog.h"
#include "tunescreen.h"

#include <string>

class PowerLevelsView
{
public:
    virtual ~PowerLevelsView() = default;
    virtual void setInstructions(const std::string &text) = 0;
    virtual void showSetButtons(bool visible) = 0;
    // The scroll bar (0-255), "Value:", the value label and "Finished/Quit" together.
    virtual void showAdjustControls(bool visible) = 0;
    virtual void setScrollValue(int value) = 0;
    virtual void setValueText(const std::string &text) = 0;
};

// The two runs: the button, its mode, its target and which cell is adjusted.
struct PowerRun {
    const char *handler;
    const char *mode;
    const char *target;
    bool high;
};
constexpr PowerRun HighPowerRun{"cmdSetHighPower_Click", "HP",
                                "3. Adjust the output power to 5.25 watts.", true};
constexpr PowerRun LowPowerRun{"cmdSetLowPower_Click", "LP",
                               "3. Adjust the output power to 2.0 watts.", false};

class PowerLevels : public TuneProcedure
{
public:
    PowerLevels(TuneScreen &screen, PowerLevelsView &view);

    void SetupTabPage();
    void SetHighClick() { Start(HighPowerRun); }
    void SetLowClick() { Start(LowPowerRun); }
    void FinishedClick() { Finish(true); }
    // A click on the arrows or the track, or the end of a drag.
    void ScrollChange(int value);
    // The thumb being dragged.
    void ScrollDrag(int value);

    bool HoldsRadio() const override { return m_highInProgress || m_lowInProgress; }
    // Restores both saved values without asking to keep the new one.
    void AbandonRun() override { Finish(false); }

private:
    void Start(const PowerRun &run);
    void CommError(int n);
    void RollBack();
    void Finish(bool ask);
    // Writes until it works or the user cancels; false when cancelled.
    bool Persist(bool high, int value, const char *what);
    bool WriteHigh(int value);
    bool WriteLow(int value);
    void Reset(const std::string &result);

    TuneScreen &m_screen;
    PowerLevelsView &m_view;
    const PowerRun *m_run = &HighPowerRun;
    bool m_highInProgress = false;
    bool m_lowInProgress = false;
    bool m_logging = false;
    int m_savedHigh = 0;
    int m_savedLow = 0;
    int m_value = 0;
    int m_cells[2] = {0, 0}; // high, low as last written
    AlignLogEntry m_log;
};
