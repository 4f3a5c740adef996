#include "curveadjust.h"

#include "alignmentcells.h"
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

constexpr int TalkingStep = 10;
constexpr int DoneStep = 5;
constexpr int AbortedStep = 6;
constexpr int IdleStep = 0;
constexpr int RehookPauseMs = 500;
constexpr int PotMaximum = 255;
constexpr int DACMaximum = 1023;
constexpr int SentAs16Bits = 65535;

constexpr const char *NextCaptions[] = {"Start", "Go To Step 2", "Go To Step 3", "Go To Step 4",
                                        "Finish"};
const TuneChanRec TestChannel{161.25, "-", "000.0", CurveFreqs[0], "-", "000.0"};

bool SendPot(int value)
{
    return SetDigitalPotValue(0, value);
}

bool SendDAC(int value)
{
    return SetPowerCurveDAC(value, 0);
}

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += (text.empty() ? "" : "\r\n") + line;
    return text;
}

std::string PointList(const CurvePoints &values, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(values[static_cast<std::size_t>(i)]);
    return text;
}

} // namespace

const CurveKind ModSenseCurve{
    "Mod Sense",
    "cmdModStart_Click",
    "Abort VCO Modulation Sensitivity Curve adjustment?      ",
    "VCO Modulation Sensitivity Curve",
    ModCurveBase,
    true,
    PotMaximum,
    ReadModCurve,
    WriteModCurve,
    SendPot,
};
const CurveKind PowerCurve{
    "TX Power Curve",                         // procedure
    "cmdCurveStart_Click",                    // clickHandler
    "Abort TX Power Curve adjustment?      ", // abortQuestion
    "TX Power Curve",                         // subject
    PowerCurveBase,
    false,
    DACMaximum,
    ReadPowerCurve,
    WritePowerCurve,
    SendDAC,
};

std::string CurveInstructions(const CurveKind &kind, int step)
{
    const bool mod = kind.modulation;
    if (step == IdleStep)
        return mod ? ModSenseIdleText() : PowerCurveIdleText();
    if (step >= 1 && step <= 4) {
        const std::string head =
            "Step " + std::to_string(step) + " - " +
            FormatNumber(CurveFreqs[static_cast<std::size_t>(step - 1)], "###.000") + "Mhz:";
        const std::string last =
            std::string("4. Then click the '") + NextCaptions[step] + "' button when finished.";
        const std::string course =
            "1. Use the scroll bar's center slide control for course adjust.";
        const std::string fine = "2. Use the scroll bar's arrows for fine adjust.";
        if (mod)
            return Lines({head, course, fine, "3. Adjust the FM Deviation to 3.00 kHz.", last});
        return Lines({head, course, fine,
                      "3. Adjust the output power in each step to 5.00 watts - This",
                      "     will NOT set the overall output power of the radio - that",
                      "     is determined by the the TX Power Level.", last});
    }
    if (step == DoneStep) {
        if (mod)
            return Lines({"The unit's VCO Modulation Sensitivity Curve has been set.",
                          "Click the 'Start' button to begin again."});
        return Lines({"The unit's TX Power Curve has been set.  You may now check the TX output",
                      "power on any channel and use the TX Power Level Tab to make any "
                      "adjustments."});
    }
    if (step == AbortedStep)
        return Lines({"The previous adjustment has been aborted.  To try again, simply click",
                      "the 'Start' button."});
    return "Please wait, talking to the unit.....";
}

CurveAdjust::CurveAdjust(const CurveKind &kind, TuneScreen &screen, CurveAdjustView &view)
    : m_kind(kind), m_screen(screen), m_view(view)
{
}

void CurveAdjust::SetupTabPage()
{
    if (m_step > 0)
        return;
    m_view.setScrollRange(m_kind.scrollMaximum);
    m_view.showRunControls(false);
    ShowInstructions(IdleStep);
    m_view.setStartButton(NextCaptions[0]);
}

void CurveAdjust::ShowInstructions(int step)
{
    m_view.setInstructions(CurveInstructions(m_kind, step));
}

void CurveAdjust::StartClick()
{
    m_screen.m_TestChan = TestChannel;
    if (m_step == 0)
        Start();
    else if (m_step < 4)
        NextStep();
    else
        Finish();
}

bool CurveAdjust::Checked(bool ok)
{
    ++m_commError;
    if (ok)
        return true;
    platform().dialogs->message("Comm Error " + std::to_string(m_commError) + " in Sub '" +
                                    m_kind.clickHandler + "', please try again.     ",
                                "COMM ERROR", MsgButtons::Ok, MsgIcon::Information);
    EndLog("Failed: Comm Error " + std::to_string(m_commError));
    return false;
}

void CurveAdjust::SeedScroll(int value)
{
    // Seeding moves the bar without sending; the value sent follows once the radio transmits.
    m_screen.m_bSuppressScroll = true;
    m_view.setScrollValue(std::clamp(value, 0, m_kind.modulation ? PotMaximum : SentAs16Bits));
    m_view.setValueLabel(ValueWithHex(m_view.scrollValue()));
    m_screen.m_bSuppressScroll = false;
}

bool CurveAdjust::SetUpStep(int k)
{
    m_screen.m_TestChan.TxFreq = CurveFreqs[static_cast<std::size_t>(k)];
    if (!Checked(WriteChanDataToUnit(0, 0, m_screen.m_TestChan, false)))
        return false;
    SeedScroll(m_seeds[static_cast<std::size_t>(k)]);
    if (k == 0)
        m_view.showRunControls(true);
    return Checked(EnterTransparentTXMode()) &&
           (!m_kind.modulation || Checked(SelectTXTestSource(8))) &&
           Checked(m_kind.sendValue(m_view.scrollValue()));
}

void CurveAdjust::Start()
{
    if (!g_bHooked && !HookTDFx()) {
        UnhookRadio(true);
        Reset(IdleStep);
        return;
    }
    m_screen.EnableTuneNavigation(false);
    ShowInstructions(TalkingStep);
    m_commError = 0;
    m_values = {};
    m_logging = true;
    m_log = AlignLogEntry{{}, m_kind.procedure, {}, {}, {}};
    if (!Checked(GetChanDataFromUnit(0, 0, m_screen.m_OrigChan1, false))) {
        Reset(IdleStep);
        return;
    }
    m_step = 1;
    CurveBytes stored{};
    if (!Checked(m_kind.readCurve(stored))) {
        Restore();
        return;
    }
    m_log.serial = ReadUnitSerialNumber();
    m_log.before = HexBytes({stored.begin(), stored.end()});
    // Each curve decodes with the base it was stored with, so a step starts where the radio is.
    m_seeds = DecodeCurve(BuildVandermonde(CurveAbscissae), stored, m_kind.base);
    const int largest = *std::max_element(m_seeds.begin(), m_seeds.end());
    m_screen.m_bSuppressScroll = true;
    m_view.setScrollRange(
        m_kind.modulation ? PotMaximum : std::clamp(largest, m_kind.scrollMaximum, SentAs16Bits));
    m_screen.m_bSuppressScroll = false;
    if (!SetUpStep(0)) {
        Restore();
        return;
    }
    ShowInstructions(1);
    m_view.setStartButton(NextCaptions[1]);
}

void CurveAdjust::NextStep()
{
    const int k = m_step;
    ShowInstructions(TalkingStep);
    if (!Checked(ExitTransparentTXMode())) {
        Restore();
        return;
    }
    if (m_kind.modulation) {
        UnhookRadio(true);
        platform().clock->sleepMs(RehookPauseMs);
        if (!HookTDFx()) {
            platform().dialogs->message("Unable to 'Hook' unit!", "COMM ERROR", MsgButtons::Ok,
                                        MsgIcon::None);
            EndLog("Failed: radio not hooked again");
            Reset(IdleStep);
            return;
        }
    }
    m_values[static_cast<std::size_t>(k - 1)] = m_view.scrollValue();
    if (!SetUpStep(k)) {
        Restore();
        return;
    }
    m_step = k + 1;
    ShowInstructions(m_step);
    m_view.setStartButton(NextCaptions[m_step]);
}

void CurveAdjust::Finish()
{
    ShowInstructions(TalkingStep);
    if (!Checked(ExitTransparentTXMode())) {
        Restore();
        return;
    }
    m_values[3] = m_view.scrollValue();
    const auto bytes = EncodeCurve(m_values, m_kind.base);
    if (!bytes) {
        // The radio's curve keeps its contents; channel 1 comes back as after a failure.
        platform().dialogs->message(
            std::string("The ") + m_kind.subject + " for the values " + PointList(m_values, 4) +
                " cannot be stored:\r\na coefficient of its curve needs more than 16 bits.  "
                "Please check the readings and try again.",
            "RANGE ERROR", MsgButtons::Ok, MsgIcon::Exclamation);
        EndLog("Failed: values " + PointList(m_values, 4) + " out of range");
        Restore();
        return;
    }
    if (!Checked(m_kind.writeCurve(*bytes))) {
        Restore();
        return;
    }
    m_log.after = HexBytes({bytes->begin(), bytes->end()});
    if (!WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false)) {
        EndLog("Failed: values " + PointList(m_values, 4) + " stored, channel 1 not restored");
        Reset(IdleStep);
        return;
    }
    EndLog("Completed: values " + PointList(m_values, 4));
    Reset(DoneStep);
}

void CurveAdjust::Restore()
{
    if (g_bHooked)
        WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false);
    Reset(IdleStep);
}

void CurveAdjust::Reset(int text)
{
    UnhookRadio(true);
    m_step = 0;
    m_screen.EnableTuneNavigation(true);
    m_view.setInstructions(CurveInstructions(m_kind, text) + Channel1Note());
    m_view.setStartButton(NextCaptions[0]);
    m_view.showRunControls(false);
    EndLog("Failed");
}

void CurveAdjust::EndLog(const std::string &result)
{
    if (!m_logging)
        return;
    m_log.result = result;
    AppendAlignLog(m_log);
    m_logging = false;
}

void CurveAdjust::AbortClick()
{
    if (m_step == 0)
        return;
    const MsgAnswer answer = platform().dialogs->message(m_kind.abortQuestion, "ABORT",
                                                         MsgButtons::OkCancel, MsgIcon::Question);
    if (answer != MsgAnswer::Ok)
        return;
    AbandonRun();
}

void CurveAdjust::AbandonRun()
{
    if (g_bHooked) {
        ExitTransparentTXMode();
        WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false);
    }
    m_values[static_cast<std::size_t>(m_step - 1)] = m_view.scrollValue();
    EndLog("Aborted: values " + PointList(m_values, m_step));
    Reset(AbortedStep);
}

void CurveAdjust::ScrollChanged(int value)
{
    m_view.setValueLabel(ValueWithHex(value));
    if (m_screen.m_bSuppressScroll || m_step == 0)
        return;
    if (!m_kind.sendValue(value))
        AbortClick();
}
