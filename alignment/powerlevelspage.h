#pragma once

// The "TX Power Levels" page frame: thin, it shows what the procedure says and forwards the
// clicks and the scroll bar's change and drag events.

#include "powerlevels.h"

#include <QFrame>

class QLabel;
class QPushButton;
class QScrollBar;

class PowerLevelsPage : public QFrame, public PowerLevelsView
{
    Q_OBJECT

public:
    PowerLevelsPage(TuneScreen &screen, QWidget *parent = nullptr);
    PowerLevels &procedure() { return m_procedure; }

    void setInstructions(const std::string &text) override;
    void showSetButtons(bool visible) override;
    void showAdjustControls(bool visible) override;
    void setScrollValue(int value) override;
    void setValueText(const std::string &text) override;

private:
    QLabel *m_lblInstr;
    QPushButton *m_cmdHigh;
    QPushButton *m_cmdLow;
    QPushButton *m_cmdFinished;
    QLabel *m_lblCaption;
    QLabel *m_lblValue;
    QScrollBar *m_hsb;
    PowerLevels m_procedure;
};
