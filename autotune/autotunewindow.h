#pragma once

// "AutoTune": the set-up (test set address, profile, limits, pages), the live run with its
// one-line prompts, and the result table with "Save Report...". Thin: the runner does the work.

#include "autotunerunner.h"
#include "testsetopener.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

class AutoTuneWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AutoTuneWindow(AutoTuneHost host, QWidget *parent = nullptr);

    // Starts a run with the set-up shown; returns when it has ended.
    void startRun();
    void abortRun();
    bool running() const { return m_runner != nullptr; }
    const AutoTuneReport &report() const { return m_report; }
    // Saves the last report as PDF, CSV or JSON by the name's extension; false with a message.
    bool saveReport(const std::string &path);

    // The hand on T1 for a virtual bench (screenshots, demonstrations).
    std::function<void(double)> coil;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void browse(QLineEdit *field, const char *title, const char *filter);
    void findClicked();
    void showPoint(const PointResult &point);
    void fillTable(const std::vector<PointLimit> &points);
    void setRunning(bool running);
    void saveClicked();
    void printClicked();

    AutoTuneHost m_host;
    QLineEdit *m_txtInstrument;
    QComboBox *m_cboProfile;
    QLineEdit *m_txtLimits;
    std::array<QCheckBox *, AutoPageCount> m_chkPage{};
    QPushButton *m_cmdStart;
    QPushButton *m_cmdAbort;
    QPushButton *m_cmdSave;
    QPushButton *m_cmdPrint;
    QPushButton *m_cmdClose;
    QLabel *m_lblPrompt;
    QLabel *m_lblStatus;
    QProgressBar *m_prgPoints;
    QTableWidget *m_grdResults;
    AutoTuneRunner *m_runner = nullptr;
    AutoTuneReport m_report;
    bool m_closeAsked = false;
};

// Opens the AutoTune window modal over parent with the host's test sets.
void OpenAutoTune(QWidget *parent, const AutoTuneHost &host);
