#include "textmeasure.h"

#include "windowlayout.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

QFont GridFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

int GetMaxWidth(const std::string &str1, const std::string &str2)
{
    static const QFontMetrics metrics(GridFont());
    const int w1 = metrics.horizontalAdvance(QString::fromStdString(str1));
    const int w2 = metrics.horizontalAdvance(QString::fromStdString(str2));
    return PixelsToTwips(std::max(w1, w2), ScreenDpi()) + 100;
}
