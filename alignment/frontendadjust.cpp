#include "frontendadjust.h"

#include "alignmentcells.h"
#include "chanslot.h"
#include "eeprotocol.h"
#include "hextext.h"
#include "idletexts.h"
#include "linkstate.h"
#include "platform.h"
#include "testcommands.h"

namespace
{

constexpr const char *Procedure = "RX Front End";
constexpr const char *Handler = "cmdFEStart_Click";
constexpr const char *WaitText = "Please wait, talking to the unit.....";
constexpr const char *AdjustText =
    "1. Use the scroll bar's center slide control for course adjust.\r\n"
    "2. Use the scroll bar's arrows for fine adjust.\r\n"
    "3. Adjust the value for maximum sensitivity.\r\n"
    "4. Click 'Finish' below when finished.";
constexpr const char *CompleteText =
    "The Receiver Front End Tuning Slope adjustment is complete.  To tune\r\n"
    "another unit, complete all of the initial steps, then click 'Start' below\r\n"
    "and adjust the value for maximum sensitivity.";
constexpr const char *RangeText =
    "The initial Front End Slope value appears to be beyond the typical range      \r\n"
    "of adjustment.  A default value will be used to start with.      ";
constexpr const char *AbortQuestion = "Abort Front End Slope adjustment?      ";

const TuneChanRec TestChannel{173.995, "-", "000.0", 161.5, "-", "000.0"};

std::string FESHex(int value)
{
    return HexBytes({(value & 0xFF00) / 256, value & 0xFF});
}

} // namespace

FrontEndAdjust::FrontEndAdjust(TuneScreen &screen, FrontEndView &view)
    : m_screen(screen), m_view(view)
{
}

void FrontEndAdjust::SetupTabPage()
{
    if (m_adjusting)
        return;
    m_view.setInstructions(FrontEndIdleText() + Channel1Note());
    m_view.setStartCaption("Start");
    m_view.showAdjustControls(false);
}

void FrontEndAdjust::StartClick()
{
    if (m_adjusting)
        Finish();
    else
        Start();
}

void FrontEndAdjust::Start()
{
    m_screen.m_TestChan = TestChannel;
    m_view.setInstructions(WaitText);
    if (!g_bHooked && !HookTDFx()) {
        Reset({});
        return;
    }
    m_screen.EnableTuneNavigation(false);
    m_logging = true;
    m_log = AlignLogEntry{ReadUnitSerialNumber(), Procedure, {}, {}, {}};
    if (!GetChanDataFromUnit(0, 0, m_screen.m_OrigChan1, false))
        return CommError(1);
    int high = 0;
    int low = 0;
    if (!ReadFESValue(high, low))
        return CommError(2);
    m_saved = high * 256 + low;
    m_log.before = FESHex(m_saved);
    if (!WriteChanDataToUnit(0, 0, m_screen.m_TestChan, false))
        return CommError(3);
    UnhookRadio(true);
    if (!HookTDFx())
        return CommError(5);

    m_adjusting = true;
    m_view.setScrollRange(0, FrontEndRange.scrollMax);
    m_view.setStartCaption("Finish");
    int start = m_saved;
    if (start < FrontEndRange.lowest || start > FrontEndRange.highest) {
        platform().dialogs->message(RangeText, "VALUE RANGE ERROR", MsgButtons::Ok, MsgIcon::None);
        start = FrontEndRange.fallback;
    }
    m_screen.m_bSuppressScroll = true;
    m_view.setScrollValue(start);
    m_screen.m_bSuppressScroll = false;
    m_value = start;
    m_view.setValueText(ValueWithHex(start));
    m_view.showAdjustControls(true);
    if (!WriteValue(start))
        return CommError(6);
    if (!EnableRXPath())
        return CommError(7);
    m_view.setInstructions(AdjustText);
}

bool FrontEndAdjust::WriteValue(int value)
{
    if (!WriteFESValue((value & 0xFF00) / 256, value & 0xFF))
        return false;
    m_log.after = FESHex(value);
    return true;
}

void FrontEndAdjust::ScrollMoved(int value)
{
    m_view.setValueText(ValueWithHex(value));
    if (m_screen.m_bSuppressScroll || !m_adjusting)
        return;
    m_value = value;
    if (!WriteValue(value) || !EnableRXPath())
        AbortClick();
}

void FrontEndAdjust::Finish()
{
    m_view.setInstructions(WaitText);
    if (!WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false)) {
        // The hook error has been shown; the technician may try "Finish" again.
        m_view.setInstructions(AdjustText);
        return;
    }
    UnhookRadio(true);
    m_adjusting = false;
    m_screen.EnableTuneNavigation(true);
    m_view.setInstructions(CompleteText);
    m_view.setStartCaption("Start");
    m_view.showAdjustControls(false);
    m_log.result = "Completed";
    AppendAlignLog(m_log);
    m_logging = false;
}

void FrontEndAdjust::AbortClick()
{
    if (platform().dialogs->message(AbortQuestion, "ABORT", MsgButtons::OkCancel,
                                    MsgIcon::Question) != MsgAnswer::Ok)
        return;
    Abort();
}

void FrontEndAdjust::Abort()
{
    std::string result = "Aborted: radio not reached";
    if (g_bHooked) {
        result = "Aborted: value not restored";
        if (WriteValue(m_saved)) {
            result = WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false)
                         ? "Aborted"
                         : "Aborted: channel 1 not restored";
        }
    }
    Reset(result);
}

void FrontEndAdjust::CommError(int n)
{
    platform().dialogs->message("Comm Error " + std::to_string(n) + " in Sub '" + Handler +
                                    "', please try again.     ",
                                "COMM ERROR", MsgButtons::Ok, MsgIcon::Information);
    std::string result = "Failed: Comm Error " + std::to_string(n);
    if (n >= 2 && g_bHooked && !WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false))
        result += ", channel 1 not restored";
    Reset(result);
}

void FrontEndAdjust::Reset(const std::string &result)
{
    UnhookRadio(true);
    m_adjusting = false;
    m_screen.EnableTuneNavigation(true);
    m_view.setInstructions(FrontEndIdleText());
    m_view.setStartCaption("Start");
    m_view.showAdjustControls(false);
    if (m_logging) {
        m_log.result = result;
        AppendAlignLog(m_log);
        m_logging = false;
    }
}
