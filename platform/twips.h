#pragma once

// Sizes and places come in twips (1/1440 inch); the screen's logical DPI turns them into pixels.

#include <cmath>

class QWidget;

// pixels = twips x DPI / 1440, to the nearest pixel.
inline int TwipsToPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

inline int PixelsToTwips(int pixels, double dpi)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / dpi));
}

// The smallest pixel count that is at least the given twips (for minimum sizes).
inline int TwipsToPixelsAtLeast(int twips, double dpi)
{
    return static_cast<int>(std::ceil(twips * dpi / 1440.0 - 1e-9));
}

// The logical DPI that converts twips for this display.
double ScreenDpi();

// Places a widget at a position and size given in twips, relative to its parent.
void PlaceTwips(QWidget *widget, int left, int top, int width, int height);
int WidgetWidthTwips(const QWidget *widget);
int WidgetHeightTwips(const QWidget *widget);
