// Runs the six radio commands against tessaro-radio-sim, paced at the line rate, twice each: as
// the bare transaction (the link alone, no window: the floor a serial client reaches with the
// same bytes and the same hook pause) and as the main window's menu command (confirmation
// answered, progress bar, status texts, pane refresh and backup). Prints both times (medians of
// seven runs for a command shorter than a second), their ratio, and the editor's CPU time as a
// share of the command's elapsed time. Last, per rate, the safe default: Write All with backup
// and verify on, right after a Read All of the same radio, against the bare write.
//
// usage: tessaro-bench-commands SIM-PROGRAM RATE...   (offscreen or under a display)

#include "appglobals.h"
#include "baudrates.h"
#include "benchradio.h"
#include "caption.h"
#include "defaultimage.h"
#include "linkstate.h"
#include "mainwindow.h"
#include "memmap.h"
#include "platform.h"
#include "portchoice.h"
#include "radiocommands.h"
#include "transactions.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/resource.h>

namespace
{

struct Command {
    const char *name;
    RadioCommand command;
    std::function<bool()> bare;
    double wireBytes; // after the hook
};

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Timing {
    double elapsed = -1;
    double cpu = 0;
};

// One run on a fresh paced radio; the caller's action is timed, and must succeed, after an
// untimed preparation.
Timing Timed(const QString &sim, long rate, const std::function<bool()> &action,
             const std::function<bool()> &prepare = {})
{
    QProcess radio;
    if (!StartPacedRadio(radio, sim))
        return {};
    ResetLinkState();
    m_iBaudIndex = BaudIndexOfRate(rate);
    m_lBaudRate = rate;
    SaveSetting("Baud Rate Index", std::to_string(m_iBaudIndex));
    if (prepare && !prepare())
        return {};
    QElapsedTimer timer;
    const double cpuBefore = CpuSeconds();
    timer.start();
    const bool ok = action();
    Timing t;
    t.elapsed = ok ? static_cast<double>(timer.nsecsElapsed()) / 1e9 : -1;
    t.cpu = CpuSeconds() - cpuBefore;
    radio.terminate();
    radio.waitForFinished(3000);
    return t;
}

Timing Median(std::vector<Timing> runs)
{
    for (const Timing &t : runs) {
        if (t.elapsed < 0)
            return t;
    }
    std::sort(runs.begin(), runs.end(),
              [](const Timing &a, const Timing &b) { return a.elapsed < b.elapsed; });
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: tessaro-bench-commands SIM-PROGRAM RATE...\n");
        return 2;
    }
    const QString sim = QString::fromLocal8Bit(argv[1]);
    BenchLink bench;
    platform().programFolder = "/bench/ZPA Tessaro Editor";
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);
    g_iCurGroup = 2;
    // The same bytes as the bare transaction: no read-back and no backup before the write.
    g_bVerifyAfterWrite = false;
    g_bBackupBeforeWrite = false;

    const double block = 5.0 + 256.0;
    const Command commands[] = {
        {"Read All", RadioCommand::ReadAll, [] { return ReadAllFromRadio(); }, ReadAllWireBytes()},
        {"Read Globals", RadioCommand::ReadGlobals, [] { return ReadGlobalsFromRadio(true); },
         3 * block},
        {"Read Group", RadioCommand::ReadGroup, [] { return ReadGroupFromRadio(2, true); },
         4 * block},
        {"Write All", RadioCommand::WriteAll, [] { return WriteAllToRadio(); },
         WriteAllWireBytes()},
        {"Write Globals", RadioCommand::WriteGlobals, [] { return WriteGlobalsToRadio(true); },
         GlobalWriteWireBytes(WriteUse::GlobalsOnly)},
        {"Write Group", RadioCommand::WriteGroup, [] { return WriteGroupToRadio(2, true); },
         GroupWriteWireBytes()},
    };

    MainWindow window;
    window.LoadWindow();
    QApplication::processEvents();
    std::printf("%-13s %6s  %8s %8s %6s  %7s  %s\n", "command", "bit/s", "bare s", "editor s",
                "ratio", "CPU", "wire s");
    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        const long rate = std::strtol(argv[i], nullptr, 10);
        for (const Command &c : commands) {
            const double wire = HookWireBytes * 10.0 / 4800 +
                                (c.wireBytes + UnhookWireBytes) * 10.0 / static_cast<double>(rate);
            // Short commands are run several times, alternately; the medians count.
            const int runs = wire < 1.0 ? 7 : 1;
            std::vector<Timing> bares, editors;
            for (int r = 0; r < runs; ++r) {
                // The bare transaction sees no window.
                platform().window = nullptr;
                bares.push_back(Timed(sim, rate, c.bare));
                platform().window = &window;
                // Unchanged data: a read asks no save question.
                SetCaption(false);
                editors.push_back(Timed(sim, rate, [&] { return RunRadioCommand(c.command); }));
            }
            const Timing bare = Median(bares);
            const Timing editor = Median(editors);
            if (bare.elapsed < 0 || editor.elapsed < 0) {
                std::printf("%-13s %6ld  failed\n", c.name, rate);
                ok = false;
                continue;
            }
            std::printf("%-13s %6ld  %8.3f %8.3f %6.3f  %6.1f%%  %.3f\n", c.name, rate,
                        bare.elapsed, editor.elapsed, editor.elapsed / bare.elapsed,
                        100.0 * editor.cpu / editor.elapsed, wire);
        }
        const Timing bare = Timed(sim, rate, commands[3].bare);
        const Timing safe = Timed(
            sim, rate,
            [] {
                g_bVerifyAfterWrite = g_bBackupBeforeWrite = true;
                const bool written = RunRadioCommand(RadioCommand::WriteAll);
                g_bVerifyAfterWrite = g_bBackupBeforeWrite = false;
                return written;
            },
            [] {
                SetCaption(false);
                return RunRadioCommand(RadioCommand::ReadAll);
            });
        if (bare.elapsed < 0 || safe.elapsed < 0) {
            std::printf("Write All after Read All, backup and verify on: failed\n");
            ok = false;
            continue;
        }
        std::printf("Write All after Read All, backup and verify on, %ld bit/s: %.3f s against "
                    "%.3f s for the write alone, ratio %.3f\n",
                    rate, safe.elapsed, bare.elapsed, safe.elapsed / bare.elapsed);
    }
    return ok ? 0 : 1;
}
