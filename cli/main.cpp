// tessaro: the editor's radio jobs from the command line, for the service bench.

#include "appsettings.h"
#include "cliargs.h"
#include "clihost.h"
#include "clioutput.h"
#include "exchangejob.h"
#include "historyconfig.h"
#include "historyjob.h"
#include "hostserialdevices.h"
#include "multirun.h"
#include "platform.h"
#include "portchoice.h"
#include "portsjob.h"
#include "qtclock.h"
#include "qtplatform.h"
#include "qtserialport.h"
#include "qtsqldatabase.h"
#include "readonlysettings.h"
#include "recordevent.h"
#include "serialdevices.h"
#include "tunecommand.h"

#include <QCoreApplication>
#include <QSysInfo>

#include <cstdio>
#include <map>

namespace
{

// A radio job's events go to the history through a queue of the job's own device, sent when
// the job is done; what the database does not take waits for the next run.
struct CliHistory {
    QtSqlConnector connector;
    std::unique_ptr<HistoryRecorder> recorder;

    void start(const std::string &device)
    {
        std::string why;
        const auto where = ParseHistoryConnection(GetSetting(HistoryDatabaseKey, ""),
                                                  platform().programFolder, why);
        if (GetSetting(KeepHistoryKey, "Yes") == "No" || !where ||
            !platform().files->makePath(platform().programFolder))
            return;
        std::string tag = device.substr(device.rfind('/') + 1);
        recorder = std::make_unique<HistoryRecorder>(connector, *where, platform().files,
                                                     platform().programFolder + "/" +
                                                         HistoryQueueFileName + "." + tag);
        InstallHistory(recorder.get(), QSysInfo::machineHostName().toStdString());
    }
    ~CliHistory()
    {
        if (!recorder)
            return;
        if (recorder->flush() > 0)
            std::fprintf(stderr,
                         "tessaro: the history database is not reachable (%s); %zu "
                         "event(s) wait for the next run\n",
                         recorder->lastError().c_str(), recorder->waiting());
        InstallHistory(nullptr, {});
    }
};

int UsageError(const std::string &why)
{
    std::fprintf(stderr, "tessaro: %s\n", why.c_str());
    return ExitUsage;
}

} // namespace

int main(int argc, char **argv)
{
    // AutoTune brings its own options and needs fonts for its PDF report.
    if (argc > 1 && std::string(argv[1]) == "tune")
        return RunTuneCommand(argc, argv);
    QCoreApplication app(argc, argv);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    // The history keeps an option set of its own.
    if (!args.empty() && args[0] == "history") {
        QtFileSystem files;
        ReadOnlySettings settings;
        platform().files = &files;
        platform().settings = &settings;
        platform().programFolder = QtProgramFolder();
        QtSqlConnector connector;
        return RunHistoryCommand({args.begin() + 1, args.end()}, connector,
                                 QSysInfo::machineHostName().toStdString());
    }
    CliCommand command = ParseCommandLine(args);
    if (command.version) {
        std::fputs(VersionText().c_str(), stdout);
        return ExitOk;
    }
    if (command.help) {
        std::fputs(HelpText(command.verb).c_str(), stdout);
        return ExitOk;
    }
    if (!command.error.empty())
        return UsageError(command.error);

    QtFileSystem files;
    QtSerialPort serial;
    HostSerialDevices devices;
    QtClock clock;
    ReadOnlySettings settings;
    CliDialogs dialogs;
    CliWindow window;
    Platform &p = platform();
    p.files = &files;
    p.serial = &serial;
    p.devices = &devices;
    p.clock = &clock;
    p.settings = &settings;
    p.dialogs = &dialogs;
    p.window = &window;
    p.programFolder = QtProgramFolder();

    if (command.verb == Verb::Ports) {
        const std::vector<SerialPortRow> rows = ListSerialPorts();
        const std::string user = devices.userName();
        std::fputs(
            (command.json ? SerialPortsJson(rows, user) : SerialPortTable(rows, user)).c_str(),
            stdout);
        return ExitOk;
    }
    if (command.verb == Verb::Diff)
        return RunDiff(command);
    if (command.verb == Verb::Export)
        return RunExport(command);
    if (command.verb == Verb::Import)
        return RunImport(command);
    // A file that cannot be read is the caller's mistake, found before any radio is touched.
    for (const std::string &file : command.files) {
        MemMapImage image;
        std::string why;
        if (!LoadWholeDataFile(file, command.force, image, why))
            return UsageError(why);
    }

    // comm1 as the editor maps it; a detect without ports tries every device.
    if (command.verb == Verb::Detect && command.ports.empty())
        command.ports = OrderSerialDevices(serial.listDevices());
    for (std::string &port : command.ports) {
        const std::string given = port;
        std::string why;
        if (!ResolvePortName(given, port, why))
            return UsageError(why);
    }
    if (command.ports.empty()) {
        std::fputs("No serial devices found.\n", stdout);
        return ExitFailed; // no radio answered
    }
    CatchStopSignals(!command.worker);
    CliHistory history;
    if (command.worker || command.ports.size() == 1)
        history.start(command.ports.front());
    if (command.worker)
        return RunWorker(command, window);
    if (command.ports.size() == 1)
        return RunInProcess(command, window);
    return RunWorkers(command);
}
