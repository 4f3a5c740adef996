#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

// `frmFillSeries`: the start frequency and the step of a series filled into a frequency column.
class FillSeriesDialog : public QDialog
{
    Q_OBJECT

public:
    FillSeriesDialog(const QString &range, const QString &start, QWidget *parent = nullptr);

    QString start() const;
    QString step() const;

private:
    QLineEdit *m_txtFillStart = nullptr;
    QComboBox *m_cbFillStep = nullptr;
};
