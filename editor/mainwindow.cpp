#include "mainwindow.h"

#include "appglobals.h"
#include "changridpane.h"
#include "edithistory.h"
#include "exitconfirm.h"
#include "filecommands.h"
#include "helpwindow.h"
#include "optionsmenu.h"
#include "panestack.h"
#include "platform.h"
#include "progress.h"
#include "radiocommands.h"
#include "tabstrip.h"
#include "textmeasure.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QTreeWidget>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/picRadio.png")));
    platform().window = this;
    m_history = new EditHistory([this] { CommitPendingEdits(); }, this);

    createCommands();
    createClient();
    createStatusBar();
    // The design size: a window restored maximised still has a valid normal size beneath.
    resize(TwipsToPixelsAtLeast(MinFormWidth, ScreenDpi()),
           TwipsToPixelsAtLeast(MinFormHeight, ScreenDpi()));
}

MainWindow::~MainWindow()
{
    if (platform().window == this)
        platform().window = nullptr;
    delete m_help;
}

void MainWindow::runFileMenuCommand(const std::function<void()> &command)
{
    CommitPendingEdits();
    command();
    SelectTreeNode(g_iLastNode);
    if (g_iLastNode >= FirstGroupNode && g_iLastNode <= TreeNodeCount) {
        m_tree.images[g_iLastNode] = TreeImage::FolderOpen;
        applyTreeImages();
    }
}

void MainWindow::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("SBar"));
    bar->setAccessibleName(QStringLiteral("Status"));
    bar->setSizeGripEnabled(true);
    m_sbpStatus = new QLabel(this);
    m_sbpStatus->setObjectName(QStringLiteral("sbpStatus"));
    m_sbpStatus->setFrameShape(QFrame::Panel);
    m_sbpStatus->setFrameShadow(QFrame::Sunken);
    m_sbpStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar->addWidget(m_sbpStatus, 1);

    m_sbpProg = new QFrame(this);
    m_sbpProg->setObjectName(QStringLiteral("sbpProg"));
    m_sbpProg->setAccessibleName(QStringLiteral("Progress"));
    static_cast<QFrame *>(m_sbpProg)->setFrameShape(QFrame::Panel);
    static_cast<QFrame *>(m_sbpProg)->setFrameShadow(QFrame::Sunken);
    m_sbpProg->setFixedWidth(TwipsToPixels(3000, ScreenDpi()));
    m_pbar = new QProgressBar(m_sbpProg);
    m_pbar->setObjectName(QStringLiteral("PBar"));
    m_pbar->setAccessibleName(QStringLiteral("Progress"));
    m_pbar->setRange(0, 100);
    m_pbar->setTextVisible(false);
    m_pbar->hide();
    m_pbarPaint = new QTimer(this);
    m_pbarPaint->setSingleShot(true);
    m_pbarPaint->setInterval(ProgressPaintMs);
    connect(m_pbarPaint, &QTimer::timeout, this, [this] { m_pbar->setValue(m_pbarPending); });
    bar->addPermanentWidget(m_sbpProg);

    m_sbpTime = new QLabel(this);
    m_sbpTime->setObjectName(QStringLiteral("sbpTime"));
    m_sbpTime->setAccessibleDescription(QStringLiteral("Time"));
    m_sbpTime->setFrameShape(QFrame::Panel);
    m_sbpTime->setFrameShadow(QFrame::Sunken);
    m_sbpTime->setAlignment(Qt::AlignCenter);
    m_sbpTime->setMinimumWidth(TwipsToPixels(1200, ScreenDpi()));
    bar->addPermanentWidget(m_sbpTime);
    m_clockTick = new QTimer(this);
    m_clockTick->setSingleShot(true);
    m_clockTick->setTimerType(Qt::PreciseTimer);
    connect(m_clockTick, &QTimer::timeout, this, &MainWindow::updateClock);
    updateClock();
}

void MainWindow::createClient()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("frmClient"));
    setCentralWidget(m_client);

    m_treeView = new QTreeWidget(m_client);
    m_treeView->setObjectName(QStringLiteral("TreeView"));
    m_treeView->setAccessibleName(QStringLiteral("Radio data"));
    m_treeView->setHeaderHidden(true);
    m_treeView->setColumnCount(1);
    // Every node is always shown, so the tree needs no expand markers and little indent.
    m_treeView->setRootIsDecorated(false);
    m_treeView->setItemsExpandable(false);
    m_treeView->setIndentation(12);
    m_treeView->setFont(GridFont());
    m_treeView->setIconSize(QSize(16, 16));
    m_treeView->installEventFilter(this);
    m_treeView->viewport()->installEventFilter(this);

    m_imgSplit = new QWidget(m_client);
    m_imgSplit->setObjectName(QStringLiteral("imgSplit"));
    m_imgSplit->setCursor(Qt::SplitHCursor);
    m_imgSplit->installEventFilter(this);

    m_tab1 = new TabStrip(m_client);
    connect(m_tab1, &TabStrip::tabClicked, this, &MainWindow::tabClick);
    m_panes = std::make_unique<PaneStack>(m_tab1);
    m_fraGrid = m_panes->grid();
    m_fraGrid->setNeighbours(m_treeView, m_tab1->tabBar(), m_mnuEdit);

    // The bar that shows where the splitter goes while it is dragged.
    m_picSplit = new QFrame(m_client);
    m_picSplit->setObjectName(QStringLiteral("picSplit"));
    m_picSplit->setAutoFillBackground(true);
    QPalette palette = m_picSplit->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Dark));
    m_picSplit->setPalette(palette);
    m_picSplit->hide();
}

void MainWindow::updateClock()
{
    const QTime now = QTime::currentTime();
    const QString format = QLocale().timeFormat(QLocale::ShortFormat);
    m_sbpTime->setText(QLocale().toString(now, format));
    // Wake when the text can next change: at the next second only if the format shows seconds.
    const bool seconds = format.contains(QLatin1Char('s'));
    const int toNext = seconds ? 1000 - now.msec() : (60 - now.second()) * 1000 - now.msec();
    m_clockTick->start(toNext + 5);
}

void MainWindow::LoadWindow()
{
    m_bInitialFormLoad = true;
    SetupForm();
    m_mnuOptions->Restore();
    SetCaption(false);
    if (windowState() & Qt::WindowMaximized) {
        showMaximized();
    } else {
        show();
        // The frame is known once the window is shown: give the stored outer size again.
        const WindowGeometry g = RestoreWindowGeometry();
        if (g.state == WindowStateCode::Normal)
            setOuterGeometry(g.left, g.top, g.width, g.height);
    }
    SelectTreeNode(g_iLastNode);
    m_tree.mouseSelect = false;
    refreshPane();
    m_bInitialFormLoad = false;
}

QTabBar *MainWindow::tabBar() const
{
    return m_tab1->tabBar();
}

std::string MainWindow::statusText() const
{
    return m_sbpStatus->text().toStdString();
}

std::string MainWindow::caption()
{
    return windowTitle().toStdString();
}

void MainWindow::setCaption(const std::string &text)
{
    setWindowTitle(QString::fromStdString(text));
    // Every edit, load and save passes here; the history takes its step from it.
    m_history->schedule();
}

void MainWindow::optionsMenuChanged()
{
    // The link changes the choice too (a hook may step the rate down); the menu follows.
    if (m_mnuOptions)
        m_mnuOptions->Sync();
}

void MainWindow::enableControls(bool bEnable)
{
    for (QAction *action : m_withControls)
        action->setEnabled(bEnable);
    m_treeView->setEnabled(bEnable);
    m_tab1->tabBar()->setEnabled(bEnable);
    m_panes->enableVisible(bEnable);
    m_history->setHeld(!bEnable);
}

void MainWindow::showStatus(const std::string &sMsg)
{
    m_sbpStatus->setText(QString::fromStdString(sMsg));
}

void MainWindow::setProgress(int iVal, int iMax)
{
    if (!m_pbar->isVisible())
        return;
    // QProgressBar repaints at once on a visible change; a transfer steps it hundreds of times.
    if (const auto percent = ProgressPercent(iVal, iMax)) {
        m_pbarPending = *percent;
        if (!m_pbarPaint->isActive())
            m_pbarPaint->start();
    }
}

void MainWindow::showProgress(bool show)
{
    if (show) {
        // Inset in the second panel of the status bar.
        const double dpi = ScreenDpi();
        const int inset = TwipsToPixels(45, dpi);
        const int shrink = TwipsToPixels(60, dpi);
        m_pbar->setGeometry(inset, inset, m_sbpProg->width() - shrink,
                            m_sbpProg->height() - shrink);
        m_pbar->setRange(0, 100);
        m_pbar->setValue(0);
    }
    m_pbarPaint->stop();
    m_pbar->setVisible(show);
}

void MainWindow::showProgressText(bool show, const std::string &device)
{
    // A technician with several cables sees which one is talking.
    if (show) {
        const QString name = QString::fromStdString(device);
        m_pbar->setFormat(name.isEmpty() ? QStringLiteral("%p%") : name + QStringLiteral("  %p%"));
        m_pbar->setAccessibleDescription(name);
    }
    m_pbar->setTextVisible(show);
}

void MainWindow::openHelp()
{
    if (!m_help)
        m_help = new HelpWindow;
    m_help->ShowOverview();
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The transfer's waiting loops serve events; the window must outlive the transfer.
    if (RadioTransferRunning()) {
        showStatus(TransferBusyStatus);
        event->ignore();
        return;
    }
    CommitPendingEdits();
    if (!ConfirmExit()) {
        event->ignore();
        return;
    }
    // Only now is the program really ending.
    SaveWindowSettings(CurrentGeometry());
    if (m_help)
        m_help->close();
    event->accept();
}

void MainWindow::CommitPendingEdits()
{
    m_panes->commitPendingEdits();
}
