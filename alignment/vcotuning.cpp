#include "vcotuning.h"

#include "alignmentcells.h"
#include "appsettings.h"
#include "chanslot.h"
#include "eeprotocol.h"
#include "hextext.h"
#include "linkstate.h"
#include "numtext.h"
#include "platform.h"
#include "testcommands.h"

namespace
{

constexpr const char *Procedure = "VCO Tuning Voltage";
constexpr const char *AbortedText =
    "Process aborted...  Set the unit to Channel 1 and click 'Start' below.";
constexpr const char *SteerAbortedText =
    "Process aborted - Place unit on Group 1, Channel 1 and click 'Start' below.";
constexpr const char *CompleteText =
    "VCO Tuning Voltage Adjust complete, to adjust another unit      \r\n"
    "set it to Group 1, Channel 1 and connect it as before.      ";
constexpr const char *RestoreFailText =
    "A Comm Error occurred while attempting to restore      \r\n"
    "Channel 1 settings.  Please read and verify that      \r\n"
    "your settings are correct.      ";
constexpr const char *RetryTail =
    " seconds has elapsed and\r\ntuning voltage is not in range!\r\n\r\n"
    "Do you wish to retry?";
constexpr double ManualMHz = 136.0;
constexpr int A2DSamples = 20;
constexpr int A2DChannel = 5;
constexpr long Failed = -1000000;

const TuneChanRec StartChannel{136.0, "-", "000.0", 173.995, "L", "000.0"};

MsgAnswer Say(const std::string &text, const std::string &caption, MsgButtons buttons, MsgIcon icon)
{
    return platform().dialogs->message(text, caption, buttons, icon);
}

bool AskRetry(const std::string &text, const std::string &caption)
{
    return Say(text, caption, MsgButtons::RetryCancel, MsgIcon::Information) == MsgAnswer::Retry;
}

double Now()
{
    return platform().clock->seconds();
}

void Wait(int ms)
{
    platform().clock->processEvents();
    platform().clock->sleepMs(ms);
}

std::string Volts(double v, const char *pattern = "##.000")
{
    return FormatNumber(v, pattern);
}

std::string ResultLine(bool tx, double mhz, double v)
{
    return std::string("Tuning Voltage (") + (tx ? "TX" : "RX") + ") @ " +
           FormatNumber(mhz, "###.000") + "MHz = " + Volts(v) + "VDC";
}

std::string CoarseHex()
{
    std::vector<int> bytes;
    for (const SteerPoint &p : SteerPoints) {
        const long value = GetVCOCourseTuneCurveValues(p.path, p.point);
        if (value == Failed)
            return {};
        bytes.push_back(static_cast<int>((value >> 8) & 0xFF));
        bytes.push_back(static_cast<int>(value & 0xFF));
    }
    return HexBytes(bytes);
}

} // namespace

bool InVCOWindow(double volts)
{
    return volts >= VCOConstants.lowest && volts <= VCOConstants.highest;
}

long VCODelta(double volts)
{
    return static_cast<long>(
        RoundHalfEven((VCOConstants.target - volts) * VCOConstants.stepsPerVolt));
}

VCOTuning::VCOTuning(TuneScreen &screen, VCOView &view) : m_screen(screen), m_view(view) {}

bool VCOTuning::ReadVolts(double &volts)
{
    const int counts = ReadA2DVal(A2DSamples, A2DChannel);
    volts = counts * VCOConstants.voltsPerCount;
    return counts != -1000;
}

bool VCOTuning::ReadSteerVolts(double &volts)
{
    // A reading lost while steering ends the run.
    if (ReadVolts(volts))
        return true;
    Fail("ReadA2DVal");
    SteerAborted();
    return false;
}

bool VCOTuning::Fail(const std::string &operation)
{
    Say("A Comm Error in sub '" + operation + "'.", "COMM ERROR", MsgButtons::Ok, MsgIcon::None);
    return false;
}

bool VCOTuning::FailRun(const std::string &operation)
{
    Fail(operation);
    return Abort(AbortedText);
}

void VCOTuning::SteerAborted()
{
    m_view.VCO_IM(SteerAbortedText);
}

void VCOTuning::AddResult(const std::string &line)
{
    m_results += (m_results.empty() ? "" : "\r\n") + line;
}

void VCOTuning::StartClick()
{
    m_results.clear();
    m_screen.m_TestChan = StartChannel;
    m_view.showStart(false);
    m_screen.EnableTuneNavigation(false);
    m_view.VCO_IM("Please wait, talking to unit.....");
    if (!HookTDFx()) {
        UnhookRadio(true);
        m_screen.EnableTuneNavigation(true);
        m_view.showStart(true);
        return;
    }
    m_log = AlignLogEntry{ReadUnitSerialNumber(), Procedure, CoarseHex(), {}, {}};
    if (!GetChanDataFromUnit(0, 0, m_screen.m_OrigChan1, false)) {
        FailRun("GetChanDataFromUnit");
        return;
    }
    if (!WriteChanDataToUnit(0, 0, m_screen.m_TestChan, false)) {
        FailRun("WriteChanDataToUnit");
        return;
    }
    if (!ManualPhase())
        return;
    for (const SteerPoint &p : SteerPoints) {
        m_view.VCO_IM(std::string("Setting unit to ") + (p.tx ? "transmit" : "receive") + " @ " +
                      FormatNumber(p.mhz, "###.000") + "MHz");
        (p.tx ? m_screen.m_TestChan.TxFreq : m_screen.m_TestChan.RxFreq) = p.mhz;
        if (!WriteChanDataToUnit(0, 0, m_screen.m_TestChan, false)) {
            FailRun("WriteChanDataToUnit");
            return;
        }
        if (!Steer(p)) {
            if (!p.tx)
                Fail(p.routine);
            Abort(AbortedText);
            return;
        }
    }
    if (!WriteChanDataToUnit(0, 0, m_screen.m_OrigChan1, false)) {
        Say(RestoreFailText, "COMM ERROR", MsgButtons::Ok, MsgIcon::None);
        Abort(AbortedText);
        return;
    }
    m_log.after = CoarseHex();
    UnhookRadio(true);
    m_screen.EnableTuneNavigation(true);
    m_view.VCO_IM(CompleteText);
    m_view.VCO_MM(m_results);
    m_view.showStart(true);
    m_log.result = "Completed";
    AppendAlignLog(m_log);
}

bool VCOTuning::ManualPhase()
{
    for (;;) {
        m_view.VCO_IM("Adjust T1 for " + FormatNumber(VCOConstants.lowest, "0.0") + "VDC to " +
                      FormatNumber(VCOConstants.highest, "0.0") + "VDC as read below.....");
        if (!EnableRXPath())
            return FailRun("EnableRXPath");
        double t0 = Now();
        double v = 0.0;
        for (bool held = false; !held;) {
            if (!ReadVolts(v))
                return FailRun("ReadA2DVal");
            m_view.VCO_MM("Tuning Voltage = " + Volts(v) + "VDC");
            // The coil must keep the voltage in the window for the whole hold time.
            for (const double t1 = Now(); InVCOWindow(v) && !held;) {
                Wait(VCOConstants.pollMs);
                if (!ReadVolts(v))
                    return FailRun("ReadA2DVal");
                m_view.VCO_MM("Tuning Voltage = " + Volts(v) + "VDC - IN RANGE!  Please HOLD!");
                held = InVCOWindow(v) && Now() - t1 >= VCOConstants.holdSeconds;
            }
            if (held)
                break;
            if (Now() - t0 > VCOConstants.manualSeconds) {
                if (!AskRetry("20" + std::string(RetryTail), "TIME OUT"))
                    return Abort(AbortedText);
                t0 = Now();
            }
            Wait(VCOConstants.pollMs);
        }
        Say("Manual adjustment is complete - DO NOT adjust T1 any further.", ProgramTitle,
            MsgButtons::Ok, MsgIcon::Information);
        platform().clock->sleepMs(VCOConstants.afterManualMs);
        if (!ReadVolts(v))
            return FailRun("ReadA2DVal");
        if (InVCOWindow(v)) {
            AddResult(ResultLine(false, ManualMHz, v));
            return true;
        }
        if (!AskRetry("The tuning voltage is outside of the range\r\nafter the adjustment period "
                      "was over!\r\n\r\nDo you wish to retry?",
                      "TUNING VOLTAGE ADJUSTMENT")) {
            Abort("An ERROR occurred manually setting VCO Steering Voltage in Receive at " +
                  FormatNumber(ManualMHz, "###.000") + "MHz");
            return false;
        }
    }
}

bool VCOTuning::Settle(const SteerPoint &point)
{
    if (point.tx) {
        if (!EnterTransparentTXMode())
            return Fail("EnterTransparentTXMode");
        platform().clock->sleepMs(VCOConstants.txSettleMs);
        return true;
    }
    if (!EnableRXPath()) {
        Fail("EnableRXPath");
        SteerAborted();
        return false;
    }
    platform().clock->sleepMs(VCOConstants.rxSettleMs);
    return true;
}

bool VCOTuning::Steer(const SteerPoint &point)
{
    if (!g_bHooked) {
        Say(std::string("Unit not 'hooked' at beginning of sub '") + point.routine + "'.",
            "COMM ERROR", MsgButtons::Ok, MsgIcon::None);
        return false;
    }
    int savedHigh = 0;
    int savedLow = 0;
    if (point.tx) {
        savedHigh = ReadHighPowerDAC(false);
        savedLow = ReadLowPowerDAC(false);
        savedHigh = savedHigh < 0 ? 128 : savedHigh;
        savedLow = savedLow < 0 ? 96 : savedLow;
    }
    bool ok = !point.tx ||
              (WriteHighPowerDAC(0, false) ? WriteLowPowerDAC(0, false) || Fail("WriteLowPowerDAC")
                                           : Fail("WriteHighPowerDAC"));
    const long current = ok ? GetVCOCourseTuneCurveValues(point.path, point.point) : Failed;
    if (ok && current == Failed) {
        ok = Fail("GetVCOCourseTuneCurveValues");
        SteerAborted();
    }
    if (ok && !point.tx)
        ok = Settle(point);
    bool inWindow = false;
    if (ok)
        ok = SteerLoop(point, current, inWindow);
    if (!point.tx)
        return ok;
    // The power cells get their own values back however the loop ended.
    bool restored = ExitTransparentTXMode() || Fail("ExitTransparentTXMode");
    restored = WriteHighPowerDAC(savedHigh, false) && WriteLowPowerDAC(savedLow, false) && restored;
    if (ok && restored && inWindow)
        AddResult(ResultLine(true, point.mhz, m_lastVolts));
    return ok && restored;
}

bool VCOTuning::SteerLoop(const SteerPoint &point, long current, bool &inWindow)
{
    double t0 = Now();
    for (;;) {
        platform().clock->processEvents();
        if (point.tx && !Settle(point))
            return false;
        double v = 0.0;
        if (!ReadSteerVolts(v))
            return false;
        m_view.VCO_MM(std::string(point.tx ? "TX" : "RX") + " Tuning Voltage at " + point.mhzText +
                      "MHz = " + Volts(v) + "VDC");
        if (InVCOWindow(v)) {
            inWindow = true;
            m_lastVolts = v;
            if (!point.tx)
                AddResult(ResultLine(false, point.mhz, v));
            return true;
        }
        const long next = current - VCODelta(v);
        if (next < 0 || next > point.highest)
            return Limit(point, next < 0 ? point.limitBelow : point.limitAbove);
        current = next;
        if (!WriteVCOCourseTuneCurveValues(current, point.path, point.point))
            return Fail("WriteVCOCourseTuneCurveValues");
        if (!point.tx && !Settle(point))
            return false;
        if (Now() - t0 > VCOConstants.steerSeconds) {
            if (!AskRetry("5" + std::string(RetryTail), "TIME OUT")) {
                if (!point.tx)
                    Fail("EnableRXPath");
                SteerAborted();
                return false;
            }
            t0 = Now();
        }
    }
}

bool VCOTuning::Limit(const SteerPoint &point, long value)
{
    if (!WriteVCOCourseTuneCurveValues(value, point.path, point.point))
        return Fail("WriteVCOCourseTuneCurveValues");
    if (!Settle(point))
        return false;
    double v = 0.0;
    if (!ReadSteerVolts(v))
        return false;
    const std::string hex = HexText(static_cast<unsigned long>(value));
    std::string warning = std::string("WARNING - VCO Steering Voltage in ") +
                          (point.tx ? "transmit" : "receive") + " at " + point.mhzText +
                          "MHz has been set to \r\nits limit at $" + hex + " and voltage is now " +
                          Volts(v, "##0.0") + "VDC.";
    if (v >= 0.6 && v < 4.4) {
        if (v < 1.2 || v >= 2.8)
            warning += " *** FAILS ***";
        m_view.VCO_MM(warning);
        AddResult(warning);
        return true;
    }
    warning += " - aborting process.";
    Say(warning, "COMM ERROR", MsgButtons::Ok, MsgIcon::None);
    SteerAborted();
    m_view.VCO_MM(warning);
    return false;
}

bool VCOTuning::Abort(const std::string &text)
{
    m_view.VCO_IM(text + Channel1Note());
    m_log.after = g_bHooked ? CoarseHex() : std::string();
    UnhookRadio(true);
    m_screen.EnableTuneNavigation(true);
    m_view.showStart(true);
    m_log.result = "Aborted";
    AppendAlignLog(m_log);
    return false;
}
