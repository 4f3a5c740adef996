// tessaro: the editor's radio jobs from the command line, for the service bench.

#include "cliargs.h"
#include "clihost.h"
#include "clioutput.h"
#include "exchangejob.h"
#include "multirun.h"
#include "platform.h"
#include "portchoice.h"
#include "qtclock.h"
#include "qtplatform.h"
#include "qtserialport.h"
#include "serialdevices.h"
#include "tunecommand.h"

#include <QCoreApplication>

#include <cstdio>
#include <map>

namespace
{

// The editor's settings are read (port map, rate) but never changed by the tool.
class ReadOnlySettings : public SettingsStore
{
public:
    std::string get(const std::string &app, const std::string &section, const std::string &key,
                    const std::string &defaultValue) override
    {
        const auto it = m_changed.find(app + "/" + section + "/" + key);
        return it != m_changed.end() ? it->second : m_stored.get(app, section, key, defaultValue);
    }
    void save(const std::string &app, const std::string &section, const std::string &key,
              const std::string &value) override
    {
        m_changed[app + "/" + section + "/" + key] = value;
    }
    std::string unusableFile(const std::string &) override { return {}; }

private:
    QtSettingsStore m_stored;
    std::map<std::string, std::string> m_changed;
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
    CliCommand command = ParseCommandLine(args);
    if (command.help) {
        std::fputs(HelpText(command.verb).c_str(), stdout);
        return ExitOk;
    }
    if (!command.error.empty())
        return UsageError(command.error);

    QtFileSystem files;
    QtSerialPort serial;
    QtClock clock;
    ReadOnlySettings settings;
    CliDialogs dialogs;
    CliWindow window;
    Platform &p = platform();
    p.files = &files;
    p.serial = &serial;
    p.clock = &clock;
    p.settings = &settings;
    p.dialogs = &dialogs;
    p.window = &window;
    p.programFolder = QtProgramFolder();

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

    // "Comm Port n" as the editor maps it; a detect without ports tries every device.
    if (command.verb == Verb::Detect && command.ports.empty())
        command.ports = OrderSerialDevices(serial.listDevices());
    for (std::string &port : command.ports) {
        const std::string named = port;
        if (const int n = CommPortNumber(port))
            port = CommPortDevice(n);
        if (port.empty() || !serial.deviceExists(port))
            return UsageError(named + " stands for no serial device");
    }
    if (command.rate == 0)
        command.rate = command.verb == Verb::Detect ? 115200 : RestoredBaudRate();
    if (command.ports.empty()) {
        std::fputs("No serial devices found.\n", stdout);
        return ExitOk;
    }
    if (command.worker)
        return RunWorker(command, window);
    if (command.ports.size() == 1)
        return RunInProcess(command, window);
    return RunWorkers(command);
}
