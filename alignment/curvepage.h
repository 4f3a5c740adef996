#pragma once

// The "TX Power Curve" and "Mod Sense" page frames. Thin: they show what the step machine says
// and forward the clicks and the scroll bar's moves.

#include "curveadjust.h"

#include <QFrame>

class QLabel;
class QPushButton;
class QScrollBar;

class CurvePage : public QFrame, public CurveAdjustView
{
    Q_OBJECT

public:
    // prefix "Curve" or "Mod" names the controls (cmdCurveStart, hsbMod, ...).
    CurvePage(const CurveKind &kind, const QString &frameName, const QString &prefix,
              TuneScreen &screen, QWidget *parent = nullptr);
    CurveAdjust &procedure() { return m_procedure; }

    void setInstructions(const std::string &text) override;
    void setStartButton(const std::string &caption) override;
    void showRunControls(bool shown) override;
    void setScrollRange(int maximum) override;
    void setScrollValue(int value) override;
    int scrollValue() const override;
    void setValueLabel(const std::string &text) override;

private:
    QLabel *m_lblInstr;
    QPushButton *m_cmdStart;
    QPushButton *m_cmdAbort;
    QScrollBar *m_hsb;
    QLabel *m_lblCaption;
    QLabel *m_lblValue;
    CurveAdjust m_procedure;
};
