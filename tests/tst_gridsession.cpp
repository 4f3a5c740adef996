#include "cellundo.h"
#include "chanrecord.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "gridsession.h"
#include "platform.h"

#include <QtTest>

#include <algorithm>
#include <cstdio>

namespace
{
// cells: "r,c=text;..."; editor: the open editor's text, "-" when
// closed; message: 1 receive inactive, 2 transmit needs receive; row, col: the cell at the end.
struct Edit {
    const char *name;
    int group;
    const char *setup;
    const char *script;
    const char *cells;
    const char *editor;
    int changes;
    int message;
    int row, col;
};

const Edit Edits[] = {
    {"typing opens the editor", 0, "", "<@4,2>1", "4,2=162.55000", "1", 0, 0, 4, 2},
    {"delete starts no entry", 0, "", "<@4,2>\x7f", "", "-", 0, 0, 4, 2},
    {"space keeps the text", 0, "", "<@2,1> ", "", "Ch  2       ", 0, 0, 2, 1},
    {"Esc restores", 0, "", "<@3,2>155.5<Esc>", "3,2=162.40000", "-", 0, 0, 3, 2},
    {"Esc after a fill", 0, "", "ab<Esc>", "1,1=Ch  1       ", "-", 0, 0, 1, 1},
    {"TX CG u", 0, "", "<@2,5>u", "", "UTXG ", 0, 0, 2, 5},
    {"TX CG U and index", 0, "", "<@2,5>U7<Enter>", "2,5=UTXG 7", "-", 1, 0, 2, 6},
    {"RX CG u", 0, "", "<@2,3>u", "", "u", 0, 0, 2, 3},
    {"TX CG d", 0, "", "<@2,5>d", "", "d", 0, 0, 2, 5},
    // The receive guard store clears the channel's single pick-list reference.
    {"RX guard clears TX reference", 0, "<@4,5>u3<Enter>", "<@4,3>100<Enter>",
     "4,3=100.0;4,5=000.0", "-", 1, 0, 4, 4},
    {"s sets scan", 0, "", "<@5,6>s", "5,6=S", "-", 1, 0, 5, 6},
    {"S clears scan", 0, "<@5,6>s", "<@5,6>S", "5,6=-", "-", 1, 0, 5, 6},
    {"x on scan ignored", 0, "<@5,6>s", "<@5,6>x", "5,6=S", "-", 0, 0, 5, 6},
    {"n sets narrow", 0, "", "<@5,7>n", "5,7=N", "-", 1, 0, 5, 7},
    {"s on narrow ignored", 0, "", "<@5,7>s", "5,7=-", "-", 0, 0, 5, 7},
    {"l sets low power", 0, "", "<@5,8>l", "5,8=L", "-", 1, 0, 5, 8},
    {"digit on power ignored", 0, "", "<@5,8>1", "5,8=-", "-", 0, 0, 5, 8},
    {"space toggles, Enter moves", 0, "", "<@1,7> <Enter>", "1,7=N", "-", 1, 0, 1, 8},
    {"RX inactive while TX active", 0, "<@3,4>151.625<Enter>", "<@3,2>0<Enter>",
     "3,2=Inactive;3,4=151.62500", "-", 1, 1, 3, 3},
    {"TX needs RX, refused once", 0, "<@6,2>0<Enter>", "<@6,4>151.625<Tab>", "6,4=Inactive", "-", 1,
     2, 6, 5},
    {"Tab on the last cell", 0, "", "<@20,8><Tab>", "", "-", 0, 0, 1, 1},
    {"Tab at a row's end", 0, "", "<@4,8><Tab>", "", "-", 0, 0, 5, 1},
    {"Backtab on the first cell", 0, "", "<@1,1><Backtab>", "", "-", 0, 0, 20, 8},
    {"Backtab at a row's start", 0, "", "<@9,1><Backtab>", "", "-", 0, 0, 8, 8},
    {"editor Down wraps", 0, "", "<@20,1> <Down>", "", "-", 0, 0, 1, 1},
    {"editor Up wraps", 0, "", "<@1,1> <Up>", "", "-", 0, 0, 20, 1},
    {"frequency rounded", 2, "", "<@1,2>155.0037<Enter>", "1,2=155.00250", "-", 1, 0, 1, 3},
    {"leaving commits once", 0, "", "<@2,1>gate<@6,3>", "2,1=GATE        ", "-", 1, 0, 6, 3},
    {"label validated", 0, "", "<@1,1>north~gate 12345<Tab>", "1,1=NORTh GATE 1", "-", 1, 0, 1, 2},
    {"focus leaves", 0, "", "<@2,1>gate<Leave>", "2,1=GATE        ", "-", 1, 0, 2, 2},
    {"Esc after a commit", 0, "", "<@3,2>160<Commit>1<Esc>", "3,2=160.00000", "-", 1, 0, 3, 2},
    {"same text stores nothing", 0, "", "<@3,2> <Tab>", "3,2=162.40000", "-", 0, 0, 3, 3},
};
} // namespace

// The channel grid's edit session as the pane drives it, without a window. A script types
// characters; <@r,c> moves to a cell, <Tab> <Backtab> <Down> <Up> <Enter> <Esc> are keys (in the
// editor when it is open), <Commit> stores without leaving, <Leave> gives the focus away.
class TestGridSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        InstallDoubles(m_fs, m_settings, m_dialogs);
        LoadDefaultImage(MemMap);
        CellUndoText = {};
    }

    void edits_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(Edits)); ++i)
            QTest::newRow(Edits[i].name) << i;
    }

    void edits()
    {
        QFETCH(int, index);
        const Edit &e = Edits[index];
        const int group = e.group;
        m_session.fill(group);
        run(e.setup);
        // Shown again, so the script starts from what the group holds.
        m_session.fill(group);
        const MemMapImage image = MemMap;
        m_dialogs.messages.clear();
        m_changes = 0;
        run(e.script);

        for (const QString &check : QString::fromUtf8(e.cells).split(';', Qt::SkipEmptyParts)) {
            int row = 0, col = 0, used = 0;
            std::sscanf(qPrintable(check), "%d,%d=%n", &row, &col, &used);
            QCOMPARE(m_session.text({row, col}), check.mid(used).toStdString());
        }
        // The grid always shows what the radio will get.
        for (int row = 1; row <= GridLastRow; ++row) {
            for (int col = 1; col <= GridLastCol; ++col)
                QCOMPARE(m_session.text({row, col}), ChannelCellText(MemMap, group, row - 1, col));
        }
        const std::string editor = e.editor;
        QCOMPARE(m_session.state() == GridEditState::Idle, editor == "-");
        if (editor != "-")
            QCOMPARE(m_session.editorText(), editor);
        QCOMPARE(m_changes, e.changes);
        if (e.changes == 0)
            QVERIFY(MemMap == image);
        QCOMPARE(m_dialogs.messages.size(), std::size_t(e.message ? 1 : 0));
        if (e.message) {
            const std::string text = e.message == 1 ? RxInactiveMessage() : TxNeedsRxMessage;
            const ScriptedDialogs::Message &m = m_dialogs.messages[0];
            QCOMPARE(m.text, text);
            QVERIFY(m.caption == "INVALID COMBINATION" && m.icon == MsgIcon::Information &&
                    m.buttons == MsgButtons::Ok);
        }
        QVERIFY(m_dialogs.inputs.empty());
        QCOMPARE(m_session.cell(), (GridCell{e.row, e.col}));
    }

    // The row above the grid: a label equal but for case is shown repaired and is no change.
    void groupParameters()
    {
        std::string shown;
        QVERIFY(EditGroupLabel(MemMap, 3, "tower b", shown));
        QCOMPARE(shown, std::string("TOWER B     "));
        QCOMPARE(GetGrpLabel(MemMap, 3), shown);
        QVERIFY(!EditGroupLabel(MemMap, 3, "tower b", shown));
        QCOMPARE(shown, std::string("TOWER B     "));
        QVERIFY(!ChooseIncomingClone(MemMap, 1, GetGrpIncomingClone(MemMap, 1) ? 1 : 0));
        QVERIFY(ChooseIncomingClone(MemMap, 1, 1));
        QVERIFY(GetGrpIncomingClone(MemMap, 1));
        const bool scan = GetGrpScanList(MemMap, 1) == "Yes";
        QVERIFY(ClickGroupScanList(MemMap, 1, !scan));
        QCOMPARE(GetGrpScanList(MemMap, 1), std::string(scan ? "No" : "Yes"));
    }

private:
    void run(const std::string &script)
    {
        static const std::vector<std::string> keys = {"Tab", "Backtab", "Down",
                                                      "Up",  "Enter",   "Esc"};
        for (std::size_t i = 0; i < script.size(); ++i) {
            if (script[i] != '<') {
                if (m_session.state() == GridEditState::Idle)
                    m_session.gridChar(char32_t(script[i]));
                else
                    m_session.setEditorText(m_session.editorText() + script[i]);
                continue;
            }
            const std::size_t end = script.find('>', i);
            const std::string token = script.substr(i + 1, end - i - 1);
            i = end;
            std::optional<GridCell> to;
            GridCell at;
            if (std::sscanf(token.c_str(), "@%d,%d", &at.row, &at.col) == 2) {
                to = at;
            } else if (token == "Commit") {
                m_session.commitPending();
            } else if (token == "Leave") {
                if ((to = m_session.focusOut()))
                    m_session.move(*to);
                m_session.close();
                continue;
            } else {
                const auto key = GridKey(std::find(keys.begin(), keys.end(), token) - keys.begin());
                if (m_session.state() != GridEditState::Idle)
                    to = m_session.editorKey(key);
                else if (!(to = m_session.gridKey(key)))
                    m_session.gridChar(key == GridKey::Enter ? U'\r' : U'\x1b');
            }
            if (to && !(*to == m_session.cell()))
                m_session.move(*to);
        }
    }

    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
    int m_changes = 0;
    GridSession m_session{MemMap, {[this] { ++m_changes; }, [](GridCell) {}, [] {}}};
};

QTEST_APPLESS_MAIN(TestGridSession)
#include "tst_gridsession.moc"
