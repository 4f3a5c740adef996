// Takes 50 averaged tuning-voltage readings (20 samples each) from tessaro-radio-sim, paced at
// the line rate, and compares the time taken with the time the bytes need on the wire.
//
// usage: tessaro-bench-a2d SIM-PROGRAM RATE...

#include "benchradio.h"
#include "eeprotocol.h"
#include "linkstate.h"
#include "portchoice.h"
#include "testcommands.h"

#include <QCoreApplication>

#include <cstdio>

namespace
{

constexpr int Readings = 50;
constexpr int Samples = 20;

bool RunAt(const QString &sim, long rate)
{
    QProcess radio;
    if (!StartPacedRadio(radio, sim))
        return false;
    bool ok = HookRadio(1, 3, rate) == 1;
    QElapsedTimer timer;
    timer.start();
    int last = 0;
    for (int i = 0; ok && i < Readings; ++i) {
        last = ReadA2DVal(Samples, 5);
        ok = last >= 0;
    }
    const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    UnhookRadio(true);
    radio.terminate();
    radio.waitForFinished(3000);
    if (!ok) {
        std::printf("%6ld bit/s: reading failed\n", rate);
        return false;
    }
    // Per sample two bytes out, one back.
    const double wire = Readings * Samples * 3 * 10.0 / static_cast<double>(rate);
    std::printf("%6ld bit/s: %d readings of %d samples (last %d) in %.3f s, wire time %.3f s, "
                "ratio %.3f\n",
                rate, Readings, Samples, last, elapsed, wire, elapsed / wire);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: tessaro-bench-a2d SIM-PROGRAM RATE...\n");
        return 2;
    }
    BenchLink bench;
    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        ResetLinkState();
        ResetPortChoice();
        m_iBaudIndex = 0;
        ok = RunAt(QString::fromLocal8Bit(argv[1]), std::strtol(argv[i], nullptr, 10)) && ok;
    }
    return ok ? 0 : 1;
}
