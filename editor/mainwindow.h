#pragma once

#include "treelogic.h"
#include "windowlayout.h"
#include "windowservices.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class ChanGridPane;
class EditHistory;
class OptionsMenu;
class PaneStack;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QTimer;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;
class TabStrip;
class HelpWindow;

// The editor's main window: menus, toolbar, tree, tab strip with its panes, and status bar.
// The navigation and size rules live in treelogic and windowlayout; this class wires them.
// While it exists it is the window the logic talks to.
class MainWindow : public QMainWindow, public WindowServices
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The load sequence: geometry, port and rate, caption, show, first pane.
    void LoadWindow();

    // What the logic asks of the window.
    std::string caption() override;
    void setCaption(const std::string &text) override;
    void showStatus(const std::string &text) override;
    void showProgress(bool show) override;
    void showProgressText(bool show, const std::string &device) override;
    void setProgress(int iVal, int iMax) override;
    void enableControls(bool enable) override;
    void rebuildTree() override;
    void refreshPane() override;
    void optionsMenuChanged() override;

    void SetupTabs();
    void ShowThisFrame(QWidget *fraThisFrame);
    void PositionPane(QWidget *pane);
    // Stores what is being typed in the visible pane, as leaving the field would.
    void CommitPendingEdits();
    // An open command from the menu or toolbar: it also reselects the node shown last.
    void runFileMenuCommand(const std::function<void()> &command);

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
    // For the tools that drive the window (benchmarks, screenshots).
    QTreeWidget *treeView() const { return m_treeView; }
    QTabBar *tabBar() const;
    ChanGridPane *gridPane() const { return m_fraGrid; }
    std::string statusText() const;
    // The splitter's place as shown (the requested place clamped to the window).
    int splitPosition() const;
    bool isSplitMoving() const { return m_bSplitMoving; }
    int dragBarLeft() const { return m_dragLeft; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The menus, pop-ups and toolbar, from the command table.
    void createCommands();
    void createStatusBar();
    void createClient();

    void treeKeyUp();
    void treeMouseDown(const QPoint &pos, Qt::MouseButton button, const QPoint &globalPos);
    void applyTreeImages();
    void tabClick(int index);
    void windowResized();
    void splitterMouse(QEvent *event);
    void updateClock();
    void openHelp();

    int clientWidthTwips() const;
    int clientHeightTwips() const;
    int stripWidthTwips() const;
    int stripHeightTwips() const;
    void setOuterGeometry(int left, int top, int width, int height);

    // The top-level menus and toolbar buttons that follow enableControls.
    std::vector<QAction *> m_withControls;
    QMenu *m_mnuEdit = nullptr;
    OptionsMenu *m_mnuOptions = nullptr;
    QMenu *m_mnuReadWriteRadio = nullptr;
    QMenu *m_mnuReadWriteGlobals = nullptr;
    QMenu *m_mnuReadWriteGroup = nullptr;
    QAction *m_mnuPopupReadGroup = nullptr;
    QAction *m_mnuPopupWriteGroup = nullptr;

    QWidget *m_client = nullptr;
    QTreeWidget *m_treeView = nullptr;
    QWidget *m_imgSplit = nullptr;
    QFrame *m_picSplit = nullptr;
    TabStrip *m_tab1 = nullptr;
    std::unique_ptr<PaneStack> m_panes;
    ChanGridPane *m_fraGrid = nullptr; // m_panes->grid(), often needed

    QLabel *m_sbpStatus = nullptr;
    QWidget *m_sbpProg = nullptr;
    QProgressBar *m_pbar = nullptr;
    // A value change paints at most this often; the waiting loops' event pumping delivers it.
    static constexpr int ProgressPaintMs = 20;
    QTimer *m_pbarPaint = nullptr;
    int m_pbarPending = 0;
    QTimer *m_clockTick = nullptr;
    QLabel *m_sbpTime = nullptr;

    HelpWindow *m_help = nullptr;
    EditHistory *m_history = nullptr;

    TreeNavState m_tree;
    bool m_bInitialFormLoad = false;
    bool m_bSplitMoving = false;
    bool m_bResizing = false;
    int m_splitLeft = DefaultSplitLeft; // picSplit left, twips
    int m_dragLeft = DefaultSplitLeft;  // the bar's place while dragging, twips
};
