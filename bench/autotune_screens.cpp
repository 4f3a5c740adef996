// AutoTune as a technician uses it, against tessaro-radio-sim's paced radio and its SCPI test
// set: the Tune screen opened from the toolbar, "AutoTune..." clicked, the test set's address
// and profile entered, Start. Saves the set-up, a run in progress (the coil prompt, then the
// table filling) and the result, and the report as PDF.
//
// usage: tessaro-autotune-screens SIM-PROGRAM PROFILE OUTDIR [PORT]

#include "appglobals.h"
#include "autotunewindow.h"
#include "benchmodel.h"
#include "benchradio.h"
#include "defaultimage.h"
#include "freqcodec.h"
#include "hosttestset.h"
#include "layout.h"
#include "mainwindow.h"
#include "memmap.h"
#include "qtplatform.h"
#include "tunewindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <cstdio>

namespace
{

// A radio fresh from the factory and a little out of alignment.
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
    for (auto [at, mhz] : {std::pair{0x0500, 155.0}, std::pair{0x0508, 156.0}}) {
        eeprom[static_cast<std::size_t>(at)] = FreqToBytes(mhz).high;
        eeprom[static_cast<std::size_t>(at) + 1] = FreqToBytes(mhz).low;
    }
    return QByteArray(reinterpret_cast<const char *>(eeprom.data()),
                      static_cast<qsizetype>(eeprom.size()));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: tessaro-autotune-screens SIM-PROGRAM PROFILE OUTDIR [PORT]\n");
        return 2;
    }
    const QString profile = QString::fromLocal8Bit(argv[2]);
    const QDir out(QString::fromLocal8Bit(argv[3]));
    const QString port = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral("5125");
    BenchLink bench;
    // Profiles and the report are real files.
    QtFileSystem files;
    platform().files = &files;
    platform().programFolder = QDir::tempPath().toStdString();
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);

    const QString imagePath = QDir::temp().filePath(QStringLiteral("autotune-radio.bin"));
    QFile image(imagePath);
    if (!image.open(QIODevice::WriteOnly) || image.write(RadioImage()) < 0)
        return 1;
    image.close();
    QProcess radio;
    radio.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    radio.start(QString::fromLocal8Bit(argv[1]),
                {QStringLiteral("--pace"), QStringLiteral("--crystal-error"), QStringLiteral("1.5"),
                 QStringLiteral("--load"), imagePath, QStringLiteral("--instrument"), port});
    if (!radio.waitForStarted(5000) || !radio.waitForReadyRead(5000))
        return 1;
    const QString device = QString::fromUtf8(radio.readLine()).trimmed();
    SaveSetting("Comm Port 1 Device", device.toStdString());
    std::printf("radio on %s, test set on tcp://127.0.0.1:%s\n", qPrintable(device),
                qPrintable(port));

    bool coilTurned = false;
    int status = 1;
    TuneWindow::autoTuneOpener = [&](QWidget *parent) {
        AutoTuneWindow window(HostAutoTune(), parent);
        window.resize(960, 900);
        // The technician's hand on T1, seen once on the prompt.
        window.coil = [&](double) {
            if (coilTurned)
                return;
            coilTurned = true;
            window.grab().save(out.filePath(QStringLiteral("autotune-2-coil-prompt.png")));
            radio.write("coil 0\n");
        };
        QTimer progress;
        progress.setSingleShot(true);
        QObject::connect(&progress, &QTimer::timeout, [&] {
            window.grab().save(out.filePath(QStringLiteral("autotune-3-running.png")));
        });
        QTimer::singleShot(300, &window, [&] {
            window.findChild<QLineEdit *>(QStringLiteral("txtInstrument"))
                ->setText(QStringLiteral("tcp://127.0.0.1:") + port);
            window.findChild<QComboBox *>(QStringLiteral("cboProfile"))->setCurrentText(profile);
            window.grab().save(out.filePath(QStringLiteral("autotune-1-setup.png")));
            progress.start(40000);
            QElapsedTimer timer;
            timer.start();
            QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdStart")),
                              Qt::LeftButton);
            std::printf(
                "run took %.1f s: %s\n", timer.elapsed() / 1000.0,
                qPrintable(window.findChild<QLabel *>(QStringLiteral("lblStatus"))->text()));
            window.grab().save(out.filePath(QStringLiteral("autotune-4-result.png")));
            window.saveReport(out.filePath(QStringLiteral("autotune-report.pdf")).toStdString());
            status = window.report().allPassed() ? 0 : 1;
            window.close();
        });
        window.exec();
    };

    MainWindow main;
    main.LoadWindow();
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return 1;
    QTimer::singleShot(300, [&] {
        auto *tune = qobject_cast<TuneWindow *>(QApplication::activeModalWidget());
        if (!tune)
            return;
        tune->grab().save(out.filePath(QStringLiteral("autotune-0-tune-window.png")));
        QTest::mouseClick(tune->findChild<QPushButton *>(QStringLiteral("cmdAutoTune")),
                          Qt::LeftButton);
        tune->close();
    });
    QToolBar *toolbar = main.findChild<QToolBar *>(QStringLiteral("TBar"));
    QTest::mouseClick(toolbar->widgetForAction(main.findChild<QAction *>(QStringLiteral("tbTune"))),
                      Qt::LeftButton);
    radio.terminate();
    radio.waitForFinished(3000);
    return status;
}
