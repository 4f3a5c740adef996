// Runs the Read ALL and Write ALL menu commands of the main window against tessaro-radio-sim,
// paced at the line rate, and compares the time taken with the time the bytes need on the
// wire: the whole command as the user waits for it, with progress bar, pane refresh and backup.
//
// usage: tessaro-bench-commands SIM-PROGRAM RATE...   (offscreen or under a display)

#include "appglobals.h"
#include "baudrates.h"
#include "benchradio.h"
#include "defaultimage.h"
#include "linkstate.h"
#include "mainwindow.h"
#include "memmap.h"
#include "platform.h"
#include "radiocommands.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace
{

double WireSeconds(const char *action, long rate)
{
    const double transfer =
        std::string(action) == "mnuReadAll" ? ReadAllWireBytes() : WriteAllWireBytes();
    return HookWireBytes * 10.0 / 4800 +
           (transfer + UnhookWireBytes) * 10.0 / static_cast<double>(rate);
}

bool RunAt(const QString &sim, long rate, const char *action)
{
    QProcess radio;
    if (!StartPacedRadio(radio, sim))
        return false;
    SaveSetting("Baud Rate Index", std::to_string(BaudIndexOfRate(rate)));

    MainWindow window;
    window.LoadWindow();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    (std::string(action) == "mnuReadAll" ? ReadAllCommand : WriteAllCommand)();
    const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    radio.terminate();
    radio.waitForFinished(3000);
    const QString status = QString::fromStdString(window.statusText());
    const double wire = WireSeconds(action, rate);
    std::printf("%-10s %6ld bit/s: %.3f s, wire time %.3f s, ratio %.3f  [%s]\n", action, rate,
                elapsed, wire, elapsed / wire, qPrintable(status));
    return status.endsWith(QStringLiteral("Complete....."));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: tessaro-bench-commands SIM-PROGRAM RATE...\n");
        return 2;
    }
    BenchLink bench;
    platform().programFolder = "/bench/ZPA Tessaro Editor";
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);

    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        const long rate = std::strtol(argv[i], nullptr, 10);
        for (const char *action : {"mnuReadAll", "mnuWriteAll"}) {
            ResetLinkState();
            ok = RunAt(QString::fromLocal8Bit(argv[1]), rate, action) && ok;
        }
    }
    return ok ? 0 : 1;
}
