// Runs Read All and Write All against tessaro-radio-sim, paced at the line rate, and compares
// the time taken with the time the bytes need on the wire.
//
// usage: tessaro-bench-transactions SIM-PROGRAM RATE...

#include "baudrates.h"
#include "fakeplatform.h"
#include "linkstate.h"
#include "memmap.h"
#include "platform.h"
#include "portchoice.h"
#include "qtclock.h"
#include "qtserialport.h"
#include "transactions.h"
#include "writetables.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>
#include <functional>

namespace
{

// Bytes on the wire, both ways, of the hook at 4800 bit/s and the rate change.
constexpr double HookBytes = 10 + 3 + 1 + 2 + 1;
constexpr double UnhookBytes = 1;

double ReadAllBytes()
{
    return 103 * (5.0 + 256.0);
}

double WriteAllBytes()
{
    double bytes = 0;
    for (const GlobalWrite &w : GlobalWrites) {
        if (w.use == WriteUse::GlobalsOnly)
            continue;
        bytes += w.kind == WriteKind::Byte ? 5 + 1 : 4 + w.maskOrLength + 1;
    }
    for (const GroupWrite &w : GroupWrites)
        bytes += 25.0 * (4 + w.length + 1);
    return bytes;
}

struct Run {
    const char *name;
    std::function<bool()> transaction;
    double transferBytes;
};

bool RunAt(const QString &sim, long rate, const Run &run, FakeSettings &settings,
           ScriptedDialogs &dialogs)
{
    ResetLinkState();
    ResetPortChoice();
    m_iBaudIndex = BaudIndexOfRate(rate);
    m_lBaudRate = rate;
    QProcess radio;
    radio.start(sim, {QStringLiteral("--pace")});
    if (!radio.waitForStarted(5000))
        return false;
    QElapsedTimer started;
    started.start();
    while (!radio.canReadLine() && started.elapsed() < 5000)
        radio.waitForReadyRead(100);
    const QString device = QString::fromUtf8(radio.readLine()).trimmed();
    settings.values["ZPA Tessaro Editor/Settings/Comm Port 1 Device"] = device.toStdString();

    // The transfer proper starts with the global settings, once the radio is hooked.
    QElapsedTimer timer;
    qint64 transferStart = -1;
    transferReport().status = [&](const std::string &text) {
        if (transferStart < 0 && text.find("Unit Global Settings") != std::string::npos)
            transferStart = timer.nsecsElapsed();
    };
    timer.start();
    const bool ok = run.transaction() && dialogs.messages.empty();
    const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    transferReport() = TransferReport();
    radio.terminate();
    radio.waitForFinished(3000);
    if (!ok) {
        std::printf("%-9s %6ld bit/s: failed\n", run.name, rate);
        return false;
    }
    const double transferWire = (run.transferBytes + UnhookBytes) * 10.0 / rate;
    const double wire = HookBytes * 10.0 / 4800 + transferWire;
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
    QtSerialPort port;
    QtClock clock;
    FakeSettings settings;
    ScriptedDialogs dialogs;
    Platform &p = platform();
    p.serial = &port;
    p.clock = &clock;
    p.settings = &settings;
    p.dialogs = &dialogs;

    const Run runs[] = {
        {"Read All", [] { return ReadAllFromRadio(); }, ReadAllBytes()},
        {"Write All", [] { return WriteAllToRadio(); }, WriteAllBytes()},
    };
    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        const long rate = std::strtol(argv[i], nullptr, 10);
        for (const Run &run : runs)
            ok = RunAt(QString::fromLocal8Bit(argv[1]), rate, run, settings, dialogs) && ok;
    }
    return ok ? 0 : 1;
}
