#include "chanmoves.h"
#include "chanrecord.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "gridfill.h"
#include "gridfind.h"
#include "guardcodec.h"
#include "layout.h"
#include "platform.h"

#include <QtTest>

namespace
{
constexpr int G = 2; // the group the commands run on (page 3)

// Channels 1-7 as listed; channel n of 8-20 receives 150 + n MHz, transmits 174 - (n - 6) / 2.
struct Chan {
    const char *rx, *tx, *label;
};
constexpr Chan FirstChans[] = {
    {"150.00000", "155.00000", "ECHO"},  {"140.00000", "Inactive", "ALPHA"},
    {"Inactive", "Inactive", "ZULU"},    {"145.00000", "150.00000", "DELTA"},
    {"140.00000", "141.00000", "BRAVO"}, {"156.00000", "174.00000", "CH06"},
    {"Inactive", "Inactive", "AAAA"},
};

enum Cmd { Insert, Delete, MoveUp, MoveDown, SortRx, SortTx, SortLabel };

// order: the old channel in each slot, "." for an inactive one, "a-b" for a run (either way).
// refs: the channels named afterwards by priority 1, priority 2, command group entries 1 and 2.
struct Move {
    const char *name;
    Cmd cmd;
    int first, last; // 1-based
    MsgAnswer answer;
    const char *order;
    int refs[4];
    const char *lost;
    const char *captions;
};

// clang-format off
const Move Moves[] = {
    {"insert at 1", Insert, 1, 1, MsgAnswer::Yes, ". 1-19", {6, 20, 2, 4},
     "Priority 2 Channel (Channel 20)", "INSERT CHANNEL,INSERT CHANNEL"},
    {"insert at 1 declined", Insert, 1, 1, MsgAnswer::No, "1-20", {5, 20, 1, 3}, "",
     "INSERT CHANNEL"},
    {"insert at 20", Insert, 20, 20, MsgAnswer::Yes, "1-19 .", {5, 20, 1, 3},
     "Priority 2 Channel (Channel 20)", "INSERT CHANNEL,INSERT CHANNEL"},
    {"delete 3-5", Delete, 3, 5, MsgAnswer::Ok, "1 2 6-20 . . .", {5, 17, 1, 3},
     "Priority 1 Channel (Channel 5)\r\nCommand Group entry 2 (Channel 3)", "DELETE CHANNEL"},
    {"delete 20", Delete, 20, 20, MsgAnswer::Ok, "1-19 .", {5, 20, 1, 3},
     "Priority 2 Channel (Channel 20)", "DELETE CHANNEL"},
    {"move 1 up", MoveUp, 1, 1, MsgAnswer::Ok, "1-20", {5, 20, 1, 3}, "", ""},
    {"move 19-20 down", MoveDown, 19, 20, MsgAnswer::Ok, "1-20", {5, 20, 1, 3}, "", ""},
    {"move 4-5 up", MoveUp, 4, 5, MsgAnswer::Ok, "1 2 4 5 3 6-20", {4, 20, 1, 5}, "", ""},
    {"move 1-2 down", MoveDown, 1, 2, MsgAnswer::Ok, "3 1 2 4-20", {5, 20, 2, 1}, "", ""},
    {"sort by receive", SortRx, 1, 20, MsgAnswer::Ok, "2 5 4 1 6 8-20 3 7", {2, 18, 4, 19}, "", ""},
    {"sort by transmit", SortTx, 1, 20, MsgAnswer::Ok, "5 4 1 20-8 6 2 3 7", {1, 4, 3, 19}, "", ""},
    {"sort by label", SortLabel, 1, 20, MsgAnswer::Ok, "2 5 6 8-20 4 1 3 7", {2, 16, 18, 19}, "",
     ""},
};
// clang-format on

std::vector<int> ParseOrder(const QString &text)
{
    std::vector<int> order;
    for (const QString &part : text.split(' ')) {
        const QStringList ends = part.split('-');
        const int a = ends[0] == "." ? 0 : ends[0].toInt(), b = ends.value(1, ends[0]).toInt();
        for (int n = a;; n += a <= b ? 1 : -1) {
            order.push_back(n);
            if (n == b || a == 0)
                break;
        }
    }
    return order;
}

// Fill (start and step) or one typed value (start only) into channels first..last of a column.
struct Fill {
    const char *name;
    int col, first, last;
    const char *start;
    const char *step; // nullptr: the typed value into every cell
    const char *answer;
    const char *cells; // the column's cells from `first` on, then as before
    const char *captions;
};

// clang-format off
const Fill Fills[] = {
    {"crossing 174 MHz", 2, 1, 8, "173.9", "25", nullptr,
     "173.90000 173.92500 173.95000 173.97500 174.00000", "FILL SERIES"},
    {"snapped start", 2, 3, 5, "150.0037", "12.5", nullptr, "150.00250 150.01500 150.02750", ""},
    {"each value snapped", 2, 1, 4, "150", "1", nullptr, "150.00000 150.00000 150.00250 150.00250",
     ""},
    {"bad start re-prompted", 2, 9, 10, "15.5", "12.5", "151.5", "151.50000 151.51250", ""},
    {"bad start, re-prompt cancelled", 2, 9, 10, "15.5", "12.5", "", "", ""},
    {"transmit beside an inactive receive", 4, 2, 3, "160", "25", nullptr, "160.00000 Inactive",
     "INVALID COMBINATION"},
    {"descending", 4, 19, 20, "136.025", "-25", nullptr, "136.02500 136.00000", ""},
    {"guard typed into three", 3, 2, 4, "67", nullptr, nullptr, "067.0 067.0 067.0", ""},
    {"label typed into two", 1, 1, 2, "gate", nullptr, nullptr, "GATE GATE", ""},
    {"flag typed into two", 6, 19, 20, "x", nullptr, nullptr, "S S", ""},
};
// clang-format on

struct Find {
    const char *name;
    const char *query;
    GridPlace from;
    bool forward;
    GridPlace found; // group -1: none
};

// clang-format off
const Find Finds[] = {
    {"wraps from group 25 to 1", "tower", {24, {20, 1}}, true, {0, {4, 1}}},
    {"back from group 1 to 25", "TOWER", {0, {4, 1}}, false, {24, {20, 1}}},
    {"frequency text", "162.55", {0, {1, 2}}, true, {0, {2, 2}}},
    {"frequency as it would be stored", "162.5501", {0, {2, 2}}, true, {0, {4, 2}}},
    {"guard across groups", "d023", {0, {1, 1}}, true, {11, {7, 5}}},
    {"the only match is itself", "D023", {11, {7, 5}}, true, {11, {7, 5}}},
    {"flags are not searched", "S", {0, {1, 1}}, true, {-1, {}}},
    {"nothing", "NOWHERE", {3, {3, 3}}, false, {-1, {}}},
};
// clang-format on
} // namespace

// The grid's bulk commands on the MemMap: the whole page of the group after each command, the
// references to its channels in the global page, and every other page unchanged.
class TestGridBulk : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        InstallDoubles(m_fs, m_settings, m_dialogs);
        LoadDefaultImage(MemMap);
        for (int c = 0; c < ChansPerGroup; ++c) {
            const bool listed = c < int(std::size(FirstChans));
            const int n = c + 1;
            SetChanFreq(MemMap, G, c, true,
                        listed ? FirstChans[c].rx : QByteArray::number(150 + n).constData());
            SetChanFreq(MemMap, G, c, false,
                        listed ? FirstChans[c].tx
                               : QByteArray::number(174 - (n - 6) * 0.5, 'f', 1).constData());
            SetChanLabel(MemMap, G, c,
                         listed ? FirstChans[c].label
                                : qPrintable(QString("CH%1").arg(n, 2, 10, QChar('0'))));
            // Bytes no codec knows travel with their channel.
            MemMap.set(G + 1, Layout::ChanRecord(c) + 3, 100 + c);
            MemMap.set(G + 1, Layout::ChanRecord(c) + 14, 200 + c);
        }
        MemMap.set(0, Layout::GlbPrio1Group, G);
        MemMap.set(0, Layout::GlbPrio1Chan, 0x20 | 4); // bit 5 is not the channel's
        MemMap.set(0, Layout::GlbPrio2Group, G);
        MemMap.set(0, Layout::GlbPrio2Chan, 19);
        setEntry(0, G, 0);
        setEntry(1, G, 2);
        setEntry(2, G - 1, 4); // another group's channel 5
        setEntry(3, 255, 4);   // unprogrammed
    }

    void moves_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(Moves)); ++i)
            QTest::newRow(Moves[i].name) << i;
    }

    void moves()
    {
        QFETCH(int, index);
        const Move &m = Moves[index];
        const MemMapImage before = MemMap;
        m_dialogs.messageAnswers = {m.answer};
        bool changed = false;
        const int a = m.first - 1, b = m.last - 1;
        switch (m.cmd) {
        case Insert:
            changed = InsertChannel(MemMap, G, a);
            break;
        case Delete:
            changed = DeleteChannels(MemMap, G, a, b);
            break;
        case MoveUp:
            changed = MoveChannels(MemMap, G, a, b, -1);
            break;
        case MoveDown:
            changed = MoveChannels(MemMap, G, a, b, 1);
            break;
        case SortRx:
            changed = SortChannels(MemMap, G, SortKey::RxFreq);
            break;
        case SortTx:
            changed = SortChannels(MemMap, G, SortKey::TxFreq);
            break;
        case SortLabel:
            changed = SortChannels(MemMap, G, SortKey::Label);
            break;
        }
        QCOMPARE(captions(), QString(m.captions));
        if (*m.lost)
            QVERIFY(m_dialogs.messages.back().text.find(m.lost) != std::string::npos);

        MemMapImage blanks;
        LoadDefaultImage(blanks);
        MemMapImage expected = before;
        const std::vector<int> order = ParseOrder(m.order);
        QCOMPARE(int(order.size()), ChansPerGroup);
        for (int slot = 0; slot < ChansPerGroup; ++slot) {
            const MemMapImage &from = order[slot] ? before : blanks;
            const int chan = order[slot] ? order[slot] - 1 : slot;
            for (int f = 0; f < Layout::ChanRecordSize; ++f)
                expected.set(G + 1, Layout::ChanRecord(slot) + f,
                             from.get(G + 1, Layout::ChanRecord(chan) + f));
            if (!order[slot]) {
                expected.set(G + 1, Layout::ChanRecord(slot), 0);
                expected.set(G + 1, Layout::ChanRecord(slot) + 1, 0);
            }
        }
        expected.set(0, Layout::GlbPrio1Chan, 0x20 | (m.refs[0] - 1));
        expected.set(0, Layout::GlbPrio2Chan, m.refs[1] - 1);
        expected.set(0, Layout::GlbCommandGroup + 1, m.refs[2] - 1);
        expected.set(0, Layout::GlbCommandGroup + 3, m.refs[3] - 1);
        comparePages(expected);
        QCOMPARE(changed, expected != before);
    }

    void fills_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(Fills)); ++i)
            QTest::newRow(Fills[i].name) << i;
    }

    void fills()
    {
        QFETCH(int, index);
        const Fill &f = Fills[index];
        const MemMapImage before = MemMap;
        if (f.answer && *f.answer)
            m_dialogs.inputAnswers = {std::string(f.answer)};
        const bool changed =
            f.step ? FillSeries(MemMap, G, f.col, f.first - 1, f.last - 1, f.start,
                                *ParseStepKHz(f.step))
                   : StoreIntoCells(MemMap, G, f.col, f.first - 1, f.last - 1, f.start);
        QCOMPARE(captions(), QString(f.captions));
        QCOMPARE(int(m_dialogs.inputs.size()), f.answer ? 1 : 0);
        MemMapImage expected = before;
        const QStringList cells = QString(f.cells).split(' ', Qt::SkipEmptyParts);
        for (int i = 0; i < cells.size(); ++i) {
            const std::string text = cells[i].toStdString();
            const int chan = f.first - 1 + i;
            switch (f.col) {
            case 1:
                SetChanLabel(expected, G, chan, text);
                break;
            case 2:
                SetChanFreq(expected, G, chan, true, text);
                break;
            case 3:
                SetChanGuard(expected, G, chan, true, text);
                break;
            case 4:
                SetChanFreq(expected, G, chan, false, text);
                break;
            case 6:
                SetChanScan(expected, G, chan, text);
                break;
            }
        }
        comparePages(expected);
        QCOMPARE(changed, expected != before);
    }

    void steps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qlonglong>("hz"); // -1: refused
        QTest::newRow("12.5") << "12.5" << 12500LL;
        QTest::newRow("negative") << "-25" << -25000LL;
        QTest::newRow("with unit") << " 6.25 kHz" << 6250LL;
        QTest::newRow("letters") << "abc" << -1LL;
        QTest::newRow("two points") << "1.2.3" << -1LL;
        QTest::newRow("empty") << "" << -1LL;
    }

    void steps()
    {
        QFETCH(QString, text);
        QFETCH(qlonglong, hz);
        QCOMPARE(ParseStepKHz(text.toStdString()).value_or(-1), hz);
    }

    void finds_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(Finds)); ++i)
            QTest::newRow(Finds[i].name) << i;
    }

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
        QCOMPARE(found.has_value(), f.found.group >= 0);
        if (found)
            QCOMPARE(
                QString("%1:%2,%3").arg(found->group).arg(found->cell.row).arg(found->cell.col),
                QString("%1:%2,%3").arg(f.found.group).arg(f.found.cell.row).arg(f.found.cell.col));
    }

private:
    static void setEntry(int k, int group, int chan)
    {
        MemMap.set(0, Layout::GlbCommandGroup + 2 * k, group);
        MemMap.set(0, Layout::GlbCommandGroup + 2 * k + 1, chan);
    }

    QString captions() const
    {
        QStringList list;
        for (const auto &message : m_dialogs.messages)
            list << QString::fromStdString(message.caption);
        return list.join(',');
    }

    static void comparePages(const MemMapImage &expected)
    {
        for (int page = 0; page < MemMapPages; ++page) {
            for (int offset = 0; offset < PageSize; ++offset) {
                if (MemMap.get(page, offset) != expected.get(page, offset))
                    QFAIL(qPrintable(QString("page %1, offset %2: %3, expected %4")
                                         .arg(page)
                                         .arg(offset)
                                         .arg(MemMap.get(page, offset))
                                         .arg(expected.get(page, offset))));
            }
        }
    }

    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
};

QTEST_APPLESS_MAIN(TestGridBulk)
#include "tst_gridbulk.moc"
