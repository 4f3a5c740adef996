#include "tunecommand.h"

#include "appsettings.h"
#include "autotuneprint.h"
#include "baudrates.h"
#include "cliargs.h"
#include "clihost.h"
#include "clioutput.h"
#include "hostserialdevices.h"
#include "hosttestset.h"
#include "linkstate.h"
#include "platform.h"
#include "portchoice.h"
#include "qtclock.h"
#include "qtplatform.h"
#include "qtprinter.h"
#include "qtserialport.h"
#include "readonlysettings.h"
#include "serialdevices.h"
#include "serialportlist.h"
#include "tunejob.h"

#include <QGuiApplication>

#include <csignal>
#include <map>

namespace
{

AutoTuneRunner *volatile s_running = nullptr;

void Interrupted(int)
{
    // The running page leaves through its own restore; a second Ctrl+C ends the tool at once.
    if (AutoTuneRunner *runner = s_running)
        runner->requestAbort(AbortCause::Interrupt);
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

int RunTuneCommand(int argc, char **argv)
{
    std::vector<std::string> args(argv + 2, argv + argc);
    const TuneRequest request = ParseTuneArgs(args);
    if (request.help) {
        std::fputs(TuneHelpText().c_str(), stdout);
        return ExitOk;
    }
    if (!request.error.empty()) {
        std::fprintf(stderr, "tessaro: %s\n", request.error.c_str());
        return ExitUsage;
    }
    // The PDF report needs fonts, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
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

    HostSerialDevices devices;
    p.devices = &devices;
    std::string device, unusable;
    if (!ResolvePortName(request.port, device, unusable)) {
        std::fprintf(stderr, "tessaro: %s\n", unusable.c_str());
        return ExitUsage;
    }
    // The Tune pages work on "Comm Port 1"; here it stands for the chosen device.
    ResetLinkState();
    SaveSetting("Comm Port 1 Device", device);
    m_iCommPort = 1;
    m_iBaudIndex = BaudIndexOfRate(request.rate ? request.rate : RestoredBaudRate());
    m_lBaudRate = BaudRateOfIndex(m_iBaudIndex);

    std::string why;
    std::unique_ptr<TestSet> set = OpenHostTestSet(request.instrument, request.profile, why);
    if (!set) {
        std::fprintf(stderr, "tessaro: the test set at %s cannot be used: %s\n",
                     request.instrument.c_str(), why.c_str());
        return ExitFailed;
    }
    std::signal(SIGINT, Interrupted);
    std::signal(SIGTERM, Interrupted);
    const TuneOutput output{stdout, stderr, [](const AutoTuneReport &report) {
                                return PrintToPdf("AutoTune Report", [&](Printer &printer) {
                                    PrintAutoTuneReport(printer, report);
                                });
                            }};
    const int status = RunTuneJob(request, *set, output, &s_running);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    return status;
}
