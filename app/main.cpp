#include "aboutwindow.h"
#include "appglobals.h"
#include "appsettings.h"
#include "autotunewindow.h"
#include "filetype.h"
#include "helpwindow.h"
#include "historyconfig.h"
#include "hosttestset.h"
#include "mainwindow.h"
#include "platform.h"
#include "printpdf.h"
#include "qtplatform.h"
#include "qtsqldatabase.h"
#include "recordevent.h"
#include "splash.h"
#include "startup.h"
#include "tunewindow.h"
#include "version.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QSysInfo>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char *argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool printPdf = IsPrintPdfCommand(args);
    // A PDF needs no display.
    if (printPdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromStdString(ProgramTitle));
    QApplication::setApplicationName(QString::fromStdString(ProgramTitle));
    QApplication::setApplicationVersion(QStringLiteral(TESSARO_VERSION_TEXT));
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("zpa-tessaro-editor"));
    InstallQtPlatform();
    // Scripted checks and the start-up benchmark: print the caption once the window is idle and
    // quit; "noregister" also leaves the desktop's file types alone.
    const QString exitAfterStartup = qEnvironmentVariable("TESSARO_EXIT_AFTER_STARTUP");
    if (exitAfterStartup == QLatin1String("noregister"))
        platform().desktop = nullptr;
    if (printPdf)
        return RunPrintPdf(args);

    // At most one argument: the data file to open. Spaces in an unquoted path arrive split. The
    // bytes are kept as they are (QApplication has taken its own options out of argv), so a
    // name in any encoding still names its file.
    std::string commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine += (i > 1 ? " " : "") + std::string(argv[i]);

    TuneWindow::autoTuneOpener = [](QWidget *parent) { OpenAutoTune(parent, HostAutoTune()); };
    auto splash = std::make_unique<SplashWindow>();
    if (QScreen *screen = QApplication::primaryScreen())
        splash->move(screen->geometry().center() - splash->rect().center());
    splash->show();
    QApplication::processEvents();

    BeginStartup(commandLine);
    // The radio history is sent from a thread of its own; a database that cannot be reached
    // is said once in the status bar, and its events wait in the queue file.
    QtSqlConnector historyConnector;
    std::unique_ptr<HistoryRecorder> history;
    std::string historyWhy;
    if (const auto where = ParseHistoryConnection(GetSetting(HistoryDatabaseKey, ""),
                                                  platform().programFolder, historyWhy)) {
        history = std::make_unique<HistoryRecorder>(
            historyConnector, *where, platform().files,
            platform().programFolder + "/" + HistoryQueueFileName);
        InstallHistory(history.get(), QSysInfo::machineHostName().toStdString());
        history->startWorker();
    }
    MainWindow window;
    window.LoadWindow();
    LoadCommandLineFile(commandLine);
    splash.reset();
    EndStartup();
    // The desktop learns of the data-file type once the window is on the screen: its files,
    // each flushed to disk, and the desktop's cache tools would hold the window back.
    QTimer::singleShot(0, &app, [] {
        QGuiApplication::sync();
        RegisterFileType();
    });

    if (!exitAfterStartup.isEmpty()) {
        QTimer::singleShot(0, &app, [&] {
            std::printf("%s\n", qPrintable(window.windowTitle()));
            std::fprintf(stderr, "idle after %lld ms\nhelp folder: %s\n", sinceStart.elapsed(),
                         qPrintable(HelpFolder()));
            std::fflush(stdout);
            // Not quit(): that would close the window and ask the exit question.
            QCoreApplication::exit(0);
        });
    }

    QTimer historyNotice;
    if (history) {
        QObject::connect(&historyNotice, &QTimer::timeout, &app, [&history] {
            if (history->takeAwayNotice())
                StatusMsg(HistoryAwayStatus);
        });
        historyNotice.start(2000);
    }
    const int status = QApplication::exec();
    InstallHistory(nullptr, {});
    return status;
}
