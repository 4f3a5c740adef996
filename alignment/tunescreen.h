#pragma once

// State shared by the Tune screen's pages while the window lives, and what every page asks of
// the window around it.

#include "tunechanrec.h"

#include <functional>
#include <string>

struct TuneScreen {
    TuneChanRec m_OrigChan1; // the radio's own group 1 / channel 1, saved at a run's start
    TuneChanRec m_TestChan;  // test channel of the running procedure
    bool m_bSuppressScroll = false;
    bool FE = false;
    bool PC = false;
    bool HP = false;
    bool LP = false;

    // The window's tab strip and "Quit" together.
    std::function<void(bool)> navigation;

    // Clears the four mode flags and sets the one named "FE", "PC", "HP" or "LP".
    void SetTuneMode(const std::string &code);
    void EnableTuneNavigation(bool enabled);
};

// A page's procedure as the window sees it: whether a run now holds the radio on the test
// channel, and the page's own way back out of such a run.
class TuneProcedure
{
public:
    virtual ~TuneProcedure() = default;
    virtual bool HoldsRadio() const = 0;
    // Restores what the run changed, as the page's own quit would.
    virtual void AbandonRun() = 0;
};

// Asks whether to abort the run that holds the radio; true when it may be left.
bool MayLeaveRun(TuneProcedure &procedure);

// The line a page adds to its text when a run ended with the test channel still in channel 1,
// with its line break; empty otherwise.
std::string Channel1Note();
