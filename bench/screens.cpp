// Saves pictures of the main window for a visual check and for the help pages: at the minimum
// size and at 1280 x 900 pixels, in the Globals view and in a group's view; a selected block,
// the paste area question and the Copy Groups dialog; and the help, about and system
// information windows.
// Usage: tessaro-screens OUTDIR   (under xvfb-run or another display)

#include "aboutwindow.h"
#include "appglobals.h"
#include "appsettings.h"
#include "changridpane.h"
#include "copymacrodialog.h"
#include "defaultimage.h"
#include "fakeclock.h"
#include "fakeplatform.h"
#include "helpwindow.h"
#include "mainwindow.h"
#include "memmap.h"
#include "platform.h"
#include "printcommands.h"
#include "qtplatform.h"
#include "qtserialport.h"
#include "splash.h"
#include "textmeasure.h"
#include "treelogic.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <functional>

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

// Grabs the modal window that opens next, then lets `then` close it.
static void grabModal(const QString &file, const std::function<void(QWidget *)> &then)
{
    QTimer::singleShot(300, [file, then] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            modal->grab().save(file);
            then(modal);
        }
    });
}

// A selected block, the question about a paste area that does not fit, and Copy Groups.
static void shootClipboard(const QString &dir)
{
    FakeSettings settings;
    platform().settings = &settings;
    QtDialogs dialogs;
    Dialogs *scripted = platform().dialogs;
    platform().dialogs = &dialogs;
    g_sPaneView = "Channels";
    g_iCurGroup = 0;
    MainWindow window;
    window.LoadWindow();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        std::fprintf(stderr, "window not active\n");
    QTreeWidget *tree = window.treeView();
    QTreeWidgetItem *item = window.treeItem(FirstGroupNode);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    QTableWidget *grid = window.gridPane()->grid();
    grid->setFocus();
    grid->setCurrentCell(2, 1);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    QTest::qWait(100);
    window.grab().save(QDir(dir).filePath(QStringLiteral("clip-block.png")));
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    grid->setCurrentCell(9, 4);
    grabModal(QDir(dir).filePath(QStringLiteral("clip-question.png")),
              [](QWidget *box) { QTest::keyClick(box, Qt::Key_Escape); });
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    grabModal(QDir(dir).filePath(QStringLiteral("copygroups.png")), [dir](QWidget *dlg) {
        dlg->findChild<QRadioButton *>(QStringLiteral("optCopyGrp_2"))->click();
        for (int d : {0, 5, 18})
            dlg->findChild<QCheckBox *>(QStringLiteral("chkPasteDest_%1").arg(d))->setChecked(true);
        dlg->grab().save(QDir(dir).filePath(QStringLiteral("copygroups-chosen.png")));
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    CopyMacroDialog(&window).exec();

    // Ctrl+C and Ctrl+V while a cell is typed in: Ch 1's label copied, Ch 6 typed over and its
    // block copied, Esc, then pasted on Ch 7, which gets Ch 6's label.
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        std::fprintf(stderr, "window not active\n");
    auto cell = [&](int row) {
        grid->setFocus();
        grid->setCurrentCell(row, 0);
    };
    cell(0);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    cell(5);
    for (int i = 0; i < 3; ++i) // the first key opens the editor, which takes the others
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ShiftModifier);
    QTest::qWait(100);
    window.grab().save(QDir(dir).filePath(QStringLiteral("keys-typing.png")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    cell(6);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    QTest::qWait(100);
    window.grab().save(QDir(dir).filePath(QStringLiteral("keys-pasted.png")));
    platform().dialogs = scripted;
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
    shootClipboard(dir);

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
