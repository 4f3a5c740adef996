// A full AutoTune of all seven pages on the virtual radio paced at the line rate, in fake time:
// the radio answers after its bytes' wire time, the test set settles and averages as the limits
// say, the coil is turned by the bench. Prints per page the time, the radio commands, the value
// writes a technician's hand would make, the time spent talking to the radio and its ratio to
// the bytes' own wire time.
//
// usage: tessaro-bench-autotune [RATE]   (default 19200)
//        tessaro-bench-autotune --sim SIM-PROGRAM [RATE]   the same against tessaro-radio-sim
//                                  --pace --instrument on a pseudo-terminal, in real time
//        tessaro-bench-autotune --write-image FILE   the same radio, for tessaro-radio-sim --load
//        tessaro-bench-autotune --check-image FILE CRYSTAL-PPM   a dumped radio's alignment
//                                                  cells against the bench model's ideals

#include "autotunerunner.h"
#include "benchmodel.h"
#include "defaultimage.h"
#include "fakeclock.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "hosttestset.h"
#include "layout.h"
#include "linkstate.h"
#include "memmap.h"
#include "platform.h"
#include "portchoice.h"
#include "qtclock.h"
#include "qtplatform.h"
#include "qtserialport.h"
#include "simserialport.h"

#include "../tests/benchtestset.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace
{

// The serial port with the time spent waiting for the radio and the bytes both ways counted.
class TimedPort : public SerialPort
{
public:
    TimedPort(SerialPort &inner, Clock &clock) : m_inner(inner), m_clock(clock) {}
    void selectDevice(const std::string &d) override { m_inner.selectDevice(d); }
    std::string device() const override { return m_inner.device(); }
    bool setSettings(const std::string &s) override { return m_inner.setSettings(s); }
    bool open() override { return m_inner.open(); }
    void close() override { m_inner.close(); }
    bool hold(bool on) override { return m_inner.hold(on); }
    bool isOpen() const override { return m_inner.isOpen(); }
    SerialError lastError() const override { return m_inner.lastError(); }
    std::string lastErrorText() const override { return m_inner.lastErrorText(); }
    int bytesWaiting() override { return m_inner.bytesWaiting(); }
    void discardInput() override { m_inner.discardInput(); }
    std::vector<std::uint8_t> readAll() override
    {
        auto read = m_inner.readAll();
        bytes += static_cast<long>(read.size());
        return read;
    }
    bool write(const std::vector<std::uint8_t> &sent) override
    {
        const double t0 = m_clock.seconds();
        bytes += static_cast<long>(sent.size());
        const bool ok = m_inner.write(sent);
        talking += m_clock.seconds() - t0;
        return ok;
    }
    void waitForInput(int minBytes, int ms) override
    {
        const double t0 = m_clock.seconds();
        m_inner.waitForInput(minBytes, ms);
        talking += m_clock.seconds() - t0;
    }
    std::vector<std::string> listDevices() override { return m_inner.listDevices(); }
    bool deviceExists(const std::string &d) override { return m_inner.deviceExists(d); }
    double talking = 0.0;
    long bytes = 0;

private:
    SerialPort &m_inner;
    Clock &m_clock;
};

// A radio fresh from the factory, a little out of alignment, channel 1 on 155/156 MHz.
void SeedRadio(std::vector<std::uint8_t> &eeprom)
{
    MemMapImage image;
    LoadDefaultImage(image);
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
}

// The bench model's ideal for each single alignment cell, and how far a cell may lie from it
// while its point stays within the built-in limits.
struct IdealCell {
    const char *name;
    int address;
    int size;
    double ideal;
    double slack;
};

int CheckImage(const char *path, double crystalPpm)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> e((std::istreambuf_iterator<char>(file)),
                                      std::istreambuf_iterator<char>());
    if (e.size() < 0x0400) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return 2;
    }
    auto power = [](double watts, double mhz) {
        return (180.0 + 20.0 * (mhz - 136.0) / 38.0) * std::sqrt(watts / 5.0);
    };
    // The power levels are set on a test channel at 155.5 MHz; the reference cell holds the
    // error in 1/512 ppm, negated; the coarse-tune slack is the VCO window's 0.05 V.
    const IdealCell cells[] = {
        {"TX frequency adjust", 0x001F, 2, -crystalPpm * 512.0, 0.5 * 512.0},
        {"high power DAC", 0x000B, 1, power(5.25, 155.5), power(5.4, 155.5) - power(5.25, 155.5)},
        {"low power DAC", 0x0014, 1, power(2.0, 155.5), power(2.06, 155.5) - power(2.0, 155.5)},
        {"RX coarse tune, 174 MHz", 0x0303, 2, 16000, 0.05 * 1750},
        {"TX coarse tune, 136 MHz", 0x030A, 2, 9000, 0.05 * 1750},
        {"TX coarse tune, 174 MHz", 0x030C, 2, 24000, 0.05 * 1750},
        {"front-end slope", 0x031F, 2, 17500, 2000.0 * std::sqrt(2.0)},
        {"narrow squelch gain", 0x0043, 1, 0x70, 4},
        {"wide squelch gain", 0x004C, 1, 0x88, 4},
    };
    int bad = 0;
    for (const IdealCell &c : cells) {
        double v = c.size == 1 ? e[c.address] : e[c.address] * 256 + e[c.address + 1];
        if (c.address == 0x001F && v >= 0x8000)
            v -= 0x10000;
        const bool ok = std::abs(v - c.ideal) <= c.slack;
        bad += !ok;
        std::printf("%-26s %8.0f  ideal %8.1f +- %6.1f  %s\n", c.name, v, c.ideal, c.slack,
                    ok ? "ok" : "OFF");
    }
    return bad == 0 ? 0 : 1;
}

// Runs every page in turn and prints a line per page; 0 when the targets are met.
int RunAll(TestSet &set, TimedPort &port, long rate, const std::function<int()> &commands,
           const std::function<void(double)> &coil, const char *where)
{
    AutoTuneRunner runner(set, DefaultLimits());
    runner.onCoil = coil;
    std::printf("AutoTune, all pages, virtual radio paced at %ld bit/s (%s)\n", rate, where);
    std::printf("%-20s %8s %8s %7s %8s %8s %6s\n", "page", "time s", "radio s", "wire s", "ratio",
                "commands", "moves");
    double total = 0, totalTalk = 0, totalWire = 0;
    int passed = 0, points = 0;
    for (int i = 0; i < AutoPageCount; ++i) {
        const double t0 = platform().clock->seconds(), talk0 = port.talking;
        const long bytes0 = port.bytes;
        const int commands0 = commands();
        const AutoTuneReport report = runner.run({static_cast<AutoPage>(i)});
        int moves = 0;
        for (const std::string &a : report.pages[0].actions)
            moves += a.rfind("move ", 0) == 0;
        // Each byte is 10 bits on the wire; the hook starts at 4800 bit/s, which this ignores.
        const double wire = static_cast<double>(port.bytes - bytes0) * 10.0 / rate;
        const double time = platform().clock->seconds() - t0, talk = port.talking - talk0;
        std::printf("%-20s %8.1f %8.1f %7.1f %8.2f %8d %6d  %s\n", report.pages[0].title.c_str(),
                    time, talk, wire, talk / wire, commands() - commands0, moves,
                    report.allPassed() ? "pass" : report.pages[0].outcome.c_str());
        total += time;
        totalTalk += talk;
        totalWire += wire;
        passed += report.passed();
        points += static_cast<int>(report.points.size());
    }
    std::printf("%-20s %8.1f %8.1f %7.1f %8.2f\n", "total", total, totalTalk, totalWire,
                totalTalk / totalWire);
    std::printf("%d of %d points pass; total %.1f s (target < 180 s), radio time %.2f x wire "
                "(target <= 1.5)\n",
                passed, points, total, totalTalk / totalWire);
    return passed == points && total < 180 && totalTalk / totalWire <= 1.5 ? 0 : 1;
}

// The same against tessaro-radio-sim on a pseudo-terminal and its test set on 127.0.0.1, in
// real time.
// The host as the editor sees it, with the radio on Comm Port 1 at the given rate.
void InstallHost(Clock &clock, SerialPort &port, FileSystem &files, const std::string &folder,
                 const std::string &device, long rate)
{
    static FakeSettings settings;
    static ScriptedDialogs dialogs;
    Platform &p = platform();
    p.clock = &clock;
    p.serial = &port;
    p.settings = &settings;
    p.dialogs = &dialogs;
    p.files = &files;
    p.programFolder = folder;
    settings.values["ZPA Tessaro Editor/Settings/Comm Port 1 Device"] = device;
    ResetLinkState();
    ResetPortChoice();
    m_iCommPort = 1;
    m_lBaudRate = rate;
}

int RunOnSim(const char *sim, long rate)
{
    const QString image = QDir::temp().filePath(QStringLiteral("tessaro-bench-autotune-sim.bin"));
    const QString dump = image + QStringLiteral(".after");
    std::vector<std::uint8_t> eeprom(VirtualRadio::EepromSize, 0);
    SeedRadio(eeprom);
    std::ofstream(image.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char *>(eeprom.data()),
               static_cast<std::streamsize>(eeprom.size()));
    QProcess radio;
    radio.start(QString::fromLocal8Bit(sim),
                {QStringLiteral("--pace"), QStringLiteral("--crystal-error"), QStringLiteral("1.5"),
                 QStringLiteral("--load"), image, QStringLiteral("--dump"), dump,
                 QStringLiteral("--instrument"), QStringLiteral("5129")});
    if (!radio.waitForStarted(5000) || !radio.waitForReadyRead(5000))
        return 2;
    const std::string device = QString::fromUtf8(radio.readLine()).trimmed().toStdString();
    QtSerialPort serial;
    QtClock clock;
    TimedPort port(serial, clock);
    QtFileSystem files;
    InstallHost(clock, port, files, QDir::tempPath().toStdString(), device, rate);
    std::string why;
    auto set = OpenHostTestSet("tcp://127.0.0.1:5129", "virtual-bench", why);
    if (!set) {
        std::fprintf(stderr, "test set: %s\n", why.c_str());
        return 2;
    }
    const int status = RunAll(
        *set, port, rate, [] { return 0; }, [&](double) { radio.write("coil 0\n"); },
        "tessaro-radio-sim --pace --instrument, real time");
    radio.closeWriteChannel();
    radio.terminate();
    radio.waitForFinished(3000);
    return CheckImage(dump.toStdString().c_str(), 1.5) == 0 ? status : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-image") == 0) {
        std::vector<std::uint8_t> eeprom(VirtualRadio::EepromSize, 0);
        SeedRadio(eeprom);
        std::ofstream(argv[2], std::ios::binary)
            .write(reinterpret_cast<const char *>(eeprom.data()),
                   static_cast<std::streamsize>(eeprom.size()));
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--check-image") == 0)
        return CheckImage(argv[2], std::atof(argv[3]));
    if (argc >= 3 && std::strcmp(argv[1], "--sim") == 0) {
        QCoreApplication app(argc, argv);
        return RunOnSim(argv[2], argc > 3 ? std::atol(argv[3]) : 19200);
    }
    const long rate = argc > 1 ? std::atol(argv[1]) : 19200;
    FakeClock clock;
    VirtualRadio radio;
    SimSerialPort sim(radio, clock);
    sim.paceAtLineRate = true;
    sim.present.insert("/dev/ttyVR0");
    TimedPort port(sim, clock);
    MemoryFileSystem files;
    InstallHost(clock, port, files, "/bench", "/dev/ttyVR0", rate);

    SeedRadio(radio.eeprom);
    RadioBench bench(radio);
    bench.crystalErrorPpm = 1.5;
    BenchTestSet set(bench);

    const int status = RunAll(
        set, port, rate, [&] { return radio.commandsHandled(); },
        [&](double) { bench.coilVolts = 0.0; }, "in-process, fake time");
    const std::string dumped = "/tmp/tessaro-bench-autotune.bin";
    std::ofstream(dumped, std::ios::binary)
        .write(reinterpret_cast<const char *>(radio.eeprom.data()),
               static_cast<std::streamsize>(radio.eeprom.size()));
    return CheckImage(dumped.c_str(), bench.crystalErrorPpm) == 0 ? status : 1;
}
