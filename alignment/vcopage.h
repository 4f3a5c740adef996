#pragma once

// "VCO Tuning Voltage": the information line, the measurement line in its frame, "Start".

#include "vcotuning.h"

#include <QFrame>

class QLabel;
class QPushButton;

class VCOPage : public QFrame, public VCOView
{
    Q_OBJECT

public:
    VCOPage(TuneScreen &screen, QWidget *parent = nullptr);
    VCOTuning &procedure() { return m_procedure; }

    void VCO_IM(const std::string &text) override;
    void VCO_MM(const std::string &text) override;
    void showStart(bool visible) override;
    QSize sizeHint() const override;

private:
    QLabel *m_lblInfo;
    QFrame *m_fraMeasure;
    QLabel *m_lblMeasure;
    QPushButton *m_cmdStart;
    VCOTuning m_procedure;
};
