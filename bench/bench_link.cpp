// Reads 103 blocks of 256 bytes from tessaro-radio-sim, paced at the line rate, and compares
// the time taken with the time the bytes need on the wire.
//
// usage: tessaro-bench-link SIM-PROGRAM RATE...

#include "benchradio.h"
#include "eeprotocol.h"
#include "linkstate.h"
#include "portchoice.h"

#include <QCoreApplication>

#include <cstdio>
#include <ctime>

namespace
{

constexpr int Blocks = 103;

double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

bool RunAt(const QString &sim, long rate, const ScriptedDialogs &dialogs)
{
    QProcess radio;
    if (!StartPacedRadio(radio, sim))
        return false;

    bool ok = HookRadio(1, 3, rate) == 1 && dialogs.messages.empty();
    std::vector<std::uint8_t> buffer(256);
    QElapsedTimer timer;
    const double cpu0 = CpuSeconds();
    timer.start();
    for (int block = 0; ok && block < Blocks; ++block)
        ok = ReadMultiEEBytes(block, 0, 256, buffer);
    const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    const double cpu = CpuSeconds() - cpu0;
    UnhookRadio(true);
    radio.terminate();
    radio.waitForFinished(3000);
    if (!ok) {
        std::printf("%6ld bit/s: transfer failed\n", rate);
        return false;
    }
    const double wire = Blocks * (5.0 + 256.0) * 10.0 / static_cast<double>(rate);
    std::printf("%6ld bit/s: %d blocks in %.3f s, wire time %.3f s, ratio %.3f, CPU %.3f s "
                "(%.1f %% of elapsed)\n",
                rate, Blocks, elapsed, wire, elapsed / wire, cpu, 100.0 * cpu / elapsed);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: tessaro-bench-link SIM-PROGRAM RATE...\n");
        return 2;
    }
    BenchLink bench;

    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        ResetLinkState();
        ResetPortChoice();
        const long rate = std::strtol(argv[i], nullptr, 10);
        m_iBaudIndex = 0;
        ok = RunAt(QString::fromLocal8Bit(argv[1]), rate, bench.dialogs) && ok;
    }
    return ok ? 0 : 1;
}
