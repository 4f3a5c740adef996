#include "multirun.h"

#include "clioutput.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>

#include <cstdio>
#include <memory>

JobRequest RequestFor(const CliCommand &command, const std::string &port)
{
    JobRequest r;
    r.verb = command.verb;
    r.device = port;
    r.rate = command.rate;
    r.file = command.files.empty() ? std::string() : command.files.front();
    r.output = command.output;
    r.twice = command.twice;
    r.backup = command.backup;
    r.verify = command.verify;
    r.force = command.force;
    return r;
}

int RunInProcess(const CliCommand &command, CliWindow &window)
{
    ProgressBoard board(command.ports, command.verb == Verb::Detect);
    window.onProgress = [&board](double share, const std::string &status) {
        board.update(0, share, status);
    };
    const JobResult result = RunJob(RequestFor(command, command.ports.front()));
    if (!result.ok)
        board.mark(0, "FAILED");
    board.finish();
    return PrintResults(command, {result});
}

int RunWorker(const CliCommand &command, CliWindow &window)
{
    window.onProgress = [](double share, const std::string &status) {
        std::printf("P %d %s\n", static_cast<int>(share * 1000), status.c_str());
        std::fflush(stdout);
    };
    const JobResult result = RunJob(RequestFor(command, command.ports.front()));
    std::printf("R %s\n", ResultToJson(result).c_str());
    return result.ok ? ExitOk : ExitFailed;
}

namespace
{

QStringList WorkerArguments(const CliCommand &command, const std::string &port)
{
    static const char *const VerbNames[] = {"", "detect", "read", "write", "verify", "diff"};
    QStringList args{QLatin1String(VerbNames[static_cast<int>(command.verb)]),
                     QStringLiteral("--worker"),
                     QStringLiteral("--port"),
                     QString::fromStdString(port),
                     QStringLiteral("--rate"),
                     QString::number(command.rate)};
    for (const std::string &file : command.files)
        args << QString::fromStdString(file);
    if (command.twice)
        args << QStringLiteral("--twice");
    if (!command.backup)
        args << QStringLiteral("--no-backup");
    if (!command.verify)
        args << QStringLiteral("--no-verify");
    if (command.force)
        args << QStringLiteral("--force");
    return args;
}

} // namespace

int RunWorkers(const CliCommand &command)
{
    ProgressBoard board(command.ports, command.verb == Verb::Detect);
    std::vector<JobResult> results(command.ports.size());
    std::vector<std::unique_ptr<QProcess>> workers;
    std::size_t running = command.ports.size();
    QEventLoop loop;
    for (std::size_t i = 0; i < command.ports.size(); ++i) {
        results[i].device = command.ports[i];
        results[i].message = "the worker ended without a result";
        auto worker = std::make_unique<QProcess>();
        QProcess *w = worker.get();
        auto drain = [w, i, &board, &results] {
            while (w->canReadLine()) {
                const std::string line = w->readLine().trimmed().toStdString();
                if (line.rfind("P ", 0) == 0) {
                    const std::size_t space = line.find(' ', 2);
                    board.update(i, std::atoi(line.c_str() + 2) / 1000.0,
                                 space == std::string::npos ? std::string()
                                                            : line.substr(space + 1));
                } else if (line.rfind("R ", 0) == 0) {
                    results[i] = ResultFromJson(line.substr(2));
                }
            }
        };
        QObject::connect(w, &QProcess::readyReadStandardOutput, w, drain);
        QObject::connect(w, &QProcess::finished, w, [drain, i, &board, &results, &running, &loop] {
            drain();
            if (!results[i].ok)
                board.mark(i, "FAILED");
            if (--running == 0)
                loop.quit();
        });
        QObject::connect(w, &QProcess::errorOccurred, w,
                         [&running, &loop](QProcess::ProcessError e) {
                             if (e == QProcess::FailedToStart && --running == 0)
                                 loop.quit();
                         });
        w->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        w->start(QCoreApplication::applicationFilePath(),
                 WorkerArguments(command, command.ports[i]));
        workers.push_back(std::move(worker));
    }
    if (running > 0)
        loop.exec();
    board.finish();
    return PrintResults(command, results);
}
