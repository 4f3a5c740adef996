#include "appglobals.h"
#include "treelogic.h"

#include <QtTest>

// The tree's navigation rules: arrow keys, clicks and right-clicks, and the open folder.
class TestTreeLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void nodeTexts();
    void groupNumberFromText_data();
    void groupNumberFromText();
    void downFromGlobalsLandsOnGroupOne();
    void upFromGroupOneReturnsToGlobals();
    void clickOnGroupsShowsGroupOne();
    void clickOnGroupNode_data();
    void clickOnGroupNode();
    void rightClickPopups_data();
    void rightClickPopups();
    void pressOnEmptySpaceChangesNothing();
    void oneOpenFolderAtATime();
    void popupCaptions();

private:
    TreeNavState m_tree;
    int openFolders() const;
};

void TestTreeLogic::init()
{
    ResetAppGlobals();
    m_tree = TreeNavState();
    ResetTreeImages(m_tree);
}

int TestTreeLogic::openFolders() const
{
    int count = 0;
    for (int node = 1; node <= TreeNodeCount; ++node)
        count += m_tree.images[node] == TreeImage::FolderOpen;
    return count;
}

void TestTreeLogic::nodeTexts()
{
    QCOMPARE(TreeNodeText(1), std::string("Radio"));
    QCOMPARE(TreeNodeText(2), std::string("Global Settings"));
    QCOMPARE(TreeNodeText(3), std::string("Groups"));
    QCOMPARE(TreeNodeText(4), std::string("Group 1 Channels"));
    QCOMPARE(TreeNodeText(28), std::string("Group 25 Channels"));
    QCOMPARE(m_tree.images[1], TreeImage::Radio);
    QCOMPARE(m_tree.images[2], TreeImage::Globe);
    QCOMPARE(m_tree.images[3], TreeImage::Groups);
    QCOMPARE(m_tree.images[28], TreeImage::FolderClosed);
}

void TestTreeLogic::groupNumberFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("group 7") << "Group 7 Channels" << 7;
    QTest::newRow("group 25") << "Group 25 Channels" << 25;
    QTest::newRow("group 1") << "Group 1 Channels" << 1;
    QTest::newRow("no number") << "Groups" << 0;
    QTest::newRow("out of range") << "Group 26 Channels" << 0;
    QTest::newRow("not a number") << "Group x Channels" << 0;
}

void TestTreeLogic::groupNumberFromText()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(GroupNumberFromNodeText(text.toStdString()), number);
}

void TestTreeLogic::downFromGlobalsLandsOnGroupOne()
{
    g_sPaneView = "Globals";
    m_tree.selectedNode = GroupsNode; // the arrow moved the selection onto "Groups"
    const TreeAction action = TreeKeyUp(m_tree);
    QVERIFY(action.showPane);
    QCOMPARE(g_sPaneView, std::string("Channels"));
    QCOMPARE(g_iCurGroup, 0);
    QCOMPARE(m_tree.selectedNode, 4);
    QCOMPARE(m_tree.images[4], TreeImage::FolderOpen);
    QCOMPARE(g_iLastNode, 4);
}

void TestTreeLogic::upFromGroupOneReturnsToGlobals()
{
    g_sPaneView = "Globals";
    m_tree.selectedNode = GroupsNode;
    TreeKeyUp(m_tree);                // down onto Group 1
    m_tree.selectedNode = GroupsNode; // then up onto "Groups"
    const TreeAction action = TreeKeyUp(m_tree);
    QVERIFY(action.showPane);
    QCOMPARE(g_sPaneView, std::string("Globals"));
    QCOMPARE(m_tree.selectedNode, GlobalsNode);
    // Group 1 is no longer shown, so its folder is closed again.
    QCOMPARE(m_tree.images[4], TreeImage::FolderClosed);
    QCOMPARE(openFolders(), 0);
}

void TestTreeLogic::clickOnGroupsShowsGroupOne()
{
    // Even coming from a group view, a click on "Groups" shows Group 1.
    g_sPaneView = "Channels";
    g_iCurGroup = 9;
    g_iLastNode = 13;
    m_tree.images[13] = TreeImage::FolderOpen;
    TreeAction action = TreeMouseDown(m_tree, "Groups", false);
    QVERIFY(action.showPane);
    QCOMPARE(action.popup, TreePopup::None);
    QCOMPARE(m_tree.selectedNode, 4);
    action = TreeKeyUp(m_tree); // the node click that follows
    QCOMPARE(g_sPaneView, std::string("Channels"));
    QCOMPARE(g_iCurGroup, 0);
    QCOMPARE(m_tree.images[4], TreeImage::FolderOpen);
    QCOMPARE(m_tree.images[13], TreeImage::FolderClosed);
    QVERIFY(!m_tree.mouseSelect);
}

void TestTreeLogic::clickOnGroupNode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("view");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("node");
    QTest::newRow("radio") << "Radio"
                           << "Globals" << 5 << 1;
    QTest::newRow("globals") << "Global Settings"
                             << "Globals" << 5 << 2;
    QTest::newRow("group 7") << "Group 7 Channels"
                             << "Channels" << 6 << 10;
    QTest::newRow("group 25") << "Group 25 Channels"
                              << "Channels" << 24 << 28;
}

void TestTreeLogic::clickOnGroupNode()
{
    QFETCH(QString, text);
    QFETCH(QString, view);
    QFETCH(int, group);
    QFETCH(int, node);
    g_sPaneView = "Channels";
    g_iCurGroup = 5;
    g_iLastNode = 9;
    m_tree.images[9] = TreeImage::FolderOpen;
    const TreeAction action = TreeMouseDown(m_tree, text.toStdString(), false);
    QVERIFY(action.showPane);
    QCOMPARE(QString::fromStdString(g_sPaneView), view);
    QCOMPARE(g_iCurGroup, group);
    QCOMPARE(m_tree.selectedNode, node);
    QCOMPARE(g_iLastNode, node);
    QCOMPARE(m_tree.images[9], node == 9 ? TreeImage::FolderOpen : TreeImage::FolderClosed);
    QCOMPARE(openFolders(), node >= 4 ? 1 : 0);
}

void TestTreeLogic::rightClickPopups_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("popup");
    QTest::newRow("radio") << "Radio" << int(TreePopup::Radio);
    QTest::newRow("globals") << "Global Settings" << int(TreePopup::Globals);
    QTest::newRow("groups: none") << "Groups" << int(TreePopup::None);
    QTest::newRow("group 12") << "Group 12 Channels" << int(TreePopup::Group);
}

void TestTreeLogic::rightClickPopups()
{
    QFETCH(QString, text);
    QFETCH(int, popup);
    const TreeAction action = TreeMouseDown(m_tree, text.toStdString(), true);
    QCOMPARE(int(action.popup), popup);
    if (action.popup == TreePopup::Group) {
        QCOMPARE(g_iCurGroup, 11);
        QCOMPARE(m_tree.images[15], TreeImage::FolderOpen);
    }
}

void TestTreeLogic::pressOnEmptySpaceChangesNothing()
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
    // A later arrow key up onto "Groups" still goes back to the global settings.
    m_tree.selectedNode = GroupsNode;
    TreeKeyUp(m_tree);
    QCOMPARE(g_sPaneView, std::string("Globals"));
}

void TestTreeLogic::oneOpenFolderAtATime()
{
    // Down the whole tree with the arrow key, then back up to the top.
    for (int node = 2; node <= TreeNodeCount; ++node) {
        m_tree.selectedNode = node;
        TreeKeyUp(m_tree);
        if (node >= GroupsNode) {
            QCOMPARE(openFolders(), 1);
            QCOMPARE(m_tree.images[GroupNode(g_iCurGroup)], TreeImage::FolderOpen);
        }
        node = m_tree.selectedNode; // "Groups" moved on to Group 1
    }
    QCOMPARE(g_iCurGroup, 24);
    for (int node = TreeNodeCount - 1; node >= FirstGroupNode; --node) {
        m_tree.selectedNode = node;
        TreeKeyUp(m_tree);
        QCOMPARE(openFolders(), 1);
        QCOMPARE(g_iCurGroup, node - FirstGroupNode);
    }
    m_tree.selectedNode = GroupsNode;
    TreeKeyUp(m_tree);
    QCOMPARE(m_tree.selectedNode, GlobalsNode);
    QCOMPARE(openFolders(), 0);
}

void TestTreeLogic::popupCaptions()
{
    QCOMPARE(PopupReadGroupCaption(12),
             std::string("Read Group 12 Channel Data and Settings from Radio"));
    QCOMPARE(PopupWriteGroupCaption(3),
             std::string("Write Group 3 Channel Data and Settings to Radio"));
}

QTEST_APPLESS_MAIN(TestTreeLogic)
#include "tst_treelogic.moc"
