#include "clioutput.h"

#include "appsettings.h"
#include "baudrates.h"
#include "memmap.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <unistd.h>

namespace
{

QString Q(const std::string &s)
{
    return QString::fromStdString(s);
}

QJsonArray DifferencesJson(const std::vector<FieldDifference> &diffs, const char *first,
                           const char *second)
{
    QJsonArray list;
    for (const FieldDifference &d : diffs) {
        QJsonObject o;
        o.insert(QStringLiteral("group"), d.group);
        o.insert(QStringLiteral("channel"), d.channel);
        o.insert(QStringLiteral("field"), Q(d.field));
        o.insert(QLatin1String(first), Q(d.first));
        o.insert(QLatin1String(second), Q(d.second));
        list.append(o);
    }
    return list;
}

void PrintDifferences(const std::vector<FieldDifference> &diffs, const std::string &indent)
{
    for (const FieldDifference &d : diffs)
        std::printf("%s%s\n", indent.c_str(), DifferenceLine(d).c_str());
}

std::string Str(const QJsonObject &o, const char *key)
{
    return o.value(QLatin1String(key)).toString().toStdString();
}

} // namespace

std::string ResultToJson(const JobResult &r)
{
    QJsonObject o;
    o.insert(QStringLiteral("port"), Q(r.device));
    o.insert(QStringLiteral("radio"), r.radio);
    o.insert(QStringLiteral("ok"), r.ok);
    o.insert(QStringLiteral("serial"), Q(r.serial));
    o.insert(QStringLiteral("rate"), static_cast<double>(r.rate));
    o.insert(QStringLiteral("message"), Q(r.message));
    o.insert(QStringLiteral("file"), Q(r.file));
    o.insert(QStringLiteral("backup"), Q(r.backup));
    o.insert(QStringLiteral("seconds"), r.seconds);
    o.insert(QStringLiteral("differences"), DifferencesJson(r.differences, "file", "radio"));
    return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

JobResult ResultFromJson(const std::string &json)
{
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    JobResult r;
    r.device = Str(o, "port");
    r.radio = o.value(QLatin1String("radio")).toBool();
    r.ok = o.value(QLatin1String("ok")).toBool();
    r.serial = Str(o, "serial");
    r.rate = static_cast<long>(o.value(QLatin1String("rate")).toDouble());
    r.message = Str(o, "message");
    r.file = Str(o, "file");
    r.backup = Str(o, "backup");
    r.seconds = o.value(QLatin1String("seconds")).toDouble();
    for (const QJsonValue &v : o.value(QLatin1String("differences")).toArray()) {
        const QJsonObject d = v.toObject();
        r.differences.push_back({d.value(QLatin1String("group")).toInt(),
                                 d.value(QLatin1String("channel")).toInt(), Str(d, "field"),
                                 Str(d, "file"), Str(d, "radio")});
    }
    return r;
}

int PrintResults(const CliCommand &command, const std::vector<JobResult> &results)
{
    bool allOk = true;
    for (const JobResult &r : results)
        allOk = allOk && r.ok;
    if (command.json) {
        QJsonArray list;
        for (const JobResult &r : results)
            list.append(
                QJsonDocument::fromJson(QByteArray::fromStdString(ResultToJson(r))).object());
        QJsonObject o;
        o.insert(QStringLiteral("radios"), list);
        o.insert(QStringLiteral("ok"), allOk);
        std::fputs(QJsonDocument(o).toJson(QJsonDocument::Indented).constData(), stdout);
        return allOk ? ExitOk : ExitFailed;
    }
    std::printf("%-16s %-10s %-7s %7s  %s\n", "PORT", "SERIAL", "RATE", "TIME", "RESULT");
    for (const JobResult &r : results) {
        const std::string result = (r.ok ? std::string("ok") : std::string("FAILED")) +
                                   (r.message.empty() ? "" : ": " + r.message);
        std::printf("%-16s %-10s %-7s %6.1fs  %s\n", r.device.c_str(),
                    r.serial.empty() ? "-" : r.serial.c_str(),
                    r.radio ? std::to_string(r.rate).c_str() : "-", r.seconds, result.c_str());
        PrintDifferences(r.differences, "    ");
    }
    return allOk ? ExitOk : ExitFailed;
}

int RunDiff(const CliCommand &command)
{
    MemMapImage a;
    MemMapImage b;
    std::string why;
    if (!LoadWholeDataFile(command.files[0], command.force, a, why) ||
        !LoadWholeDataFile(command.files[1], command.force, b, why)) {
        std::fprintf(stderr, "tessaro: %s\n", why.c_str());
        return ExitUsage;
    }
    const std::vector<FieldDifference> diffs = DiffFields(a, b);
    if (command.json) {
        QJsonObject o;
        o.insert(QStringLiteral("differences"), DifferencesJson(diffs, "first", "second"));
        std::fputs(QJsonDocument(o).toJson(QJsonDocument::Indented).constData(), stdout);
    } else {
        PrintDifferences(diffs, "");
    }
    return diffs.empty() ? ExitOk : ExitFailed;
}

long RestoredBaudRate()
{
    return BaudRateOfIndex(GetSettingInt("Baud Rate Index", 0));
}

ProgressBoard::ProgressBoard(const std::vector<std::string> &ports, bool quiet)
    : m_ports(ports), m_share(ports.size(), 0.0), m_status(ports.size()),
      m_lastStep(ports.size(), -1), m_quiet(quiet), m_terminal(isatty(STDERR_FILENO) != 0)
{
}

void ProgressBoard::update(std::size_t radio, double share, const std::string &status)
{
    if (m_quiet || radio >= m_ports.size())
        return;
    m_share[radio] = share;
    m_status[radio] = status;
    if (m_terminal) {
        draw();
        return;
    }
    const int step = static_cast<int>(share * 4);
    if (step != m_lastStep[radio]) {
        m_lastStep[radio] = step;
        std::fprintf(stderr, "%s: %3d%% %s\n", m_ports[radio].c_str(), step * 25, status.c_str());
    }
}

void ProgressBoard::mark(std::size_t radio, const std::string &status)
{
    if (radio < m_ports.size())
        update(radio, m_share[radio], status);
}

void ProgressBoard::draw()
{
    constexpr int Width = 30;
    // Back to the first bar's line, then every bar again.
    if (m_drawn)
        std::fprintf(stderr, "\033[%zuA", m_ports.size());
    for (std::size_t i = 0; i < m_ports.size(); ++i) {
        const int filled = static_cast<int>(m_share[i] * Width + 0.5);
        std::fprintf(stderr, "\r\033[K%-14s [%s%s] %3d%% %s\n", m_ports[i].c_str(),
                     std::string(static_cast<std::size_t>(filled), '#').c_str(),
                     std::string(static_cast<std::size_t>(Width - filled), '.').c_str(),
                     static_cast<int>(m_share[i] * 100 + 0.5), m_status[i].c_str());
    }
    std::fflush(stderr);
    m_drawn = true;
}

void ProgressBoard::finish()
{
    if (m_terminal && m_drawn)
        std::fflush(stderr);
}
