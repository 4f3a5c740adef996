// The TX Frequency adjustment done as a technician does it, against tessaro-radio-sim with a
// crystal error on a pseudo-terminal: the Tune screen opened from the toolbar, the counter
// reading the simulator prints typed in, and the counter read again afterwards. Saves
// screenshots of each step.
//
// usage: tessaro-tune-technician SIM-PROGRAM OUTDIR   (offscreen or under a display)

#include "appglobals.h"
#include "benchmodel.h"
#include "benchradio.h"
#include "defaultimage.h"
#include "freqcodec.h"
#include "layout.h"
#include "mainwindow.h"
#include "memmap.h"
#include "tunewindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <cstdio>

namespace
{

// A radio fresh from the factory whose channel 1 transmits on 173.995 MHz.
QByteArray RadioImage()
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
    const FreqBytes rx = FreqToBytes(155.0);
    const FreqBytes tx = FreqToBytes(173.995);
    eeprom[0x0500] = rx.high;
    eeprom[0x0501] = rx.low;
    eeprom[0x0508] = tx.high;
    eeprom[0x0509] = tx.low;
    return QByteArray(reinterpret_cast<const char *>(eeprom.data()),
                      static_cast<qsizetype>(eeprom.size()));
}

// The last counter reading the simulator printed, in MHz ("" before the first).
QString s_counter;

void ReadBench(QProcess &radio)
{
    while (radio.canReadLine()) {
        const QString line = QString::fromUtf8(radio.readLine()).trimmed();
        std::printf("  sim: %s\n", qPrintable(line));
        if (line.startsWith(QStringLiteral("bench: counter ")))
            s_counter = line.section(QLatin1Char(' '), 2, 2);
    }
}

void Settle(QProcess &radio, int ms)
{
    QTest::qWait(ms);
    radio.waitForReadyRead(50);
    ReadBench(radio);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tessaro-tune-technician SIM-PROGRAM OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    BenchLink bench;
    platform().programFolder = QDir::tempPath().toStdString();
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);

    const QString imagePath = QDir::temp().filePath(QStringLiteral("tune-radio.bin"));
    QFile image(imagePath);
    if (!image.open(QIODevice::WriteOnly) || image.write(RadioImage()) < 0)
        return 1;
    image.close();
    QProcess radio;
    radio.start(QString::fromLocal8Bit(argv[1]),
                {QStringLiteral("--pace"), QStringLiteral("--crystal-error"),
                 QStringLiteral("1000Hz"), QStringLiteral("--load"), imagePath});
    if (!radio.waitForStarted(5000) || !radio.waitForReadyRead(5000))
        return 1;
    const QString device = QString::fromUtf8(radio.readLine()).trimmed();
    SaveSetting("Comm Port 1 Device", device.toStdString());
    std::printf("radio on %s\n", qPrintable(device));
    Settle(radio, 100);
    std::printf("counter before: %s MHz\n", qPrintable(s_counter));

    MainWindow window;
    window.LoadWindow();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QString typed;
    QTimer::singleShot(300, [&] {
        auto *tune = qobject_cast<TuneWindow *>(QApplication::activeModalWidget());
        if (!tune)
            return;
        auto *tabs = tune->findChild<QTabBar *>(QStringLiteral("tabTune"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QTest::qWait(100);
        tune->grab().save(out.filePath(QStringLiteral("technician-1-page.png")));
        QTest::mouseClick(tune->findChild<QPushButton *>(QStringLiteral("cmdFreqStart")),
                          Qt::LeftButton);
        Settle(radio, 300);
        // Over the selected digits goes what the counter shows after "173.99".
        auto *entry = tune->findChild<QLineEdit *>(QStringLiteral("txtFreq"));
        typed = s_counter.mid(6);
        QTest::keyClicks(entry, typed);
        tune->grab().save(out.filePath(QStringLiteral("technician-2-reading.png")));
        QTest::keyClick(entry, Qt::Key_Return);
        Settle(radio, 300);
        tune->grab().save(out.filePath(QStringLiteral("technician-3-done.png")));
        QTest::mouseClick(tune->findChild<QPushButton *>(QStringLiteral("cmdQuit")),
                          Qt::LeftButton);
    });
    QToolBar *toolbar = window.findChild<QToolBar *>(QStringLiteral("TBar"));
    QTest::mouseClick(
        toolbar->widgetForAction(window.findChild<QAction *>(QStringLiteral("tbTune"))),
        Qt::LeftButton);
    Settle(radio, 300);
    radio.terminate();
    radio.waitForFinished(3000);
    ReadBench(radio);
    const double error = (s_counter.toDouble() - 173.995) * 1e6;
    std::printf(
        "typed %s; counter after: %s MHz (%+.1f Hz); status %s\n", qPrintable(typed),
        qPrintable(s_counter), error,
        qPrintable(
            window.findChild<QWidget *>(QStringLiteral("sbpStatus"))->property("text").toString()));
    return std::abs(error) <= 1.0 ? 0 : 1;
}
