// The main window's geometry: restore and save, size limits, splitter and control placement.
// Sizes are worked out in twips; the window's outer size is what the settings keep, and the
// tree, splitter and tab strip are placed inside the area between toolbar and status bar.

#include "mainwindow.h"

#include "appglobals.h"
#include "changridpane.h"
#include "panecontrols.h"
#include "panestack.h"
#include "platform.h"
#include "tabstrip.h"
#include "textmeasure.h"

#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>

constexpr int ClientTop = 120;    // below the toolbar
constexpr int ClientBottom = 120; // above the status bar

int MainWindow::clientWidthTwips() const
{
    return PixelsToTwips(m_client->width(), ScreenDpi());
}

int MainWindow::clientHeightTwips() const
{
    return PixelsToTwips(m_client->height(), ScreenDpi());
}

int MainWindow::stripWidthTwips() const
{
    return WidgetWidthTwips(m_tab1);
}

int MainWindow::stripHeightTwips() const
{
    return WidgetHeightTwips(m_tab1);
}

void MainWindow::setOuterGeometry(int left, int top, int width, int height)
{
    const double dpi = ScreenDpi();
    // The frame's own size is known only once the window manager has framed the window.
    const QSize frame = frameGeometry().size() - geometry().size();
    move(TwipsToPixels(left, dpi), TwipsToPixels(top, dpi));
    resize(TwipsToPixelsAtLeast(width, dpi) - frame.width(),
           TwipsToPixelsAtLeast(height, dpi) - frame.height());
}

WindowGeometry MainWindow::CurrentGeometry() const
{
    const double dpi = ScreenDpi();
    WindowGeometry g;
    g.state = isMinimized()   ? WindowStateCode::Minimized
              : isMaximized() ? WindowStateCode::Maximized
                              : WindowStateCode::Normal;
    const QRect frame = frameGeometry();
    g.left = PixelsToTwips(frame.x(), dpi);
    g.top = PixelsToTwips(frame.y(), dpi);
    g.width = PixelsToTwips(frame.width(), dpi);
    g.height = PixelsToTwips(frame.height(), dpi);
    g.splitLeft = splitPosition();
    return g;
}

int MainWindow::splitPosition() const
{
    return ClampSplitter(m_splitLeft, clientWidthTwips());
}

// The splitter's first place: the usual 2450 twips, or more when this desktop's fonts need
// it to show "Group 25 Channels" whole.
static int firstSplitLeft(const QTreeWidget *tree)
{
    const int text = tree->fontMetrics().horizontalAdvance(QStringLiteral("Group 25 Channels"));
    const int scrollBar = tree->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int needed = 2 * tree->indentation() + tree->iconSize().width() + text + scrollBar +
                       2 * tree->frameWidth() + 16;
    return std::max(DefaultSplitLeft, PixelsToTwips(needed, ScreenDpi()) + SplitBarWidth);
}

void MainWindow::SetupForm()
{
    const WindowGeometry g = RestoreWindowGeometry(firstSplitLeft(m_treeView));
    if (g.state == WindowStateCode::Maximized) {
        setWindowState(Qt::WindowMaximized);
    } else {
        setWindowState(Qt::WindowNoState);
        setOuterGeometry(g.left, g.top, g.width, g.height);
    }
    m_splitLeft = g.splitLeft;
    windowResized();
    BuildTree();
    StatusMsg("Ready.....");
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    windowResized();
}

void MainWindow::windowResized()
{
    if (isMinimized() || m_bResizing)
        return;
    m_bResizing = true;
    if (!isMaximized() || m_bInitialFormLoad) {
        const WindowGeometry g = CurrentGeometry();
        const SizeCorrection fix = ApplyMinimumSize(g.width, g.height);
        if (fix.widthLimited || fix.heightLimited) {
            setOuterGeometry(g.left, g.top, fix.width, fix.height);
            if (fix.widthLimited)
                platform().dialogs->message(MinWidthMessage, SizeLimitCaption, MsgButtons::Ok,
                                            MsgIcon::Information);
            if (fix.heightLimited)
                platform().dialogs->message(MinHeightMessage, SizeLimitCaption, MsgButtons::Ok,
                                            MsgIcon::Information);
        }
        if (const QScreen *s = screen()) {
            const double dpi = ScreenDpi();
            const WindowGeometry now = CurrentGeometry();
            const WindowPosition p = KeepReachable(now.left, now.top, now.width,
                                                   PixelsToTwips(s->geometry().width(), dpi),
                                                   PixelsToTwips(s->geometry().height(), dpi));
            if (p.left != now.left || p.top != now.top)
                move(TwipsToPixels(p.left, dpi), TwipsToPixels(p.top, dpi));
        }
    }
    m_bResizing = false;

    SizeControls(m_splitLeft);
    if (m_fraGrid->isVisible()) {
        m_fraGrid->CommitPendingEdit();
        ResizeChanGrid();
    }
}

void MainWindow::SizeControls(int x)
{
    // The requested place is kept, so a window that grows again gets its splitter back.
    m_splitLeft = x;
    const SplitLayout l = ComputeSplitLayout(x, clientWidthTwips());
    const int height = std::max(0, clientHeightTwips() - ClientTop - ClientBottom);
    PlaceTwips(m_treeView, 0, ClientTop, l.treeWidth, height);
    PlaceTwips(m_imgSplit, l.handleLeft, ClientTop, SplitBarWidth, height);
    PlaceTwips(m_tab1, l.stripLeft, ClientTop, l.stripWidth, height);
    SetupTabs();

    if (QWidget *pane = visiblePane()) {
        // The grid is placed by its own sizing (ResizeChanGrid).
        if (pane != m_fraGrid)
            PositionPane(pane);
        m_panes->setup(pane);
    }
}

void MainWindow::splitterMouse(QEvent *event)
{
    const double dpi = ScreenDpi();
    const QRect handle = m_imgSplit->geometry();
    const int handleLeft = PixelsToTwips(handle.x(), dpi);
    const int top = PixelsToTwips(handle.y(), dpi);
    const int height = PixelsToTwips(handle.height(), dpi);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return;
        // A click without a move leaves the splitter where it is.
        m_dragLeft = m_splitLeft;
        PlaceTwips(m_picSplit, handleLeft, top, SplitBarWidth / 2, height - 20);
        m_picSplit->show();
        m_picSplit->raise();
        m_bSplitMoving = true;
        break;
    case QEvent::MouseMove:
        if (!m_bSplitMoving)
            return;
        {
            const int pointerX =
                PixelsToTwips(static_cast<QMouseEvent *>(event)->position().toPoint().x(), dpi);
            m_dragLeft = SplitterDragPosition(handleLeft, pointerX, clientWidthTwips());
            // Only the bar moves while dragging.
            PlaceTwips(m_picSplit, m_dragLeft, top, SplitBarWidth / 2, height - 20);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (!m_bSplitMoving)
            return;
        m_picSplit->hide();
        m_bSplitMoving = false;
        SizeControls(m_dragLeft);
        CommitPendingEdits();
        SetRightPaneView();
        break;
    default:
        break;
    }
}
