#include "squelchadjust.h"

#include "chanslot.h"
#include "eeprotocol.h"
#include "hextext.h"
#include "idletexts.h"
#include "linkstate.h"
#include "numtext.h"
#include "platform.h"
#include "testcommands.h"

#include <algorithm>

namespace
{

constexpr const char *FoundCaption = "Found 8 dB SINAD";
constexpr int FailedReading = -10000;
constexpr int SearchErrorNumber = 13; // a noise reading that did not come during the search

constexpr const char *LimitText = "The adjustment has reached its limit without finding\r\n"
                                  "the proper value.  Please verify the setup and make sure\r\n"
                                  "the squelch knob is on the detent, then try again.";
constexpr const char *SetupLines =
    "1. Connect an RF Signal Generator tuned to 155.100MHz, at 1mVrms.\r\n"
    "2. Use 3KHz Deviation for Wide band, 1.5 KHz for Narrow band.\r\n"
    "3. Leave the Squelch control wide open (fully clockwise).\r\n";

MsgAnswer Say(const std::string &text, const std::string &caption, MsgButtons buttons, MsgIcon icon)
{
    return platform().dialogs->message(text, caption, buttons, icon);
}

bool InGainRange(int gain)
{
    return gain >= 0 && gain <= 255;
}

} // namespace

std::string SquelchInstructions(int step)
{
    switch (step) {
    case 1:
        return std::string(
                   "1. Adjust the radio for rated audio output, then reduce the RF level until\r\n"
                   "      8dB SINAD is found.\r\n"
                   "2. It is highly recommended that some type of measurement settling or SINAD\r\n"
                   "      averaging is used, as the accuracy of the 8dB measurement is "
                   "critical.\r\n"
                   "3. Leave the Squelch control wide open (fully clockwise).\r\n"
                   "4. When 8dB SINAD is found click '") +
               FoundCaption + "' below and follow the next set of instructions.";
    case 2:
        return "Please be patient as the radio internally calibrates itself\r\n"
               "to the 8dB SINAD signal.";
    case 3:
        return std::string("The Preset Squelch adjustment has been completed.  To adjust another "
                           "unit please\r\n"
                           "      configure your test equipment as follows:\r\n") +
               SetupLines +
               "4. With the radio connected to the Comm Port, click the Squelch Adj below for \r\n"
               "      the desired band and follow the next set of instructions.";
    case 10:
        return "Please wait, talking to the unit.....";
    default:
        return SquelchIdleText();
    }
}

SquelchAdjust::SquelchAdjust(TuneScreen &screen, SquelchView &view) : m_screen(screen), m_view(view)
{
}

void SquelchAdjust::SetupTabPage()
{
    if (HoldsRadio())
        return;
    m_view.setInstructions(SquelchInstructions(0));
    for (int b = 0; b < 2; ++b)
        m_view.setBandButton(b, SquelchBands[b].caption, true, true);
    m_view.showAbort(false);
}

void SquelchAdjust::BandClick(int band)
{
    if (m_state == State::Idle)
        Begin(band);
    else if (m_state == State::Waiting && band == m_band)
        Calibrate();
}

bool SquelchAdjust::WriteGain(int cell, int value)
{
    return WriteEEByte(cell >> 8, cell & 0xFF, 0xFF, value);
}

void SquelchAdjust::Begin(int band)
{
    const SquelchBand &b = SquelchBands[band];
    m_band = band;
    m_gainRead = false;
    m_abortAsked = false;
    m_screen.m_TestChan = TuneChanRec{155.1, b.narrowFlag, "000.0", 161.5, "-", "000.0"};
    if (!g_bHooked && !HookTDFx()) {
        UnhookRadio(true);
        return;
    }
    m_view.setInstructions(SquelchInstructions(10));
    m_state = State::Waiting;
    m_logging = true;
    m_log = AlignLogEntry{ReadUnitSerialNumber(), std::string("Squelch ") + b.caption, {}, {}, {}};
    if (!GetChanDataFromUnit(0, 0, m_screen.m_OrigChan1, false))
        return CommError(1, false);
    for (int i = 0; i < 2; ++i) {
        std::vector<std::uint8_t> cell;
        if (!ReadMultiEEBytes(0, SquelchBands[i].cell, 1, cell))
            return CommError(2 + i, true);
        m_saved[i] = cell[0];
        if (i == band) {
            m_log.before = m_log.after = HexBytes({cell[0]});
            if (cell[0] == 0 || cell[0] == 0xFF)
                m_saved[i] = b.defaultGain;
            m_gain = m_saved[i];
            m_gainRead = true;
        }
    }
    if (!WriteChanDataToUnit(0, 0, m_screen.m_TestChan, false))
        return CommError(4, true);
    UnhookRadio(true);
    platform().clock->sleepMs(SquelchConstants.settleMs);
    if (!HookTDFx()) {
        Say("Unable to 'Hook' unit!", "COMM ERROR", MsgButtons::Ok, MsgIcon::None);
        return Reset("Failed: radio not hooked");
    }
    if (!EnableRXPath())
        return CommError(5, true);
    m_view.setInstructions(SquelchInstructions(1));
    m_view.setBandButton(1 - band, SquelchBands[1 - band].caption, false, true);
    m_view.setBandButton(band, FoundCaption, true, true);
    m_view.showAbort(true);
}

void SquelchAdjust::ShowGain(const std::string &lead, const char *tail)
{
    m_view.setInstructions(lead + HexText(static_cast<unsigned>(m_gain)) + tail);
}

bool SquelchAdjust::Interrupted()
{
    platform().clock->processEvents();
    return m_abortAsked;
}

void SquelchAdjust::Calibrate()
{
    m_state = State::Calibrating;
    // Nothing else on the screen may start while the loops run and pump events.
    m_screen.EnableTuneNavigation(false);
    m_view.setBandButton(m_band, FoundCaption, true, false);
    if (platform().serial != nullptr)
        platform().serial->discardInput();
    if (Initialise())
        Search();
}

bool SquelchAdjust::Initialise()
{
    const SquelchBand &b = SquelchBands[m_band];
    const std::string question =
        std::string(b.initLine) + "\r\nthe SINAD is at 8dB.\r\n\r\nTry again?";
    int counter = 0;
    for (;;) {
        ShowGain("Please be patient while the Squelch adjustment is initialized.....\r\n"
                 "(Squelch Gain set to: 0x",
                 ")");
        if (Interrupted()) {
            AbortRun();
            return false;
        }
        // A reading that did not come counts as a low one; the search reads again.
        if (ReadNoiseAverage() <= SquelchConstants.initDone)
            return true;
        if (!InGainRange(m_gain + SquelchConstants.initStep)) {
            if (Say(question, "INITIALIZE SQUELCH", MsgButtons::RetryCancel, MsgIcon::None) !=
                MsgAnswer::Retry) {
                Restore("Cancelled at the gain limit");
                return false;
            }
            counter = 0;
        }
        // At the limit the gain stays there rather than wrapping.
        m_gain = std::min(m_gain + SquelchConstants.initStep, 255);
        if (!WriteGain(b.cell, m_gain)) {
            CommError(9, true);
            return false;
        }
        m_log.after = HexBytes({m_gain});
        if (++counter > SquelchConstants.initTries) {
            if (Say(question, "INITIALIZE SQUELCH", MsgButtons::RetryCancel, MsgIcon::None) !=
                MsgAnswer::Retry) {
                CommError(10, true);
                return false;
            }
            counter = 0;
        }
    }
}

void SquelchAdjust::Search()
{
    const SquelchBand &b = SquelchBands[m_band];
    for (int steps = 0;; ++steps) {
        ShowGain(std::string(b.searchLine) + "\r\n" + b.gainLine, "");
        if (Interrupted())
            return AbortRun();
        const int reading = ReadNoiseAverage();
        if (reading == FailedReading)
            return CommError(SearchErrorNumber, true);
        if (reading == SquelchConstants.target)
            return Done();
        const int next = m_gain - 2 * (SquelchConstants.target - reading);
        if (!InGainRange(next) || steps >= SquelchConstants.searchSteps) {
            Say(LimitText, "ADJUSTMENT ERROR", MsgButtons::Ok, MsgIcon::Exclamation);
            return Restore("Failed: no value found");
        }
        m_gain = next;
        if (!WriteGain(b.cell, m_gain))
            return CommError(14, true);
        m_log.after = HexBytes({m_gain});
    }
}

void SquelchAdjust::Done()
{
    if (!WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false))
        return Reset("Failed: channel 1 not restored");
    Reset("Completed");
    m_view.setInstructions(SquelchInstructions(3));
    Say(SquelchBands[m_band].completion + HexText(static_cast<unsigned>(m_gain)) +
            ", adjustment complete.     ",
        "ADJUSTMENT COMPLETE", MsgButtons::Ok, MsgIcon::Information);
}

void SquelchAdjust::CommError(int n, bool restore)
{
    Say("Comm Error " + std::to_string(n) + " in Sub '" + SquelchBands[m_band].handler +
            "', please try again.     ",
        "COMM ERROR", MsgButtons::Ok, MsgIcon::Information);
    const std::string result = "Failed: Comm Error " + std::to_string(n);
    if (restore)
        Restore(result);
    else
        Reset(result);
}

void SquelchAdjust::Restore(const std::string &result)
{
    if (!g_bHooked && !HookTDFx())
        return Reset(result + ", not restored");
    const SquelchBand &b = SquelchBands[m_band];
    if (!WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false))
        return Reset(result + ", not restored");
    if (m_gainRead && WriteGain(b.cell, m_saved[m_band]))
        m_log.after = HexBytes({m_saved[m_band]});
    Reset(result);
}

void SquelchAdjust::AbortClick()
{
    if (Say("Abort Squelch adjustment?      ", "ABORT", MsgButtons::OkCancel, MsgIcon::Question) !=
        MsgAnswer::Ok)
        return;
    AbandonRun();
}

void SquelchAdjust::AbandonRun()
{
    // While the loops run, they notice the request between two readings.
    if (m_state == State::Calibrating)
        m_abortAsked = true;
    else if (m_state == State::Waiting)
        AbortRun();
}

void SquelchAdjust::AbortRun()
{
    std::string result = "Aborted: radio not reached";
    if (g_bHooked) {
        result = "Aborted: not restored";
        if (WriteGain(SquelchBands[0].cell, m_saved[0]) &&
            WriteGain(SquelchBands[1].cell, m_saved[1])) {
            m_log.after = HexBytes({m_saved[m_band]});
            if (WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false))
                result = "Aborted";
        }
    }
    Reset(result);
}

void SquelchAdjust::Reset(const std::string &result)
{
    UnhookRadio(true);
    m_state = State::Idle;
    m_abortAsked = false;
    m_screen.EnableTuneNavigation(true);
    SetupTabPage();
    m_view.setInstructions(SquelchInstructions(0) + Channel1Note());
    if (m_logging) {
        m_log.result = result;
        AppendAlignLog(m_log);
        m_logging = false;
    }
}
