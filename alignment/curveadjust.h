#pragma once

// The "Mod Sense" and "TX Power Curve" pages: four measuring steps at the curve frequencies,
// each sending every scroll position to the radio, then the four values stored as a curve.
// One step machine; the pages differ by the table of their differences.

#include "alignlog.h"
#include "curvemath.h"
#include "tunescreen.h"

#include <string>

class CurveAdjustView
{
public:
    virtual ~CurveAdjustView() = default;
    virtual void setInstructions(const std::string &text) = 0;
    virtual void setStartButton(const std::string &caption) = 0;
    // The abort button, the scroll bar and the value labels together.
    virtual void showRunControls(bool shown) = 0;
    virtual void setScrollRange(int maximum) = 0;
    // Moves the scroll bar; a bar that reports the move calls ScrollChanged itself.
    virtual void setScrollValue(int value) = 0;
    virtual int scrollValue() const = 0;
    virtual void setValueLabel(const std::string &text) = 0;
};

struct CurveKind {
    const char *procedure;    // the page's title, for the log
    const char *clickHandler; // named in the Comm Error messages
    const char *abortQuestion;
    const char *subject; // "VCO Modulation Sensitivity Curve" / "TX Power Curve"
    int base;            // exponent base of the stored curve
    bool modulation;     // test source, re-hook between steps, deviation target
    int scrollMaximum;
    bool (*readCurve)(CurveBytes &);
    bool (*writeCurve)(const CurveBytes &);
    bool (*sendValue)(int);
};

extern const CurveKind ModSenseCurve;
extern const CurveKind PowerCurve;

// The instruction texts by step: 0 idle, 1..4 measuring, 5 done, 6 aborted, 10 talking.
std::string CurveInstructions(const CurveKind &kind, int step);

class CurveAdjust : public TuneProcedure
{
public:
    CurveAdjust(const CurveKind &kind, TuneScreen &screen, CurveAdjustView &view);

    void SetupTabPage();
    void StartClick();
    void AbortClick();
    // Every change of the scroll bar, by hand or by program.
    void ScrollChanged(int value);

    bool HoldsRadio() const override { return m_step > 0; }
    void AbandonRun() override;

    int step() const { return m_step; }
    const CurvePoints &seeds() const { return m_seeds; }
    const CurvePoints &values() const { return m_values; }

private:
    void Start();
    void NextStep();
    void Finish();
    // Puts the radio on the test channel of step k and applies its seed.
    bool SetUpStep(int k);
    bool Checked(bool ok);
    void ShowInstructions(int step);
    void SeedScroll(int value);
    void Restore();
    void Reset(int text);
    void EndLog(const std::string &result);

    const CurveKind &m_kind;
    TuneScreen &m_screen;
    CurveAdjustView &m_view;
    int m_step = 0;
    int m_commError = 0; // number of the last operation tried
    CurvePoints m_seeds{};
    CurvePoints m_values{};
    bool m_logging = false;
    AlignLogEntry m_log;
};
