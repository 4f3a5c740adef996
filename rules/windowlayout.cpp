#include "windowlayout.h"

#include "appsettings.h"

#include <algorithm>
#include <cmath>
#include <string>

WindowGeometry RestoreWindowGeometry(int defaultSplit)
{
    WindowGeometry g;
    int state = GetSettingInt("Window State", 0);
    if (state != 0 && state != 2)
        state = 0; // a minimised window comes back normal
    g.state = static_cast<WindowStateCode>(state);
    if (g.state == WindowStateCode::Normal) {
        const int top = GetSettingInt("Form Top", 100);
        g.top = top >= 0 && top <= 6000 ? top : 100;
        const int left = GetSettingInt("Form Left", 100);
        g.left = left >= 0 && left <= 9000 ? left : 100;
        g.width = std::max(GetSettingInt("Form Width", MinFormWidth), MinFormWidth);
        g.height = std::max(GetSettingInt("Form Height", MinFormHeight), MinFormHeight);
    }
    const double split = GetSettingDouble("picSplit Left", defaultSplit);
    g.splitLeft = std::isfinite(split) && std::fabs(split) < 1e6
                      ? static_cast<int>(std::lround(split))
                      : defaultSplit;
    return g;
}

static bool within(int value, int low, int high)
{
    return value >= low && value <= high;
}

void SaveWindowSettings(const WindowGeometry &g)
{
    if (g.state == WindowStateCode::Minimized)
        return;
    SaveSetting("Window State", std::to_string(static_cast<int>(g.state)));
    if (g.splitLeft > 100 && g.splitLeft < g.width)
        SaveSetting("picSplit Left", std::to_string(g.splitLeft));
    if (g.state != WindowStateCode::Normal)
        return; // a maximised window keeps its last normal size and place
    if (within(g.width, MinFormWidth, MaxFormSize))
        SaveSetting("Form Width", std::to_string(g.width));
    if (within(g.height, MinFormHeight, MaxFormSize))
        SaveSetting("Form Height", std::to_string(g.height));
    if (within(g.top, 0, 6000))
        SaveSetting("Form Top", std::to_string(g.top));
    if (within(g.left, 0, 9000))
        SaveSetting("Form Left", std::to_string(g.left));
}

SizeCorrection ApplyMinimumSize(int width, int height)
{
    SizeCorrection c{width, height, false, false};
    if (width < MinFormWidth) {
        c.width = MinFormWidth;
        c.widthLimited = true;
    }
    if (height < MinFormHeight) {
        c.height = MinFormHeight;
        c.heightLimited = true;
    }
    return c;
}

WindowPosition KeepReachable(int left, int top, int width, int screenWidth, int screenHeight)
{
    WindowPosition p{left, top};
    if (p.left + width < 1500)
        p.left = 1500 - width;
    if (p.top < -240)
        p.top = -240;
    if (p.left > screenWidth - 1000)
        p.left = screenWidth - 1000;
    if (p.top > screenHeight - 1000)
        p.top = screenHeight - 1000;
    return p;
}

int ClampSplitter(int x, int windowWidth)
{
    if (x < SplitMinimum)
        x = SplitMinimum;
    if (x > windowWidth - SplitMinimum)
        x = windowWidth - SplitMinimum;
    return x;
}

int SplitterDragPosition(int handleLeft, int pointerX, int windowWidth)
{
    const int p = handleLeft + pointerX;
    if (p < SplitDragMargin)
        return SplitDragMargin;
    if (p <= windowWidth - SplitDragMargin)
        return p;
    return windowWidth - SplitDragMargin;
}

SplitLayout ComputeSplitLayout(int x, int windowWidth)
{
    SplitLayout l;
    l.split = ClampSplitter(x, windowWidth);
    l.handleLeft = l.split - SplitBarWidth / 2;
    l.treeWidth = std::max(0, l.handleLeft - SplitBarWidth / 2);
    l.stripLeft = l.handleLeft + SplitBarWidth;
    l.stripWidth = std::max(0, windowWidth - l.stripLeft - 240);
    return l;
}

int FixedTabWidth(int stripWidth, int tabCount)
{
    if (tabCount <= 0)
        return 0;
    return std::max(0, (stripWidth - 180) / tabCount);
}

PaneRect PositionPaneRect(bool gridPane, int stripWidth, int stripHeight, int settingsTop)
{
    PaneRect r;
    r.left = 120;
    r.width = stripWidth - 300;
    if (gridPane) {
        r.top = 120;
        r.height = stripHeight - 240;
    } else {
        r.top = settingsTop;
        r.height = stripHeight - settingsTop - 120;
    }
    r.width = std::max(0, r.width);
    r.height = std::max(0, r.height);
    return r;
}

GridSize FitChanGrid(int gridWidth, int gridHeight, int maxWidth, int maxHeight)
{
    const int mw = maxWidth;
    const int mh = maxHeight;
    int w = gridWidth;
    int h = gridHeight;
    if (w > mw) {
        w = mw;
        h += 240; // the horizontal scroll bar
        if (h > mh)
            h = mh;
    }
    if (h > mh) {
        h = mh;
        w += 240; // the vertical scroll bar
        if (w > mw)
            w = mw;
    }
    return {std::max(0, w), std::max(0, h)};
}
