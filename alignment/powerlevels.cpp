#include "powerlevels.h"

#include "alignmentcells.h"
#include "appsettings.h"
#include "chanslot.h"
#include "eeprotocol.h"
#include "hextext.h"
#include "idletexts.h"
#include "linkstate.h"
#include "platform.h"
#include "testcommands.h"

namespace
{

constexpr const char *Procedure = "TX Power Levels";
constexpr const char *ReadFailText = "A Comm Error occurred attempting to read the\r\n"
                                     "initial power set data from the unit.\r\n"
                                     "Please check the radio and try again .";
constexpr const char *LostText = "The original data for Channel 1 has been lost.      \r\n"
                                 "You will need to restore the Channel 1 data with      \r\n"
                                 "the editor, then attempt to reset the TX Power Levels.      ";
constexpr const char *ExitFailText =
    "A COMM ERROR occurred in sub routine 'ExitTransparentTXMode'.      ";
constexpr const char *RetryTail = "sure the unit is connected to the Comm Port      \r\n"
                                  "turned on, then try again.";
constexpr const char *RestoreHigh =
    "restore      \r\nthe original High Power value.  Please make      \r\n";
constexpr const char *RestoreLow =
    "restore      \r\nthe original Low Power value.  Please make      \r\n";
constexpr const char *StoreLow = "store      \r\nthe new Low Power value.  Please make      \r\n";

const TuneChanRec TestChannel{161.25, "-", "000.0", 155.5, "-", "000.0"};

MsgAnswer Ask(const std::string &text, const std::string &caption, MsgButtons buttons, MsgIcon icon)
{
    return platform().dialogs->message(text, caption, buttons, icon);
}

std::string AdjustText(const PowerRun &run)
{
    return std::string("1. Use the scroll bar's center slide control for course adjust.\r\n"
                       "2. Use the scroll bar's arrows for fine adjust.\r\n") +
           run.target + "\r\n4. Then click the 'Finished/Quit' button when finished.";
}

} // namespace

PowerLevels::PowerLevels(TuneScreen &screen, PowerLevelsView &view) : m_screen(screen), m_view(view)
{
}

void PowerLevels::SetupTabPage()
{
    if (HoldsRadio())
        return;
    m_view.setInstructions(PowerLevelsIdleText());
    m_view.showSetButtons(true);
    m_view.showAdjustControls(false);
}

bool PowerLevels::WriteHigh(int value)
{
    if (!WriteHighPowerDAC(value, false))
        return false;
    m_cells[0] = value;
    return true;
}

bool PowerLevels::WriteLow(int value)
{
    if (!WriteLowPowerDAC(value, false))
        return false;
    m_cells[1] = value;
    return true;
}

void PowerLevels::Start(const PowerRun &run)
{
    m_run = &run;
    m_screen.m_TestChan = TestChannel;
    if (!g_bHooked && !HookTDFx()) {
        UnhookRadio(true);
        CommError(1);
        return;
    }
    m_logging = true;
    m_log = AlignLogEntry{
        ReadUnitSerialNumber(), std::string(Procedure) + (run.high ? " HIGH" : " LOW"), {}, {}, {}};
    (run.high ? m_highInProgress : m_lowInProgress) = true;
    m_view.showSetButtons(false);
    m_screen.EnableTuneNavigation(false);
    if (!GetChanDataFromUnit(0, 0, m_screen.m_OrigChan1, false)) {
        CommError(1);
        return;
    }
    m_savedHigh = ReadHighPowerDAC(false);
    m_savedLow = ReadLowPowerDAC(false);
    if (m_savedHigh < 0 || m_savedLow < 0) {
        Ask(ReadFailText, "COMM ERROR", MsgButtons::Ok, MsgIcon::None);
        Reset("Failed: power values not read");
        return;
    }
    m_cells[0] = m_savedHigh;
    m_cells[1] = m_savedLow;
    m_log.before = HexBytes({m_savedHigh, m_savedLow});
    m_value = run.high ? m_savedHigh : m_savedLow;
    // Both cells hold the value under adjustment, whichever one the radio transmits with.
    int failed = 0;
    if (run.high) {
        if (!WriteLow(m_value))
            failed = 2;
        else if (!EnterTransparentTXMode())
            failed = 3;
        else if (!WriteChanDataToUnit(0, 0, m_screen.m_TestChan, false))
            failed = 4;
        else if (!EnterTransparentTXMode())
            failed = 5;
    } else {
        if (!WriteChanDataToUnit(0, 0, m_screen.m_TestChan, false))
            failed = 2;
        else if (!WriteHigh(m_value))
            failed = 3;
        else if (!WriteHigh(m_value))
            failed = 4;
        else if (!EnterTransparentTXMode())
            failed = 5;
    }
    if (failed) {
        CommError(failed);
        return;
    }
    m_screen.SetTuneMode(run.mode);
    m_view.setInstructions(AdjustText(run));
    m_view.setValueText(ValueWithHex(m_value));
    m_screen.m_bSuppressScroll = true;
    m_view.setScrollValue(m_value);
    m_screen.m_bSuppressScroll = false;
    m_view.showAdjustControls(true);
}

void PowerLevels::CommError(int n)
{
    Ask("Comm Error " + std::to_string(n) + " in Sub '" + m_run->handler +
            "', please try again.     ",
        "COMM ERROR", MsgButtons::Ok, MsgIcon::Information);
    if (n == 1)
        Reset("Failed: Comm Error 1");
    else
        RollBack();
}

void PowerLevels::RollBack()
{
    if (!g_bHooked && !HookTDFx()) {
        Ask(LostText, ProgramTitle, MsgButtons::Ok, MsgIcon::None);
        Reset("Failed: channel 1 and power values lost");
        return;
    }
    const bool restored = WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false) &&
                          WriteHigh(m_savedHigh) && WriteLow(m_savedLow);
    Reset(restored ? "Failed: restored" : "Failed: not restored");
}

void PowerLevels::ScrollChange(int value)
{
    m_view.setValueText(ValueWithHex(value));
    if (m_screen.m_bSuppressScroll)
        return;
    m_value = value;
    if (!HoldsRadio())
        return;
    if (!WriteHigh(value) || !WriteLow(value) || !EnterTransparentTXMode())
        FinishedClick();
}

void PowerLevels::ScrollDrag(int value)
{
    m_view.setValueText(ValueWithHex(value));
    if (m_screen.m_bSuppressScroll)
        return;
    m_value = value;
    if (!m_screen.HP && !m_screen.LP)
        return;
    if (!WriteHigh(value) || !EnterTransparentTXMode())
        FinishedClick();
}

bool PowerLevels::Persist(bool high, int value, const char *what)
{
    while (!(high ? WriteHigh(value) : WriteLow(value))) {
        if (Ask(std::string("A Comm Error occured attempting to ") + what + RetryTail, "COMM ERROR",
                MsgButtons::OkCancel, MsgIcon::Exclamation) != MsgAnswer::Ok)
            return false;
    }
    return true;
}

void PowerLevels::Finish(bool ask)
{
    if (!HoldsRadio())
        return;
    const bool high = m_highInProgress;
    m_highInProgress = m_lowInProgress = false;
    std::string result = "Failed: transmit mode not left";
    if (!ExitTransparentTXMode()) {
        Ask(ExitFailText, "COMM ERROR", MsgButtons::Ok, MsgIcon::Exclamation);
    } else if (high ? Persist(false, m_savedLow, RestoreLow)
                    : Persist(true, m_savedHigh, RestoreHigh)) {
        const int saved = high ? m_savedHigh : m_savedLow;
        bool keep = false;
        if (m_value != saved && ask)
            keep = Ask("Save this value before quitting?", "Save", MsgButtons::YesNo,
                       MsgIcon::Question) == MsgAnswer::Yes;
        bool done = true;
        if (m_value != saved && !keep)
            done = Persist(high, saved, high ? RestoreHigh : RestoreLow);
        else if (keep && !high)
            done = Persist(false, m_value, StoreLow);
        result = !done  ? "Cancelled: value not written"
                 : keep ? "Completed: new value saved"
                        : "Completed: value unchanged";
    } else {
        result = "Cancelled: other value not restored";
    }
    if (!WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false))
        result += ", channel 1 not restored";
    Reset(result);
}

void PowerLevels::Reset(const std::string &result)
{
    UnhookRadio(true);
    m_highInProgress = m_lowInProgress = false;
    m_screen.SetTuneMode({});
    m_view.showSetButtons(true);
    m_view.showAdjustControls(false);
    m_screen.EnableTuneNavigation(true);
    m_view.setInstructions(PowerLevelsIdleText() + Channel1Note());
    if (m_logging) {
        m_log.after = HexBytes({m_cells[0], m_cells[1]});
        m_log.result = result;
        AppendAlignLog(m_log);
        m_logging = false;
    }
}
