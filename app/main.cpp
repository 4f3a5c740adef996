#include "appglobals.h"
#include "appsettings.h"
#include "mainwindow.h"
#include "printpdf.h"
#include "qtplatform.h"
#include "splash.h"
#include "startup.h"
#include "version.h"

#include <QApplication>
#include <QScreen>

#include <memory>
#include <vector>

int main(int argc, char *argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool printPdf = IsPrintPdfCommand(args);
    // A PDF needs no display.
    if (printPdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromStdString(ProgramTitle));
    QApplication::setApplicationName(QString::fromStdString(ProgramTitle));
    QApplication::setApplicationVersion(QStringLiteral(TESSARO_VERSION_TEXT));
    InstallQtPlatform();
    if (printPdf)
        return RunPrintPdf(args);

    // At most one argument: the data file to open. Spaces in an unquoted path arrive split. The
    // bytes are kept as they are (QApplication has taken its own options out of argv), so a
    // name in any encoding still names its file.
    std::string commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine += (i > 1 ? " " : "") + std::string(argv[i]);

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

    return QApplication::exec();
}
