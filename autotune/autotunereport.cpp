#include "autotunereport.h"

#include "csvtext.h"
#include "jsontext.h"

#include <cmath>
#include <cstdio>

namespace
{

std::string JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

} // namespace

bool AutoTuneReport::allPassed() const
{
    return stopReason.empty() && !points.empty() && passed() == static_cast<int>(points.size());
}

int AutoTuneReport::passed() const
{
    int n = 0;
    for (const PointResult &p : points)
        n += p.verdict == Verdict::Pass;
    return n;
}

const char *VerdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass:
        return "pass";
    case Verdict::Fail:
        return "FAIL";
    default:
        return "not done";
    }
}

std::string ValueText(double value, const std::string &unit)
{
    const int decimals = unit == "V" || unit == "ppm" ? 3 : unit == "dB" || unit == "dBm" ? 1 : 2;
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string ReportCsv(const AutoTuneReport &report)
{
    std::string csv = "Point,Name,Unit,Target,Lower,Upper,Measured,Old Setting,New Setting,"
                      "Result,Note,Serial Number,Instrument,Date\r\n";
    for (const PointResult &p : report.points) {
        const std::string &u = p.limit.unit;
        const std::string fields[] = {p.limit.key,
                                      p.limit.name,
                                      u,
                                      ValueText(p.limit.target, u),
                                      ValueText(p.limit.lower, u),
                                      ValueText(p.limit.upper, u),
                                      p.measured ? ValueText(p.value, u) : std::string(),
                                      p.oldSetting,
                                      p.newSetting,
                                      VerdictText(p.verdict),
                                      p.note,
                                      report.serial,
                                      report.instrument,
                                      LocalTimeText(report.started)};
        std::string line;
        for (const std::string &f : fields)
            line += (line.empty() ? "" : ",") + CsvField(f);
        csv += line + "\r\n";
    }
    return csv;
}

std::string ReportJson(const AutoTuneReport &report)
{
    std::string j = "{\n  \"serial\": " + JsonString(report.serial) +
                    ",\n  \"instrument\": " + JsonString(report.instrument) +
                    ",\n  \"date\": " + JsonString(LocalTimeText(report.started)) +
                    ",\n  \"passed\": " + (report.allPassed() ? "true" : "false") +
                    ",\n  \"stopReason\": " + JsonString(report.stopReason) + ",\n  \"points\": [";
    for (std::size_t i = 0; i < report.points.size(); ++i) {
        const PointResult &p = report.points[i];
        j += std::string(i ? "," : "") + "\n    {\"point\": " + JsonString(p.limit.key) +
             ", \"name\": " + JsonString(p.limit.name) + ", \"unit\": " + JsonString(p.limit.unit) +
             ", \"target\": " + JsonNumber(p.limit.target) +
             ", \"lower\": " + JsonNumber(p.limit.lower) +
             ", \"upper\": " + JsonNumber(p.limit.upper) +
             ", \"measured\": " + (p.measured ? JsonNumber(p.value) : "null") +
             ", \"old\": " + JsonString(p.oldSetting) + ", \"new\": " + JsonString(p.newSetting) +
             ", \"result\": " + JsonString(VerdictText(p.verdict)) +
             ", \"note\": " + JsonString(p.note) + "}";
    }
    j += "\n  ],\n  \"pages\": [";
    for (std::size_t i = 0; i < report.pages.size(); ++i) {
        const PageResult &pg = report.pages[i];
        j += std::string(i ? "," : "") + "\n    {\"page\": " + JsonString(pg.title) +
             ", \"completed\": " + (pg.completed ? "true" : "false") +
             ", \"outcome\": " + JsonString(pg.outcome) +
             ", \"steps\": " + std::to_string(pg.actions.size()) + "}";
    }
    return j + "\n  ]\n}\n";
}
