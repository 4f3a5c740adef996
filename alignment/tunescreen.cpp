#include "tunescreen.h"

#include "chanslot.h"
#include "platform.h"

namespace
{

constexpr const char *TestChannelLeftText =
    "Channel 1 still holds the test channel: write Group 1 back from your data file with the "
    "editor, or run this page again.";

} // namespace

std::string Channel1Note()
{
    return TestChannelLeft() ? std::string("\r\n") + TestChannelLeftText : std::string();
}

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
    // The window closes now, and the page's text with it.
    if (TestChannelLeft())
        platform().dialogs->message(TestChannelLeftText, "ABORT", MsgButtons::Ok,
                                    MsgIcon::Exclamation);
    return !procedure.HoldsRadio();
}
