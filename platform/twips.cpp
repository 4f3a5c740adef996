#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

double ScreenDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

void PlaceTwips(QWidget *widget, int left, int top, int width, int height)
{
    const double dpi = ScreenDpi();
    widget->setGeometry(TwipsToPixels(left, dpi), TwipsToPixels(top, dpi),
                        TwipsToPixels(width, dpi), TwipsToPixels(height, dpi));
}

int WidgetWidthTwips(const QWidget *widget)
{
    return PixelsToTwips(widget->width(), ScreenDpi());
}

int WidgetHeightTwips(const QWidget *widget)
{
    return PixelsToTwips(widget->height(), ScreenDpi());
}
