// tessaro-radio-sim: the virtual radio on a pseudo-terminal. Prints the terminal's path as the
// first line of output, then answers the programming protocol on it until killed. Around it
// stands a test bench: the instruments' readings are printed when they change, and the bench's
// knobs are turned by commands on standard input.

#include "appsettings.h"
#include "benchinstrument.h"
#include "benchmodel.h"
#include "defaultimage.h"
#include "instrumentserver.h"
#include "layout.h"
#include "steadyclock.h"
#include "virtualradio.h"

#include <QSettings>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace
{

struct Options {
    long maxBaud = 115200;
    bool pace = false;
    std::string load;
    std::string serial = "1234567";
    std::string dump;
    double replyDelay = 0.0;
    bool noHookAnswer = false;
    int stopAfter = -1;
    int corruptWriteAt = -1;
    int noisyReadAt = -1;
    int wrongFirstByte = -1;
    bool trace = false;
    int commPort = 0; // 1..10: make the editor's "Comm Port n" this terminal
    std::string crystal;
    double coil = 0.6;
    double rfLevel = 1000.0;
    int instrumentPort = -1; // -1: no test set
    std::string fail;
};

volatile std::sig_atomic_t s_stop = 0;

void OnSignal(int)
{
    s_stop = 1;
}

void Usage(std::FILE *out)
{
    std::fprintf(out,
                 "usage: tessaro-radio-sim [options]\n"
                 "  --max-baud RATE         highest rate a baud change is accepted for "
                 "(default 115200)\n"
                 "  --pace                  take 10 bits per byte at the line rate, both ways\n"
                 "  --load FILE             start with this EEPROM image (up to 65536 bytes);\n"
                 "                          without it the radio holds the factory defaults\n"
                 "  --serial DIGITS         its seven-digit serial number (default 1234567)\n"
                 "  --dump FILE             write the EEPROM image here at each unhook and at "
                 "exit\n"
                 "  --reply-delay MS        wait this long before each reply\n"
                 "  --no-hook-answer        never answer the wake-up\n"
                 "  --stop-after N          fall silent after N commands\n"
                 "  --wrong-first-byte B    replace the first byte of every reply by B\n"
                 "  --corrupt-write ADDR    keep the lowest bit of a write to ADDR inverted\n"
                 "  --noisy-read ADDR       invert the lowest bit of ADDR in every second read\n"
                 "  --trace                 log every byte to standard error\n"
                 "  --set-comm-port N       store the terminal as the editor's Comm Port N "
                 "(1..10)\n"
                 "  --crystal-error E       reference error: ppm, or Hz at 173.995 MHz with "
                 "the suffix Hz\n"
                 "  --coil V                T1's offset of the tuning voltage (default 0.6)\n"
                 "  --rf-level UV           signal generator level in microvolts (default 1000)\n"
                 "  --instrument PORT       serve the bench's test set as raw SCPI on\n"
                 "                          127.0.0.1:PORT (0: a free port, printed)\n"
                 "  --fail WHAT             a radio that cannot reach a limit: power, deviation,\n"
                 "                          sensitivity or frequency\n"
                 "The first line of output is the pseudo-terminal to use, e.g. /dev/pts/7.\n"
                 "Then the bench prints its instruments whenever they change. Commands on\n"
                 "standard input: coil V | coil +V | coil -V | rf UV | crystal E | show\n");
}

bool ParseOptions(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char *&out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        const char *v = nullptr;
        if (arg == "--pace") {
            options.pace = true;
        } else if (arg == "--no-hook-answer") {
            options.noHookAnswer = true;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--max-baud" && value(v)) {
            options.maxBaud = std::strtol(v, nullptr, 10);
        } else if (arg == "--serial" && value(v)) {
            const std::string digits = v;
            if (digits.size() != 7 || digits.find_first_not_of("0123456789") != std::string::npos)
                return false;
            options.serial = v;
        } else if (arg == "--load" && value(v)) {
            options.load = v;
        } else if (arg == "--dump" && value(v)) {
            options.dump = v;
        } else if (arg == "--reply-delay" && value(v)) {
            options.replyDelay = std::strtod(v, nullptr) / 1000.0;
        } else if (arg == "--noisy-read" && value(v)) {
            options.noisyReadAt = static_cast<int>(std::strtol(v, nullptr, 0));
        } else if (arg == "--corrupt-write" && value(v)) {
            options.corruptWriteAt = static_cast<int>(std::strtol(v, nullptr, 0));
        } else if (arg == "--stop-after" && value(v)) {
            options.stopAfter = static_cast<int>(std::strtol(v, nullptr, 10));
        } else if (arg == "--set-comm-port" && value(v)) {
            options.commPort = static_cast<int>(std::strtol(v, nullptr, 10));
            if (options.commPort < 1 || options.commPort > 10)
                return false;
        } else if (arg == "--crystal-error" && value(v)) {
            options.crystal = v;
        } else if (arg == "--coil" && value(v)) {
            options.coil = std::strtod(v, nullptr);
        } else if (arg == "--instrument" && value(v)) {
            char *end = nullptr;
            const long port = std::strtol(v, &end, 10);
            if (*end != '\0' || port < 0 || port > 65535)
                return false;
            options.instrumentPort = static_cast<int>(port);
        } else if (arg == "--fail" && value(v)) {
            options.fail = v;
            if (options.fail != "power" && options.fail != "deviation" &&
                options.fail != "sensitivity" && options.fail != "frequency")
                return false;
        } else if (arg == "--rf-level" && value(v)) {
            options.rfLevel = std::strtod(v, nullptr);
        } else if (arg == "--wrong-first-byte" && value(v)) {
            options.wrongFirstByte = static_cast<int>(std::strtol(v, nullptr, 0)) & 0xFF;
        } else {
            return false;
        }
    }
    return true;
}

double Now()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

void SleepUntil(double when)
{
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(when);
    ts.tv_nsec = static_cast<long>((when - static_cast<double>(ts.tv_sec)) * 1e9);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR && !s_stop) {
    }
}

// Writes everything, waiting a little when the terminal's buffer is full; a reader that has
// gone away for good makes the rest be dropped.
void WriteAll(int fd, const std::uint8_t *data, std::size_t size)
{
    while (size > 0 && !s_stop) {
        const ssize_t n = ::write(fd, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, 1000) <= 0)
            return;
    }
}

// Sends bytes so that byte i is complete at start + (i + 1) * 10 / rate, in small batches so
// the reader is not woken for every byte.
void SendPaced(int fd, const std::vector<std::uint8_t> &bytes, long rate, double start)
{
    const double byteTime = 10.0 / static_cast<double>(rate);
    const double batch = 0.002;
    std::size_t sent = 0;
    while (sent < bytes.size() && !s_stop) {
        const double now = Now();
        const auto due = std::min(
            bytes.size(), static_cast<std::size_t>(std::max(0.0, (now - start) / byteTime + 1e-9)));
        if (due > sent) {
            WriteAll(fd, bytes.data() + sent, due - sent);
            sent = due;
            continue;
        }
        const double last = start + static_cast<double>(bytes.size()) * byteTime;
        SleepUntil(std::min(
            last, std::max(start + static_cast<double>(sent + 1) * byteTime, now + batch)));
    }
}

// Without an image to load, the radio holds what a radio fresh from the factory would: the
// default programming and a serial number.
void LoadFactoryContent(std::vector<std::uint8_t> &eeprom, const std::string &serial)
{
    MemMapImage image;
    LoadDefaultImage(image);
    for (int i = 0; i < UsedPages * PageSize; ++i)
        eeprom[i] = image.get(i / PageSize, i % PageSize);
    for (int i = 0; i < Layout::GlbSerialNumberLength; ++i)
        eeprom[Layout::GlbSerialNumber + i] = static_cast<std::uint8_t>(serial[i] - '0');
}

bool LoadImage(const std::string &path, std::vector<std::uint8_t> &eeprom)
{
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fread(eeprom.data(), 1, eeprom.size(), file);
    std::fclose(file);
    return true;
}

bool DumpImage(const std::string &path, const std::vector<std::uint8_t> &eeprom)
{
    const std::string temp = path + ".tmp";
    std::FILE *file = std::fopen(temp.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = std::fwrite(eeprom.data(), 1, eeprom.size(), file) == eeprom.size();
    if (std::fclose(file) != 0 || !ok)
        return false;
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

// The editor reads "Comm Port n Device" from its settings before it looks for serial devices.
void SetEditorCommPort(int port, const std::string &device)
{
    const QString app = QString::fromStdString(ProgramTitle);
    QSettings settings(app, app);
    settings.beginGroup(QString::fromStdString(SettingsSection));
    settings.setValue(QStringLiteral("Comm Port %1 Device").arg(port),
                      QString::fromStdString(device));
}

void Trace(const char *who, const std::uint8_t *data, std::size_t size)
{
    std::fprintf(stderr, "%s", who);
    for (std::size_t i = 0; i < size; ++i)
        std::fprintf(stderr, " %02x", data[i]);
    std::fprintf(stderr, "\n");
}

// "5.2" is ppm; "1000Hz" is the offset at 173.995 MHz.
double CrystalPpm(const std::string &text)
{
    char *end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    const std::string unit = end ? std::string(end) : std::string();
    return (unit == "Hz" || unit == "hz") ? value / 173.995 : value;
}

// One command of the bench from standard input; false when it is not understood.
bool BenchCommand(RadioBench &bench, const std::string &line)
{
    char word[32] = {};
    char arg[64] = {};
    const int n = std::sscanf(line.c_str(), "%31s %63s", word, arg);
    const std::string command = n >= 1 ? word : "";
    if (command == "show" && n == 1)
        return true;
    if (n != 2)
        return false;
    if (command == "coil") {
        const double v = std::strtod(arg, nullptr);
        bench.coilVolts = (arg[0] == '+' || arg[0] == '-') ? bench.coilVolts + v : v;
    } else if (command == "rf") {
        bench.rfLevelUv = std::strtod(arg, nullptr);
    } else if (command == "crystal") {
        bench.crystalErrorPpm = CrystalPpm(arg);
    } else {
        return false;
    }
    return true;
}

void PrintBench(const RadioBench &bench, std::string &last, bool always)
{
    const std::string line = bench.Readout();
    if (line == last && !always)
        return;
    last = line;
    std::printf("bench: %s\n", line.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        Usage(stdout);
        return 0;
    }
    if (!ParseOptions(argc, argv, options)) {
        Usage(stderr);
        return 2;
    }

    VirtualRadio radio;
    RadioBench bench(radio);
    bench.crystalErrorPpm = options.crystal.empty() ? 0.0 : CrystalPpm(options.crystal);
    bench.coilVolts = options.coil;
    bench.rfLevelUv = options.rfLevel;
    // Each fault keeps one group of points out of its limits, however it is aligned.
    if (options.fail == "power")
        bench.powerCeilingW = 4.0;
    else if (options.fail == "deviation")
        bench.deviationCeilingKHz = 2.0;
    else if (options.fail == "sensitivity")
        bench.sensitivityLossDb = 15.0;
    else if (options.fail == "frequency")
        bench.crystalErrorPpm = 80.0; // beyond what the reference cell can pull
    radio.maxBaudRate = options.maxBaud;
    radio.faults.noHookAnswer = options.noHookAnswer;
    radio.faults.stopAfterCommands = options.stopAfter;
    radio.faults.corruptWriteAt = options.corruptWriteAt;
    radio.faults.noisyReadAt = options.noisyReadAt;
    radio.faults.wrongFirstByte = options.wrongFirstByte;
    if (options.load.empty()) {
        LoadFactoryContent(radio.eeprom, options.serial);
        RadioBench::SeedAlignmentCells(radio.eeprom);
    } else if (!LoadImage(options.load, radio.eeprom)) {
        std::fprintf(stderr, "tessaro-radio-sim: cannot read %s\n", options.load.c_str());
        return 1;
    }

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("tessaro-radio-sim: pseudo-terminal");
        return 1;
    }
    const std::string slaveName = ptsname(master);
    // Holding the other end open keeps the line up while the editor closes and reopens it.
    const int keep = ::open(slaveName.c_str(), O_RDWR | O_NOCTTY);
    if (keep >= 0) {
        termios tio{};
        if (tcgetattr(keep, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(keep, TCSANOW, &tio);
        }
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    struct sigaction action {
    };
    action.sa_handler = OnSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    SteadyClock clock;
    std::unique_ptr<BenchInstrument> testSet;
    std::unique_ptr<InstrumentServer> server;
    if (options.instrumentPort >= 0) {
        testSet = std::make_unique<BenchInstrument>(bench, radio, clock);
        server = std::make_unique<InstrumentServer>(*testSet);
        std::string error;
        if (!server->Listen(options.instrumentPort, error)) {
            std::fprintf(stderr, "tessaro-radio-sim: cannot serve the test set on %s\n",
                         error.c_str());
            return 1;
        }
    }

    if (options.commPort != 0)
        SetEditorCommPort(options.commPort, slaveName);
    std::printf("%s\n", slaveName.c_str());
    if (server)
        std::printf("bench: test set on tcp://127.0.0.1:%d\n", server->port());
    std::fflush(stdout);

    std::string lastReadout;
    PrintBench(bench, lastReadout, true);
    bool stdinOpen = true;
    std::string stdinLine;
    double inputDone = 0.0; // when the bytes received so far have crossed the line
    std::uint8_t buffer[4096];
    while (!s_stop) {
        std::vector<pollfd> fds = {{master, POLLIN, 0}, {stdinOpen ? 0 : -1, POLLIN, 0}};
        if (server)
            server->AddPollFds(fds);
        const int ready = ::poll(fds.data(), fds.size(), 200);
        if (ready > 0 && server)
            server->Serve(fds.data() + 2, fds.size() - 2);
        if (ready > 0 && (fds[1].revents & (POLLIN | POLLHUP))) {
            char text[256];
            const ssize_t got = ::read(0, text, sizeof text);
            if (got <= 0)
                stdinOpen = false;
            for (ssize_t i = 0; i < got; ++i) {
                if (text[i] != '\n') {
                    stdinLine += text[i];
                    continue;
                }
                if (!BenchCommand(bench, stdinLine))
                    std::printf("bench: not understood: %s\n", stdinLine.c_str());
                if (testSet)
                    testSet->Track();
                PrintBench(bench, lastReadout, true);
                stdinLine.clear();
            }
        }
        pollfd &p = fds[0];
        if (ready <= 0 || !(p.revents & POLLIN)) {
            if (ready > 0 && (p.revents & (POLLHUP | POLLERR)))
                ::usleep(20000);
            continue;
        }
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        const double arrived = Now();
        if (options.trace)
            Trace("pc>", buffer, static_cast<std::size_t>(n));
        const long inputRate = radio.lineRate();
        inputDone = std::max(inputDone, arrived) +
                    static_cast<double>(n) * 10.0 / static_cast<double>(inputRate);
        const bool wasHooked = radio.hooked();
        const std::vector<RadioReply> replies =
            radio.receive(std::vector<std::uint8_t>(buffer, buffer + n));
        for (const RadioReply &reply : replies) {
            double start = Now() + options.replyDelay;
            if (options.pace)
                start = std::max(start, inputDone);
            if (options.trace)
                Trace("radio>", reply.bytes.data(), reply.bytes.size());
            if (options.pace) {
                SendPaced(master, reply.bytes, reply.lineRate, start);
                inputDone = start + static_cast<double>(reply.bytes.size()) * 10.0 /
                                        static_cast<double>(reply.lineRate);
            } else {
                SleepUntil(start);
                WriteAll(master, reply.bytes.data(), reply.bytes.size());
            }
        }
        if (wasHooked && !radio.hooked() && !options.dump.empty())
            DumpImage(options.dump, radio.eeprom);
        PrintBench(bench, lastReadout, false);
    }
    if (!options.dump.empty() && !DumpImage(options.dump, radio.eeprom))
        std::fprintf(stderr, "tessaro-radio-sim: cannot write %s\n", options.dump.c_str());
    if (keep >= 0)
        ::close(keep);
    ::close(master);
    return 0;
}
