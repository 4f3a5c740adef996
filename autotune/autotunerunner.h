#pragma once

// The automatic technician: runs the Tune pages' own step machines through the views the pages
// use, answering each wait for the technician from the test set's readings, then tests each
// point against its limits. Qt-free; the host reaches it through platform().

#include "autotunereport.h"
#include "pointlimits.h"
#include "testset.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// The pages in the Tune window's order.
enum class AutoPage { VCO, Frequency, PowerCurve, PowerLevels, ModSense, FrontEnd, Squelch };
constexpr int AutoPageCount = 7;

// "vco,frequency,2,squelch" (names or 1-based tab numbers, "all"): false with why when a name
// is unknown.
bool ParsePageList(const std::string &text, std::vector<AutoPage> &pages, std::string &why);
const char *AutoPageName(AutoPage page); // the list's name: "vco", "frequency", ...

// Every point of the chosen pages, in page order, with its limits.
std::vector<PointLimit> PointsOf(const std::vector<PointLimit> &limits,
                                 const std::vector<AutoPage> &pages);

enum class AbortCause { None, Button, WindowClosed, Interrupt };

class AutoTuneRunner
{
public:
    AutoTuneRunner(TestSet &set, std::vector<PointLimit> limits);

    // A line for the technician ("" clears it): a hand adjustment with its live reading.
    std::function<void(const std::string &)> onPrompt;
    // What the run is doing now.
    std::function<void(const std::string &)> onStatus;
    // A point has its verdict (or was left undone).
    std::function<void(const PointResult &)> onPoint;
    // The hand on T1 while the coil prompt stands, given the tuning voltage read; a virtual
    // bench answers it, a real bench leaves it empty.
    std::function<void(double volts)> onCoil;

    // Runs the pages in the given order; the radio is restored by each page's own way out.
    AutoTuneReport run(const std::vector<AutoPage> &pages);

    // Safe from a signal handler or the event loop: the running page aborts at its next step.
    void requestAbort(AbortCause cause) { m_abort.store(static_cast<int>(cause)); }
    bool abortRequested() const { return m_abort.load() != 0; }

    std::vector<PointLimit> pointsOf(const std::vector<AutoPage> &pages) const
    {
        return PointsOf(m_limits, pages);
    }

private:
    friend class PageRun;
    TestSet &m_set;
    std::vector<PointLimit> m_limits;
    std::atomic<int> m_abort{0};
};
