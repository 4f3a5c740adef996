// Screenshots of the radio history as a technician meets it: the editor reads the radio on
// Comm Port 1 (a virtual radio), then the history window lists the radios, finds one, shows a
// timeline, compares two events and opens an old image in the editor. Uses the user's real
// settings and data folder: run it with HOME pointing at a scratch folder.
//
// usage: tessaro-history-screens SIM-PROGRAM OUTDIR [SEARCH-TEXT SERIAL]

#include "appglobals.h"
#include "appsettings.h"
#include "benchmodel.h"
#include "caption.h"
#include "defaultimage.h"
#include "freqcodec.h"
#include "historyconfig.h"
#include "historywindow.h"
#include "layout.h"
#include "mainwindow.h"
#include "platform.h"
#include "qtplatform.h"
#include "qtsqldatabase.h"
#include "radiocommands.h"
#include "recordevent.h"
#include "startup.h"
#include "tunewindow.h"
#include "virtualradio.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <cstdio>

namespace
{

// A factory-fresh radio, serial number 3456789, whose channel 1 transmits on 173.995 MHz with
// a crystal 1 kHz off: the TX Frequency adjustment has work to do.
bool AlignOneRadio(const QString &sim, MainWindow &window, const QDir &out)
{
    MemMapImage image;
    LoadDefaultImage(image);
    std::vector<std::uint8_t> eeprom(VirtualRadio::EepromSize, 0);
    for (int i = 0; i < UsedPages * PageSize; ++i)
        eeprom[static_cast<std::size_t>(i)] = image.get(i / PageSize, i % PageSize);
    for (int i = 0; i < Layout::GlbSerialNumberLength; ++i)
        eeprom[static_cast<std::size_t>(Layout::GlbSerialNumber + i)] =
            static_cast<std::uint8_t>(i + 3);
    RadioBench::SeedAlignmentCells(eeprom);
    const FreqBytes rx = FreqToBytes(155.0), tx = FreqToBytes(173.995);
    eeprom[0x0500] = rx.high;
    eeprom[0x0501] = rx.low;
    eeprom[0x0508] = tx.high;
    eeprom[0x0509] = tx.low;
    QFile file(out.filePath(QStringLiteral("align-radio.bin")));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char *>(eeprom.data()),
                   static_cast<qsizetype>(eeprom.size())) < 0)
        return false;
    file.close();
    QProcess radio;
    radio.start(sim, {QStringLiteral("--crystal-error"), QStringLiteral("1000Hz"),
                      QStringLiteral("--load"), file.fileName()});
    if (!radio.waitForStarted(5000) || !radio.waitForReadyRead(5000))
        return false;
    const std::string before = GetSetting("Comm Port 1 Device", "");
    SaveSetting("Comm Port 1 Device", QString::fromUtf8(radio.readLine()).trimmed().toStdString());
    QString counter;
    const auto readBench = [&] {
        QTest::qWait(300);
        radio.waitForReadyRead(50);
        while (radio.canReadLine()) {
            const QString line = QString::fromUtf8(radio.readLine()).trimmed();
            if (line.startsWith(QStringLiteral("bench: counter ")))
                counter = line.section(QLatin1Char(' '), 2, 2);
        }
    };
    g_bShowTuneWarning = false;
    QTimer::singleShot(300, [&] {
        auto *tune = qobject_cast<TuneWindow *>(QApplication::activeModalWidget());
        if (!tune)
            return;
        auto *tabs = tune->findChild<QTabBar *>(QStringLiteral("tabTune"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QTest::mouseClick(tune->findChild<QPushButton *>(QStringLiteral("cmdFreqStart")),
                          Qt::LeftButton);
        readBench();
        auto *entry = tune->findChild<QLineEdit *>(QStringLiteral("txtFreq"));
        QTest::keyClicks(entry, counter.mid(6));
        QTest::keyClick(entry, Qt::Key_Return);
        readBench();
        QTest::mouseClick(tune->findChild<QPushButton *>(QStringLiteral("cmdQuit")),
                          Qt::LeftButton);
    });
    QToolBar *toolbar = window.findChild<QToolBar *>(QStringLiteral("TBar"));
    QTest::mouseClick(
        toolbar->widgetForAction(window.findChild<QAction *>(QStringLiteral("tbTune"))),
        Qt::LeftButton);
    readBench();
    radio.terminate();
    radio.waitForFinished(3000);
    SaveSetting("Comm Port 1 Device", before);
    std::printf("aligned radio 3456789, counter now %s MHz\n", qPrintable(counter));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ZPA Tessaro Editor"));
    QApplication::setApplicationName(QStringLiteral("ZPA Tessaro Editor"));
    if (argc < 3)
        return 2;
    const QString sim = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString search = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("2222");
    const QString serial = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral("1111111");
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
    window.grab().save(out.filePath(QStringLiteral("editor-after-read.png")));
    if (!AlignOneRadio(sim, window, out))
        return 1;
    recorder.stopWorker();
    std::printf("events waiting: %zu\n", recorder.flush());

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
    // The first read and the write after it.
    timeline->selectRow(timeline->rowCount() - 1);
    timeline->selectionModel()->select(timeline->model()->index(timeline->rowCount() - 2, 0),
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
    timeline->selectRow(timeline->rowCount() - 2);
    SetCaption(false); // the read's data may go without the save question
    history->findChild<QPushButton *>(QStringLiteral("cmdOpenImage"))->click();
    QTest::qWait(200);
    window.grab().save(out.filePath(QStringLiteral("editor-old-image.png")));
    std::printf("caption after opening the old image: %s\n", qPrintable(window.windowTitle()));
    InstallHistory(nullptr, {});
    return 0;
}
