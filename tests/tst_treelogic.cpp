#include "appglobals.h"
#include "treelogic.h"

#include <QtTest>

// The tree's navigation rules: arrow keys, clicks and right-clicks, and the open folder.
class TestTreeLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        ResetAppGlobals();
        m_tree = TreeNavState();
        ResetTreeImages(m_tree);
    }

    void texts()
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
    }

    void clickOnNode()
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
    }

    void rightClickPopups()
    {
        const std::pair<const char *, TreePopup> rows[] = {{"Radio", TreePopup::Radio},
                                                           {"Global Settings", TreePopup::Globals},
                                                           {"Groups", TreePopup::None},
                                                           {"Group 12 Channels", TreePopup::Group}};
        for (const auto &[text, popup] : rows)
            QCOMPARE(TreeMouseDown(m_tree, text, true).popup, popup);
        QCOMPARE(g_iCurGroup, 11);
        QCOMPARE(m_tree.images[15], TreeImage::FolderOpen);
    }

    void pressOnEmptySpaceChangesNothing()
    {
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

    void arrowKeysWalkTheTree()
    {
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
    TreeNavState m_tree;

    int openFolders() const
    {
        int count = 0;
        for (int node = 1; node <= TreeNodeCount; ++node)
            count += m_tree.images[node] == TreeImage::FolderOpen;
        return count;
    }
};

QTEST_APPLESS_MAIN(TestTreeLogic)
#include "tst_treelogic.moc"
