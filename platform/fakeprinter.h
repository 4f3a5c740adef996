#pragma once

// A printer double: a fixed-pitch font whose characters are 0.6 em wide and 1.15 em high,
// and a record of every call with the position and font it was made with.

#include "printer.h"

#include <vector>

class RecordingPrinter : public Printer
{
public:
    enum class Kind { Text, Line, NewPage, EndDoc };
    struct Call {
        Kind kind = Kind::Text;
        std::string text;
        double x = 0, y = 0, x2 = 0, y2 = 0; // x2, y2: the end of a line
        int page = 1;
        std::string font;
        double points = 0;
        bool bold = false;
    };

    void setFontName(const std::string &name) override { m_font = name; }
    void setFontSize(double points) override { m_points = points; }
    void setBold(bool bold) override { m_bold = bold; }
    double textWidth(const std::string &text) override;
    double textHeight(const std::string &) override { return m_points * 23; }
    double pageWidth() override { return 11520; }
    double pageHeight() override { return 15120; }
    double currentX() override { return m_x; }
    double currentY() override { return m_y; }
    void moveTo(double x, double y) override;
    void print(const std::string &text, bool newLine) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    int page() override { return m_page; }
    void newPage() override;
    void endDoc() override;

    // The printed texts only.
    std::vector<Call> texts() const;

    std::vector<Call> calls;

private:
    Call make(Kind kind, const std::string &text) const;

    std::string m_font = "Arial";
    double m_points = 10;
    bool m_bold = false;
    double m_x = 0, m_y = 0;
    int m_page = 1;
};
