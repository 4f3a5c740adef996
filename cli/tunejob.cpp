#include "tunejob.h"

#include "cliargs.h"
#include "platform.h"

namespace
{

struct TuneOption {
    const char *name;
    std::string TuneRequest::*field;
};

constexpr TuneOption TuneOptions[] = {
    {"--port", &TuneRequest::port},       {"--instrument", &TuneRequest::instrument},
    {"--profile", &TuneRequest::profile}, {"--limits", &TuneRequest::limits},
    {"--pages", &TuneRequest::pages},     {"--report", &TuneRequest::report},
};

std::string Line(const PointResult &p)
{
    const std::string &u = p.limit.unit;
    std::string line = std::string(p.verdict == Verdict::Pass   ? "pass  "
                                   : p.verdict == Verdict::Fail ? "FAIL  "
                                                                : "----  ") +
                       p.limit.name + ": ";
    line += p.measured ? ValueText(p.value, u) + " " + u : std::string("not measured");
    line += " (" + ValueText(p.limit.lower, u) + " to " + ValueText(p.limit.upper, u) + ")";
    if (!p.oldSetting.empty())
        line += ", setting " + p.oldSetting + " -> " + p.newSetting;
    else if (!p.newSetting.empty())
        line += ", " + p.newSetting;
    if (!p.note.empty())
        line += "; " + p.note;
    return line;
}

bool EndsWith(const std::string &text, const char *tail)
{
    const std::string t(tail);
    return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
}

} // namespace

TuneRequest ParseTuneArgs(const std::vector<std::string> &args)
{
    TuneRequest r;
    for (std::size_t i = 0; i < args.size() && r.error.empty(); ++i) {
        const std::string &a = args[i];
        if (a == "--help" || a == "-h") {
            r.help = true;
            return r;
        }
        if (a == "--json") {
            r.json = true;
            continue;
        }
        const bool hasValue = i + 1 < args.size();
        if (a == "--rate") {
            r.rate = hasValue ? std::atol(args[++i].c_str()) : 0;
            if (r.rate <= 0)
                r.error = "--rate needs a bit rate";
            continue;
        }
        bool known = false;
        for (const TuneOption &o : TuneOptions) {
            if (a != o.name)
                continue;
            known = true;
            if (!hasValue)
                r.error = a + " needs a value";
            else
                r.*o.field = args[++i];
        }
        if (!known)
            r.error = "tune: unknown option " + a;
    }
    if (r.error.empty() && r.port.empty())
        r.error = "tune needs --port DEV";
    else if (r.error.empty() && r.instrument.empty())
        r.error = "tune needs --instrument ADDRESS";
    return r;
}

std::string TuneHelpText()
{
    return "usage: tessaro tune --port DEV --instrument ADDRESS [--profile FILE] [--limits FILE]\n"
           "                    [--pages LIST] [--rate N] [--report OUT.pdf|.csv|.json] "
           "[--json]\n"
           "\n"
           "Aligns the radio on DEV with the test set at ADDRESS (tcp://HOST:PORT, "
           "vxi11://HOST,\n"
           "serial:///dev/ttyUSB1?baud=9600): each chosen Tune page runs as a technician would "
           "run it,\n"
           "every point is tested against its limits, and the report is written.\n"
           "  --pages LIST   vco, frequency, powercurve, powerlevels, modsense, frontend, "
           "squelch,\n"
           "                 or their tab numbers 1-7, comma-separated (default: all)\n"
           "  --limits FILE  YAML limits overriding the built-in ones\n"
           "  --json         the report as JSON on standard output\n"
           "Ctrl+C aborts: the running page restores the radio before the tool ends.\n"
           "Exit status: 0 every point passes, 1 a point failed or the run stopped, 2 bad "
           "usage.\n";
}

int RunTuneJob(const TuneRequest &request, TestSet &set, const TuneOutput &output,
               AutoTuneRunner *volatile *running)
{
    std::vector<AutoPage> pages;
    std::string why;
    if (!ParsePageList(request.pages, pages, why)) {
        std::fprintf(output.err, "tessaro: %s\n", why.c_str());
        return ExitUsage;
    }
    std::vector<PointLimit> limits = DefaultLimits();
    if (!request.limits.empty()) {
        const auto text = platform().files->read(request.limits, 1 << 20);
        if (!text || !ApplyLimitsText(std::string(text->begin(), text->end()), limits, why)) {
            std::fprintf(output.err, "tessaro: %s: %s\n", request.limits.c_str(),
                         text ? why.c_str() : "cannot be read");
            return ExitUsage;
        }
    }
    AutoTuneRunner runner(set, limits);
    std::string lastPrompt;
    runner.onStatus = [&](const std::string &s) { std::fprintf(output.err, "%s\n", s.c_str()); };
    runner.onPrompt = [&](const std::string &s) {
        // One line, rewritten in place while the reading changes.
        if (s.empty() && !lastPrompt.empty())
            std::fputs("\n", output.err);
        else if (!s.empty())
            std::fprintf(output.err, "\r>>> %s   ", s.c_str());
        std::fflush(output.err);
        lastPrompt = s;
    };
    runner.onPoint = [&](const PointResult &p) {
        std::fprintf(output.err, "  %s\n", Line(p).c_str());
    };
    *running = &runner;
    const AutoTuneReport report = runner.run(pages);
    *running = nullptr;

    int status = report.allPassed() ? ExitOk : ExitFailed;
    if (!request.report.empty()) {
        std::vector<std::uint8_t> bytes;
        if (EndsWith(request.report, ".csv")) {
            const std::string csv = ReportCsv(report);
            bytes.assign(csv.begin(), csv.end());
        } else if (EndsWith(request.report, ".json")) {
            const std::string json = ReportJson(report);
            bytes.assign(json.begin(), json.end());
        } else if (output.pdf) {
            bytes = output.pdf(report);
        }
        if (bytes.empty() || !platform().files->writeAtomic(request.report, bytes)) {
            std::fprintf(output.err, "tessaro: the report could not be written to %s\n",
                         request.report.c_str());
            status = ExitFailed;
        }
    }
    if (request.json) {
        std::fputs(ReportJson(report).c_str(), output.out);
    } else {
        std::fprintf(output.out, "Radio %s, test set %s\n",
                     report.serial.empty() ? "(serial not read)" : report.serial.c_str(),
                     report.instrument.empty() ? "(none)" : report.instrument.c_str());
        for (const PointResult &p : report.points)
            std::fprintf(output.out, "%s\n", Line(p).c_str());
        for (const PageResult &p : report.pages)
            std::fprintf(output.out, "%s: %s\n", p.title.c_str(), p.outcome.c_str());
        if (!report.stopReason.empty())
            std::fprintf(output.out, "Stopped: %s\n", report.stopReason.c_str());
        std::fprintf(output.out, "%s: %d of %zu points pass\n",
                     report.allPassed() ? "PASS" : "FAIL", report.passed(), report.points.size());
    }
    return status;
}
