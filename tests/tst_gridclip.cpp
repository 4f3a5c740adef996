#include "chanrecord.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "gridsession.h"
#include "guardcodec.h"
#include "platform.h"

#include <QtTest>

#include <cstdio>

namespace
{
constexpr GridRect None{0, 0, -1, -1};

// Copied from group 1 (or, with a copy text, that text as copied from the area), pasted in a
// group with a selection. The cells of `dest` then hold group 1's cells from `from` on, the
// cells listed in `cells` what is given, and every other cell of the group what it held.
struct Paste {
    const char *name;
    GridRect copy;
    const char *copyText; // nullptr: the cells of group 1
    int group;
    GridRect selection;
    MsgAnswer answer;
    GridRect dest;
    GridCell from;
    const char *cells;
    const char *captions; // the messages shown
    int prompts;          // frequency re-prompts, all cancelled
    GridCell current;
};

// clang-format off
const Paste Pastes[] = {
    {"receive frequency onto transmit", {3, 2, 3, 2}, nullptr, 0, {7, 4, 7, 4}, MsgAnswer::Ok,
     {7, 4, 7, 4}, {3, 2}, "", "", 0, {7, 4}},
    {"receive frequency onto another column", {3, 2, 3, 2}, nullptr, 0, {7, 6, 7, 6}, MsgAnswer::Ok,
     {7, 2, 7, 2}, {3, 2}, "", "", 0, {7, 2}},
    {"transmit frequency onto receive", {3, 4, 3, 4}, nullptr, 1, {9, 2, 9, 2}, MsgAnswer::Ok,
     {9, 2, 9, 2}, {3, 4}, "", "", 0, {9, 2}},
    {"receive column into transmit column", {1, 2, 20, 2}, nullptr, 1, {5, 4, 5, 4}, MsgAnswer::Ok,
     {1, 4, 20, 4}, {1, 2}, "", "", 0, {1, 4}},
    {"receive column elsewhere", {1, 2, 20, 2}, nullptr, 1, {5, 1, 5, 1}, MsgAnswer::Ok,
     {1, 2, 20, 2}, {1, 2}, "", "", 0, {1, 2}},
    {"receive pair exchanged", {1, 2, 20, 3}, nullptr, 1, {2, 4, 2, 4}, MsgAnswer::Ok,
     {1, 4, 20, 5}, {1, 2}, "", "", 0, {1, 4}},
    {"three columns keep their place", {1, 2, 20, 4}, nullptr, 1, {2, 4, 2, 4}, MsgAnswer::Ok,
     {1, 2, 20, 4}, {1, 2}, "", "", 0, {1, 2}},
    {"rows 3-5 onto row 10", {3, 1, 5, 8}, nullptr, 0, {10, 5, 10, 5}, MsgAnswer::Ok,
     {10, 1, 12, 8}, {3, 1}, "", "", 0, {10, 1}},
    {"rows 18-20 onto row 19 stop at 20", {18, 1, 20, 8}, nullptr, 0, {19, 1, 19, 1}, MsgAnswer::Ok,
     {19, 1, 20, 8}, {18, 1}, "", "", 0, {19, 1}},
    {"the table into group 2", {1, 1, 20, 8}, nullptr, 1, {6, 3, 6, 3}, MsgAnswer::Ok,
     {1, 1, 20, 8}, {1, 1}, "", "", 0, {1, 3}},
    {"block, question cancelled", {2, 2, 3, 3}, nullptr, 1, {8, 5, 8, 5}, MsgAnswer::Cancel,
     None, {}, "", "PASTE", 0, {1, 1}},
    {"block, question answered OK", {2, 2, 3, 3}, nullptr, 1, {8, 5, 8, 5}, MsgAnswer::Ok,
     {2, 2, 3, 3}, {2, 2}, "", "PASTE", 0, {2, 2}},
    {"block onto a same-size selection in other columns", {2, 2, 3, 3}, nullptr, 1, {10, 4, 11, 5},
     MsgAnswer::Cancel, None, {}, "", "PASTE", 0, {1, 1}},
    {"block onto a same-size selection", {2, 2, 3, 3}, nullptr, 1, {10, 2, 11, 3}, MsgAnswer::Ok,
     {10, 2, 11, 3}, {2, 2}, "", "", 0, {10, 2}},
    {"paste before copy", None, "", 1, {4, 4, 4, 4}, MsgAnswer::Ok,
     None, {}, "", "PASTE", 0, {1, 1}},
    {"part of a row, another selection", {4, 6, 4, 8}, nullptr, 1, {9, 1, 9, 1}, MsgAnswer::Ok,
     {4, 6, 4, 8}, {4, 6}, "", "", 0, {1, 1}},
    {"part of a row into its size", {4, 1, 4, 2}, nullptr, 0, {9, 6, 9, 7}, MsgAnswer::Ok,
     None, {}, "9,6=-;9,7=-", "", 0, {9, 6}},
    {"x in a scan cell", {5, 6, 5, 6}, "x", 0, {5, 6, 5, 6}, MsgAnswer::Ok,
     None, {}, "5,6=-", "", 0, {5, 6}},
    {"S in a scan cell", {5, 6, 5, 6}, "S", 1, {5, 6, 5, 6}, MsgAnswer::Ok,
     None, {}, "", "", 0, {5, 6}},
    {"guards into frequencies, re-prompts cancelled", {4, 3, 5, 3}, nullptr, 0, {9, 2, 10, 2},
     MsgAnswer::Ok, None, {}, "", "", 2, {9, 2}},
};
// clang-format on

std::string Cell(const MemMapImage &mm, int group, GridCell cell)
{
    return ChannelCellText(mm, group, cell.row - 1, cell.col);
}
} // namespace

// Block copy and paste on the grid's edit session, without a window. Every channel of groups 1
// and 2 holds its own values, so a cell that moves can be told from one that stays.
class TestGridClip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        InstallDoubles(m_fs, m_settings, m_dialogs);
        LoadDefaultImage(MemMap);
        for (int g = 0; g < 2; ++g) {
            for (int c = 0; c < ChansPerGroup; ++c) {
                char text[16];
                std::snprintf(text, sizeof text, "G%dC%d", g + 1, c + 1);
                SetChanLabel(MemMap, g, c, ValidateLabel(text, 12));
                std::snprintf(text, sizeof text, "%.5f", 140 + c + g * 0.025);
                SetChanFreq(MemMap, g, c, true, text);
                std::snprintf(text, sizeof text, "%.5f", 150 + c + g * 0.025);
                SetChanFreq(MemMap, g, c, false, text);
                SetChanGuard(MemMap, g, c, true, "100.0");
                SetChanScan(MemMap, g, c, "S");
                SetChanNarrow(MemMap, g, c, "N");
                SetChanLowPower(MemMap, g, c, "L");
            }
        }
        g_sCopyText.clear();
    }

    void pastes_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(Pastes)); ++i)
            QTest::newRow(Pastes[i].name) << i;
    }

    void pastes()
    {
        QFETCH(int, index);
        const Paste &p = Pastes[index];
        m_session.fill(0);
        if (!p.copyText) {
            QVERIFY(m_session.copy(p.copy));
        } else if (*p.copyText) {
            g_CopyRecord = ClassifyCopy(p.copy);
            g_sCopyText = p.copyText;
        }
        const MemMapImage before = MemMap;
        m_session.fill(p.group);
        m_dialogs.messageAnswers = {p.answer};
        m_changes = 0;
        const auto pasted = m_session.paste(p.selection);

        QCOMPARE(pasted.has_value(), p.dest.row > 0 || *p.cells || p.prompts || !*p.captions);
        QCOMPARE(m_changes, pasted ? 1 : 0);
        QStringList captions;
        for (const auto &message : m_dialogs.messages)
            captions << QString::fromStdString(message.caption);
        QCOMPARE(captions.join(','), QString(p.captions));
        QCOMPARE(int(m_dialogs.inputs.size()), p.prompts);
        QCOMPARE(m_session.cell(), p.current);

        std::map<std::pair<int, int>, std::string> expected;
        for (int row = p.dest.row; row <= p.dest.endRow; ++row) {
            for (int col = p.dest.col; col <= p.dest.endCol; ++col) {
                const GridCell source{p.from.row + row - p.dest.row, p.from.col + col - p.dest.col};
                expected[{row, col}] = Cell(before, 0, source);
            }
        }
        for (const QString &check : QString::fromUtf8(p.cells).split(';', Qt::SkipEmptyParts)) {
            int row = 0, col = 0, used = 0;
            std::sscanf(qPrintable(check), "%d,%d=%n", &row, &col, &used);
            expected[{row, col}] = check.mid(used).toStdString();
        }
        for (int row = 1; row <= GridLastRow; ++row) {
            for (int col = 1; col <= GridLastCol; ++col) {
                const auto it = expected.find({row, col});
                const std::string want =
                    it != expected.end() ? it->second : Cell(before, p.group, {row, col});
                const QString where = QString("%1,%2 ").arg(row).arg(col);
                QCOMPARE(where + Cell(MemMap, p.group, {row, col}).c_str(), where + want.c_str());
                QCOMPARE(m_session.text({row, col}), want);
            }
        }
        for (int page = 0; page < MemMapPages; ++page) {
            if (page == p.group + 1)
                continue;
            for (int offset = 0; offset < PageSize; ++offset)
                QCOMPARE(MemMap.get(page, offset), before.get(page, offset));
        }
    }

private:
    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
    int m_changes = 0;
    GridSession m_session{MemMap, {[this] { ++m_changes; }, [](GridCell) {}, [] {}}};
};

QTEST_APPLESS_MAIN(TestGridClip)
#include "tst_gridclip.moc"
