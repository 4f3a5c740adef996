// The printed report on a recording printer: pages, positions, columns and texts.

#include "appglobals.h"
#include "chanrecord.h"
#include "defaultimage.h"
#include "fakeclock.h"
#include "fakeplatform.h"
#include "fakeprinter.h"
#include "freqcodec.h"
#include "globalcodec.h"
#include "guardcodec.h"
#include "platform.h"
#include "printreport.h"
#include "reportdate.h"
#include "textfields.h"
#include "version.h"

#include <QtTest>

#include <set>

using Call = RecordingPrinter::Call;

// The fake font is fixed pitch: 0.6 em wide, 1.15 em high, in twips.
static double CharWidth(const Call &c)
{
    return c.points * 12;
}

static int Column(const Call &c)
{
    return qRound(c.x / CharWidth(c)) + 1;
}

static std::vector<Call> Report(ReportKind kind, int group = 0)
{
    RecordingPrinter printer;
    PrintReport(printer, kind, group);
    return printer.calls;
}

static const Call *Find(const std::vector<Call> &calls, const std::string &text)
{
    for (const Call &c : calls) {
        if (c.kind == RecordingPrinter::Kind::Text && c.text == text)
            return &c;
    }
    return nullptr;
}

class TestReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_clock = FakeClock();
        platform().clock = &m_clock;
        LoadDefaultImage();
        g_sCurFileName = "/home/tech/radios/Fleet A.tdf";
    }

    // Every page has its footer; the first channel table's page (0: none); the end line.
    void pages()
    {
        const struct {
            ReportKind kind;
            int pages, firstGroupPage, firstGroup;
        } rows[] = {{ReportKind::All, 27, 3, 1},
                    {ReportKind::Global, 2, 0, 0},
                    {ReportKind::CurrentGroup, 1, 1, 7}};
        RecordingPrinter page;
        for (const auto &[kind, pages, firstGroupPage, firstGroup] : rows) {
            const std::vector<Call> calls = Report(kind, 6);
            int breaks = 0, footers = 0, groupTables = 0;
            for (const Call &c : calls) {
                breaks += c.kind == RecordingPrinter::Kind::NewPage;
                if (c.text == "Fleet A.tdf   Sun, Dec 6, 2026   Page " + std::to_string(c.page)) {
                    ++footers;
                    QCOMPARE(c.x, page.pageWidth() - (5 + c.text.size()) * CharWidth(c));
                    QCOMPARE(c.y, page.pageHeight() - 4 * c.points * 23);
                }
                if (c.text ==
                    "Group " + std::to_string(firstGroup + groupTables) + " Channel Settings:") {
                    QCOMPARE(c.page, firstGroupPage + groupTables);
                    QVERIFY(c.bold);
                    ++groupTables;
                }
            }
            QCOMPARE(breaks, pages - 1);
            QCOMPARE(footers, pages);
            QCOMPARE(groupTables, kind == ReportKind::All ? 25 : firstGroupPage ? 1 : 0);
            // The end line sits below the last footer, on the last page, and ends the document.
            QCOMPARE(int(calls.back().kind), int(RecordingPrinter::Kind::EndDoc));
            const Call &end = calls[calls.size() - 2];
            QCOMPARE(end.text, std::string("End of printout for: Fleet A.tdf"));
            QCOMPARE(end.page, pages);
            QCOMPARE(end.x, page.pageWidth() - (5 + end.text.size()) * CharWidth(end));
            QCOMPARE(end.y, page.pageHeight() - 2 * end.points * 23);
        }
    }

    void header()
    {
        // A new file is named so in the title and in the end line.
        g_sCurFileName.clear();
        const std::vector<Call> unnamed = Report(ReportKind::Global);
        QCOMPARE(unnamed[1].text, "ZPA Tessaro Editor Unit Data Printout for file: New File");
        QCOMPARE(unnamed[unnamed.size() - 2].text, "End of printout for: New File");
        g_sCurFileName = "/home/tech/radios/Fleet A.tdf";
        const std::vector<Call> calls = Report(ReportKind::Global);
        const std::string title = "ZPA Tessaro Editor Unit Data Printout for file: Fleet A.tdf";

        QCOMPARE(calls[0].text, std::string());
        QCOMPARE(calls[1].text, title);
        QCOMPARE(calls[1].font, std::string("Arial"));
        QCOMPARE(calls[1].points, 14.0);
        QVERIFY(calls[1].bold);
        const struct {
            const char *text;
            int column;
        } lines[] = {{"ZPA Tessaro Editor Ver: " TESSARO_VERSION_TEXT, 1},
                     {TESSARO_LEGAL_NOTICE, 50},
                     {"Date: Sun, Dec 6, 2026", 1},
                     {"Time: 2:03:59 PM", 50},
                     {"", 1}};
        for (std::size_t i = 0; i < std::size(lines); ++i) {
            const Call &c = calls[2 + i];
            QCOMPARE(c.text, std::string(lines[i].text));
            QCOMPARE(Column(c), lines[i].column);
            QCOMPARE(c.points, 10.0);
            QVERIFY(!c.bold);
        }
        QCOMPARE(calls[2].y, calls[3].y);
        QCOMPARE(calls[7].text, std::string("Global Settings:"));
        QCOMPARE(calls[7].font, std::string("Courier New"));

        const struct {
            LocalTime time;
            const char *date, *clock;
        } rows[] = {{{2000, 2, 29, 0, 0, 0}, "Tue, Feb 29, 2000", "12:00:00 AM"},
                    {{1999, 1, 1, 12, 30, 5}, "Fri, Jan 1, 1999", "12:30:05 PM"},
                    {{2027, 3, 15, 23, 59, 9}, "Mon, Mar 15, 2027", "11:59:09 PM"}};
        for (const auto &row : rows) {
            QCOMPARE(ReportDate(row.time), std::string(row.date));
            QCOMPARE(ReportTime(row.time), std::string(row.clock));
        }

        // Dots fill the label to 43 characters; the value follows it two columns on.
        for (const auto &[length, valueColumn] : {std::pair{7, 45}, {43, 45}, {44, 46}, {50, 52}}) {
            const std::string label(length, 'L');
            RecordingPrinter printer;
            printer.setFontName("Courier New");
            PrintLabelLine(printer, label, "On");
            const std::vector<Call> texts = printer.texts();
            QCOMPARE(texts.size(), std::size_t(2));
            const std::string dots = length < 43 ? std::string(43 - length, '.') : std::string();
            QCOMPARE(texts[0].text, label + " " + dots);
            QCOMPARE(texts[1].text, std::string(" On"));
            QCOMPARE(Column(texts[1]), valueColumn);
            QCOMPARE(texts[1].y, texts[0].y);
        }
    }

    void channelTable()
    {
        SetChanFreq(MemMap, 2, 4, true, "155.1");
        SetChanGuard(MemMap, 2, 4, true, "067.0");
        SetChanFreq(MemMap, 2, 4, false, "161.5");
        SetChanGuard(MemMap, 2, 4, false, "250.3");
        SetChanScan(MemMap, 2, 4, "S");
        SetChanNarrow(MemMap, 2, 4, "N");
        SetChanLowPower(MemMap, 2, 4, "-");
        const std::vector<Call> calls = Report(ReportKind::CurrentGroup, 2);

        // clang-format off
        const int columns[] = {1, 9, 22, 32, 39, 49, 56, 60, 64};
        const char *titles[] = {"    ", "Label", "RX Freq", "CG", "TX Freq", "CG", "Scn", "BW", "LP"};
        const std::string row[] = {"Ch. 5", GetChanLabel(MemMap, 2, 4), "155.10000", "067.0",
                                   "161.50000", "250.3", "S", "N", "-"};
        // clang-format on
        const Call *title = Find(calls, titles[0]);
        const Call *first = Find(calls, "Ch. 5");
        QVERIFY(title && first);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE((title + i)->text, std::string(titles[i]));
            QCOMPARE(Column(title[i]), columns[i]);
            QVERIFY(title[i].bold);
            QCOMPARE(title[i].points, 9.0);
            QCOMPARE(first[i].text, row[i]);
            QCOMPARE(Column(first[i]), columns[i]);
            QVERIFY(!first[i].bold);
        }
        // The rule under the titles ends with "LP", 10 twips above the first channel line.
        const Call &rule = title[9];
        QCOMPARE(int(rule.kind), int(RecordingPrinter::Kind::Line));
        const Call &ch1 = title[10];
        QCOMPARE(ch1.text, std::string("Ch. 1"));
        QCOMPARE(rule.y, ch1.y - 10);
        QCOMPARE(rule.y2, rule.y);
        QCOMPARE(rule.x, 0.0);
        QCOMPARE(rule.x2, (63 + 2) * CharWidth(ch1));
        QVERIFY(Find(calls, "Ch. 20"));
        QVERIFY(!Find(calls, "Ch. 21"));
        QCOMPARE(Find(calls, "Group 3 Settings:")->points, 10.0);
    }

    void globalLines()
    {
        SetSilentMode(MemMap, true);
        SetTxOnPri1(MemMap, false);
        SetKeypadPwd(MemMap, "123456");
        SetANIID(MemMap, "12AB");
        SetPriRate(MemMap, "2.00 Seconds");
        const struct {
            int list;
            std::vector<const char *> labels;
        } lists[] = {
            {1,
             {"Embeded Serial Number:", "Wide Band DTMF Deviation:", "Front Porch Time:",
              "ANI Rate:", "Priority Rate:", "Display Frequencies Only:",
              "Null Frequency Substitution:", "Per Channel Power Selection:", "Talkback Scan:",
              "Nuisance Channel Delete:", "Silent Mode", "Low Power:", "Channel Scan:",
              "Priority Scan:", "Repeater Talk Around:", "Group Scan:"}},
            {2,
             {"Keypad Edit Password:", "ANI ID:", "Scan Hold Time:", "TX Timeout Timer:",
              "Battery Saver:", "Busy Channel Mode:", "ANI/DTMF Mode:", "Priority 1 Selection:",
              "Scan List Selection:", "Priority 1 Group:", "Priority 2 Group:",
              "Priority 1 Channel:", "Priority 2 Channel:", "Transmit on Priority 1",
              "Back Light:", "Duration:", "UCG Feature:"}},
        };
        // clang-format off
        const std::map<std::string, std::string> values = {
            {"Embeded Serial Number:", "N/A"}, {"Silent Mode", "On"}, {"ANI ID:", "FFF12AB"},
            {"Priority Rate:", "2.00 Seconds"}, {"Keypad Edit Password:", "123456"},
            {"Transmit on Priority 1", "No"}, {"Wide Band DTMF Deviation:", "3000Hz"},
            {"Scan Hold Time:", "2.0 Seconds"}, {"UCG Feature:", "Disabled"}};
        // clang-format on
        const std::vector<Call> calls = Report(ReportKind::Global);
        for (const auto &list : lists) {
            const std::vector<ReportLine> lines = GlobalReportLines(MemMap, list.list);
            QCOMPARE(lines.size(), list.labels.size());
            for (std::size_t i = 0; i < lines.size(); ++i) {
                QCOMPARE(lines[i].label, std::string(list.labels[i]));
                const auto value = values.find(lines[i].label);
                if (value != values.end())
                    QCOMPARE(lines[i].value, value->second);
                const Call *printed = Find(calls, DottedLabel(lines[i].label));
                QVERIFY(printed);
                QCOMPARE(printed[1].text, " " + lines[i].value);
            }
        }
        for (const char *numbered : {"Channel  9:", "Channel 10:", "UCG Pick List  9:"})
            QVERIFY2(Find(calls, numbered), numbered);
    }

    // Every line stays on the paper, a long name shortened in its middle by whole characters;
    // every page names its file.
    void longFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("55") << "Fleet 12 - " + QString(38, 'W') + "#2.tdf";
        QTest::newRow("174") << "Fleet 12 - " + QString(157, 'm') + "#2.tdf";
        QTest::newRow("umlauts") << "Fleet 12 - M" + QString(40, QChar(0xFC)) + "#2.tdf";
    }
    void longFileNames()
    {
        QFETCH(QString, name);
        const std::string shown = name.toStdString(), head = shown.substr(0, 5);
        const std::string tail = shown.substr(shown.size() - 5);
        g_sCurFileName = "/home/tech/radios/" + shown;
        const std::vector<Call> calls = Report(ReportKind::All);
        std::set<int> named;
        for (const Call &c : calls) {
            if (c.kind != RecordingPrinter::Kind::Text)
                continue;
            QVERIFY2(c.x >= 0 && c.x + c.text.size() * CharWidth(c) <= 11520, c.text.c_str());
            QCOMPARE(QString::fromStdString(c.text).toStdString(), c.text);
            const auto at = c.text.find(head);
            if (at == std::string::npos)
                continue;
            named.insert(c.page);
            if (c.text.rfind("ZPA Tessaro Editor Unit", 0) == 0) // the titles
                QVERIFY(c.text.find("\u2026") != std::string::npos);
            const std::string rest = c.text.substr(std::min(c.text.find(tail, at), c.text.size()));
            QVERIFY2(
                QList<std::string>({tail, tail + " (cont'd)",
                                    tail + "   Sun, Dec 6, 2026   Page " + std::to_string(c.page)})
                    .contains(rest),
                c.text.c_str());
        }
        QCOMPARE(int(named.size()), 27);
    }

private:
    FakeClock m_clock;
};

QTEST_APPLESS_MAIN(TestReport)
#include "tst_report.moc"
