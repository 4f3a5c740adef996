#pragma once

#include <string>

// A page printer in the manner of the report: one current font, a print position that moves
// as text is printed, and pages that follow one another. Positions and sizes are in twips of
// the printable area, whose top left corner is (0, 0).
class Printer
{
public:
    virtual ~Printer() = default;

    virtual void setFontName(const std::string &name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setBold(bool bold) = 0;

    // Extent of a text in the current font; the height is one printed line.
    virtual double textWidth(const std::string &text) = 0;
    virtual double textHeight(const std::string &text) = 0;

    virtual double pageWidth() = 0;
    virtual double pageHeight() = 0;

    virtual double currentX() = 0;
    virtual double currentY() = 0;
    virtual void moveTo(double x, double y) = 0;

    // Prints at the print position and moves it past the text, or to the start of the next
    // line when newLine is set.
    virtual void print(const std::string &text, bool newLine = true) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;

    // From 1.
    virtual int page() = 0;
    virtual void newPage() = 0;
    // Finishes the document; the printer sends it on.
    virtual void endDoc() = 0;
};
