// Screenshots of the radio history as a technician meets it: the editor reads the radio on
// Comm Port 1 (a virtual radio), then the history window lists the radios, finds one, shows a
// timeline, compares two events and opens an old image in the editor. Uses the user's real
// settings and data folder: run it with HOME pointing at a scratch folder.
//
// usage: tessaro-history-screens OUTDIR [SEARCH-TEXT SERIAL]

#include "appglobals.h"
#include "appsettings.h"
#include "caption.h"
#include "historyconfig.h"
#include "historywindow.h"
#include "mainwindow.h"
#include "platform.h"
#include "qtplatform.h"
#include "qtsqldatabase.h"
#include "radiocommands.h"
#include "recordevent.h"
#include "startup.h"

#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ZPA Tessaro Editor"));
    QApplication::setApplicationName(QStringLiteral("ZPA Tessaro Editor"));
    if (argc < 2)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString search = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("2222");
    const QString serial = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("1111111");
    InstallQtPlatform();
    platform().desktop = nullptr;
    BeginStartup("");
    QtSqlConnector connector;
    std::string why;
    const auto where =
        ParseHistoryConnection(GetSetting(HistoryDatabaseKey, ""), platform().programFolder, why);
    HistoryRecorder recorder(connector, *where, platform().files,
                             platform().programFolder + "/" + HistoryQueueFileName);
    InstallHistory(&recorder, QSysInfo::machineHostName().toStdString());
    recorder.startWorker();
    MainWindow window;
    window.LoadWindow();
    EndStartup();
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    SetCaption(false);
    std::printf("Read All: %s\n", RunRadioCommand(RadioCommand::ReadAll) ? "ok" : "failed");
    recorder.stopWorker();
    std::printf("events waiting: %zu\n", recorder.flush());
    window.grab().save(out.filePath(QStringLiteral("editor-after-read.png")));

    ShowHistoryWindow(&window);
    auto *history = window.findChild<HistoryWindow *>();
    (void)QTest::qWaitForWindowExposed(history);
    QTest::qWait(200);
    history->grab().save(out.filePath(QStringLiteral("history-all.png")));
    auto *find = history->findChild<QLineEdit *>(QStringLiteral("txtSearch"));
    find->setText(search);
    history->Search();
    QTest::qWait(100);
    history->grab().save(out.filePath(QStringLiteral("history-search.png")));

    find->setText(serial);
    history->Search();
    auto *timeline = history->findChild<QTableWidget *>(QStringLiteral("grdTimeline"));
    std::printf("timeline of %s: %d events\n", qPrintable(serial), timeline->rowCount());
    if (timeline->rowCount() < 2)
        return 1;
    // The newest and the oldest event.
    timeline->selectRow(0);
    timeline->selectionModel()->select(timeline->model()->index(timeline->rowCount() - 1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::qWait(100);
    history->grab().save(out.filePath(QStringLiteral("history-two-selected.png")));
    QTimer::singleShot(500, [&] {
        if (QWidget *table = QApplication::activeModalWidget()) {
            table->grab().save(out.filePath(QStringLiteral("history-compare.png")));
            table->close();
        }
    });
    history->findChild<QPushButton *>(QStringLiteral("cmdCompare"))->click();

    timeline->clearSelection();
    timeline->selectRow(timeline->rowCount() - 1);
    history->findChild<QPushButton *>(QStringLiteral("cmdOpenImage"))->click();
    QTest::qWait(200);
    window.grab().save(out.filePath(QStringLiteral("editor-old-image.png")));
    std::printf("caption after opening the old image: %s\n", qPrintable(window.windowTitle()));
    InstallHistory(nullptr, {});
    return 0;
}
