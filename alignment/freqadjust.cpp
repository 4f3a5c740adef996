#include "freqadjust.h"

#include "alignmentcells.h"
#include "appsettings.h"
#include "chanslot.h"
#include "eeprotocol.h"
#include "idletexts.h"
#include "linkstate.h"
#include "numtext.h"
#include "platform.h"
#include "testcommands.h"

namespace
{

constexpr double NominalHz = 173995000.0;
constexpr double LowestMHz = 173.985;
constexpr double AboveHighestMHz = 174.005;
constexpr const char *IdleEntry = "173.995000";
constexpr int SelectFrom = 6;
constexpr const char *Procedure = "TX Frequency";

constexpr const char *WaitText = "Please wait.....  Talking to the radio.";
constexpr const char *MeasureText =
    "Set the unit to Group 1, Channel 1, key the transmitter and enter\r\n"
    "the frequency in MHz, as read from your Frequency Counter or Service\r\n"
    "Monitor, to at least 5 decimal places.  When you are ready to continue,\r\n"
    "click 'Finish' below.";
constexpr const char *CompletedText =
    "Frequency adjust completed.  You may click 'Start' below to repeat the\r\n"
    "procedure, or click 'Quit' below to close the 'Tune' window.";
constexpr const char *AbortedText = "Frequency adjust aborted.  Click 'Start' below to try again.";
constexpr const char *RangeText = "The value you entered is beyond the usable range\r\n"
                                  "of the adjusment.  Please make sure the radio is\r\n"
                                  "on Group 1, Channel 1, and try again.";
const std::string LostText = std::string("The original frequency adjust values as well ") +
                             "as data for Channel 1 have been lost.\r\n" +
                             "You will need to restore the Channel 1 data ";
constexpr const char *LostInEditor = "with the editor, then attempt to reset the TX Power Levels.";
constexpr const char *LostManually = "manually, then attempt to reset the TX Power Levels.";

const TuneChanRec TestChannel{161.25, "-", "000.0", 173.995, "L", "000.0"};

MsgAnswer Say(const std::string &text, const std::string &caption, MsgIcon icon)
{
    return platform().dialogs->message(text, caption, MsgButtons::Ok, icon);
}

} // namespace

long FreqAdjustValue(double measuredHz)
{
    return static_cast<long>(
        RoundHalfEven((NominalHz - measuredHz) / NominalHz * 1000000.0 * 512.0));
}

FreqAdjBytes FreqAdjustBytes(long value)
{
    // Two's complement, high byte first (the shift is arithmetic).
    return {static_cast<int>(((value & ~0xFFL) >> 8) & 0xFF), static_cast<int>(value & 0xFF)};
}

bool InFreqAdjustRange(double mhz)
{
    return mhz >= LowestMHz && mhz < AboveHighestMHz;
}

FreqAdjust::FreqAdjust(TuneScreen &screen, FreqAdjustView &view) : m_screen(screen), m_view(view) {}

void FreqAdjust::SetupTabPage()
{
    // A run in progress keeps its own texts.
    if (m_measuring)
        return;
    m_view.setInstructions(TXFrequencyIdleText());
    m_view.setEntry(IdleEntry, false);
    m_view.setQuitEnabled(false);
}

void FreqAdjust::StartFinishClick()
{
    if (m_measuring)
        Finish();
    else
        Start();
}

void FreqAdjust::Talking()
{
    m_screen.EnableTuneNavigation(false);
    m_view.setStartButton(m_measuring ? "Finish" : "Start", false);
    m_view.setQuitEnabled(false);
    m_view.setInstructions(WaitText);
}

void FreqAdjust::Start()
{
    m_screen.m_TestChan = TestChannel;
    Talking();
    if (!HookTDFx()) {
        Reset(AbortedText, {});
        return;
    }
    m_logging = true;
    m_log = AlignLogEntry{ReadUnitSerialNumber(), Procedure, {}, {}, {}};
    if (!GetChanDataFromUnit(0, 0, m_screen.m_OrigChan1, false)) {
        Reset(AbortedText, "Failed: channel 1 could not be read");
        return;
    }
    m_view.setInstructions(MeasureText);
    m_measuring = true;
    if (!ReadFreqAdjValues(m_savedHigh, m_savedLow)) {
        RollBack();
        return;
    }
    m_log.before = HexBytes({m_savedHigh, m_savedLow});
    // The radio transmits uncorrected while the counter is read.
    if (!WriteFreqAdjValues(0, 0) || !WriteChanDataToUnit(0, 0, m_screen.m_TestChan, false)) {
        RollBack();
        return;
    }
    UnhookRadio(true);
    m_view.setQuitEnabled(true);
    m_screen.EnableTuneNavigation(true);
    m_view.setStartButton("Finish", true);
    m_view.setEntry(m_view.entryText(), true);
    m_view.focusEntry(SelectFrom);
}

void FreqAdjust::Finish()
{
    const std::string text = m_view.entryText();
    if (text.empty()) {
        m_view.focusEntry(-1);
        return;
    }
    const double mhz = NumericValue(text);
    if (!InFreqAdjustRange(mhz)) {
        Say(RangeText, "RANGE ERROR", MsgIcon::Exclamation);
        m_view.setEntry({}, true);
        m_view.focusEntry(-1);
        return;
    }
    m_measuredHz = NumericValue(FormatNumber(mhz, "###.00000")) * 1000000.0;
    m_adjustValue = FreqAdjustValue(m_measuredHz);
    const FreqAdjBytes bytes = FreqAdjustBytes(m_adjustValue);

    Talking();
    if (!HookTDFx()) {
        RollBack();
        return;
    }
    if (!WriteFreqAdjValues(bytes.high, bytes.low)) {
        Say("Unable to contact radio, please try again", "COMM ERROR", MsgIcon::None);
        RollBack();
        return;
    }
    UnhookRadio(true);
    if (!WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false)) {
        Say("Unable to contact radio, please try again", "COMM ERROR", MsgIcon::None);
        m_log.before += " (adjust " + HexBytes({bytes.high, bytes.low}) + " written)";
        RollBack();
        return;
    }
    UnhookRadio(true);
    m_log.after = HexBytes({bytes.high, bytes.low});
    Reset(CompletedText, "Completed");
}

void FreqAdjust::RollBack()
{
    if (!g_bHooked && !HookTDFx()) {
        Say(LostText + LostInEditor, ProgramTitle, MsgIcon::None);
        Reset(AbortedText, "Failed: channel 1 and adjust lost");
        return;
    }
    std::string result = "Failed: channel 1 not restored";
    if (WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false)) {
        result = "Failed: channel 1 restored, adjust not restored";
        if (!m_log.before.empty() && WriteFreqAdjValues(m_savedHigh, m_savedLow)) {
            m_log.after = m_log.before;
            result = "Failed: restored";
        }
    }
    Reset(AbortedText, result);
}

void FreqAdjust::QuitClick()
{
    if (!m_measuring)
        return;
    Talking();
    std::string result = "Aborted: channel 1 and adjust lost";
    if (HookTDFx()) {
        result = "Aborted: channel 1 not restored";
        if (WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false)) {
            result = "Aborted: adjust not restored";
            if (WriteFreqAdjValues(m_savedHigh, m_savedLow)) {
                m_log.after = m_log.before;
                result = "Aborted";
            }
        }
    } else {
        Say(LostText + LostManually, ProgramTitle, MsgIcon::None);
    }
    Reset(AbortedText, result);
}

void FreqAdjust::Reset(const std::string &text, const std::string &result)
{
    UnhookRadio(true);
    m_measuring = false;
    m_view.setEntry(IdleEntry, false);
    m_view.setQuitEnabled(false);
    m_view.setStartButton("Start", true);
    m_screen.EnableTuneNavigation(true);
    m_view.setInstructions(text + Channel1Note());
    if (m_logging) {
        m_log.result = result;
        AppendAlignLog(m_log);
        m_logging = false;
    }
}
