#include "appglobals.h"
#include "appsettings.h"
#include "fakeplatform.h"
#include "platform.h"
#include "treelogic.h"
#include "windowlayout.h"

#include <QtTest>

// The window's rules below its widgets: restore ranges, saved keys, size limits, splitter clamps,
// grid fitting, and the tree's navigation by arrow keys, clicks and right-clicks.
class TestWindowLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_settings = FakeSettings();
        platform().settings = &m_settings;
        ResetAppGlobals();
        m_tree = TreeNavState();
        ResetTreeImages(m_tree);
    }

    void twips()
    {
        // twips, dpi, pixels: 15 twips a pixel at 96 dpi
        const int rows[][3] = {
            {1500, 96, 100}, {11500, 96, 767}, {8700, 96, 580}, {1440, 144, 144}, {2450, 120, 204}};
        for (const auto &[twips, dpi, pixels] : rows) {
            QCOMPARE(TwipsToPixels(twips, dpi), pixels);
            // The minimum sizes never round below the limit.
            QVERIFY(PixelsToTwips(TwipsToPixelsAtLeast(twips, dpi), dpi) >= twips);
        }
    }

    // What is restored from the settings and what is saved to them.
    void restoreAndSave()
    {
        WindowGeometry g = RestoreWindowGeometry();
        QCOMPARE(int(g.state), 0);
        QCOMPARE(QList<int>({g.left, g.top, g.width, g.height, g.splitLeft}),
                 QList<int>({100, 100, 11500, 8700, 2450}));
        QCOMPARE(RestoreWindowGeometry(3100).splitLeft, 3100);
        // A window stored minimised comes back normal; a maximised one stays maximised.
        SaveSetting("Window State", "1");
        QCOMPARE(int(RestoreWindowGeometry().state), 0);
        SaveSetting("Window State", "2");
        QCOMPARE(int(RestoreWindowGeometry().state), 2);

        // Left and top out of range come back as 100, width and height below the minimum as it.
        const char *keys[] = {"Form Left", "Form Top", "Form Width", "Form Height"};
        const std::pair<const char *, int> rows[4][3] = {
            {{"9500", 100}, {"9000", 9000}, {"-1", 100}},
            {{"7000", 100}, {"6000", 6000}, {"0", 0}},
            {{"11499", 11500}, {"15000", 15000}, {"11500", 11500}},
            {{"5000", 8700}, {"9000", 9000}, {"8700", 8700}}};
        for (int k = 0; k < 4; ++k) {
            for (const auto &[value, expected] : rows[k]) {
                init();
                SaveSetting(keys[k], value);
                g = RestoreWindowGeometry();
                QCOMPARE(QList<int>({g.left, g.top, g.width, g.height})[k], expected);
            }
        }

        // State, left, top, width, height and splitter; then the state, splitter, width, height,
        // top and left stored ("-": none). Values out of range are not stored, a maximised window
        // keeps its normal size and place, a minimised one stores nothing.
        const struct {
            int state;
            int geometry[5];
            const char *saved[6];
        } saves[] = {
            {0, {200, 300, 12000, 9000, 2600}, {"0", "2600", "12000", "9000", "300", "200"}},
            {0, {9001, 6001, 40000, 8000, 50}, {"0", "-", "-", "-", "-", "-"}},
            {0, {0, 0, 11500, 8700, 11500}, {"0", "-", "11500", "8700", "0", "0"}},
            {2, {0, 0, 25000, 15000, 3000}, {"2", "3000", "-", "-", "-", "-"}},
            {1, {200, 300, 12000, 9000, 2600}, {"-", "-", "-", "-", "-", "-"}}};
        for (const auto &row : saves) {
            init();
            const int *r = row.geometry;
            SaveWindowSettings({WindowStateCode(row.state), r[0], r[1], r[2], r[3], r[4]});
            const char *saved[] = {"Window State", "picSplit Left", "Form Width",
                                   "Form Height",  "Form Top",      "Form Left"};
            for (int i = 0; i < 6; ++i) {
                auto it = m_settings.values.find(ProgramTitle + "/Settings/" + saved[i]);
                const std::string stored = it == m_settings.values.end() ? "-" : it->second;
                QCOMPARE(QString::fromStdString(stored), QString(row.saved[i]));
            }
            if (row.state == 1)
                QCOMPARE(m_settings.saveCount, 0);
        }
    }

    void sizePositionAndSplitterLimits()
    {
        // width, height, corrected width and height, whether each was limited
        const int sizes[][6] = {{12000, 9000, 12000, 9000, 0, 0},
                                {11500, 8700, 11500, 8700, 0, 0},
                                {11000, 9000, 11500, 9000, 1, 0},
                                {12000, 8000, 12000, 8700, 0, 1},
                                {5000, 5000, 11500, 8700, 1, 1}};
        for (const auto &row : sizes) {
            const SizeCorrection c = ApplyMinimumSize(row[0], row[1]);
            QCOMPARE(QList<int>({c.width, c.height, c.widthLimited, c.heightLimited}),
                     QList<int>({row[2], row[3], row[4], row[5]}));
        }
        // A window 11500 wide on a 19200 x 14400 twip screen: left, top, then kept reachable.
        const int positions[][4] = {{100, 100, 100, 100},     {-11000, 100, 1500 - 11500, 100},
                                    {100, -500, 100, -240},   {100, -241, 100, -240},
                                    {19000, 100, 18200, 100}, {100, 14000, 100, 13400}};
        for (const auto &[left, top, newLeft, newTop] : positions) {
            const WindowPosition p = KeepReachable(left, top, 11500, 19200, 14400);
            QCOMPARE(QList<int>({p.left, p.top}), QList<int>({newLeft, newTop}));
        }

        // In a window 12000 wide.
        const int clamps[][2] = {{500, 1500}, {1500, 1500}, {4000, 4000}, {11000, 12000 - 1500}};
        for (const auto &[x, clamped] : clamps)
            QCOMPARE(ClampSplitter(x, 12000), clamped);
        // The bar stops 500 from the left and 500 short of the right edge.
        const int drags[][2] = {{-3000, 500}, {1000, 3420}, {9080, 11500}, {20000, 11500}};
        for (const auto &[pointerX, bar] : drags)
            QCOMPARE(SplitterDragPosition(2420, pointerX, 12000), bar);

        const SplitLayout l = ComputeSplitLayout(2450, 12000);
        QCOMPARE(QList<int>({l.split, l.handleLeft, l.treeWidth, l.stripLeft, l.stripWidth}),
                 QList<int>({2450, 2420, 2390, 2480, 12000 - 2480 - 240}));
        // Tree, handle and strip never overlap, wherever the splitter is asked to go.
        for (int x = 0; x <= 14000; x += 250) {
            const SplitLayout s = ComputeSplitLayout(x, 12000);
            QVERIFY(s.treeWidth <= s.handleLeft && s.treeWidth >= 1400);
            QVERIFY(s.handleLeft + SplitBarWidth <= s.stripLeft);
            QVERIFY(s.stripLeft + s.stripWidth <= 12000);
        }
        QCOMPARE(FixedTabWidth(9003, 4), 2205); // remainder dropped
        QCOMPARE(FixedTabWidth(9000, 0), 0);
    }

    // The panes in the tab strip, and the channel grid in the room its pane leaves.
    void paneAndGridFit()
    {
        const PaneRect grid = PositionPaneRect(true, 9000, 6000);
        QCOMPARE(QList<int>({grid.left, grid.top, grid.width, grid.height}),
                 QList<int>({120, 120, 8700, 5760}));
        const PaneRect settings = PositionPaneRect(false, 9000, 6000);
        QCOMPARE(settings.top, 360);
        QCOMPARE(settings.height, 5520);
        // A taller tab row moves the settings panes down, never under the tabs.
        const PaneRect lower = PositionPaneRect(false, 9000, 6000, 480);
        QCOMPARE(lower.top, 480);
        QCOMPARE(lower.top + lower.height, settings.top + settings.height);

        // Room 8000 x 5000; a scroll bar takes 240 and the grid grows by it up to the room.
        const int rows[][4] = {{7000, 4000, 7000, 4000}, {9000, 4000, 8000, 4240},
                               {9000, 4900, 8000, 5000}, {7000, 6000, 7240, 5000},
                               {7900, 6000, 8000, 5000}, {9000, 6000, 8000, 5000}};
        for (const auto &[w, h, fitW, fitH] : rows) {
            const GridSize s = FitChanGrid(w, h, 8000, 5000);
            QCOMPARE(QList<int>({s.width, s.height}), QList<int>({fitW, fitH}));
        }
    }

    void treeTexts()
    {
        const char *texts[] = {"Radio", "Global Settings", "Groups", "Group 1 Channels"};
        for (int node = 1; node <= 4; ++node)
            QCOMPARE(TreeNodeText(node), std::string(texts[node - 1]));
        QCOMPARE(TreeNodeText(28), std::string("Group 25 Channels"));
        const TreeImage images[] = {TreeImage::Radio, TreeImage::Globe, TreeImage::Groups};
        for (int node = 1; node <= TreeNodeCount; ++node)
            QCOMPARE(m_tree.images[node], node <= 3 ? images[node - 1] : TreeImage::FolderClosed);
        const std::pair<const char *, int> numbers[] = {
            {"Group 7 Channels", 7}, {"Group 25 Channels", 25}, {"Group 1 Channels", 1},
            {"Groups", 0},           {"Group 26 Channels", 0},  {"Group x Channels", 0}};
        for (const auto &[text, number] : numbers)
            QCOMPARE(GroupNumberFromNodeText(text), number);
        QCOMPARE(PopupReadGroupCaption(12),
                 std::string("Read Group 12 Channel Data and Settings from Radio"));
        QCOMPARE(PopupWriteGroupCaption(3),
                 std::string("Write Group 3 Channel Data and Settings to Radio"));

        // Right-clicks show each node's pop-up; a press on empty space changes nothing.
        const std::pair<const char *, TreePopup> rows[] = {{"Radio", TreePopup::Radio},
                                                           {"Global Settings", TreePopup::Globals},
                                                           {"Groups", TreePopup::None},
                                                           {"Group 12 Channels", TreePopup::Group}};
        for (const auto &[text, popup] : rows)
            QCOMPARE(TreeMouseDown(m_tree, text, true).popup, popup);
        QCOMPARE(g_iCurGroup, 11);
        QCOMPARE(m_tree.images[15], TreeImage::FolderOpen);
        g_sPaneView = "Channels";
        g_iCurGroup = 0;
        g_iLastNode = 4;
        m_tree.selectedNode = 4;
        const TreeAction action = TreeMouseDown(m_tree, "", false);
        QVERIFY(!action.showPane);
        QCOMPARE(action.popup, TreePopup::None);
        QCOMPARE(g_sPaneView, std::string("Channels"));
        QCOMPARE(m_tree.selectedNode, 4);
    }

    void clicksAndArrowKeys()
    {
        // Coming from Group 6: text, view, current group and node after the press and after the
        // node click that follows it. Even from a group view "Groups" shows Group 1.
        const struct {
            const char *text;
            const char *view;
            int group;
            int node;
        } rows[] = {{"Radio", "Globals", 5, 1},
                    {"Global Settings", "Globals", 5, 2},
                    {"Groups", "Channels", 0, 4},
                    {"Group 7 Channels", "Channels", 6, 10},
                    {"Group 25 Channels", "Channels", 24, 28}};
        for (const auto &row : rows) {
            init();
            g_sPaneView = "Channels";
            g_iCurGroup = 5;
            g_iLastNode = 9;
            m_tree.images[9] = TreeImage::FolderOpen;
            QVERIFY(TreeMouseDown(m_tree, row.text, false).showPane);
            for (int pass = 0; pass < 2; ++pass) {
                QCOMPARE(g_sPaneView, std::string(row.view));
                QCOMPARE(g_iCurGroup, row.group);
                QCOMPARE(m_tree.selectedNode, row.node);
                QCOMPARE(g_iLastNode, row.node);
                QCOMPARE(m_tree.images[9], TreeImage::FolderClosed);
                QCOMPARE(openFolders(), row.node >= 4 ? 1 : 0);
                if (pass == 0)
                    QVERIFY(TreeKeyUp(m_tree).showPane);
            }
            QVERIFY(!m_tree.mouseSelect);
        }

        init();
        // Down from the global settings to the last group ("Groups" moves on to Group 1), then
        // back up; the shown group's folder is the only one open.
        g_sPaneView = "Globals";
        std::vector<int> walk;
        for (int node = GlobalsNode; node <= TreeNodeCount; ++node)
            walk.push_back(node);
        for (int node = TreeNodeCount - 1; node >= FirstGroupNode; --node)
            walk.push_back(node);
        for (int node : walk) {
            m_tree.selectedNode = node;
            QVERIFY(TreeKeyUp(m_tree).showPane);
            if (node >= GroupsNode) {
                const int shown = std::max(node, FirstGroupNode);
                QCOMPARE(m_tree.selectedNode, shown);
                QCOMPARE(g_sPaneView, std::string("Channels"));
                QCOMPARE(g_iCurGroup, shown - FirstGroupNode);
                QCOMPARE(g_iLastNode, shown);
                QCOMPARE(m_tree.images[shown], TreeImage::FolderOpen);
                QCOMPARE(openFolders(), 1);
            }
        }
        // Up onto "Groups" from Group 1 goes back to the global settings.
        m_tree.selectedNode = GroupsNode;
        QVERIFY(TreeKeyUp(m_tree).showPane);
        QCOMPARE(g_sPaneView, std::string("Globals"));
        QCOMPARE(m_tree.selectedNode, GlobalsNode);
        QCOMPARE(openFolders(), 0);
    }

private:
    FakeSettings m_settings;
    TreeNavState m_tree;

    int openFolders() const
    {
        int count = 0;
        for (int node = 1; node <= TreeNodeCount; ++node)
            count += m_tree.images[node] == TreeImage::FolderOpen;
        return count;
    }
};

QTEST_APPLESS_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
