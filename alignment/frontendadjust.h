#pragma once

// The "RX Front End" page: the receiver front-end tuning slope, set by scroll bar while the
// radio listens to a test signal at the top of the band.

#include "alignlog.h"
#include "tunescreen.h"

#include <string>

class FrontEndView
{
public:
    virtual ~FrontEndView() = default;
    virtual void setInstructions(const std::string &text) = 0;
    virtual void setStartCaption(const std::string &caption) = 0;
    // "Abort", the scroll bar, "Value:" and the value label together.
    virtual void showAdjustControls(bool visible) = 0;
    virtual void setScrollRange(int minimum, int maximum) = 0;
    virtual void setScrollValue(int value) = 0;
    virtual void setValueText(const std::string &text) = 0;
};

struct FESRange {
    int lowest;
    int highest;
    int fallback;
    int scrollMax;
};
constexpr FESRange FrontEndRange{10000, 22000, 16000, 25000};

class FrontEndAdjust : public TuneProcedure
{
public:
    FrontEndAdjust(TuneScreen &screen, FrontEndView &view);

    void SetupTabPage();
    void StartClick(); // "Start" or "Finish" by the caption
    void AbortClick();
    // Change and scroll events of the scroll bar alike.
    void ScrollMoved(int value);

    bool HoldsRadio() const override { return m_adjusting; }
    void AbandonRun() override { Abort(); }

    int savedValue() const { return m_saved; }

private:
    void Start();
    void Finish();
    void Abort();
    void CommError(int n);
    void Reset(const std::string &result);
    bool WriteValue(int value);

    TuneScreen &m_screen;
    FrontEndView &m_view;
    bool m_adjusting = false;
    bool m_logging = false;
    int m_saved = 0;
    int m_value = 0;
    AlignLogEntry m_log;
};
