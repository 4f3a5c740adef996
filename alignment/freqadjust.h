#pragma once

// The "TX Frequency" page: the radio's reference frequency adjustment, as a step machine
// behind a small view.

#include "alignlog.h"
#include "tunescreen.h"

#include <string>

class FreqAdjustView
{
public:
    virtual ~FreqAdjustView() = default;
    virtual void setInstructions(const std::string &text) = 0;
    virtual void setEntry(const std::string &text, bool enabled) = 0;
    virtual std::string entryText() const = 0;
    // Focus to the text box, text selected from position from on (-1: no selection).
    virtual void focusEntry(int from) = 0;
    virtual void setStartButton(const std::string &caption, bool enabled) = 0;
    virtual void setQuitEnabled(bool enabled) = 0;
};

struct FreqAdjBytes {
    int high;
    int low;
};

// The frequency error of a measured transmit frequency in 1/512 ppm, positive when low.
long FreqAdjustValue(double measuredHz);
FreqAdjBytes FreqAdjustBytes(long value);
// The accepted counter readings: 173.985 up to, not including, 174.005 MHz.
bool InFreqAdjustRange(double mhz);

class FreqAdjust : public TuneProcedure
{
public:
    FreqAdjust(TuneScreen &screen, FreqAdjustView &view);

    void SetupTabPage();
    void StartFinishClick();
    void QuitClick();
    // Enter in the text box: the key is swallowed and acts as the Start/Finish button.
    void EntryEnter() { StartFinishClick(); }

    bool HoldsRadio() const override { return m_measuring; }
    void AbandonRun() override { QuitClick(); }

    double measuredHz() const { return m_measuredHz; }
    long adjustValue() const { return m_adjustValue; }

private:
    void Start();
    void Finish();
    void RollBack();
    void Reset(const std::string &text, const std::string &result);
    void Talking();

    TuneScreen &m_screen;
    FreqAdjustView &m_view;
    bool m_measuring = false;
    bool m_logging = false;
    int m_savedHigh = 0;
    int m_savedLow = 0;
    double m_measuredHz = 0.0;
    long m_adjustValue = 0;
    AlignLogEntry m_log;
};
