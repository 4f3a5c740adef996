// The main window's tree, tab strip and right pane.

#include "mainwindow.h"

#include "appglobals.h"
#include "changridpane.h"
#include "panecontrols.h"
#include "panestack.h"
#include "tabstrip.h"
#include "textmeasure.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

static QIcon treeIcon(TreeImage image)
{
    static const QIcon icons[] = {
        QIcon(QStringLiteral(":/icons/picRadio.png")),
        QIcon(QStringLiteral(":/icons/picGlobe.png")),
        QIcon(QStringLiteral(":/icons/picGroups.png")),
        QIcon(QStringLiteral(":/icons/picFolderClosed.png")),
        QIcon(QStringLiteral(":/icons/picFolderOpen.png")),
    };
    return icons[static_cast<int>(image)];
}

static int nodeOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

void MainWindow::rebuildTree()
{
    m_treeView->clear();
    ResetTreeImages(m_tree);
    QFont bold = m_treeView->font();
    bold.setBold(true);
    QTreeWidgetItem *parents[TreeNodeCount + 1] = {};
    for (int node = 1; node <= TreeNodeCount; ++node) {
        const int parentNode = node == RadioNode ? 0 : node <= GroupsNode ? RadioNode : GroupsNode;
        auto *item =
            parentNode ? new QTreeWidgetItem(parents[parentNode]) : new QTreeWidgetItem(m_treeView);
        item->setText(0, QString::fromStdString(TreeNodeText(node)));
        item->setData(0, Qt::UserRole, node);
        item->setIcon(0, treeIcon(m_tree.images[node]));
        if (node <= GroupsNode)
            item->setFont(0, bold);
        parents[node] = item;
    }
    for (int node = RadioNode; node <= GroupsNode; ++node)
        parents[node]->setExpanded(true);
    m_treeView->update();
}

QTreeWidgetItem *MainWindow::treeItem(int node) const
{
    if (node < 1 || node > TreeNodeCount || m_treeView->topLevelItemCount() == 0)
        return nullptr;
    QTreeWidgetItem *radio = m_treeView->topLevelItem(0);
    if (node == RadioNode)
        return radio;
    if (node <= GroupsNode)
        return radio->child(node - GlobalsNode);
    return radio->child(GroupsNode - GlobalsNode)->child(node - FirstGroupNode);
}

void MainWindow::SelectTreeNode(int node)
{
    if (QTreeWidgetItem *item = treeItem(node)) {
        m_tree.selectedNode = node;
        m_treeView->setCurrentItem(item);
        m_treeView->scrollToItem(item);
    }
}

void MainWindow::applyTreeImages()
{
    for (int node = 1; node <= TreeNodeCount; ++node) {
        QTreeWidgetItem *item = treeItem(node);
        if (item &&
            item->data(0, Qt::UserRole + 1).toInt() != static_cast<int>(m_tree.images[node]) + 1) {
            item->setIcon(0, treeIcon(m_tree.images[node]));
            item->setData(0, Qt::UserRole + 1, static_cast<int>(m_tree.images[node]) + 1);
        }
    }
}

void MainWindow::treeKeyUp()
{
    m_tree.selectedNode = nodeOf(m_treeView->currentItem());
    const int before = m_tree.selectedNode;
    const TreeAction action = TreeKeyUp(m_tree);
    if (m_tree.selectedNode != before)
        SelectTreeNode(m_tree.selectedNode);
    applyTreeImages();
    if (action.showPane)
        refreshPane();
}

void MainWindow::treeMouseDown(const QPoint &pos, Qt::MouseButton button, const QPoint &globalPos)
{
    // Leaving the visible pane for the tree commits what was being typed there.
    if (m_fraGrid->isVisible())
        m_fraGrid->CommitPendingEdit();
    const QTreeWidgetItem *item = m_treeView->itemAt(pos);
    const std::string text = item ? item->text(0).toStdString() : std::string();
    const TreeAction action = TreeMouseDown(m_tree, text, button == Qt::RightButton);
    if (!action.showPane)
        return;
    SelectTreeNode(m_tree.selectedNode);
    refreshPane();
    applyTreeImages();
    const std::string view = g_sPaneView;
    const int group = g_iCurGroup;
    switch (action.popup) {
    case TreePopup::Radio:
        m_mnuReadWriteRadio->exec(globalPos);
        break;
    case TreePopup::Globals:
        m_mnuReadWriteGlobals->exec(globalPos);
        break;
    case TreePopup::Group:
        m_mnuPopupReadGroup->setText(
            QString::fromStdString(PopupReadGroupCaption(g_iCurGroup + 1)));
        m_mnuPopupWriteGroup->setText(
            QString::fromStdString(PopupWriteGroupCaption(g_iCurGroup + 1)));
        m_mnuReadWriteGroup->exec(globalPos);
        break;
    case TreePopup::None:
        break;
    }
    // The node click that follows a press; the pane is shown again only if it changed.
    const TreeAction click = TreeKeyUp(m_tree);
    SelectTreeNode(m_tree.selectedNode);
    applyTreeImages();
    if (click.showPane && (view != g_sPaneView || group != g_iCurGroup))
        refreshPane();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_treeView->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                              event->type() == QEvent::MouseButtonDblClick)) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint pos = mouse->position().toPoint();
        m_treeView->setFocus(Qt::MouseFocusReason);
        treeMouseDown(pos, mouse->button(), mouse->globalPosition().toPoint());
        // The rules above chose the node; the view must not select another one, nor clear the
        // selection for a press on empty space.
        return true;
    }
    if (watched == m_treeView && event->type() == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat())
            treeKeyUp();
        return false;
    }
    if (watched == m_imgSplit) {
        splitterMouse(event);
        return false;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::SetupTabs()
{
    const bool globals = g_sPaneView != "Channels";
    m_tab1->setSettingsTabs(globals);
    if (globals) {
        const int width = FixedTabWidth(stripWidthTwips(), m_tab1->tabCount());
        m_tab1->setFixedTabWidth(TwipsToPixels(width, ScreenDpi()));
    }
}

QWidget *MainWindow::visiblePane() const
{
    return m_panes->visible();
}

void MainWindow::refreshPane()
{
    SetupTabs();
    if (g_sPaneView == "Channels") {
        const QString title = QStringLiteral("Group %1 Channels").arg(g_iCurGroup + 1);
        m_fraGrid->setTitle(title);
        m_fraGrid->setAccessibleName(title);
        ShowThisFrame(m_fraGrid);
        showStatus("Displaying Group " + std::to_string(g_iCurGroup + 1) + " Channel Data");
        return;
    }
    if (m_tab1->selectedTab() != g_iLastTab)
        m_tab1->selectTab(g_iLastTab);
    m_fraGrid->HideCellEditor();
    if (QWidget *pane = m_panes->settingsPane(m_tab1->selectedTab()))
        ShowThisFrame(pane);
}

void MainWindow::ShowThisFrame(QWidget *fraThisFrame)
{
    m_panes->hideAllBut(fraThisFrame);
    PositionPane(fraThisFrame);
    m_panes->setup(fraThisFrame);
    if (fraThisFrame == m_fraGrid)
        ResizeChanGrid(); // refills the grid
    else
        m_panes->load(fraThisFrame);
    fraThisFrame->show();
}

void MainWindow::PositionPane(QWidget *pane)
{
    // The settings panes sit below the row of tabs, however tall the style draws it.
    const int tabRow = PixelsToTwips(m_tab1->tabRowHeight(), ScreenDpi());
    const PaneRect r = PositionPaneRect(pane == m_fraGrid, stripWidthTwips(), stripHeightTwips(),
                                        std::max(360, tabRow + 60));
    PlaceTwips(pane, r.left, r.top, r.width, r.height);
}

void MainWindow::ResizeChanGrid()
{
    m_fraGrid->ResizeChanGrid(stripWidthTwips(), stripHeightTwips());
}

void MainWindow::tabClick(int index)
{
    m_tab1->setEnabled(false);
    if (m_fraGrid->isVisible())
        m_fraGrid->CommitPendingEdit();
    SelectTreeNode(GlobalsNode);
    m_treeView->update();
    if (g_sPaneView != "Channels")
        g_iLastTab = index;
    refreshPane();
    m_tab1->setEnabled(true);
}
