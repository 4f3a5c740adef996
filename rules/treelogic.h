#pragma once

// The navigation rules of the tree: which view a key or a mouse press leads to and which
// group node shows the open folder. Plain C++ so the edge cases are testable without widgets.

#include <array>
#include <string>

constexpr int TreeNodeCount = 28; // "Radio", "Global Settings", "Groups" and 25 group nodes
constexpr int RadioNode = 1;
constexpr int GlobalsNode = 2;
constexpr int GroupsNode = 3;
constexpr int FirstGroupNode = 4;

enum class TreeImage { Radio, Globe, Groups, FolderClosed, FolderOpen };

// The tree as the rules see it: 1-based node indices, index 0 unused.
struct TreeNavState {
    std::array<TreeImage, TreeNodeCount + 1> images{};
    int selectedNode = GlobalsNode;
    bool mouseSelect = false; // m_bMouseSelect
};

enum class TreePopup { None, Radio, Globals, Group };

// What the window has to do after a rule ran.
struct TreeAction {
    bool showPane = false; // run SetRightPaneView
    TreePopup popup = TreePopup::None;
};

// The text of node i ("Radio", "Global Settings", "Groups", "Group n Channels").
std::string TreeNodeText(int node);

// The images BuildTree gives the nodes.
void ResetTreeImages(TreeNavState &tree);

// Node of a 0-based group, and the group of a group node.
constexpr int GroupNode(int group)
{
    return group + FirstGroupNode;
}

// The group number n of a node text "Group n Channels"; 0 when the text holds none.
int GroupNumberFromNodeText(const std::string &text);

// The tree's key-up and node-click logic for the selected node.
TreeAction TreeKeyUp(TreeNavState &tree);

// A mouse press on the tree; nodeText is empty when no node is under the pointer.
TreeAction TreeMouseDown(TreeNavState &tree, const std::string &nodeText, bool rightButton);

// Captions of the group pop-up for a 1-based group number.
std::string PopupReadGroupCaption(int groupNumber);
std::string PopupWriteGroupCaption(int groupNumber);
