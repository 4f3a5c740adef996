// A full AutoTune of all seven pages on the virtual radio paced at the line rate, in fake time:
// the radio answers after its bytes' wire time, the test set settles and averages as the limits
// say, the coil is turned by the bench. Prints per page the time, the radio commands, the value
// writes a technician's hand would make, the time spent talking to the radio and its ratio to
// the bytes' own wire time.
//
// usage: tessaro-bench-autotune [RATE]   (default 19200)

#include "autotunerunner.h"
#include "benchmodel.h"
#include "defaultimage.h"
#include "fakeclock.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "layout.h"
#include "linkstate.h"
#include "memmap.h"
#include "platform.h"
#include "portchoice.h"
#include "simserialport.h"

#include "../tests/benchtestset.h"

#include <cstdio>
#include <cstdlib>

namespace
{

// The serial port with the fake time spent inside its calls counted.
class TimedPort : public SerialPort
{
public:
    TimedPort(SerialPort &inner, FakeClock &clock) : m_inner(inner), m_clock(clock) {}
    void selectDevice(const std::string &d) override { m_inner.selectDevice(d); }
    std::string device() const override { return m_inner.device(); }
    bool setSettings(const std::string &s) override { return m_inner.setSettings(s); }
    bool open() override { return m_inner.open(); }
    void close() override { m_inner.close(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    SerialError lastError() const override { return m_inner.lastError(); }
    std::string lastErrorText() const override { return m_inner.lastErrorText(); }
    int bytesWaiting() override { return m_inner.bytesWaiting(); }
    void discardInput() override { m_inner.discardInput(); }
    std::vector<std::uint8_t> readAll() override { return m_inner.readAll(); }
    bool write(const std::vector<std::uint8_t> &bytes) override { return m_inner.write(bytes); }
    void waitForInput(int minBytes, int ms) override
    {
        const double t0 = m_clock.now;
        m_inner.waitForInput(minBytes, ms);
        talking += m_clock.now - t0;
    }
    std::vector<std::string> listDevices() override { return m_inner.listDevices(); }
    bool deviceExists(const std::string &d) override { return m_inner.deviceExists(d); }
    double talking = 0.0;

private:
    SerialPort &m_inner;
    FakeClock &m_clock;
};

} // namespace

int main(int argc, char **argv)
{
    const long rate = argc > 1 ? std::atol(argv[1]) : 19200;
    FakeClock clock;
    VirtualRadio radio;
    SimSerialPort sim(radio, clock);
    sim.paceAtLineRate = true;
    sim.present.insert("/dev/ttyVR0");
    TimedPort port(sim, clock);
    FakeSettings settings;
    ScriptedDialogs dialogs;
    MemoryFileSystem files;
    Platform &p = platform();
    p.clock = &clock;
    p.serial = &port;
    p.settings = &settings;
    p.dialogs = &dialogs;
    p.files = &files;
    p.programFolder = "/bench";
    settings.values["ZPA Tessaro Editor/Settings/Comm Port 1 Device"] = "/dev/ttyVR0";
    ResetLinkState();
    ResetPortChoice();
    m_iCommPort = 1;
    m_lBaudRate = rate;

    // A radio fresh from the factory, a little out of alignment, channel 1 on 155/156 MHz.
    MemMapImage image;
    LoadDefaultImage(image);
    for (int i = 0; i < UsedPages * PageSize; ++i)
        radio.eeprom[static_cast<std::size_t>(i)] = image.get(i / PageSize, i % PageSize);
    for (int i = 0; i < Layout::GlbSerialNumberLength; ++i)
        radio.eeprom[static_cast<std::size_t>(Layout::GlbSerialNumber + i)] =
            static_cast<std::uint8_t>(i + 3);
    RadioBench::SeedAlignmentCells(radio.eeprom);
    for (auto [at, mhz] : {std::pair{0x0500, 155.0}, std::pair{0x0508, 156.0}}) {
        radio.eeprom[static_cast<std::size_t>(at)] = FreqToBytes(mhz).high;
        radio.eeprom[static_cast<std::size_t>(at) + 1] = FreqToBytes(mhz).low;
    }
    RadioBench bench(radio);
    bench.crystalErrorPpm = 1.5;
    BenchTestSet set(bench);

    AutoTuneRunner runner(set, DefaultLimits());
    runner.onCoil = [&](double) { bench.coilVolts = 0.0; };
    std::printf("AutoTune, all pages, virtual radio paced at %ld bit/s (fake time)\n", rate);
    std::printf("%-20s %8s %8s %7s %8s %8s %6s\n", "page", "time s", "radio s", "wire s", "ratio",
                "commands", "moves");
    double total = 0, totalTalk = 0, totalWire = 0;
    int passed = 0, points = 0;
    for (int i = 0; i < AutoPageCount; ++i) {
        const double t0 = clock.now, talk0 = port.talking;
        const std::size_t bytes0 = radio.trace.size();
        const int commands0 = radio.commandsHandled();
        const AutoTuneReport report = runner.run({static_cast<AutoPage>(i)});
        int moves = 0;
        for (const std::string &a : report.pages[0].actions)
            moves += a.rfind("move ", 0) == 0;
        // Each byte is 10 bits on the wire; the hook starts at 4800 bit/s, which this ignores.
        const double wire = static_cast<double>(radio.trace.size() - bytes0) * 10.0 / rate;
        const double time = clock.now - t0, talk = port.talking - talk0;
        std::printf("%-20s %8.1f %8.1f %7.1f %8.2f %8d %6d  %s\n", report.pages[0].title.c_str(),
                    time, talk, wire, talk / wire, radio.commandsHandled() - commands0, moves,
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
