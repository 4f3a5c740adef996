#pragma once

// The "RX Front End" page frame: thin, it shows what the procedure says and forwards clicks.

#include "frontendadjust.h"

#include <QFrame>

class QLabel;
class QPushButton;
class QScrollBar;

class FrontEndPage : public QFrame, public FrontEndView
{
    Q_OBJECT

public:
    FrontEndPage(TuneScreen &screen, QWidget *parent = nullptr);
    FrontEndAdjust &procedure() { return m_procedure; }

    void setInstructions(const std::string &text) override;
    void setStartCaption(const std::string &caption) override;
    void showAdjustControls(bool visible) override;
    void setScrollRange(int minimum, int maximum) override;
    void setScrollValue(int value) override;
    void setValueText(const std::string &text) override;

private:
    QLabel *m_lblInstr;
    QPushButton *m_cmdStart;
    QPushButton *m_cmdAbort;
    QLabel *m_lblCaption;
    QLabel *m_lblValue;
    QScrollBar *m_hsb;
    FrontEndAdjust m_procedure;
};
