#include "autotuneprint.h"

namespace
{

constexpr const char *TitleFont = "Arial";
constexpr const char *BodyFont = "Courier New";

// The table's columns in characters of the body font.
struct Column {
    const char *title;
    int width;
};
// They add up to what fits inside the printable width of an A4 or Letter page.
constexpr Column Columns[] = {{"Point", 38}, {"Target", 9},    {"Lower", 9},
                              {"Upper", 9},  {"Measured", 10}, {"Unit", 6},
                              {"Old", 11},   {"New", 11},      {"Result", 7}};

std::string Fit(const std::string &text, int width)
{
    return static_cast<int>(text.size()) < width ? text : text.substr(0, width - 1);
}

class Table
{
public:
    explicit Table(Printer &p) : m_p(p) {}

    void row(const std::string (&cells)[9])
    {
        if (m_p.currentY() + 3 * m_p.textHeight("X") > m_p.pageHeight()) {
            m_p.newPage();
            heading();
        }
        const double y = m_p.currentY();
        double x = 0;
        for (int i = 0; i < 9; ++i) {
            m_p.moveTo(x, y);
            m_p.print(Fit(cells[i], Columns[i].width), i == 8);
            x += Columns[i].width * m_p.textWidth("0");
        }
    }
    void heading()
    {
        m_p.setBold(true);
        std::string cells[9];
        for (int i = 0; i < 9; ++i)
            cells[i] = Columns[i].title;
        row(cells);
        m_p.setBold(false);
        // The rule sits in a gap of its own below the titles.
        const double y = m_p.currentY() + 20;
        double width = 0;
        for (const Column &c : Columns)
            width += c.width * m_p.textWidth("0");
        m_p.drawLine(0, y, width, y);
        m_p.moveTo(0, y + 40);
    }

private:
    Printer &m_p;
};

} // namespace

void PrintAutoTuneReport(Printer &p, const AutoTuneReport &report)
{
    p.setFontName(TitleFont);
    p.setFontSize(14);
    p.setBold(true);
    p.print("ZPA Tessaro AutoTune Report", true);
    p.setFontSize(10);
    p.setBold(false);
    p.print("Radio serial number: " + (report.serial.empty() ? "(not read)" : report.serial), true);
    p.print("Test set: " + (report.instrument.empty() ? "(none)" : report.instrument), true);
    p.print("Date and time: " + LocalTimeText(report.started), true);
    p.setBold(true);
    p.print("Result: " + std::string(report.allPassed() ? "PASS" : "FAIL") + " - " +
                std::to_string(report.passed()) + " of " + std::to_string(report.points.size()) +
                " points pass",
            true);
    p.setBold(false);
    if (!report.stopReason.empty())
        p.print("Stopped: " + report.stopReason, true);
    p.print({}, true);

    p.setFontName(BodyFont);
    p.setFontSize(8);
    Table table(p);
    table.heading();
    for (const PointResult &r : report.points) {
        const std::string &u = r.limit.unit;
        const std::string cells[9] = {r.limit.name,
                                      ValueText(r.limit.target, u),
                                      ValueText(r.limit.lower, u),
                                      ValueText(r.limit.upper, u),
                                      r.measured ? ValueText(r.value, u) : "-",
                                      u,
                                      r.oldSetting,
                                      r.newSetting,
                                      VerdictText(r.verdict)};
        table.row(cells);
    }
    p.print({}, true);
    p.setFontName(TitleFont);
    p.setFontSize(10);
    p.setBold(true);
    p.print("Pages", true);
    p.setBold(false);
    p.setFontSize(9);
    for (const PageResult &page : report.pages)
        p.print(page.title + ": " + page.outcome, true);
    bool notes = false;
    for (const PointResult &r : report.points) {
        if (r.note.empty())
            continue;
        if (!notes) {
            p.print({}, true);
            p.setFontSize(10);
            p.setBold(true);
            p.print("Notes", true);
            p.setBold(false);
            p.setFontSize(9);
            notes = true;
        }
        p.print(r.limit.name + ": " + r.note, true);
    }
    p.endDoc();
}
