#include "appglobals.h"
#include "appsettings.h"
#include "filecommands.h"
#include "mainwindow.h"
#include "qtplatform.h"
#include "splash.h"
#include "startup.h"
#include "version.h"

#include <QApplication>
#include <QScreen>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromStdString(ProgramTitle));
    QApplication::setApplicationName(QString::fromStdString(ProgramTitle));
    QApplication::setApplicationVersion(QStringLiteral(TESSARO_VERSION_TEXT));
    InstallQtPlatform();

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

    return QApplication::exec();
}
