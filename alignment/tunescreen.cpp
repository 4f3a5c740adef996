#include "tunescreen.h"

#include "platform.h"

void TuneScreen::SetTuneMode(const std::string &code)
{
    FE = code == "FE";
    PC = code == "PC";
    HP = code == "HP";
    LP = code == "LP";
}

void TuneScreen::EnableTuneNavigation(bool enabled)
{
    if (navigation)
        navigation(enabled);
}

bool MayLeaveRun(TuneProcedure &procedure)
{
    if (!procedure.HoldsRadio())
        return true;
    // Leaving now would keep the test channel and the run's settings in the radio.
    const MsgAnswer answer = platform().dialogs->message(
        "An adjustment is in progress and the radio is still set up for it.\r\n"
        "Abort the adjustment and restore the radio's original settings?",
        "ABORT", MsgButtons::YesNo, MsgIcon::Question);
    if (answer != MsgAnswer::Yes)
        return false;
    procedure.AbandonRun();
    return !procedure.HoldsRadio();
}
