// Round trips to the virtual bench's test set through liblxi on 127.0.0.1: how long a query,
// a setting and a profile measurement take. usage: tessaro-bench-instrument SIMULATOR [N]
#include "instrumentprofile.h"
#include "lxiinstrument.h"
#include "profiletestset.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

double Ms(std::chrono::steady_clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from)
        .count();
}

void Report(const char *what, const std::function<bool()> &call, int n)
{
    std::vector<double> times;
    for (int i = 0; i < n; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!call()) {
            std::printf("%-34s failed\n", what);
            return;
        }
        times.push_back(Ms(start));
    }
    std::sort(times.begin(), times.end());
    double sum = 0.0;
    for (double t : times)
        sum += t;
    std::printf("%-34s mean %6.3f ms  median %6.3f ms  99%% %6.3f ms\n", what, sum / n,
                times[times.size() / 2], times[times.size() * 99 / 100]);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const int n = argc > 2 ? std::atoi(argv[2]) : 1000;
    int out[2];
    if (::pipe(out) != 0)
        return 1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::execl(argv[1], argv[1], "--instrument", "0", static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    FILE *sim = ::fdopen(out[0], "r");
    char line[256];
    std::string address;
    while (address.empty() && sim && std::fgets(line, sizeof line, sim)) {
        const std::string text = line;
        if (text.rfind("bench: test set on ", 0) == 0)
            address = text.substr(19, text.find_last_not_of("\n") - 18);
    }
    LxiInstrument lxi;
    if (address.empty() || !lxi.connect(address, 2000)) {
        std::fprintf(stderr, "no test set: %s\n", lxi.lastErrorText().c_str());
        ::kill(pid, SIGTERM);
        return 1;
    }
    std::ifstream file(std::string(TESSARO_INSTRUMENTS_SOURCE_DIR) + "/virtual-bench.yaml");
    std::stringstream text;
    text << file.rdbuf();
    InstrumentProfile profile;
    std::string error;
    if (!ParseInstrumentProfile(text.str(), profile, error))
        return 1;
    ProfileTestSet testSet(lxi, profile);
    testSet.preset();
    std::string reply;
    double value = 0.0;
    std::printf("%d round trips each to %s\n", n, address.c_str());
    Report(
        "query *OPC?", [&] { return lxi.query("*OPC?", reply, 2000); }, n);
    Report(
        "profile: power (set-up kept)", [&] { return testSet.rfPowerW(value); }, n);
    Report(
        "profile: generator level + check", [&] { return testSet.setGeneratorLevelDbm(-110); }, n);
    Report(
        "profile: SINAD after generator",
        [&] { return testSet.rfPowerW(value) && testSet.sinadDb(value); }, n / 4);
    lxi.disconnect();
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    return 0;
}
