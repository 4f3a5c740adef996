#include "aboutwindow.h"
#include "appglobals.h"
#include "appsettings.h"
#include "filecommands.h"
#include "helpwindow.h"
#include "mainwindow.h"
#include "platform.h"
#include "qtplatform.h"
#include "splash.h"
#include "startup.h"
#include "version.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
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

    // At most one argument: the data file to open. Spaces in an unquoted path arrive split.
    QStringList args = QApplication::arguments().mid(1);
    const std::string commandLine = args.join(QLatin1Char(' ')).toStdString();

    std::unique_ptr<SplashWindow> splash;
    std::unique_ptr<MainWindow> window;
    StartupWindows windows;
    windows.showSplash = [&] {
        splash = std::make_unique<SplashWindow>();
        if (QScreen *screen = QApplication::primaryScreen())
            splash->move(screen->geometry().center() - splash->rect().center());
        splash->show();
        QApplication::processEvents();
    };
    windows.showMainWindow = [&] {
        window = std::make_unique<MainWindow>();
        window->LoadWindow();
    };
    // A file named on the command line was loaded: show its data.
    windows.refreshMainWindow = [&] {
        SetCaption(false);
        window->BuildTree();
        window->SetRightPaneView();
    };
    windows.closeSplash = [&] { splash.reset(); };
    RunStartup(commandLine, windows);

    if (!exitAfterStartup.isEmpty()) {
        QTimer::singleShot(0, &app, [&] {
            std::printf("%s\n", qPrintable(window->windowTitle()));
            std::fprintf(stderr, "idle after %lld ms\nhelp folder: %s\n", sinceStart.elapsed(),
                         qPrintable(HelpFolder()));
            std::fflush(stdout);
            // Not quit(): that would close the window and ask the exit question.
            QCoreApplication::exit(0);
        });
    }

    return QApplication::exec();
}
