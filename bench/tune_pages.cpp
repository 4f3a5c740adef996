// The VCO, Squelch, RX Front End and TX Power Levels pages done as a technician does them,
// against tessaro-radio-sim on a pseudo-terminal: T1 turned while the VCO page reads, the RF
// level set for 8 dB SINAD, the front-end slope swept for the best SINAD and the power meter
// read while the scroll bar moves. Saves a screenshot of each page and prints the cells and the
// alignment log.
//
// usage: tessaro-tune-pages SIM-PROGRAM OUTDIR   (offscreen or under a display)

#include "alignlog.h"
#include "benchmodel.h"
#include "benchradio.h"
#include "tunewindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace
{

struct Bench {
    QProcess radio;
    double power = 0, sinad = 0, volts = 0;

    void send(const QString &line)
    {
        radio.write((line + QLatin1Char('\n')).toUtf8());
        radio.waitForBytesWritten(1000);
    }
    // Asks the simulator for its instruments and keeps the last readout.
    void read()
    {
        send(QStringLiteral("show"));
        QTest::qWait(80);
        while (radio.waitForReadyRead(50) || radio.canReadLine()) {
            while (radio.canReadLine()) {
                const QString line = QString::fromUtf8(radio.readLine()).simplified();
                const QStringList w = line.split(QLatin1Char(' '));
                if (!line.startsWith(QStringLiteral("bench: counter")) || w.size() < 15)
                    continue;
                power = w[5].toDouble();
                sinad = w[11].toDouble();
                volts = w[14].toDouble();
            }
            if (!radio.canReadLine())
                break;
        }
    }
};

QPushButton *Button(QWidget *w, const char *name)
{
    return w->findChild<QPushButton *>(QLatin1String(name));
}

void Click(QWidget *w, const char *name)
{
    QTest::mouseClick(Button(w, name), Qt::LeftButton);
}

void Tab(TuneWindow &tune, int index)
{
    auto *tabs = tune.findChild<QTabBar *>(QStringLiteral("tabTune"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    QTest::qWait(50);
}

void Shot(TuneWindow &tune, const QDir &out, const char *name)
{
    tune.grab().save(out.filePath(QLatin1String(name)));
}

QString Info(TuneWindow &tune, const char *label)
{
    return tune.findChild<QLabel *>(QLatin1String(label))->text();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tessaro-tune-pages SIM-PROGRAM OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    BenchLink link;
    platform().programFolder = QDir::tempPath().toStdString();
    QFile::remove(QString::fromStdString(AlignLogPath()));
    Bench bench;
    const QString image = QDir::temp().filePath(QStringLiteral("tune-pages.bin"));
    {
        std::vector<std::uint8_t> eeprom(VirtualRadio::EepromSize, 0);
        RadioBench::SeedAlignmentCells(eeprom);
        eeprom[0x000B] = 150;
        eeprom[0x0014] = 90;
        QFile f(image);
        if (!f.open(QIODevice::WriteOnly) || f.write(reinterpret_cast<const char *>(eeprom.data()),
                                                     static_cast<qsizetype>(eeprom.size())) < 0)
            return 1;
    }
    const QString dump = QDir::temp().filePath(QStringLiteral("tune-pages-out.bin"));
    bench.radio.start(QString::fromLocal8Bit(argv[1]),
                      {QStringLiteral("--pace"), QStringLiteral("--load"), image,
                       QStringLiteral("--dump"), dump});
    if (!bench.radio.waitForStarted(5000) || !bench.radio.waitForReadyRead(5000))
        return 1;
    SaveSetting("Comm Port 1 Device",
                QString::fromUtf8(bench.radio.readLine()).trimmed().toStdString());

    TuneWindow tune;
    tune.show();
    if (!QTest::qWaitForWindowExposed(&tune))
        return 1;

    // VCO: T1 is turned home a few seconds into the manual phase.
    Tab(tune, 0);
    QTimer::singleShot(3000, [&] { bench.send(QStringLiteral("coil 0")); });
    Click(&tune, "cmdVCOStart");
    Shot(tune, out, "pages-1-vco.png");
    std::printf(
        "VCO: %s\n  %s\n", qPrintable(Info(tune, "lblVCOInfo").simplified()),
        qPrintable(Info(tune, "lblVCOMeasure").replace(QLatin1Char('\n'), QStringLiteral("\n  "))));

    // Squelch: RF level brought to 8 dB SINAD on the test channel, then each band.
    Tab(tune, 6);
    for (int band = 0; band < 2; ++band) {
        const char *name = band == 0 ? "cmdNarrowband" : "cmdWideband";
        Click(&tune, name);
        double uv = 0.35;
        for (int i = 0; i < 4; ++i) {
            bench.send(QStringLiteral("rf %1").arg(uv));
            bench.read();
            uv *= std::pow(10.0, (8.0 - bench.sinad) / 20.0);
        }
        std::printf("Squelch %s: SINAD %.1f dB\n", name, bench.sinad);
        Click(&tune, name);
        Shot(tune, out, band == 0 ? "pages-2-squelch-narrow.png" : "pages-3-squelch-wide.png");
        std::printf("  %s\n",
                    link.dialogs.messages.empty() ? "" : link.dialogs.messages.back().text.c_str());
    }
    bench.send(QStringLiteral("rf 0.35"));

    // RX Front End: the slope swept for the best SINAD at the top of the band.
    Tab(tune, 5);
    Click(&tune, "cmdFEStart");
    auto *fe = tune.findChild<QScrollBar *>(QStringLiteral("hsbFE"));
    int best = fe->value();
    double bestSinad = -1;
    for (int v = 15000; v <= 20000; v += 500) {
        fe->setValue(v);
        bench.read();
        if (bench.sinad > bestSinad) {
            bestSinad = bench.sinad;
            best = v;
        }
    }
    fe->setValue(best);
    Shot(tune, out, "pages-4-frontend.png");
    Click(&tune, "cmdFEStart");
    std::printf("Front end: slope %d, SINAD %.1f dB\n", best, bestSinad);

    // TX Power Levels: the thumb dragged near, the arrows for the last steps, both kept.
    Tab(tune, 3);
    const struct {
        const char *button;
        double watts;
    } levels[] = {{"cmdSetHighPower", 5.25}, {"cmdSetLowPower", 2.0}};
    auto *hsb = tune.findChild<QScrollBar *>(QStringLiteral("hsbPower"));
    for (const auto &level : levels) {
        Click(&tune, level.button);
        bench.read();
        hsb->setSliderDown(true);
        int v = hsb->value();
        for (int i = 0; i < 4 && bench.power > 0; ++i) {
            v = std::clamp(static_cast<int>(std::lround(v * std::sqrt(level.watts / bench.power))),
                           0, 255);
            hsb->setValue(v);
            bench.read();
        }
        hsb->setSliderDown(false);
        bench.read();
        std::printf("Power %s: value %d, %.2f W\n", level.button, hsb->value(), bench.power);
        Shot(tune, out, level.watts > 3 ? "pages-5-power-high.png" : "pages-6-power-low.png");
        link.dialogs.messageAnswers.push_back(MsgAnswer::Yes);
        Click(&tune, "cmdPowerFinished");
    }

    bench.radio.terminate();
    bench.radio.waitForFinished(3000);
    QFile result(dump);
    if (result.open(QIODevice::ReadOnly)) {
        const QByteArray e = result.readAll();
        auto at = [&](int a) { return static_cast<unsigned char>(e.at(a)); };
        std::printf("cells: high %d low %d narrow 0x%02X wide 0x%02X slope %d coarse %d %d %d\n",
                    at(0x0B), at(0x14), at(0x43), at(0x4C), at(0x31F) * 256 + at(0x320),
                    at(0x303) * 256 + at(0x304), at(0x30A) * 256 + at(0x30B),
                    at(0x30C) * 256 + at(0x30D));
    }
    std::printf("alignment log:\n");
    for (const auto &row : ReadAlignLog()) {
        std::string line;
        for (const auto &field : row)
            line += field + " | ";
        std::printf("  %s\n", line.c_str());
    }
    return 0;
}
