#pragma once

#include "exitconfirm.h"
#include "treelogic.h"
#include "windowlayout.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>

class ChanGridPane;
class CmdGroupPane;
class Globals1Pane;
class Globals2Pane;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class TabStrip;
class UcgPickListPane;
class HelpWindow;

// The editor's main window: menus, toolbar, tree, tab strip with its panes, and status bar.
// The navigation and size rules live in treelogic and windowlayout; this class wires them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The load sequence: geometry, port and rate, caption, show, first pane.
    void LoadWindow();

    void BuildTree();
    void SetupTabs();
    void SetRightPaneView();
    void ShowThisFrame(QWidget *fraThisFrame);
    void PositionPane(QWidget *pane);
    void EnableMainControls(bool bEnable);
    void StatusMsg(const std::string &sMsg);
    void SetProgress(int iVal, int iMax);
    void ShowProgressBar(bool show);
    // Shows or hides the progress bar's text, which names the device of the transfer.
    void ShowProgressText(bool show, const std::string &device = {});
    void MarkDataChanged();
    // Stores what is being typed in the visible pane, as leaving the field would.
    void CommitPendingEdits();

    void SetupForm();
    void SizeControls(int x);
    void ResizeChanGrid();
    // The window's size and place in twips, as the settings keep them.
    WindowGeometry CurrentGeometry() const;

    // Selects a tree node (1-based) without running the navigation rules.
    void SelectTreeNode(int node);
    int SelectedTreeNode() const { return m_tree.selectedNode; }
    const TreeNavState &treeState() const { return m_tree; }
    QTreeWidgetItem *treeItem(int node) const;
    QWidget *visiblePane() const;
    // The four settings panes in tab order.
    std::array<QWidget *, 4> settingsPanes() const;
    // Runs the pane's layout routine.
    void setupPane(QWidget *pane);
    // The splitter's place as shown (the requested place clamped to the window).
    int splitPosition() const;
    bool isSplitMoving() const { return m_bSplitMoving; }
    int dragBarLeft() const { return m_dragLeft; }

    // How a tree pop-up menu is shown; tests replace it to see which menu would pop up.
    std::function<void(QMenu *, const QPoint &)> showPopup;
    // Asks before the program ends (tests script it); the exit dialog by default.
    std::function<ExitChoice(bool unsaved)> askExit;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createClient();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption,
                     const std::function<void()> &handler, const QKeySequence &shortcut = {});
    void runFileMenuCommand(const std::function<void()> &command);

    void treeKeyUp();
    void treeMouseDown(const QPoint &pos, Qt::MouseButton button, const QPoint &globalPos);
    void applyTreeImages();
    void tabClick(int index);
    void windowResized();
    void splitterMouse(QEvent *event);
    void updateClock();
    void openHelp();
    void showAbout();

    int clientWidthTwips() const;
    int clientHeightTwips() const;
    int stripWidthTwips() const;
    int stripHeightTwips() const;
    void setOuterGeometry(int left, int top, int width, int height);

    QMenu *m_mnuFile = nullptr;
    QMenu *m_mnuRead = nullptr;
    QMenu *m_mnuWrite = nullptr;
    QMenu *m_mnuEdit = nullptr;
    QMenu *m_mnuOptions = nullptr;
    QAction *m_mnuTune = nullptr;
    QMenu *m_mnuHelp = nullptr;
    QMenu *m_mnuReadWriteRadio = nullptr;
    QMenu *m_mnuReadWriteGlobals = nullptr;
    QMenu *m_mnuReadWriteGroup = nullptr;
    QAction *m_mnuPopupReadGroup = nullptr;
    QAction *m_mnuPopupWriteGroup = nullptr;
    QToolBar *m_tbar = nullptr;

    QWidget *m_client = nullptr;
    QTreeWidget *m_treeView = nullptr;
    QWidget *m_imgSplit = nullptr;
    QFrame *m_picSplit = nullptr;
    TabStrip *m_tab1 = nullptr;
    Globals1Pane *m_fraGlobalSettings1 = nullptr;
    Globals2Pane *m_fraGlobalSettings2 = nullptr;
    CmdGroupPane *m_fraCmdGrp = nullptr;
    UcgPickListPane *m_fraUCGPickList = nullptr;
    ChanGridPane *m_fraGrid = nullptr;

    QLabel *m_sbpStatus = nullptr;
    QWidget *m_sbpProg = nullptr;
    QProgressBar *m_pbar = nullptr;
    QLabel *m_sbpTime = nullptr;

    HelpWindow *m_help = nullptr;

    TreeNavState m_tree;
    bool m_bInitialFormLoad = false;
    bool m_bSplitMoving = false;
    bool m_bResizing = false;
    int m_splitLeft = DefaultSplitLeft; // picSplit left, twips
    int m_dragLeft = DefaultSplitLeft;  // the bar's place while dragging, twips
};

// The one main window, or nullptr before it exists.
MainWindow *TheMainWindow();

// The window routines other modules call (the radio commands, the file commands).
void BuildTree();
void SetRightPaneView();
void EnableMainControls(bool bEnable);
void StatusMsg(const std::string &sMsg);
void SetProgress(int iVal, int iMax);
void ShowProgressBar(bool show);
void ShowProgressText(bool show, const std::string &device = {});
void MarkDataChanged();
