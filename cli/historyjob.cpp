#include "historyjob.h"

#include "appsettings.h"
#include "cliargs.h"
#include "historyconfig.h"
#include "historyexport.h"
#include "historyschema.h"
#include "historystore.h"
#include "jsontext.h"
#include "platform.h"

#include <cstdio>

namespace
{

std::string Pair(const char *key, const std::string &value)
{
    return JsonString(key) + ": " + JsonString(value);
}

std::string RadioJson(const RadioSummary &r)
{
    return "{" + Pair("serial", r.serial) + ", " + Pair("customer", r.customer) + ", " +
           Pair("note", r.note) + ", " + Pair("lastEvent", r.lastAt) + ", " +
           Pair("lastKind", r.lastKind) + ", " + Pair("lastOutcome", r.lastOutcome) +
           ", \"events\": " + std::to_string(r.events);
}

int Fail(const std::string &why)
{
    std::fprintf(stderr, "tessaro history: %s\n", why.c_str());
    return ExitFailed;
}

void PrintRadios(const std::vector<RadioSummary> &radios)
{
    std::printf("%-10s %-19s %-16s %-14s %6s  %s\n", "SERIAL", "LAST EVENT", "KIND", "OUTCOME",
                "EVENTS", "CUSTOMER");
    for (const RadioSummary &r : radios)
        std::printf("%-10s %-19s %-16s %-14s %6lld  %s\n", r.serial.c_str(), r.lastAt.c_str(),
                    r.lastKind.c_str(), r.lastOutcome.c_str(), r.events, r.customer.c_str());
}

void PrintTimeline(const RadioSummary &r, const std::vector<RadioEvent> &events)
{
    std::printf("Radio %s%s%s\n", r.serial.c_str(),
                r.customer.empty() ? "" : ("  customer: " + r.customer).c_str(),
                r.note.empty() ? "" : ("  note: " + r.note).c_str());
    for (const RadioEvent &e : events)
        std::printf("  %-19s %-16s %-14s %-12s %-14s %s%s\n", e.at.c_str(), e.kind.c_str(),
                    e.outcome.c_str(), e.bench.c_str(), e.port.c_str(),
                    e.imageHash.empty() ? "" : ("image " + e.imageHash.substr(0, 12) + " ").c_str(),
                    (e.detail + (e.file.empty() ? "" : " " + e.file)).c_str());
}

} // namespace

std::string RadiosJson(const std::vector<RadioSummary> &radios)
{
    std::string json = "[";
    for (const RadioSummary &r : radios)
        json += (json.size() > 1 ? ",\n " : "") + RadioJson(r) + "}";
    return json + "]\n";
}

std::string TimelineJson(const RadioSummary &radio, const std::vector<RadioEvent> &events)
{
    std::string json = RadioJson(radio) + ", \"timeline\": [";
    bool first = true;
    for (const RadioEvent &e : events) {
        json += std::string(first ? "\n  " : ",\n  ") + "{" + Pair("at", e.at) + ", " +
                Pair("kind", e.kind) + ", " + Pair("outcome", e.outcome) + ", " +
                Pair("bench", e.bench) + ", " + Pair("port", e.port) + ", " +
                Pair("version", e.version) + ", " + Pair("detail", e.detail) + ", " +
                Pair("file", e.file) + ", " + Pair("image", e.imageHash) +
                ", \"report\": " + (e.hasReport ? "true" : "false") + "}";
        first = false;
    }
    return json + "]}";
}

int RunHistoryCommand(const std::vector<std::string> &args, SqlConnector &connector,
                      const std::string &bench)
{
    bool json = false;
    std::string exportDir, importDir, text;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--help" || a == "-h") {
            std::fputs(HistoryUsage, stdout);
            return ExitOk;
        }
        if (a == "--json") {
            json = true;
        } else if ((a == "--export" || a == "--import") && i + 1 < args.size()) {
            (a == "--export" ? exportDir : importDir) = args[++i];
        } else if (a.empty() || a[0] == '-' || !text.empty()) {
            std::fprintf(stderr, "tessaro history: unexpected \"%s\"\n%s", a.c_str(), HistoryUsage);
            return ExitUsage;
        } else {
            text = a;
        }
    }
    if (!exportDir.empty() + !importDir.empty() + (!text.empty() || json) > 1) {
        std::fprintf(stderr, "tessaro history: choose one of SERIAL, --export, --import\n");
        return ExitUsage;
    }

    std::string why;
    const auto where =
        ParseHistoryConnection(GetSetting(HistoryDatabaseKey, ""), platform().programFolder, why);
    if (!where)
        return Fail("the \"History Database\" setting is not usable: " + why);
    if (where->dialect == SqlDialect::Sqlite &&
        !platform().files->makePath(platform().programFolder))
        return Fail("cannot create " + platform().programFolder);
    const auto db = connector.open(*where, why);
    if (!db || !UpgradeSchema(*db, why))
        return Fail("the history database cannot be reached: " + why);
    HistoryStore store(*db);

    if (!exportDir.empty() || !importDir.empty()) {
        const HistoryTransfer t = exportDir.empty()
                                      ? ImportBackups(store, *platform().files, importDir, bench)
                                      : ExportHistory(store, *platform().files, exportDir);
        if (!t.ok)
            return Fail(t.message);
        std::printf("%s\n", t.message.c_str());
        return ExitOk;
    }
    const auto radios = store.findRadios(text);
    if (!radios)
        return Fail(store.lastError());
    if (text.empty()) {
        if (json)
            std::fputs(RadiosJson(*radios).c_str(), stdout);
        else
            PrintRadios(*radios);
        return ExitOk;
    }
    if (radios->empty()) {
        std::fprintf(stderr, "tessaro history: no radio matches \"%s\"\n", text.c_str());
        return ExitFailed;
    }
    if (json)
        std::fputs("[", stdout);
    for (std::size_t i = 0; i < radios->size(); ++i) {
        const auto events = store.timeline((*radios)[i].serial);
        if (!events)
            return Fail(store.lastError());
        if (json)
            std::printf("%s%s", i ? ",\n" : "", TimelineJson((*radios)[i], *events).c_str());
        else
            PrintTimeline((*radios)[i], *events);
    }
    if (json)
        std::fputs("]\n", stdout);
    return ExitOk;
}
