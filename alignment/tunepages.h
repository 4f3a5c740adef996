#pragma once

// The Tune screen's page frames. Thin: they show what the procedures say and forward clicks.

#include "freqadjust.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;

// "TX Frequency".
class FreqAdjustPage : public QFrame, public FreqAdjustView
{
    Q_OBJECT

public:
    FreqAdjustPage(TuneScreen &screen, QWidget *parent = nullptr);
    FreqAdjust &procedure() { return m_procedure; }

    void setInstructions(const std::string &text) override;
    void setEntry(const std::string &text, bool enabled) override;
    std::string entryText() const override;
    void focusEntry(int from) override;
    void setStartButton(const std::string &caption, bool enabled) override;
    void setQuitEnabled(bool enabled) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_lblInstr;
    QLineEdit *m_txtFreq;
    QPushButton *m_cmdStart;
    QPushButton *m_cmdQuit;
    FreqAdjust m_procedure;
};
