// Times RegisterFileType alone against the real desktop registry: the first start in an empty
// home, then later starts. Run by bench/bench-registration.sh in a private home; not a test.

#include "fakeplatform.h"
#include "filetype.h"
#include "platform.h"
#include "qtdesktopregistry.h"
#include "qtplatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    QtSettingsStore settings;
    QtDesktopRegistry desktop;
    platform().settings = &settings;
    platform().desktop = &desktop;
    QElapsedTimer timer;
    timer.start();
    RegisterFileType();
    std::printf("registration, first start: %.2f ms\n", timer.nsecsElapsed() / 1e6);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        timer.restart();
        RegisterFileType();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("registration, later starts: median %.2f ms, slowest %.2f ms (%d runs)\n",
                times[times.size() / 2], times.back(), runs);
    return 0;
}
