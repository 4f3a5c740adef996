#pragma once

// "ZPA Tessaro Tune": the modal alignment window with its seven pages.

#include "tunescreen.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QFrame;
class QPushButton;
class QTabBar;
class CurvePage;
class FreqAdjustPage;
class FrontEndPage;
class PowerLevelsPage;
class SquelchPage;
class VCOPage;

class TuneWindow : public QDialog
{
    Q_OBJECT

public:
    explicit TuneWindow(QWidget *parent = nullptr);

    void EnableTuneNavigation(bool enabled);
    void ShowTab(int index);
    void SetupTabPage(int index);
    void VCO_IM(const std::string &text);
    void VCO_MM(const std::string &text);

    TuneScreen &screen() { return m_screen; }

    // Opens the automatic alignment over the window; the "AutoTune..." button shows when set.
    static std::function<void(QWidget *)> autoTuneOpener;
    FreqAdjustPage &freqPage() { return *m_freqPage; }
    FrontEndPage &fePage() { return *m_fePage; }
    PowerLevelsPage &powerPage() { return *m_powerPage; }
    SquelchPage &squelchPage() { return *m_squelchPage; }
    CurvePage &curvePage() { return *m_curvePage; }
    CurvePage &modPage() { return *m_modPage; }

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool mayClose();
    void tabChanged(int index);
    void warningToggled(bool checked);
    void showLog();
    // The procedure of the shown page when it holds the radio; nullptr otherwise.
    TuneProcedure *runningProcedure() const;

    TuneScreen m_screen;
    QTabBar *m_tabTune;
    QCheckBox *m_chkWarning;
    QPushButton *m_cmdQuit;
    QPushButton *m_cmdLog;
    QPushButton *m_cmdAutoTune;
    VCOPage *m_vcoPage;
    FreqAdjustPage *m_freqPage;
    FrontEndPage *m_fePage;
    PowerLevelsPage *m_powerPage;
    SquelchPage *m_squelchPage;
    CurvePage *m_curvePage;
    CurvePage *m_modPage;
    std::array<QFrame *, 7> m_frames{};
    int m_shown = -1;
};
