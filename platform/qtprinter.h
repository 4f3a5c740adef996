#pragma once

// The printer over a QPainter on a paged device: a QPrinter for paper and preview, a
// QPdfWriter for PDF files.

#include "printer.h"

#include <QFont>
#include <QPainter>

#include <cstdint>
#include <functional>
#include <vector>

class QPagedPaintDevice;

class QtPagePrinter : public Printer
{
public:
    // Starts painting on the device, which must outlive the printer.
    explicit QtPagePrinter(QPagedPaintDevice *device);
    ~QtPagePrinter() override;

    // False when the device could not be opened (an unwritable file, a printer error).
    bool isActive() const { return m_painter.isActive(); }

    void setFontName(const std::string &name) override;
    void setFontSize(double points) override;
    void setBold(bool bold) override;
    double textWidth(const std::string &text) override;
    double textHeight(const std::string &text) override;
    double pageWidth() override { return m_width; }
    double pageHeight() override { return m_height; }
    double currentX() override { return m_x; }
    double currentY() override { return m_y; }
    void moveTo(double x, double y) override;
    void print(const std::string &text, bool newLine) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    int page() override { return m_page; }
    void newPage() override;
    void endDoc() override;

private:
    void applyFont();

    QPagedPaintDevice *m_device;
    QPainter m_painter;
    QFont m_font;
    double m_width = 0, m_height = 0;
    double m_x = 0, m_y = 0;
    int m_page = 1;
};

// A PDF document printed by print, held in memory (A4, or Letter where the locale measures in
// inches) so the caller can save it through the atomic write; empty when painting failed.
std::vector<std::uint8_t> PrintToPdf(const std::string &title,
                                     const std::function<void(Printer &)> &print);
