// Runs Read All and Write All against tessaro-radio-sim, paced at the line rate, and compares
// the time taken with the time the bytes need on the wire.
//
// usage: tessaro-bench-transactions SIM-PROGRAM RATE...

#include "baudrates.h"
#include "benchradio.h"
#include "linkstate.h"
#include "memmap.h"
#include "portchoice.h"
#include "transactions.h"

#include <QCoreApplication>

#include <cstdio>
#include <functional>

namespace
{

struct Run {
    const char *name;
    std::function<bool()> transaction;
    double transferBytes;
};

bool RunAt(const QString &sim, long rate, const Run &run, const ScriptedDialogs &dialogs)
{
    ResetLinkState();
    ResetPortChoice();
    m_iBaudIndex = BaudIndexOfRate(rate);
    m_lBaudRate = rate;
    QProcess radio;
    if (!StartPacedRadio(radio, sim))
        return false;

    // The transfer proper starts with the global settings, once the radio is hooked.
    struct StatusWatch : RecordingWindow {
        QElapsedTimer timer;
        qint64 transferStart = -1;
        void showStatus(const std::string &text) override
        {
            if (transferStart < 0 && text.find("Unit Global Settings") != std::string::npos)
                transferStart = timer.nsecsElapsed();
        }
    } watch;
    platform().window = &watch;
    QElapsedTimer &timer = watch.timer;
    const qint64 &transferStart = watch.transferStart;
    timer.start();
    const bool ok = run.transaction() && dialogs.messages.empty();
    const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    platform().window = nullptr;
    radio.terminate();
    radio.waitForFinished(3000);
    if (!ok) {
        std::printf("%-9s %6ld bit/s: failed\n", run.name, rate);
        return false;
    }
    const double transferWire = (run.transferBytes + UnhookWireBytes) * 10.0 / rate;
    const double wire = HookWireBytes * 10.0 / 4800 + transferWire;
    const double transfer = elapsed - static_cast<double>(transferStart) / 1e9;
    std::printf("%-9s %6ld bit/s: %.3f s, wire time %.3f s, ratio %.3f; after the hook %.3f s "
                "against %.3f s, ratio %.3f\n",
                run.name, rate, elapsed, wire, elapsed / wire, transfer, transferWire,
                transfer / transferWire);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: tessaro-bench-transactions SIM-PROGRAM RATE...\n");
        return 2;
    }
    BenchLink bench;

    const Run runs[] = {
        {"Read All", [] { return ReadAllFromRadio(); }, ReadAllWireBytes()},
        {"Write All", [] { return WriteAllToRadio(); }, WriteAllWireBytes()},
    };
    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        const long rate = std::strtol(argv[i], nullptr, 10);
        for (const Run &run : runs)
            ok = RunAt(QString::fromLocal8Bit(argv[1]), rate, run, bench.dialogs) && ok;
    }
    return ok ? 0 : 1;
}
