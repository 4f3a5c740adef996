#include "aboutwindow.h"
#include "appglobals.h"
#include "appsettings.h"
#include "autotunewindow.h"
#include "filetype.h"
#include "helpwindow.h"
#include "hosttestset.h"
#include "mainwindow.h"
#include "platform.h"
#include "printpdf.h"
#include "qtplatform.h"
#include "splash.h"
#include "startup.h"
#include "tunewindow.h"
#include "version.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
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

    RegisterFileType();
    TuneWindow::autoTuneOpener = [](QWidget *parent) { OpenAutoTune(parent, HostAutoTune()); };
    auto splash = std::make_unique<SplashWindow>();
    if (QScreen *screen = QApplication::primaryScreen())
        splash->move(screen->geometry().center() - splash->rect().center());
    splash->show();
    QApplication::processEvents();

    BeginStartup(commandLine);
    MainWindow window;
    window.LoadWindow();
    LoadCommandLineFile(commandLine);
    splash.reset();
    EndStartup();

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

    return QApplication::exec();
}
