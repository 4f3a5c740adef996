#pragma once

// The "VCO Tuning Voltage" page: the manual T1 phase at the bottom of the band, then three
// automatic loops that steer the coarse-tune values until the tuning voltage lies in its window.

#include "alignlog.h"
#include "tunescreen.h"

#include <string>

class VCOView
{
public:
    virtual ~VCOView() = default;
    virtual void VCO_IM(const std::string &text) = 0;
    virtual void VCO_MM(const std::string &text) = 0;
    virtual void showStart(bool visible) = 0;
};

struct SteerPoint {
    const char *routine;
    bool tx;
    double mhz;
    const char *mhzText;
    int path;
    int point;
    long highest;    // allowed range of a new value: 0 up to this
    long limitBelow; // written when the value would fall below 0
    long limitAbove; // and when it would pass highest
};

constexpr SteerPoint SteerPoints[3] = {
    {"SetVCOSteeringVoltageRXHigh", false, 174.0, "174", 0, 1, 32767, 0, 32767},
    {"SetVCOSteeringVoltageTXLow", true, 136.0, "136", 1, 0, 65535, 1, 32766},
    {"SetVCOSteeringVoltageTXHigh", true, 174.0, "174", 1, 1, 65535, 1, 32766},
};

struct VCOLimits {
    double voltsPerCount;
    double lowest; // the window, both ends included
    double highest;
    double target;
    double stepsPerVolt;
    double holdSeconds;
    double manualSeconds;
    double steerSeconds;
    int rxSettleMs;
    int txSettleMs;
    int afterManualMs;
    int pollMs; // between two readings of the manual phase
};
constexpr VCOLimits VCOConstants{0.017492578125, 1.95, 2.05, 2.0, 1750.0, 2.0,
                                 20.0,           5.0,  100,  10,  1000,   100};

bool InVCOWindow(double volts);
// The coarse-value correction for a reading: the new value is the current one less this.
long VCODelta(double volts);

class VCOTuning : public TuneProcedure
{
public:
    VCOTuning(TuneScreen &screen, VCOView &view);

    // SetVCOTuningVoltage, the page's "Start".
    void StartClick();

    bool HoldsRadio() const override { return false; } // the run keeps navigation off
    void AbandonRun() override {}

    const std::string &results() const { return m_results; }

private:
    bool ManualPhase();
    bool Steer(const SteerPoint &point);
    bool SteerLoop(const SteerPoint &point, long current, bool &inWindow);
    bool Limit(const SteerPoint &point, long value);
    bool ReadVolts(double &volts);
    bool ReadSteerVolts(double &volts);
    bool Settle(const SteerPoint &point);
    bool Fail(const std::string &operation);
    void SteerAborted();
    // Shows the failed operation and ends the run; false, for the caller to return.
    bool FailRun(const std::string &operation);
    bool Abort(const std::string &text);
    void AddResult(const std::string &line);

    TuneScreen &m_screen;
    VCOView &m_view;
    std::string m_results;
    double m_lastVolts = 0.0;
    AlignLogEntry m_log;
};
