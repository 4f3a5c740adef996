#pragma once

// What the link benchmarks share: the real serial port and clock with scripted settings and
// dialogs, the paced virtual radio, and the bytes the transfers put on the wire.

#include "appsettings.h"
#include "fakeplatform.h"
#include "platform.h"
#include "qtclock.h"
#include "qtserialport.h"
#include "writetables.h"

#include <QElapsedTimer>
#include <QProcess>

// Installs itself into platform() for the life of the benchmark.
struct BenchLink {
    QtSerialPort port;
    QtClock clock;
    FakeSettings settings;
    MemoryFileSystem files;
    ScriptedDialogs dialogs; // answers OK to every question
    BenchLink()
    {
        Platform &p = platform();
        p.serial = &port;
        p.clock = &clock;
        p.settings = &settings;
        p.files = &files;
        p.dialogs = &dialogs;
    }
};

// Starts tessaro-radio-sim with line-rate pacing and makes its terminal Comm Port 1.
inline bool StartPacedRadio(QProcess &radio, const QString &sim)
{
    radio.start(sim, {QStringLiteral("--pace")});
    if (!radio.waitForStarted(5000))
        return false;
    QElapsedTimer started;
    started.start();
    while (!radio.canReadLine() && started.elapsed() < 5000)
        radio.waitForReadyRead(100);
    const QString device = QString::fromUtf8(radio.readLine()).trimmed();
    SaveSetting("Comm Port 1 Device", device.toStdString());
    return !device.isEmpty();
}

// Bytes on the wire, both ways: the hook at 4800 bit/s with the rate change, and the unhook.
constexpr double HookWireBytes = 10 + 3 + 1 + 2 + 1;
constexpr double UnhookWireBytes = 1;

// One read command and reply per block of the globals and the 25 groups.
inline double ReadAllWireBytes()
{
    return 103 * (5.0 + 256.0);
}

// The global writes of Write All (AllOnly) or Write Globals (GlobalsOnly).
inline double GlobalWriteWireBytes(WriteUse command)
{
    double bytes = 0;
    for (const GlobalWrite &w : GlobalWrites) {
        if (w.use == WriteUse::Both || w.use == command)
            bytes += w.kind == WriteKind::Byte ? 5 + 1 : 4 + w.maskOrLength + 1;
    }
    return bytes;
}

inline double GroupWriteWireBytes()
{
    double bytes = 0;
    for (const GroupWrite &w : GroupWrites)
        bytes += 4 + w.length + 1;
    return bytes;
}

inline double WriteAllWireBytes()
{
    return GlobalWriteWireBytes(WriteUse::AllOnly) + 25 * GroupWriteWireBytes();
}
