#include "chanmoves.h"
#include "chanrecord.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "gridfill.h"
#include "gridfind.h"
#include "gridsession.h"
#include "guardcodec.h"
#include "layout.h"
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

constexpr int G = 2; // the group the commands run on (page 3)

// Channels 1-7; channel n of 8-20 receives 150 + n MHz, transmits 174 - (n - 6) / 2, is "CHnn".
const char *const FirstChans[][3] = {
    {"150", "155", "ECHO"},           {"140", "0", "ALPHA"},   {"0", "0", "ZULU"},
    {"145", "150", "DELTA"},          {"140", "141", "BRAVO"}, {"156", "174", "CH06"},
    {"Inactive", "Inactive", "AAAA"},
};

enum Cmd { Insert, Delete, Up, Down, SortRx, SortTx, SortLabel };

// order: the old channel in each slot, "." for an inactive one, "a-b" for a run (either way).
// refs: the channels named afterwards by priority 1 and 2 and command group entries 1 and 2.
struct Move {
    const char *name;
    Cmd cmd;
    int first, last; // 1-based
    MsgAnswer answer;
    const char *order;
    int refs[4];
    const char *messages; // captions, then the channels reported lost
};

// clang-format off
const Move Moves[] = {
    {"insert at 1", Insert, 1, 1, MsgAnswer::Yes, ". 1-19", {6, 20, 2, 4}, "INSERT CHANNEL,INSERT CHANNEL|Priority 2 Channel (Channel 20)"},
    {"insert at 1 declined", Insert, 1, 1, MsgAnswer::No, "1-20", {5, 20, 1, 3}, "INSERT CHANNEL|"},
    {"insert at 20", Insert, 20, 20, MsgAnswer::Yes, "1-19 .", {5, 20, 1, 3}, "INSERT CHANNEL,INSERT CHANNEL|Priority 2 Channel (Channel 20)"},
    {"delete 3-5", Delete, 3, 5, MsgAnswer::Ok, "1 2 6-20 . . .", {5, 17, 1, 3}, "DELETE CHANNEL|Priority 1 Channel (Channel 5)\r\nCommand Group entry 2 (Channel 3)"},
    {"move 1 up", Up, 1, 1, MsgAnswer::Ok, "1-20", {5, 20, 1, 3}, "|"},
    {"move 19-20 down", Down, 19, 20, MsgAnswer::Ok, "1-20", {5, 20, 1, 3}, "|"},
    {"move 4-5 up", Up, 4, 5, MsgAnswer::Ok, "1 2 4 5 3 6-20", {4, 20, 1, 5}, "|"},
    {"move 1-2 down", Down, 1, 2, MsgAnswer::Ok, "3 1 2 4-20", {5, 20, 2, 1}, "|"},
    {"sort by receive", SortRx, 1, 20, MsgAnswer::Ok, "2 5 4 1 6 8-20 3 7", {2, 18, 4, 19}, "|"},
    {"sort by transmit", SortTx, 1, 20, MsgAnswer::Ok, "5 4 1 20-8 6 2 3 7", {1, 4, 3, 19}, "|"},
    {"sort by label", SortLabel, 1, 20, MsgAnswer::Ok, "2 5 6 8-20 4 1 3 7", {2, 16, 18, 19}, "|"},
};

// A series (with a step) or one typed value into channels first..last of a column. cells: the
// column's texts from `first` on; every other byte stays.
struct Fill {
    const char *name;
    int col, first, last;
    const char *start, *step, *answer; // answer: to the re-prompt, "" cancels it
    const char *cells, *captions;
};

const Fill Fills[] = {
    {"crossing 174 MHz", 2, 1, 8, "173.9", "25", nullptr, "173.90000 173.92500 173.95000 173.97500 174.00000", "FILL SERIES"},
    {"snapped start", 2, 3, 5, "150.0037", "12.5 kHz", nullptr, "150.00250 150.01500 150.02750", ""},
    {"each value snapped", 2, 1, 4, "150", "1", nullptr, "150.00000 150.00000 150.00250 150.00250", ""},
    {"bad start re-prompted", 2, 9, 10, "15.5", "12.5", "151.5", "151.50000 151.51250", ""},
    {"re-prompt cancelled", 2, 9, 10, "15.5", "12.5", "", "", ""},
    {"transmit beside an inactive receive", 4, 2, 3, "160", "25", nullptr, "160.00000 Inactive", "INVALID COMBINATION"},
    {"descending", 4, 19, 20, "136.025", "-25", nullptr, "136.02500 136.00000", ""},
    {"step of no number", 4, 19, 20, "136.025", "1.2.5", nullptr, "", ""},
    {"guard typed into three", 3, 2, 4, "67", nullptr, nullptr, "067.0 067.0 067.0", ""},
    {"label typed into two", 1, 1, 2, "gate", nullptr, nullptr, "GATE GATE", ""},
    {"flag typed into two", 6, 19, 20, "x", nullptr, nullptr, "S S", ""},
};

// Labels TOWER on group 1 channel 4 and group 25 channel 20, guard D023 on group 12 channel 7,
// a scan flag on group 2 channel 3; found: group -1 for none.
const struct Find {
    const char *name, *query;
    GridPlace from;
    bool forward;
    GridPlace found;
} Finds[] = {
    {"wraps from group 25 to 1", "tower", {24, {20, 1}}, true, {0, {4, 1}}},
    {"back from group 1 to 25", "TOWER", {0, {4, 1}}, false, {24, {20, 1}}},
    {"back from group 12 to 1", "tower", {11, {7, 5}}, false, {0, {4, 1}}},
    {"frequency text", "162.55", {0, {1, 2}}, true, {0, {2, 2}}},
    {"frequency as it would be stored", "162.5501", {0, {2, 2}}, true, {0, {4, 2}}},
    {"guard across groups", "d023", {0, {1, 1}}, true, {11, {7, 5}}},
    {"the only match is itself", "D023", {11, {7, 5}}, true, {11, {7, 5}}},
    {"flags are not searched", "S", {0, {1, 1}}, true, {-1, {}}},
    {"nothing", "NOWHERE", {3, {3, 3}}, false, {-1, {}}},
};
// clang-format on

QByteArray Page(const MemMapImage &mm, int page)
{
    QByteArray bytes;
    for (int offset = 0; offset < PageSize; ++offset)
        bytes += char(mm.get(page, offset));
    return bytes;
}
} // namespace

// Block copy and paste on the grid's edit session and the grid's bulk commands, without a window.
// Every channel of groups 1 to 3 holds its own values, so a cell that moves can be told from one
// that stays; every page, the global page's references to group 3's channels included, is
// compared byte for byte after each command.
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
        for (int c = 0; c < ChansPerGroup; ++c) {
            const int n = c + 1;
            const bool listed = c < int(std::size(FirstChans));
            const auto text = [&](int i, double value) {
                return listed ? std::string(FirstChans[c][i])
                              : QByteArray::number(value).toStdString();
            };
            SetChanFreq(MemMap, G, c, true, text(0, 150 + n));
            SetChanFreq(MemMap, G, c, false, text(1, 174 - (n - 6) * 0.5));
            SetChanLabel(MemMap, G, c,
                         listed ? FirstChans[c][2]
                                : qPrintable(QString("CH%1").arg(n, 2, 10, QChar(0x30))));
            // Bytes no codec knows travel with their channel.
            MemMap.set(G + 1, Layout::ChanRecord(c) + 3, 100 + c);
            MemMap.set(G + 1, Layout::ChanRecord(c) + 14, 200 + c);
        }
        // clang-format off
        const int refs[][2] = {{Layout::GlbPrio1Group, G}, {Layout::GlbPrio1Chan, 0x20 | 4},
                               {Layout::GlbPrio2Group, G}, {Layout::GlbPrio2Chan, 19},
                               {320, G}, {321, 0}, {322, G}, {323, 2}, {324, G - 1}, {325, 4},
                               {326, 255}, {327, 4}};
        // clang-format on
        for (const auto &ref : refs) // bit 5 of priority 1 is not the channel's
            MemMap.set(0, ref[0], ref[1]);
    }

    void pastes_data() { rows(Pastes); }

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
        QCOMPARE(captions(), QString(p.captions));
        QCOMPARE(int(m_dialogs.inputs.size()), p.prompts);
        QCOMPARE(m_session.cell(), p.current);

        std::map<std::pair<int, int>, std::string> expected;
        for (int row = p.dest.row; row <= p.dest.endRow; ++row) {
            for (int col = p.dest.col; col <= p.dest.endCol; ++col) {
                expected[{row, col}] = ChannelCellText(before, 0, p.from.row + row - p.dest.row - 1,
                                                       p.from.col + col - p.dest.col);
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
                const std::string want = it != expected.end()
                                             ? it->second
                                             : ChannelCellText(before, p.group, row - 1, col);
                QCOMPARE(ChannelCellText(MemMap, p.group, row - 1, col), want);
                QCOMPARE(m_session.text({row, col}), want);
            }
        }
        for (int page = 0; page < MemMapPages; ++page)
            QVERIFY(page == p.group + 1 || Page(MemMap, page) == Page(before, page));
    }

    void moves_data() { rows(Moves); }
    void moves()
    {
        QFETCH(int, index);
        const Move &m = Moves[index];
        const MemMapImage before = MemMap;
        m_dialogs.messageAnswers = {m.answer};
        const int a = m.first - 1, b = m.last - 1;
        // clang-format off
        const bool changed = m.cmd == Insert ? InsertChannel(MemMap, G, a)
                             : m.cmd == Delete ? DeleteChannels(MemMap, G, a, b)
                             : m.cmd <= Down ? MoveChannels(MemMap, G, a, b, m.cmd == Up ? -1 : 1)
                             : SortChannels(MemMap, G, SortKey(m.cmd - SortRx));
        // clang-format on
        const QStringList messages = QString(m.messages).split('|');
        QCOMPARE(captions(), messages[0]);
        if (!messages[1].isEmpty())
            QVERIFY(QString::fromStdString(m_dialogs.messages.back().text).endsWith(messages[1]));

        MemMapImage blanks, expected = before;
        LoadDefaultImage(blanks);
        int slot = 0;
        for (const QString &part : QString(m.order).split(' ')) {
            const int from = part == "." ? 0 : part.section('-', 0, 0).toInt();
            const int to = part == "." ? 0 : part.section('-', -1).toInt();
            for (int n = from;; n += from <= to ? 1 : -1, ++slot) {
                for (int f = 0; f < Layout::ChanRecordSize; ++f)
                    expected.set(G + 1, Layout::ChanRecord(slot) + f,
                                 n       ? before.get(G + 1, Layout::ChanRecord(n - 1) + f)
                                 : f < 2 ? 0
                                         : blanks.get(G + 1, Layout::ChanRecord(slot) + f));
                if (n == to) {
                    ++slot;
                    break;
                }
            }
        }
        QCOMPARE(slot, ChansPerGroup);
        const int chanBytes[] = {Layout::GlbPrio1Chan, Layout::GlbPrio2Chan, 321, 323};
        for (int i = 0; i < 4; ++i)
            expected.set(0, chanBytes[i], (i ? 0 : 0x20) | (m.refs[i] - 1));
        QVERIFY(MemMap == expected);
        QCOMPARE(changed, expected != before);
    }

    void fills_data() { rows(Fills); }
    void fills()
    {
        QFETCH(int, index);
        const Fill &f = Fills[index];
        const MemMapImage before = MemMap;
        if (f.answer && *f.answer)
            m_dialogs.inputAnswers = {std::string(f.answer)};
        const auto step = f.step ? ParseStepKHz(f.step) : std::nullopt;
        const bool changed =
            !f.step ? StoreIntoCells(MemMap, G, f.col, f.first - 1, f.last - 1, f.start)
            : step  ? FillSeries(MemMap, G, f.col, f.first - 1, f.last - 1, f.start, *step)
                    : false;
        QCOMPARE(captions(), QString(f.captions));
        QCOMPARE(int(m_dialogs.inputs.size()), f.answer ? 1 : 0);
        MemMapImage expected = before;
        const QStringList cells = QString(f.cells).split(' ', Qt::SkipEmptyParts);
        for (int i = 0; i < cells.size(); ++i) // as typing each value would store it
            SaveGridCell(expected, G, f.first - 1 + i, f.col, cells[i].toStdString());
        QVERIFY(MemMap == expected);
        QCOMPARE(changed, expected != before);
    }

    void finds_data() { rows(Finds); }
    void finds()
    {
        QFETCH(int, index);
        const Find &f = Finds[index];
        LoadDefaultImage(MemMap);
        SetChanLabel(MemMap, 0, 3, "TOWER");
        SetChanLabel(MemMap, 24, 19, "TOWER 2");
        SetChanGuard(MemMap, 11, 6, false, "D023");
        SetChanScan(MemMap, 1, 2, "S");
        const auto found = FindCell(MemMap, f.query, f.from, f.forward);
        QCOMPARE(found.value_or(GridPlace{-1, {}}), f.found);
    }

private:
    template <typename T, std::size_t N> static void rows(const T (&table)[N])
    {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < N; ++i)
            QTest::newRow(table[i].name) << int(i);
    }

    QString captions() const
    {
        QStringList list;
        for (const auto &message : m_dialogs.messages)
            list << QString::fromStdString(message.caption);
        return list.join(',');
    }

    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
    int m_changes = 0;
    GridSession m_session{MemMap, {[this] { ++m_changes; }, [](GridCell) {}, [] {}}};
};

QTEST_APPLESS_MAIN(TestGridClip)
#include "tst_gridclip.moc"
