// Runs the Read ALL and Write ALL menu commands of the main window against tessaro-radio-sim,
// paced at the line rate, and compares the time taken with the time the bytes need on the
// wire: the whole command as the user waits for it, with progress bar, pane refresh and backup.
//
// usage: tessaro-bench-commands SIM-PROGRAM RATE...   (offscreen or under a display)

#include "appglobals.h"
#include "baudrates.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "linkstate.h"
#include "mainwindow.h"
#include "memmap.h"
#include "platform.h"
#include "qtclock.h"
#include "qtserialport.h"
#include "writetables.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>

namespace
{

// Bytes on the wire, both ways: hook at 4800 bit/s with the rate change, and the unhook.
constexpr double HookBytes = 10 + 3 + 1 + 2 + 1;

double WireSeconds(const char *action, long rate)
{
    double bytes = 1; // unhook
    if (std::string(action) == "mnuReadAll") {
        bytes += 103 * (5.0 + 256.0);
    } else {
        for (const GlobalWrite &w : GlobalWrites) {
            if (w.use != WriteUse::GlobalsOnly)
                bytes += w.kind == WriteKind::Byte ? 5 + 1 : 4 + w.maskOrLength + 1;
        }
        for (const GroupWrite &w : GroupWrites)
            bytes += 25.0 * (4 + w.length + 1);
    }
    return HookBytes * 10.0 / 4800 + bytes * 10.0 / static_cast<double>(rate);
}

bool RunAt(const QString &sim, long rate, const char *action, FakeSettings &settings)
{
    QProcess radio;
    radio.start(sim, {QStringLiteral("--pace")});
    if (!radio.waitForStarted(5000))
        return false;
    QElapsedTimer started;
    started.start();
    while (!radio.canReadLine() && started.elapsed() < 5000)
        radio.waitForReadyRead(100);
    const QString device = QString::fromUtf8(radio.readLine()).trimmed();
    settings.values["ZPA Tessaro Editor/Settings/Comm Port 1 Device"] = device.toStdString();
    settings.values["ZPA Tessaro Editor/Settings/Baud Rate Index"] =
        std::to_string(BaudIndexOfRate(rate));

    MainWindow window;
    window.LoadWindow();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    window.findChild<QAction *>(QString::fromLatin1(action))->trigger();
    const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    radio.terminate();
    radio.waitForFinished(3000);
    const QString status =
        window.findChild<QWidget *>(QStringLiteral("sbpStatus"))->property("text").toString();
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
    QtSerialPort port;
    QtClock clock;
    FakeSettings settings;
    MemoryFileSystem files;
    ScriptedDialogs dialogs; // answers OK to the write confirmation
    Platform &p = platform();
    p.serial = &port;
    p.clock = &clock;
    p.settings = &settings;
    p.files = &files;
    p.dialogs = &dialogs;
    p.programFolder = "/bench/ZPA Tessaro Editor";
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);

    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        const long rate = std::strtol(argv[i], nullptr, 10);
        for (const char *action : {"mnuReadAll", "mnuWriteAll"}) {
            ResetLinkState();
            ok = RunAt(QString::fromLocal8Bit(argv[1]), rate, action, settings) && ok;
        }
    }
    return ok ? 0 : 1;
}
