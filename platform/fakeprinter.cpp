#include "fakeprinter.h"

double RecordingPrinter::textWidth(const std::string &text)
{
    return static_cast<double>(text.size()) * m_points * 12;
}

void RecordingPrinter::moveTo(double x, double y)
{
    m_x = x;
    m_y = y;
}

RecordingPrinter::Call RecordingPrinter::make(Kind kind, const std::string &text) const
{
    Call call;
    call.kind = kind;
    call.text = text;
    call.x = m_x;
    call.y = m_y;
    call.page = m_page;
    call.font = m_font;
    call.points = m_points;
    call.bold = m_bold;
    return call;
}

void RecordingPrinter::print(const std::string &text, bool newLine)
{
    calls.push_back(make(Kind::Text, text));
    if (newLine) {
        m_x = 0;
        m_y += textHeight(text);
    } else {
        m_x += textWidth(text);
    }
}

void RecordingPrinter::drawLine(double x1, double y1, double x2, double y2)
{
    Call call = make(Kind::Line, {});
    call.x = x1;
    call.y = y1;
    call.x2 = x2;
    call.y2 = y2;
    calls.push_back(call);
}

void RecordingPrinter::newPage()
{
    calls.push_back(make(Kind::NewPage, {}));
    ++m_page;
    m_x = m_y = 0;
}

void RecordingPrinter::endDoc()
{
    calls.push_back(make(Kind::EndDoc, {}));
}

std::vector<RecordingPrinter::Call> RecordingPrinter::texts() const
{
    std::vector<Call> result;
    for (const Call &call : calls) {
        if (call.kind == Kind::Text)
            result.push_back(call);
    }
    return result;
}
