#pragma once

// The window's size, position and splitter rules, in twips. Plain C++ so the limits and the
// restore ranges are testable without a display; the window converts to pixels.

#include "twips.h"

constexpr int MinFormWidth = 11500;
constexpr int MinFormHeight = 8700;
constexpr int MaxFormSize = 32767;
constexpr int DefaultSplitLeft = 2450;
constexpr int SplitBarWidth = 60;    // imgSplit: the handle the user drags
constexpr int SplitMinimum = 1500;   // the tree and the tab strip keep at least this much
constexpr int SplitDragMargin = 500; // how far the bar may go while dragging

inline const char *const SizeLimitCaption = "SIZE LIMIT";
inline const char *const MinWidthMessage =
    "The form has reached its minimum width, please do not attempt to make it any smaller.      ";
inline const char *const MinHeightMessage =
    "The form has reached its minimum height, please do not attempt to make it any smaller.      ";


enum class WindowStateCode { Normal = 0, Minimized = 1, Maximized = 2 };

struct WindowGeometry {
    WindowStateCode state = WindowStateCode::Normal;
    int left = 100;
    int top = 100;
    int width = MinFormWidth;
    int height = MinFormHeight;
    int splitLeft = DefaultSplitLeft;
};

// The stored window keys with their defaults and acceptance ranges applied. defaultSplit is
// the splitter's place when none is stored.
WindowGeometry RestoreWindowGeometry(int defaultSplit = DefaultSplitLeft);

// Saves the window keys that are within their ranges; nothing while minimised.
void SaveWindowSettings(const WindowGeometry &geometry);

// The size a resize must be corrected to, and which limit messages it shows.
struct SizeCorrection {
    int width = 0;
    int height = 0;
    bool widthLimited = false;
    bool heightLimited = false;
};
SizeCorrection ApplyMinimumSize(int width, int height);

// Moves the window so that part of it stays on a screen of screenWidth x screenHeight.
struct WindowPosition {
    int left = 0;
    int top = 0;
};
WindowPosition KeepReachable(int left, int top, int width, int screenWidth, int screenHeight);

// The splitter position SizeControls uses for X in a window of the given width.
int ClampSplitter(int x, int windowWidth);

// Where the drag bar goes for a pointer at pointerX inside the handle at handleLeft.
int SplitterDragPosition(int handleLeft, int pointerX, int windowWidth);

// The tree, handle and tab strip for a splitter at X (after clamping).
struct SplitLayout {
    int split = 0; // the clamped X
    int handleLeft = 0;
    int treeWidth = 0;
    int stripLeft = 0;
    int stripWidth = 0;
};
SplitLayout ComputeSplitLayout(int x, int windowWidth);

// One fixed width for every tab, remainder dropped.
int FixedTabWidth(int stripWidth, int tabCount);

// A pane's place inside the tab strip, relative to the strip.
struct PaneRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
// settingsTop is how far below the strip's top the settings panes start (below the tabs).
PaneRect PositionPaneRect(bool gridPane, int stripWidth, int stripHeight, int settingsTop = 360);

// The channel grid's size within the room it has, plus room for the scroll bars it then needs.
struct GridSize {
    int width = 0;
    int height = 0;
};
GridSize FitChanGrid(int gridWidth, int gridHeight, int maxWidth, int maxHeight);
