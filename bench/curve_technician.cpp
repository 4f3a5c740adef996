// The TX Power Curve and Mod Sense adjustments done as a technician does them, against
// tessaro-radio-sim on a pseudo-terminal: at each step the scroll bar is paged, then stepped by
// its arrows, until the power or deviation the simulator prints reaches its target. Prints
// each step's readings and saves screenshots.
//
// usage: tessaro-curve-technician SIM-PROGRAM OUTDIR   (offscreen or under a display)

#include "benchradio.h"
#include "curvepage.h"
#include "tunewindow.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

#include <cmath>
#include <cstdio>

namespace
{

struct Meter {
    double watts = 0.0;
    double kHz = 0.0;
};

// The last readings the simulator printed.
Meter s_meter;

void Settle(QProcess &radio, int ms)
{
    QTest::qWait(ms);
    radio.waitForReadyRead(50);
    while (radio.canReadLine()) {
        const QString line = QString::fromUtf8(radio.readLine()).trimmed();
        if (!line.startsWith(QStringLiteral("bench: ")))
            continue;
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        s_meter.watts = f.value(f.indexOf(QStringLiteral("power")) + 1).toDouble();
        s_meter.kHz = f.value(f.indexOf(QStringLiteral("deviation")) + 1).toDouble();
    }
}

// Pages towards the target while the reading is far off, then single steps until it is as
// close as the bar allows.
void Adjust(QProcess &radio, QScrollBar *bar, double Meter::*reading, double target)
{
    auto error = [&] { return s_meter.*reading - target; };
    for (int i = 0; i < 200 && std::abs(error()) > target * 0.05; ++i) {
        bar->triggerAction(error() < 0 ? QAbstractSlider::SliderPageStepAdd
                                       : QAbstractSlider::SliderPageStepSub);
        Settle(radio, 40);
    }
    for (int i = 0; i < 200; ++i) {
        const double before = std::abs(error());
        const auto action = error() < 0 ? QAbstractSlider::SliderSingleStepAdd
                                        : QAbstractSlider::SliderSingleStepSub;
        bar->triggerAction(action);
        Settle(radio, 40);
        if (std::abs(error()) >= before) {
            bar->triggerAction(action == QAbstractSlider::SliderSingleStepAdd
                                   ? QAbstractSlider::SliderSingleStepSub
                                   : QAbstractSlider::SliderSingleStepAdd);
            Settle(radio, 40);
            return;
        }
    }
}

bool RunCurve(QProcess &radio, TuneWindow &tune, int tab, const QString &prefix,
              double Meter::*reading, double target, const QDir &out)
{
    auto *tabs = tune.findChild<QTabBar *>(QStringLiteral("tabTune"));
    tabs->setCurrentIndex(tab);
    auto *start = tune.findChild<QPushButton *>(QStringLiteral("cmd%1Start").arg(prefix));
    auto *bar = tune.findChild<QScrollBar *>(QStringLiteral("hsb%1").arg(prefix));
    auto *label = tune.findChild<QLabel *>(QStringLiteral("lbl%1Value").arg(prefix));
    bool onTarget = true;
    for (int step = 1; step <= 4; ++step) {
        QTest::mouseClick(start, Qt::LeftButton);
        Settle(radio, 300);
        const int seed = bar->value();
        const double seedReading = s_meter.*reading;
        if (step == 1)
            tune.grab().save(out.filePath(QStringLiteral("curve-%1-step1-seed.png").arg(prefix)));
        Adjust(radio, bar, reading, target);
        std::printf("%s step %d: seed %d reads %.2f; set %s reads %.2f\n", qPrintable(prefix), step,
                    seed, seedReading, qPrintable(label->text()), s_meter.*reading);
        onTarget = onTarget && std::abs(s_meter.*reading - target) <= target * 0.01;
        if (step == 4)
            tune.grab().save(out.filePath(QStringLiteral("curve-%1-step4-set.png").arg(prefix)));
    }
    QTest::mouseClick(start, Qt::LeftButton);
    Settle(radio, 300);
    tune.grab().save(out.filePath(QStringLiteral("curve-%1-done.png").arg(prefix)));
    return onTarget && start->text() == QStringLiteral("Start");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tessaro-curve-technician SIM-PROGRAM OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    BenchLink bench;
    platform().programFolder = QDir::tempPath().toStdString();
    QProcess radio;
    if (!StartPacedRadio(radio, QString::fromLocal8Bit(argv[1])))
        return 1;
    Settle(radio, 100);
    TuneWindow tune;
    tune.show();
    if (!QTest::qWaitForWindowExposed(&tune))
        return 1;
    const bool power = RunCurve(radio, tune, 2, QStringLiteral("Curve"), &Meter::watts, 5.0, out);
    const bool mod = RunCurve(radio, tune, 4, QStringLiteral("Mod"), &Meter::kHz, 3.0, out);
    radio.terminate();
    radio.waitForFinished(3000);
    std::printf("power curve %s, mod sense %s\n", power ? "on target" : "OFF",
                mod ? "on target" : "OFF");
    return power && mod ? 0 : 1;
}
