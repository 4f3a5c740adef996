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
#include <QTabBar>
#include <QTest>
#include <QTimer>

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
