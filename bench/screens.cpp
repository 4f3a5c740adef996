// Saves pictures of the main window for a visual check and for the help pages: at the minimum
// size and at 1280 x 900 pixels, in the Globals view and in a group's view; and the help,
// about and system information windows.
// Usage: tessaro-screens OUTDIR   (under xvfb-run or another display)

#include "aboutwindow.h"
#include "appglobals.h"
#include "appsettings.h"
#include "changridpane.h"
#include "defaultimage.h"
#include "fakeclock.h"
#include "fakeplatform.h"
#include "helpwindow.h"
#include "mainwindow.h"
#include "memmap.h"
#include "platform.h"
#include "qtserialport.h"
#include "splash.h"
#include "printcommands.h"
#include "textmeasure.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

static void shoot(const QString &dir, const QString &name, int widthTw, int heightTw)
{
    FakeSettings settings;
    platform().settings = &settings;
    SaveSetting("Form Width", std::to_string(widthTw));
    SaveSetting("Form Height", std::to_string(heightTw));
    SaveSetting("Form Left", "0");
    SaveSetting("Form Top", "0");
    g_sPaneView = "Globals";
    g_iLastTab = 1;
    g_iLastNode = 2;
    MainWindow window;
    window.LoadWindow();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "window not exposed\n");
    QTest::qWait(200);
    window.grab().save(QDir(dir).filePath(name + QStringLiteral("-globals.png")));
    // Each settings tab in turn.
    if (QTabBar *tabs = window.tabBar()) {
        for (int tab = 1; tab < tabs->count(); ++tab) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            QTest::qWait(100);
            window.grab().save(
                QDir(dir).filePath(name + QStringLiteral("-tab%1.png").arg(tab + 1)));
        }
    }

    QTreeWidget *tree = window.treeView();
    QTreeWidgetItem *item = window.treeItem(15);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    QTest::qWait(200);
    window.grab().save(QDir(dir).filePath(name + QStringLiteral("-group12.png")));
    // Scrolled to the right end: the labels stay.
    if (QScrollBar *bar = window.gridPane()->grid()->horizontalScrollBar(); bar->maximum() > 0) {
        bar->setValue(bar->maximum());
        QTest::qWait(100);
        window.grab().save(QDir(dir).filePath(name + QStringLiteral("-group12-scrolled.png")));
        bar->setValue(0);
    }
    // The cell editor open over a receive frequency.
    if (QTableWidget *grid = window.gridPane()->grid()) {
        grid->setFocus();
        grid->setCurrentCell(2, 1);
        QTest::keyClick(grid, Qt::Key_1);
        if (QLineEdit *editor = window.gridPane()->cellEditor())
            QTest::keyClicks(editor, QStringLiteral("55.0037"));
        QTest::qWait(100);
        window.grab().save(QDir(dir).filePath(name + QStringLiteral("-group12-editing.png")));
    }
    std::printf("%s: %dx%d px\n", qPrintable(name), window.frameGeometry().width(),
                window.frameGeometry().height());
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);
    MemoryFileSystem files;
    ScriptedDialogs dialogs;
    platform().files = &files;
    platform().dialogs = &dialogs;
    platform().programFolder = QDir::homePath().toStdString() + "/.local/share/ZPA Tessaro Editor";
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);
    const double dpi = ScreenDpi();
    shoot(dir, QStringLiteral("minimum"), 11500, 8700);
    shoot(dir, QStringLiteral("1280x900"), PixelsToTwips(1280, dpi), PixelsToTwips(900, dpi));

    FakeSettings settings; // shoot()'s own settings are gone
    platform().settings = &settings;
    QtSerialPort serial; // the system information lists this machine's ports
    platform().serial = &serial;
    HelpWindow help;
    help.ShowOverview();
    help.show();
    if (QTest::qWaitForWindowExposed(&help)) {
        help.grab().save(QDir(dir).filePath(QStringLiteral("help.png")));
        help.browser()->setSource(QUrl(QStringLiteral("SerialCable.htm")));
        QTest::qWait(100);
        help.grab().save(QDir(dir).filePath(QStringLiteral("help-serial.png")));
    }
    AboutWindow about;
    about.show();
    if (QTest::qWaitForWindowExposed(&about))
        about.grab().save(QDir(dir).filePath(QStringLiteral("about.png")));
    SplashWindow splash;
    splash.show();
    if (QTest::qWaitForWindowExposed(&splash))
        splash.grab().save(QDir(dir).filePath(QStringLiteral("splash.png")));
    SystemInfoWindow info;
    info.show();
    if (QTest::qWaitForWindowExposed(&info))
        info.grab().save(QDir(dir).filePath(QStringLiteral("sysinfo.png")));

    // The print preview of Print ALL, closed once it has drawn its pages.
    FakeClock clock;
    platform().clock = &clock;
    QTimer::singleShot(500, [] {
        if (QWidget *preview = QApplication::activeModalWidget())
            preview->resize(1000, 900);
    });
    QTimer::singleShot(2000, [dir] {
        if (QWidget *preview = QApplication::activeModalWidget()) {
            preview->grab().save(QDir(dir).filePath(QStringLiteral("preview.png")));
            preview->close();
        }
    });
    PreviewReportCommand(ReportKind::All);
    return 0;
}
