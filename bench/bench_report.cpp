// Times the printed report against the program's own start.
// Usage: tessaro-bench-report window|report [RUNS]   (under xvfb-run for "window")
//   window: builds and shows the main window and runs the event loop until it is idle;
//   report: Print ALL onto a PDF file and onto the recording printer, best of RUNS.

#include "appglobals.h"
#include "defaultimage.h"
#include "fakeclock.h"
#include "fakeplatform.h"
#include "fakeprinter.h"
#include "mainwindow.h"
#include "platform.h"
#include "printcommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

static double BestMs(int runs, const std::function<void()> &work)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

int main(int argc, char *argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    MemoryFileSystem files;
    FakeSettings settings;
    ScriptedDialogs dialogs;
    InstallDoubles(files, settings, dialogs);
    FakeClock clock;
    platform().clock = &clock;
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10;

    if (argc > 1 && std::strcmp(argv[1], "window") == 0) {
        MainWindow window;
        window.LoadWindow();
        QTimer::singleShot(0, &app, &QApplication::quit);
        QApplication::exec();
        std::printf("start to idle window: %.1f ms\n", sinceStart.nsecsElapsed() / 1e6);
        return 0;
    }
    QTemporaryDir dir;
    const std::string pdf = dir.filePath(QStringLiteral("all.pdf")).toStdString();
    std::printf("Print ALL to PDF: %.1f ms (best of %d)\n",
                BestMs(runs, [&] { WriteReportPdf(pdf, ReportKind::All, 0); }), runs);
    std::printf("Print ALL to the recording printer: %.2f ms\n", BestMs(runs, [] {
                    RecordingPrinter printer;
                    PrintReport(printer, ReportKind::All, 0);
                }));
    return 0;
}
