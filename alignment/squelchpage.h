#pragma once

// The "Squelch" page frame: thin, it shows what the procedure says and forwards clicks.

#include "squelchadjust.h"

#include <QFrame>

class QLabel;
class QPushButton;

class SquelchPage : public QFrame, public SquelchView
{
    Q_OBJECT

public:
    SquelchPage(TuneScreen &screen, QWidget *parent = nullptr);
    SquelchAdjust &procedure() { return m_procedure; }

    void setInstructions(const std::string &text) override;
    void setBandButton(int band, const std::string &caption, bool visible, bool enabled) override;
    void showAbort(bool visible) override;

private:
    QLabel *m_lblInstr;
    QPushButton *m_cmdBand[2];
    QPushButton *m_cmdAbort;
    SquelchAdjust m_procedure;
};
