// Times switching the right pane: a click on a group node until the grid is refilled and
// painted, and a click on a settings tab. Prints the median and the 90th percentile.
// Run under a display (xvfb-run) or with QT_QPA_PLATFORM=offscreen.

#include "appglobals.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "mainwindow.h"
#include "memmap.h"
#include "platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

struct Stats {
    double median;
    double p90;
    double handlerMedian; // the switch alone, without the repaint
};

static double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

static Stats measure(int runs, const std::function<void(int)> &step)
{
    std::vector<double> times;
    std::vector<double> handler;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step(i);
        handler.push_back(timer.nsecsElapsed() / 1e6);
        // Include the repaint the switch causes.
        QCoreApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    return {median(times), sorted[sorted.size() * 9 / 10], median(handler)};
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FakeSettings settings;
    MemoryFileSystem files;
    ScriptedDialogs dialogs;
    platform().settings = &settings;
    platform().files = &files;
    platform().dialogs = &dialogs;
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);

    MainWindow window;
    window.LoadWindow();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "window not exposed\n");
    QTreeWidget *tree = window.treeView();
    QTabBar *tabs = window.tabBar();
    const int runs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;

    const Stats groups = measure(runs, [&](int i) {
        QTreeWidgetItem *item = window.treeItem(4 + (i * 7) % 25);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(item).center());
    });

    // Back to the settings tabs, then switch between them.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(window.treeItem(2)).center());
    QCoreApplication::processEvents();
    const Stats tabSwitch = measure(runs, [&](int i) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect((i + 1) % 4).center());
    });

    std::printf("pane switch over %d runs (ms)\n", runs);
    std::printf("  tree click on a group node: median %.3f  p90 %.3f  (switch alone %.3f)\n",
                groups.median, groups.p90, groups.handlerMedian);
    std::printf("  settings tab click:         median %.3f  p90 %.3f  (switch alone %.3f)\n",
                tabSwitch.median, tabSwitch.p90, tabSwitch.handlerMedian);
    return 0;
}
