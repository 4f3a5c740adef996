#include "autotunerunner.h"

#include "alignlog.h"
#include "curveadjust.h"
#include "eeprotocol.h"
#include "freqadjust.h"
#include "frontendadjust.h"
#include "idletexts.h"
#include "linkstate.h"
#include "platform.h"
#include "powerlevels.h"
#include "searches.h"
#include "squelchadjust.h"
#include "testcommands.h"
#include "vcotuning.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace
{

struct PageRow {
    AutoPage page;
    const char *name;
    const char *alias;
    int count;
    const char *keys[4];
};

constexpr PageRow PageRows[AutoPageCount] = {
    {AutoPage::VCO, "vco", "vco", 4, {"vco_rx_136", "vco_rx_174", "vco_tx_136", "vco_tx_174"}},
    {AutoPage::Frequency, "frequency", "freq", 1, {"frequency_error"}},
    {AutoPage::PowerCurve,
     "powercurve",
     "curve",
     4,
     {"power_curve_136", "power_curve_148", "power_curve_161", "power_curve_174"}},
    {AutoPage::PowerLevels, "powerlevels", "levels", 2, {"high_power", "low_power"}},
    {AutoPage::ModSense,
     "modsense",
     "mod",
     4,
     {"deviation_136", "deviation_148", "deviation_161", "deviation_174"}},
    {AutoPage::FrontEnd, "frontend", "fe", 1, {"sensitivity"}},
    {AutoPage::Squelch, "squelch", "squelch", 2, {"squelch_narrow", "squelch_wide"}},
};

// What the test set reads, in the units of the limits.
enum class Reading { CounterHz, PowerW, DeviationKHz, SinadDb };

// The generator for the receiver pages: the test channel's frequency, rated deviation of the
// band with a 1 kHz tone.
constexpr double ToneHz = 1000.0;
constexpr double FrontEndMHz = 173.995;
constexpr double SquelchMHz = 155.1;
constexpr double SquelchDeviationHz[2] = {1500.0, 3000.0};
constexpr double WideDeviationHz = 3000.0;
constexpr double LevelLowestDbm = -140.0;
constexpr double LevelHighestDbm = -20.0;
constexpr double LevelStartDbm = -110.0;
constexpr double SensitivitySinadDb = 12.0;
constexpr int TimeOutRetries = 15; // the VCO's manual phase: 15 x 20 s with the coil prompt

std::string OneLine(std::string text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n')
            c = ' ';
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string Number(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// A scroll bar as the pages' widgets have it: clamped to its range, reporting every change.
struct Bar {
    int minimum = 0;
    int maximum = 100;
    int value = 0;
    std::function<void(int)> changed;

    void set(int v)
    {
        v = std::clamp(v, minimum, maximum);
        if (v == value)
            return;
        value = v;
        if (changed)
            changed(v);
    }
};

struct FreqView : FreqAdjustView {
    void setInstructions(const std::string &) override {}
    void setEntry(const std::string &text, bool) override { entry = text; }
    std::string entryText() const override { return entry; }
    void focusEntry(int) override {}
    void setStartButton(const std::string &, bool) override {}
    void setQuitEnabled(bool) override {}
    std::string entry;
};

struct CurveView : CurveAdjustView {
    void setInstructions(const std::string &) override {}
    void setStartButton(const std::string &caption) override { button = caption; }
    void showRunControls(bool) override {}
    void setScrollRange(int maximum) override
    {
        bar.maximum = maximum;
        bar.set(bar.value);
    }
    void setScrollValue(int value) override { bar.set(value); }
    int scrollValue() const override { return bar.value; }
    void setValueLabel(const std::string &) override {}
    Bar bar;
    std::string button;
};

struct LevelsView : PowerLevelsView {
    LevelsView() { bar.maximum = 255; }
    void setInstructions(const std::string &) override {}
    void showSetButtons(bool) override {}
    void showAdjustControls(bool) override {}
    void setScrollValue(int value) override { bar.set(value); }
    void setValueText(const std::string &) override {}
    Bar bar;
};

struct FrontView : FrontEndView {
    void setInstructions(const std::string &) override {}
    void setStartCaption(const std::string &) override {}
    void showAdjustControls(bool) override {}
    void setScrollRange(int minimum, int maximum) override
    {
        bar.minimum = minimum;
        bar.maximum = maximum;
    }
    void setScrollValue(int value) override { bar.set(value); }
    void setValueText(const std::string &) override {}
    Bar bar;
};

struct SquelchPanel : SquelchView {
    void setInstructions(const std::string &) override {}
    void setBandButton(int, const std::string &, bool, bool) override {}
    void showAbort(bool) override {}
};

struct CoilView : VCOView {
    void VCO_IM(const std::string &text) override
    {
        manual = text.rfind("Adjust T1", 0) == 0;
        if (!manual && prompt)
            prompt({});
    }
    void VCO_MM(const std::string &text) override
    {
        const auto eq = text.find("= ");
        if (!manual || eq == std::string::npos)
            return;
        const double volts = std::atof(text.c_str() + eq + 2);
        if (prompt)
            prompt("Turn T1 until the tuning voltage reads " + Number(VCOConstants.lowest, 2) +
                   " to " + Number(VCOConstants.highest, 2) + " V and hold it there: now " +
                   Number(volts, 3) + " V");
        if (coil)
            coil(volts);
    }
    void showStart(bool) override {}
    bool manual = false;
    std::function<void(const std::string &)> prompt;
    std::function<void(double)> coil;
};

// The technician's answers to the pages' questions while AutoTune drives them.
class AnsweringDialogs : public Dialogs
{
public:
    AnsweringDialogs(PageResult &page, const AutoTuneRunner &runner)
        : m_page(page), m_runner(runner)
    {
    }

    MsgAnswer message(const std::string &text, const std::string &caption, MsgButtons buttons,
                      MsgIcon) override
    {
        m_page.messages.push_back(caption + ": " + OneLine(text));
        if (text == "Save this value before quitting?")
            return keep ? MsgAnswer::Yes : MsgAnswer::No;
        if (caption == "ABORT")
            return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
        if (caption == "TIME OUT" || caption == "TUNING VOLTAGE ADJUSTMENT")
            return m_runner.abortRequested() || ++m_retries > TimeOutRetries ? MsgAnswer::Cancel
                                                                             : MsgAnswer::Retry;
        switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel:
            return MsgAnswer::No;
        default:
            return MsgAnswer::Cancel; // a retry after a comm error is the run's to decide
        }
    }
    std::optional<std::string> input(const std::string &, const std::string &,
                                     const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const FileDialogRequest &) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest &) override { return std::nullopt; }
    ExitChoice askExit(const ExitQuestion &) override { return ExitChoice::Cancel; }
    void showTable(const TableRequest &) override {}

    bool keep = false; // the answer to "save this value?"

private:
    PageResult &m_page;
    const AutoTuneRunner &m_runner;
    int m_retries = 0;
};

// The host's clock with the event pump between short sleeps, so an Abort button is heard; the
// squelch page's own loops are told of an abort between two readings.
class PumpingClock : public Clock
{
public:
    explicit PumpingClock(Clock &inner) : m_inner(inner) {}
    double seconds() override { return m_inner.seconds(); }
    void sleepMs(int ms) override
    {
        for (int left = ms; left > 0; left -= SliceMs) {
            processEvents();
            m_inner.sleepMs(std::min(left, SliceMs));
        }
    }
    void processEvents() override
    {
        m_inner.processEvents();
        if (onPump)
            onPump();
    }
    LocalTime localTime() override { return m_inner.localTime(); }
    std::function<void()> onPump;

private:
    static constexpr int SliceMs = 20;
    Clock &m_inner;
};

} // namespace

const char *AutoPageName(AutoPage page)
{
    return PageRows[static_cast<int>(page)].name;
}

bool ParsePageList(const std::string &text, std::vector<AutoPage> &pages, std::string &why)
{
    pages.clear();
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        std::string name;
        for (char c : item)
            if (c != ' ' && c != '-' && c != '_')
                name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name == "all") {
            for (const PageRow &s : PageRows)
                pages.push_back(s.page);
            continue;
        }
        const PageRow *found = nullptr;
        for (const PageRow &s : PageRows)
            if (name == s.name || name == s.alias ||
                name == std::to_string(static_cast<int>(s.page) + 1))
                found = &s;
        if (found == nullptr) {
            why = "unknown page \"" + item +
                  "\" (vco, frequency, powercurve, powerlevels, "
                  "modsense, frontend, squelch, or 1-7)";
            return false;
        }
        if (std::find(pages.begin(), pages.end(), found->page) == pages.end())
            pages.push_back(found->page);
    }
    if (pages.empty()) {
        why = "no pages chosen";
        return false;
    }
    return true;
}

// One page run: the page's step machine, its views and the answers, and the points it aligns.
class PageRun
{
public:
    PageRun(AutoTuneRunner &runner, AutoTuneReport &report, PageResult &page)
        : m_runner(runner), m_set(runner.m_set), m_report(report), m_page(page),
          m_dialogs(page, runner), m_clock(*platform().clock), m_savedDialogs(platform().dialogs),
          m_savedClock(platform().clock)
    {
        platform().dialogs = &m_dialogs;
        platform().clock = &m_clock;
        m_clock.onPump = [this] { Pumped(); };
    }
    ~PageRun()
    {
        platform().dialogs = m_savedDialogs;
        platform().clock = m_savedClock;
    }

    void run(AutoPage page);
    std::string stop; // why the whole run ends here

private:
    PointResult &Point(const std::string &key)
    {
        for (PointResult &p : m_report.points)
            if (p.limit.key == key)
                return p;
        return m_report.points.front(); // every page's keys are in the list
    }
    void Act(const std::string &what) { m_page.actions.push_back(what); }
    void Status(const std::string &text)
    {
        if (m_runner.onStatus)
            m_runner.onStatus(text);
    }
    bool Stopping()
    {
        if (!stop.empty())
            return true;
        switch (static_cast<AbortCause>(m_runner.m_abort.load())) {
        case AbortCause::None:
            return false;
        case AbortCause::Button:
            stop = "Aborted by the technician";
            break;
        case AbortCause::WindowClosed:
            stop = "Aborted: the window was closed";
            break;
        case AbortCause::Interrupt:
            stop = "Aborted by an interrupt (Ctrl+C)";
            break;
        }
        return true;
    }
    void Pumped()
    {
        if (m_calibrating && m_squelch != nullptr && Stopping() && !m_told) {
            m_told = true;
            m_squelch->AbandonRun();
        }
    }
    bool Measure(Reading what, const PointLimit &limit, double &value);
    bool Generator(double mhz, double deviationHz);
    bool Key();
    void Unkey();
    void Verdict(PointResult &point, double value, const std::string &note = {});
    void Undone(AutoPage page, const std::string &note);
    // The point's new setting is not what its reading was taken at after all.
    void Changed(PointResult &point, const std::string &setting)
    {
        point.newSetting = setting;
        if (m_runner.onPoint)
            m_runner.onPoint(point);
    }
    SearchResult Level(double sinad, const PointLimit &limit);

    void RunVCO();
    void RunFrequency();
    void RunCurve(const CurveKind &kind, const PageRow &pagePoints);
    void RunPowerLevels();
    void RunFrontEnd();
    void RunSquelch();

    AutoTuneRunner &m_runner;
    TestSet &m_set;
    AutoTuneReport &m_report;
    PageResult &m_page;
    AnsweringDialogs m_dialogs;
    PumpingClock m_clock;
    Dialogs *m_savedDialogs;
    Clock *m_savedClock;
    TuneScreen m_screen;
    SquelchAdjust *m_squelch = nullptr;
    bool m_calibrating = false;
    bool m_told = false;
};

bool PageRun::Measure(Reading what, const PointLimit &limit, double &value)
{
    if (Stopping())
        return false;
    platform().clock->sleepMs(limit.settleMs);
    double sum = 0.0;
    for (int i = 0; i < limit.average; ++i) {
        double v = 0.0;
        bool ok = false;
        switch (what) {
        case Reading::CounterHz:
            ok = m_set.counterFrequencyHz(v);
            break;
        case Reading::PowerW:
            ok = m_set.rfPowerW(v);
            break;
        case Reading::DeviationKHz:
            ok = m_set.fmDeviationHz(v);
            v /= 1000.0;
            break;
        case Reading::SinadDb:
            ok = m_set.sinadDb(v);
            break;
        }
        if (!ok || !std::isfinite(v)) {
            stop = "Instrument lost: " + m_set.lastErrorText();
            return false;
        }
        sum += v;
    }
    value = sum / limit.average;
    return !Stopping();
}

bool PageRun::Generator(double mhz, double deviationHz)
{
    Act("generator " + Number(mhz, 3) + " MHz, " + Number(deviationHz / 1000, 1) + " kHz");
    if (m_set.setGeneratorFrequencyHz(mhz * 1e6) &&
        m_set.setGeneratorModulation(deviationHz, ToneHz) &&
        m_set.setGeneratorLevelDbm(LevelStartDbm) && m_set.setGeneratorOutput(true))
        return true;
    stop = "Instrument lost: " + m_set.lastErrorText();
    return false;
}

// The radio's own test command keys it where the technician would press the PTT.
bool PageRun::Key()
{
    Act("key");
    return (g_bHooked || HookTDFx()) && EnterTransparentTXMode();
}

void PageRun::Unkey()
{
    Act("unkey");
    if (g_bHooked || HookTDFx())
        ExitTransparentTXMode();
    UnhookRadio(true);
}

void PageRun::Verdict(PointResult &point, double value, const std::string &note)
{
    point.measured = true;
    point.value = value;
    point.verdict = point.limit.passes(value) ? Verdict::Pass : Verdict::Fail;
    point.note = note;
    if (point.verdict == Verdict::Fail && point.note.empty())
        point.note = "outside its limits";
    if (m_runner.onPoint)
        m_runner.onPoint(point);
}

void PageRun::Undone(AutoPage page, const std::string &note)
{
    const PageRow &pagePoints = PageRows[static_cast<int>(page)];
    for (int i = 0; i < pagePoints.count; ++i) {
        PointResult &p = Point(pagePoints.keys[i]);
        if (p.verdict != Verdict::NotDone || !p.note.empty())
            continue;
        p.note = note;
        if (m_runner.onPoint)
            m_runner.onPoint(p);
    }
}

void PageRun::run(AutoPage page)
{
    const std::size_t logged = ReadAlignLog().size();
    Status(std::string("Running \"") + TunePageTitles[static_cast<int>(page)] + "\"");
    switch (page) {
    case AutoPage::VCO:
        RunVCO();
        break;
    case AutoPage::Frequency:
        RunFrequency();
        break;
    case AutoPage::PowerCurve:
        RunCurve(PowerCurve, PageRows[2]);
        break;
    case AutoPage::PowerLevels:
        RunPowerLevels();
        break;
    case AutoPage::ModSense:
        RunCurve(ModSenseCurve, PageRows[4]);
        break;
    case AutoPage::FrontEnd:
        RunFrontEnd();
        break;
    case AutoPage::Squelch:
        RunSquelch();
        break;
    }
    // The page's own log lines say how it ended.
    const auto rows = ReadAlignLog();
    m_page.completed = rows.size() > logged;
    for (std::size_t i = logged; i < rows.size(); ++i) {
        const auto &row = rows[i];
        if (row.size() < 7)
            continue;
        if (m_report.serial.empty())
            m_report.serial = row[2];
        const bool own = row[3] == TunePageTitles[static_cast<int>(page)];
        m_page.outcome +=
            (m_page.outcome.empty() ? "" : "; ") + (own ? "" : row[3] + ": ") + row[6];
        m_page.completed = m_page.completed && row[6].rfind("Completed", 0) == 0;
    }
    if (m_page.outcome.empty())
        m_page.outcome = "not started: the radio did not answer";
    else if (page == AutoPage::VCO && !m_page.completed)
        m_page.outcome += " (the page's abort leaves its test channel in Group 1, Channel 1)";
    bool limitFailed = false;
    const PageRow &pagePoints = PageRows[static_cast<int>(page)];
    for (int i = 0; i < pagePoints.count; ++i)
        limitFailed = limitFailed || Point(pagePoints.keys[i]).verdict == Verdict::Fail;
    if (!m_page.completed) {
        // A point read in range but never stored is not aligned.
        for (int i = 0; i < pagePoints.count; ++i) {
            PointResult &p = Point(pagePoints.keys[i]);
            if (p.verdict != Verdict::Pass)
                continue;
            p.verdict = Verdict::NotDone;
            p.note = "read within its limits but not stored: " + m_page.outcome;
            if (m_runner.onPoint)
                m_runner.onPoint(p);
        }
        // Whatever went wrong, the radio must not be left transmitting.
        if (page != AutoPage::FrontEnd && page != AutoPage::Squelch)
            Unkey();
        if (stop.empty() && !limitFailed)
            stop = std::string("\"") + TunePageTitles[static_cast<int>(page)] +
                   "\" did not complete: " + m_page.outcome;
    }
    Undone(page, stop.empty() ? "not aligned: " + m_page.outcome : stop);
}

void PageRun::RunVCO()
{
    CoilView view;
    view.prompt = m_runner.onPrompt;
    view.coil = m_runner.onCoil;
    VCOTuning page(m_screen, view);
    Act("click Start");
    page.StartClick();
    view.VCO_IM({});
    // "Tuning Voltage (RX) @ 136.000MHz = 2.001VDC"
    std::stringstream lines(page.results());
    std::string line;
    while (std::getline(lines, line)) {
        const auto at = line.find(") @ ");
        const auto eq = line.find("= ");
        if (line.rfind("Tuning Voltage (", 0) != 0 || at == std::string::npos ||
            eq == std::string::npos)
            continue;
        const bool tx = line.compare(16, 2, "TX") == 0;
        const int mhz = std::atoi(line.c_str() + at + 4);
        PointResult &p = Point(std::string("vco_") + (tx ? "tx_" : "rx_") + std::to_string(mhz));
        if (mhz == 136 && !tx)
            p.newSetting = "T1 by hand";
        Verdict(p, std::atof(line.c_str() + eq + 2));
    }
    const auto rows = ReadAlignLog();
    if (!rows.empty() && rows.back().size() >= 7 && rows.back()[3] == "VCO Tuning Voltage") {
        // Coarse-tune cells: RX 174, TX 136, TX 174, two bytes each.
        const std::string &before = rows.back()[4];
        const std::string &after = rows.back()[5];
        const char *keys[] = {"vco_rx_174", "vco_tx_136", "vco_tx_174"};
        for (int i = 0; i < 3; ++i) {
            PointResult &p = Point(keys[i]);
            if (before.size() >= static_cast<std::size_t>(i * 6 + 5))
                p.oldSetting = before.substr(static_cast<std::size_t>(i * 6), 5);
            if (after.size() >= static_cast<std::size_t>(i * 6 + 5))
                p.newSetting = after.substr(static_cast<std::size_t>(i * 6), 5);
            if (m_runner.onPoint)
                m_runner.onPoint(p);
        }
    }
}

void PageRun::RunFrequency()
{
    PointResult &point = Point("frequency_error");
    FreqView view;
    FreqAdjust page(m_screen, view);
    page.SetupTabPage();
    Act("click Start");
    page.StartFinishClick();
    if (!page.HoldsRadio())
        return;
    double hz = 0.0;
    const bool read = Key() && Measure(Reading::CounterHz, point.limit, hz);
    Unkey();
    if (!read) {
        Act("click Quit");
        page.QuitClick();
        return;
    }
    view.entry = Number(hz / 1e6, 6);
    Act("type " + view.entry);
    Act("click Finish");
    page.StartFinishClick();
    if (page.HoldsRadio()) {
        point.note = "counter read " + view.entry + " MHz, beyond the adjustment's range";
        Act("click Quit");
        page.QuitClick();
        point.measured = true;
        point.value = (hz - 173995000.0) / 173995000.0 * 1e6;
        point.verdict = Verdict::Fail;
        if (m_runner.onPoint)
            m_runner.onPoint(point);
        return;
    }
    const auto rows = ReadAlignLog();
    if (!rows.empty() && rows.back().size() >= 7) {
        point.oldSetting = rows.back()[4];
        point.newSetting = rows.back()[5];
    }
    // Tested again on the radio's own channel 1.
    const double expected = m_screen.m_OrigChan1.TxFreq * 1e6;
    if (expected <= 0.0) {
        point.note = "channel 1 has no transmit frequency to test on";
        return;
    }
    Status("Testing the transmit frequency on channel 1");
    const bool tested = Key() && Measure(Reading::CounterHz, point.limit, hz);
    Unkey();
    if (tested)
        Verdict(point, (hz - expected) / expected * 1e6);
}

void PageRun::RunCurve(const CurveKind &kind, const PageRow &pagePoints)
{
    CurveView view;
    CurveAdjust page(kind, m_screen, view);
    view.bar.changed = [&page](int v) { page.ScrollChanged(v); };
    page.SetupTabPage();
    Act("click Start");
    page.StartClick();
    const Reading reading = kind.modulation ? Reading::DeviationKHz : Reading::PowerW;
    for (int k = 0; k < 4 && page.HoldsRadio(); ++k) {
        PointResult &point = Point(pagePoints.keys[k]);
        const PointLimit &limit = point.limit;
        Status(point.limit.name);
        point.oldSetting = std::to_string(view.bar.value);
        const Probe probe = [&](double x, double &y) {
            if (view.bar.value != static_cast<int>(x))
                Act("move " + std::to_string(static_cast<int>(x)));
            view.bar.set(static_cast<int>(x));
            return page.HoldsRadio() && Measure(reading, limit, y);
        };
        const SearchResult r = SolveMonotonic(
            {0, static_cast<double>(view.bar.maximum), static_cast<double>(view.bar.value), 1,
             limit.target, (limit.upper - limit.lower) / 4, !kind.modulation, 10},
            probe);
        if (!r.ok) {
            Changed(point, point.oldSetting + " (kept)");
            break;
        }
        point.newSetting = limit.passes(r.y) ? std::to_string(static_cast<int>(r.x))
                                             : point.oldSetting + " (kept)";
        Verdict(point, r.y);
        if (point.verdict == Verdict::Fail)
            break;
        Act("click " + view.button);
        page.StartClick();
    }
    if (page.HoldsRadio()) {
        Act("click Abort");
        page.AbandonRun();
    }
}

void PageRun::RunPowerLevels()
{
    LevelsView view;
    PowerLevels page(m_screen, view);
    view.bar.changed = [&page](int v) { page.ScrollChange(v); };
    page.SetupTabPage();
    for (const PowerRun *run : {&HighPowerRun, &LowPowerRun}) {
        PointResult &point = Point(run->high ? "high_power" : "low_power");
        const PointLimit &limit = point.limit;
        Status(limit.name);
        Act(run->high ? "click Set High Power" : "click Set Low Power");
        run->high ? page.SetHighClick() : page.SetLowClick();
        if (!page.HoldsRadio())
            return;
        point.oldSetting = std::to_string(view.bar.value);
        const Probe probe = [&](double x, double &y) {
            if (view.bar.value != static_cast<int>(x))
                Act("move " + std::to_string(static_cast<int>(x)));
            view.bar.set(static_cast<int>(x));
            return page.HoldsRadio() && Measure(Reading::PowerW, limit, y);
        };
        const SearchResult r =
            SolveMonotonic({0, 255, static_cast<double>(view.bar.value), 1, limit.target,
                            (limit.upper - limit.lower) / 4, true, 10},
                           probe);
        if (!r.ok) {
            if (page.HoldsRadio()) {
                Act("abandon");
                page.AbandonRun();
            }
            Changed(point, point.oldSetting + " (kept)");
            return;
        }
        m_dialogs.keep = limit.passes(r.y);
        point.newSetting =
            m_dialogs.keep ? std::to_string(static_cast<int>(r.x)) : point.oldSetting + " (kept)";
        Verdict(point, r.y);
        Act("click Finished/Quit");
        page.FinishedClick();
    }
}

SearchResult PageRun::Level(double sinad, const PointLimit &limit)
{
    double level = LevelStartDbm;
    const Probe probe = [&](double x, double &y) {
        Act("level " + Number(x, 1) + " dBm");
        if (!m_set.setGeneratorLevelDbm(x)) {
            stop = "Instrument lost: " + m_set.lastErrorText();
            return false;
        }
        level = x;
        return Measure(Reading::SinadDb, limit, y);
    };
    return SolveMonotonic({LevelLowestDbm, LevelHighestDbm, level, 0.1, sinad, 0.25, false, 12},
                          probe);
}

void PageRun::RunFrontEnd()
{
    PointResult &point = Point("sensitivity");
    const PointLimit &limit = point.limit;
    FrontView view;
    FrontEndAdjust page(m_screen, view);
    view.bar.changed = [&page](int v) { page.ScrollMoved(v); };
    page.SetupTabPage();
    Act("click Start");
    page.StartClick();
    if (!page.HoldsRadio())
        return;
    point.oldSetting = std::to_string(page.savedValue());
    bool ok = Generator(FrontEndMHz, WideDeviationHz) && Level(SensitivitySinadDb, limit).ok;
    SearchResult best;
    if (ok) {
        Status("Searching the front end's best sensitivity");
        const Probe probe = [&](double x, double &y) {
            if (view.bar.value != static_cast<int>(x))
                Act("move " + std::to_string(static_cast<int>(x)));
            view.bar.set(static_cast<int>(x));
            return page.HoldsRadio() && Measure(Reading::SinadDb, limit, y);
        };
        best = FindPeak({static_cast<double>(FrontEndRange.lowest),
                         static_cast<double>(FrontEndRange.highest),
                         static_cast<double>(view.bar.value), 800, 100, 12},
                        probe);
        ok = best.ok;
    }
    const SearchResult sensitivity = ok ? Level(SensitivitySinadDb, limit) : SearchResult{};
    if (sensitivity.ok) {
        point.newSetting = limit.passes(sensitivity.x) ? std::to_string(static_cast<int>(best.x))
                                                       : point.oldSetting + " (restored)";
        Verdict(point, sensitivity.x,
                std::abs(sensitivity.y - SensitivitySinadDb) > 1.0
                    ? "SINAD " + Number(sensitivity.y, 1) + " dB at the closest level"
                    : std::string());
    }
    m_set.setGeneratorOutput(false);
    if (!page.HoldsRadio())
        return;
    if (point.verdict == Verdict::Pass) {
        Act("click Finish");
        page.StartClick();
    } else {
        if (!sensitivity.ok)
            Changed(point, point.oldSetting + " (restored)");
        Act("click Abort");
        page.AbandonRun();
    }
}

void PageRun::RunSquelch()
{
    SquelchPanel view;
    SquelchAdjust page(m_screen, view);
    m_squelch = &page;
    page.SetupTabPage();
    for (int band = 0; band < 2 && stop.empty(); ++band) {
        PointResult &point = Point(band == 0 ? "squelch_narrow" : "squelch_wide");
        Status(point.limit.name);
        Act(std::string("click ") + SquelchBands[band].caption);
        const std::size_t logged = ReadAlignLog().size();
        page.BandClick(band);
        if (!page.HoldsRadio())
            break;
        const SearchResult r = Generator(SquelchMHz, SquelchDeviationHz[band])
                                   ? Level(point.limit.target, point.limit)
                                   : SearchResult{};
        if (r.ok)
            Verdict(point, r.y);
        if (point.verdict == Verdict::Pass) {
            Act("click Found 8 dB SINAD");
            m_calibrating = true;
            page.BandClick(band);
            m_calibrating = false;
        } else if (page.HoldsRadio()) {
            Act("click Abort");
            page.AbandonRun();
        }
        m_set.setGeneratorOutput(false);
        const auto rows = ReadAlignLog();
        if (rows.size() > logged && rows.back().size() >= 7) {
            point.oldSetting = rows.back()[4];
            point.newSetting = rows.back()[5];
            // The page's own search may still fail; an aborted one set nothing.
            if (rows.back()[6].rfind("Failed", 0) == 0 && point.verdict == Verdict::Pass) {
                point.verdict = Verdict::Fail;
                point.note = rows.back()[6];
                if (m_runner.onPoint)
                    m_runner.onPoint(point);
            }
        }
    }
    m_squelch = nullptr;
}

AutoTuneRunner::AutoTuneRunner(TestSet &set, std::vector<PointLimit> limits)
    : m_set(set), m_limits(std::move(limits))
{
}

std::vector<PointLimit> PointsOf(const std::vector<PointLimit> &limits,
                                 const std::vector<AutoPage> &pages)
{
    std::vector<PointLimit> points;
    for (AutoPage page : pages) {
        const PageRow &pagePoints = PageRows[static_cast<int>(page)];
        for (int i = 0; i < pagePoints.count; ++i)
            if (const PointLimit *l = FindLimit(limits, pagePoints.keys[i]))
                points.push_back(*l);
    }
    return points;
}

AutoTuneReport AutoTuneRunner::run(const std::vector<AutoPage> &pages)
{
    AutoTuneReport report;
    report.started = platform().clock->localTime();
    for (const PointLimit &l : pointsOf(pages))
        report.points.push_back(PointResult{l, Verdict::NotDone, false, 0.0, {}, {}, {}});
    for (AutoPage page : pages)
        report.pages.push_back(
            PageResult{TunePageTitles[static_cast<int>(page)], {}, false, {}, {}});
    if (onStatus)
        onStatus("Asking the test set who it is");
    std::string identity;
    if (!m_set.identify(identity) || identity.empty()) {
        report.stopReason = "The test set did not identify itself: " + m_set.lastErrorText();
    } else {
        report.instrument = identity;
        if (!m_set.preset())
            report.stopReason = "The test set refused its preset: " + m_set.lastErrorText();
    }
    for (std::size_t i = 0; i < pages.size() && report.stopReason.empty(); ++i) {
        PageRun run(*this, report, report.pages[i]);
        run.run(pages[i]);
        report.stopReason = run.stop;
    }
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (report.pages[i].outcome.empty())
            report.pages[i].outcome = "not run";
    for (PointResult &p : report.points)
        if (p.verdict == Verdict::NotDone && p.note.empty()) {
            p.note = report.stopReason.empty() ? "not run" : report.stopReason;
            if (onPoint)
                onPoint(p);
        }
    m_set.setGeneratorOutput(false);
    if (onPrompt)
        onPrompt({});
    AlignLogEntry line{report.serial, "AutoTune", {}, {}, {}};
    line.result = (report.allPassed() ? "Completed: " : "Failed: ") +
                  std::to_string(report.passed()) + " of " + std::to_string(report.points.size()) +
                  " points pass" + (report.stopReason.empty() ? "" : "; " + report.stopReason);
    AppendAlignLog(line);
    return report;
}
