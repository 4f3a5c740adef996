// Saves pictures of the Tune window for a visual check: each of its seven pages, the
// TX Frequency page while a run measures (against the in-process virtual radio) and the log.
// Usage: tessaro-tune-screens OUTDIR   (under xvfb-run or another display)

#include "alignlog.h"
#include "appsettings.h"
#include "benchmodel.h"
#include "fakeclock.h"
#include "fakeplatform.h"
#include "linkstate.h"
#include "platform.h"
#include "portchoice.h"
#include "simserialport.h"
#include "tunepages.h"
#include "tunewindow.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    MemoryFileSystem files;
    FakeSettings settings;
    ScriptedDialogs dialogs;
    InstallDoubles(files, settings, dialogs);
    FakeClock clock;
    VirtualRadio radio;
    RadioBench bench(radio);
    SimSerialPort port(radio, clock);
    port.present.insert("/dev/ttyVR0");
    platform().clock = &clock;
    platform().serial = &port;
    platform().programFolder = "/tmp";
    SaveSetting("Comm Port 1 Device", "/dev/ttyVR0");
    ResetLinkState();
    ResetPortChoice();

    TuneWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *tabs = window.findChild<QTabBar *>(QStringLiteral("tabTune"));
    for (int i = 0; i < tabs->count(); ++i) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
        QTest::qWait(100);
        window.grab().save(dir.filePath(QStringLiteral("tune-page%1.png").arg(i)));
    }
    tabs->setCurrentIndex(1);
    window.freqPage().procedure().StartFinishClick();
    QTest::qWait(100);
    window.grab().save(dir.filePath(QStringLiteral("tune-page1-measuring.png")));
    window.freqPage().procedure().QuitClick();

    // RX Front End by keyboard only: the tabs by arrow, Start by Space, the bar by its keys.
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        std::fprintf(stderr, "window not active\n");
    tabs->setCurrentIndex(0);
    tabs->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(tabs, Qt::Key_Right);
    auto *start = window.findChild<QPushButton *>(QStringLiteral("cmdFEStart"));
    while (QApplication::focusWidget() != start)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(start, Qt::Key_Space);
    QTest::qWait(100);
    QWidget *bar = window.findChild<QWidget *>(QStringLiteral("hsbFE"));
    for (int tabsPressed = 0; QApplication::focusWidget() != bar && tabsPressed < 20; ++tabsPressed)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(bar, Qt::Key_PageUp);
    QTest::keyClick(bar, Qt::Key_Right);
    QTest::qWait(100);
    window.grab().save(dir.filePath(QStringLiteral("tune-fe-keyboard.png")));
    std::printf("front end: focus on the bar %d, value %d\n", QApplication::focusWidget() == bar,
                window.findChild<QScrollBar *>(QStringLiteral("hsbFE"))->value());
    while (QApplication::focusWidget() != start)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(start, Qt::Key_Space); // Finish
    QTest::qWait(100);
    window.grab().save(dir.filePath(QStringLiteral("tune-fe-finished.png")));

    AppendAlignLog({"1234567", "TX Frequency", "00 00", "F4 81", "Completed"});
    QTimer::singleShot(300, [&dir] {
        QWidget *log = QApplication::activeModalWidget();
        if (log) {
            log->grab().save(dir.filePath(QStringLiteral("tune-log.png")));
            log->close();
        }
    });
    window.findChild<QPushButton *>(QStringLiteral("cmdLog"))->click();
    return 0;
}
