#include "treelogic.h"

#include "appglobals.h"
#include "memmap.h"

static_assert(TreeNodeCount == GroupsNode + NumGroups, "one tree node per group");

static const std::string GlobalsView = "Globals";
static const std::string ChannelsView = "Channels";

std::string TreeNodeText(int node)
{
    switch (node) {
    case RadioNode:
        return "Radio";
    case GlobalsNode:
        return "Global Settings";
    case GroupsNode:
        return "Groups";
    default:
        return "Group " + std::to_string(node - GroupsNode) + " Channels";
    }
}

void ResetTreeImages(TreeNavState &tree)
{
    tree.images.fill(TreeImage::FolderClosed);
    tree.images[RadioNode] = TreeImage::Radio;
    tree.images[GlobalsNode] = TreeImage::Globe;
    tree.images[GroupsNode] = TreeImage::Groups;
}

int GroupNumberFromNodeText(const std::string &text)
{
    const std::size_t first = text.find(' ');
    if (first == std::string::npos)
        return 0;
    const std::size_t next = text.find(' ', first + 1);
    const std::string number =
        text.substr(first + 1, next == std::string::npos ? std::string::npos : next - first - 1);
    if (number.empty() || number.size() > 3 ||
        number.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const int n = std::stoi(number);
    return n >= 1 && n <= NumGroups ? n : 0;
}

static bool isGroupNode(int node)
{
    return node >= FirstGroupNode && node <= TreeNodeCount;
}

static void closeLastFolder(TreeNavState &tree)
{
    if (isGroupNode(g_iLastNode))
        tree.images[g_iLastNode] = TreeImage::FolderClosed;
}

// Moves the open folder to the given group node.
static void openFolder(TreeNavState &tree, int node)
{
    if (g_iLastNode != node) {
        closeLastFolder(tree);
        g_iLastNode = node;
    }
    tree.images[g_iLastNode] = TreeImage::FolderOpen;
}

static void showGroup(int group)
{
    g_sPaneView = ChannelsView;
    g_iCurGroup = group;
}

TreeAction TreeKeyUp(TreeNavState &tree)
{
    const int i = tree.selectedNode;
    TreeAction action;
    if (i == RadioNode || i == GlobalsNode) {
        g_sPaneView = GlobalsView;
        action.showPane = true;
    } else if (i == GroupsNode) {
        if (tree.mouseSelect) {
            showGroup(0);
        } else if (g_sPaneView == ChannelsView) {
            // Arrow up out of Group 1: straight back to the global settings.
            g_sPaneView = GlobalsView;
            tree.selectedNode = GlobalsNode;
            closeLastFolder(tree);
            g_iLastNode = GlobalsNode;
            action.showPane = true;
            return action;
        } else {
            // Arrow down from Global Settings: straight on to Group 1.
            showGroup(0);
        }
        action.showPane = true;
    } else if (isGroupNode(i)) {
        showGroup(i - FirstGroupNode);
        action.showPane = true;
    }
    tree.mouseSelect = false;

    if (isGroupNode(i)) {
        openFolder(tree, i);
    } else if (i == GroupsNode) {
        tree.selectedNode = FirstGroupNode;
        openFolder(tree, FirstGroupNode);
    } else if (i == GlobalsNode) {
        tree.images[FirstGroupNode] = TreeImage::FolderClosed;
        closeLastFolder(tree);
        g_iLastNode = GlobalsNode;
    }
    return action;
}

TreeAction TreeMouseDown(TreeNavState &tree, const std::string &nodeText, bool rightButton)
{
    TreeAction action;
    int node = 0;
    if (nodeText.find("Radio") != std::string::npos) {
        node = RadioNode;
        g_sPaneView = GlobalsView;
    } else if (nodeText.find("Global ") != std::string::npos) {
        node = GlobalsNode;
        g_sPaneView = GlobalsView;
    } else if (nodeText.find("Groups") != std::string::npos) {
        showGroup(0);
        node = FirstGroupNode;
    } else if (nodeText.find("Group ") != std::string::npos) {
        const int n = GroupNumberFromNodeText(nodeText);
        if (n > 0) {
            showGroup(n - 1);
            node = GroupNode(n - 1);
        }
    }
    if (node == 0) {
        // Nothing under the pointer: a later arrow key must not be taken for a click.
        tree.mouseSelect = false;
        return action;
    }
    tree.mouseSelect = true;
    tree.selectedNode = node;
    action.showPane = true;

    if (rightButton && nodeText.find("Groups") == std::string::npos) {
        if (node == RadioNode || node == GlobalsNode) {
            closeLastFolder(tree);
            action.popup = node == RadioNode ? TreePopup::Radio : TreePopup::Globals;
        } else {
            openFolder(tree, node);
            action.popup = TreePopup::Group;
        }
    }

    if (g_iLastNode != node) {
        closeLastFolder(tree);
        g_iLastNode = node;
    }
    if (isGroupNode(g_iLastNode))
        tree.images[g_iLastNode] = TreeImage::FolderOpen;
    return action;
}

std::string PopupReadGroupCaption(int groupNumber)
{
    return "Read Group " + std::to_string(groupNumber) + " Channel Data and Settings from Radio";
}

std::string PopupWriteGroupCaption(int groupNumber)
{
    return "Write Group " + std::to_string(groupNumber) + " Channel Data and Settings to Radio";
}
