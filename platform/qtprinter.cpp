#include "qtprinter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPdfWriter>

static constexpr double TwipsPerInch = 1440.0;
static constexpr double TwipsPerPoint = 20.0;

static QString FromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

QtPagePrinter::QtPagePrinter(QPagedPaintDevice *device) : m_device(device)
{
    m_font.setHintingPreference(QFont::PreferNoHinting);
    if (!m_painter.begin(device))
        return;
    // The painter works in twips, so font sizes and positions need no device arithmetic.
    const double toDevice = device->logicalDpiX() / TwipsPerInch;
    m_painter.scale(toDevice, device->logicalDpiY() / TwipsPerInch);
    m_width = device->width() / toDevice;
    m_height = device->height() * TwipsPerInch / device->logicalDpiY();
    QPen pen(Qt::black);
    pen.setWidthF(10);
    m_painter.setPen(pen);
    m_font.setFamily(QStringLiteral("Arial"));
    m_font.setPixelSize(10 * TwipsPerPoint);
    applyFont();
}

QtPagePrinter::~QtPagePrinter()
{
    if (m_painter.isActive())
        m_painter.end();
}

void QtPagePrinter::applyFont()
{
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

void QtPagePrinter::setFontName(const std::string &name)
{
    m_font.setFamily(FromStd(name));
    applyFont();
}

void QtPagePrinter::setFontSize(double points)
{
    m_font.setPixelSize(static_cast<int>(points * TwipsPerPoint + 0.5));
    applyFont();
}

void QtPagePrinter::setBold(bool bold)
{
    m_font.setBold(bold);
    applyFont();
}

double QtPagePrinter::textWidth(const std::string &text)
{
    return QFontMetricsF(m_font).horizontalAdvance(FromStd(text));
}

double QtPagePrinter::textHeight(const std::string &)
{
    return QFontMetricsF(m_font).height();
}

void QtPagePrinter::moveTo(double x, double y)
{
    m_x = x;
    m_y = y;
}

void QtPagePrinter::print(const std::string &text, bool newLine)
{
    if (m_painter.isActive() && !text.empty())
        m_painter.drawText(QPointF(m_x, m_y + QFontMetricsF(m_font).ascent()), FromStd(text));
    if (newLine) {
        m_x = 0;
        m_y += textHeight(text);
    } else {
        m_x += textWidth(text);
    }
}

void QtPagePrinter::drawLine(double x1, double y1, double x2, double y2)
{
    if (m_painter.isActive())
        m_painter.drawLine(QLineF(x1, y1, x2, y2));
}

void QtPagePrinter::newPage()
{
    m_device->newPage();
    ++m_page;
    m_x = m_y = 0;
}

void QtPagePrinter::endDoc()
{
    if (m_painter.isActive())
        m_painter.end();
}

std::vector<std::uint8_t> PrintToPdf(const std::string &title,
                                     const std::function<void(Printer &)> &print)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QString::fromStdString(title));
        pdf.setCreator(QStringLiteral("ZPA Tessaro Editor"));
        const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
        pdf.setPageLayout(QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4),
                                      QPageLayout::Portrait, QMarginsF(36, 36, 36, 36),
                                      QPageLayout::Point));
        QtPagePrinter page(&pdf);
        if (!page.isActive())
            return {};
        print(page);
    }
    const QByteArray &bytes = buffer.data();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}
