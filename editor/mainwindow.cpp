#include "mainwindow.h"

#include "aboutwindow.h"
#include "appglobals.h"
#include "changridpane.h"
#include "copymacrodialog.h"
#include "edithistory.h"
#include "exchangecommands.h"
#include "exitconfirm.h"
#include "filecommands.h"
#include "helpwindow.h"
#include "historywindow.h"
#include "menucommands.h"
#include "optionsmenu.h"
#include "panestack.h"
#include "platform.h"
#include "printcommands.h"
#include "progress.h"
#include "radiocommands.h"
#include "tabstrip.h"
#include "textmeasure.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/picRadio.png")));
    platform().window = this;
    m_history = new EditHistory([this] { CommitPendingEdits(); }, this);

    createMenus();
    createToolBar();
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

QAction *MainWindow::addItem(QMenu *menu, const char *name, const QString &caption,
                             const std::function<void()> &handler, const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [handler] { handler(); });
    return action;
}

static QMenu *addMenu(QMenuBar *bar, const char *name, const QString &title)
{
    QMenu *menu = bar->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

static QMenu *addSubMenu(QMenu *parent, const char *name, const QString &title)
{
    QMenu *menu = parent->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

// A tree pop-up; its title is what assistive technology announces.
static QMenu *popupMenu(QWidget *parent, const char *name, const QString &title)
{
    auto *menu = new QMenu(title, parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->setAccessibleName(title);
    return menu;
}

// An open command from the menu also reselects the node last shown.
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

// Each report printed, previewed or saved as PDF; the preview and PDF sub-menus go below the
// printer's items.
void MainWindow::addPrintItems(QMenu *print)
{
    struct Report {
        const char *name;
        const char *caption;
        ReportKind kind;
    };
    static constexpr Report Reports[] = {
        {"All", "Print ALL Radio Information", ReportKind::All},
        {"Global", "Print Unit Global Information", ReportKind::Global},
        {"CurrGrp", "Print Curent Active Group Information", ReportKind::CurrentGroup},
    };
    const auto addReports = [this](QMenu *menu, const std::string &prefix,
                                   void (*command)(ReportKind)) {
        for (const Report &report : Reports) {
            const ReportKind kind = report.kind;
            addItem(menu, (prefix + report.name).c_str(), QString::fromLatin1(report.caption),
                    [this, command, kind] {
                        CommitPendingEdits();
                        command(kind);
                    });
        }
    };
    addReports(print, "mnuFilePrint", PrintReportCommand);
    addItem(print, "mnuFilePrintSetup", QStringLiteral("Print Setup"), PrintSetupCommand);
    print->addSeparator();
    addReports(addSubMenu(print, "mnuFilePrintPreview", QStringLiteral("Print Pre&view\u2026")),
               "mnuFilePreview", PreviewReportCommand);
    addReports(addSubMenu(print, "mnuFileExportPdf", QStringLiteral("&Export PDF\u2026")),
               "mnuFilePdf", ExportReportPdfCommand);
}

// The text form and channel CSV sub-menus, below the file commands.
void MainWindow::addExchangeItems()
{
    const auto committed = [this](void (*command)()) {
        return [this, command] {
            CommitPendingEdits();
            command();
        };
    };
    QMenu *out = addSubMenu(m_mnuFile, "mnuFileExport", QStringLiteral("Expor&t"));
    addItem(out, "mnuFileExportText", QStringLiteral("Radio Data As Text (YAML)\u2026"),
            committed(ExportTextFormCommand));
    addItem(out, "mnuFileExportGroupCsv",
            QStringLiteral("Current Active Group Channels As CSV\u2026"),
            committed(ExportGroupCsvCommand));
    addItem(out, "mnuFileExportAllCsv", QStringLiteral("All Channels As CSV\u2026"),
            committed(ExportAllCsvCommand));
    QMenu *in = addSubMenu(m_mnuFile, "mnuFileImport", QStringLiteral("&Import"));
    addItem(in, "mnuFileImportText", QStringLiteral("Radio Data From Text (YAML)\u2026"),
            committed(ImportTextFormCommand));
    addItem(in, "mnuFileImportGroupCsv",
            QStringLiteral("Channels Into Current Active Group From CSV\u2026"),
            committed(ImportGroupCsvCommand));
    addItem(m_mnuFile, "mnuFileHistory", QStringLiteral("Radio &History\u2026"),
            [this] { ShowHistoryWindow(this); });
}

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("mnuMain"));

    m_mnuFile = addMenu(bar, "mnuFile", QStringLiteral("&File"));
    addItem(
        m_mnuFile, "mnuFileNew", QStringLiteral("New"),
        [this] { runFileMenuCommand(OpenDefaultFile); }, QKeySequence(QStringLiteral("Ctrl+N")));
    QMenu *open = addSubMenu(m_mnuFile, "mnuFileOpen", QStringLiteral("Open"));
    addItem(open, "mnuFileOpenExisting", QStringLiteral("Open Existing File"),
            [this] { runFileMenuCommand(OpenExistingFile); });
    addItem(open, "mnuFileOpenUser", QStringLiteral("Open User Selected"),
            [this] { runFileMenuCommand(OpenUserFile); });
    addItem(open, "mnuFileOpenFactory", QStringLiteral("Open New File (Factory Defaults)"),
            [this] { runFileMenuCommand(OpenDefaultFile); });
    m_mnuFile->addSeparator();
    addItem(
        m_mnuFile, "mnuFileSave", QStringLiteral("&Save"),
        [this] {
            CommitPendingEdits();
            SaveCurrentFile();
        },
        QKeySequence(QStringLiteral("Ctrl+S")));
    QMenu *saveAs = addSubMenu(m_mnuFile, "mnuFileSaveAs", QStringLiteral("Save &As"));
    addItem(saveAs, "mnuFileSaveNew", QStringLiteral("Save As New File"), [this] {
        CommitPendingEdits();
        SaveAsNewFile();
    });
    addItem(saveAs, "mnuFileSaveUser", QStringLiteral("Save As User Selected Defaults File"),
            [this] {
                CommitPendingEdits();
                SaveAsUserDefaultFile();
            });
    m_mnuFile->addSeparator();
    QMenu *print = addSubMenu(m_mnuFile, "mnuFilePrint", QStringLiteral("&Print"));
    addPrintItems(print);
    m_mnuFile->addSeparator();
    addItem(m_mnuFile, "mnuFileExit", QStringLiteral("E&xit"), [this] { close(); });
    m_mnuFile->addSeparator();
    addExchangeItems();

    m_mnuRead = addMenu(bar, "mnuRead", QStringLiteral("Read"));
    addItem(m_mnuRead, "mnuReadAll", QStringLiteral("Read ALL Data From Radio"), ReadAllCommand);
    addItem(m_mnuRead, "mnuReadGlobals", QStringLiteral("Read Global Settings"),
            ReadGlobalsCommand);
    addItem(m_mnuRead, "mnuReadCurrGrp",
            QStringLiteral("Read Current Active Group Channels and Settings"),
            ReadCurrGroupCommand);
    m_mnuRead->addSeparator();
    addItem(m_mnuRead, "mnuReadVerify", QStringLiteral("Verify Radio Against Editor Data"),
            [] { VerifyRadioCommand(); });

    m_mnuWrite = addMenu(bar, "mnuWrite", QStringLiteral("Write"));
    addItem(m_mnuWrite, "mnuWriteAll", QStringLiteral("Write ALL Data To Radio"), WriteAllCommand);
    addItem(m_mnuWrite, "mnuWriteGlobals", QStringLiteral("Write Global Settings To Radio"),
            WriteGlobalsCommand);
    addItem(m_mnuWrite, "mnuWriteCurrGrp",
            QStringLiteral("Write Current Active Group Channels and Settings"),
            WriteCurrGroupCommand);

    m_mnuEdit = addMenu(bar, "mnuEdit", QStringLiteral("&Edit"));
    QAction *undo = addItem(
        m_mnuEdit, "mnuEditUndo", QStringLiteral("Undo"), [this] { m_history->undo(); },
        QKeySequence(QStringLiteral("Ctrl+Z")));
    QAction *redo = addItem(
        m_mnuEdit, "mnuEditRedo", QStringLiteral("Redo"), [this] { m_history->redo(); },
        QKeySequence(QStringLiteral("Ctrl+Y")));
    redo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(m_history->stack(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(m_history->stack(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    m_mnuEdit->addSeparator();
    // Both act on the channel grid only, and only while it is shown.
    addItem(
        m_mnuEdit, "mnuEditCopy", QStringLiteral("Copy"),
        [this] {
            if (m_fraGrid->isVisible())
                m_fraGrid->CopyGridSelection();
        },
        QKeySequence(QStringLiteral("Ctrl+C")));
    addItem(
        m_mnuEdit, "mnuEditPaste", QStringLiteral("Paste"),
        [this] {
            if (m_fraGrid->isVisible())
                m_fraGrid->PasteGridSelection();
        },
        QKeySequence(QStringLiteral("Ctrl+V")));
    addItem(m_mnuEdit, "mnuEditCopyPasteGrps",
            QStringLiteral("Copy One Group And Paste It To Others"), [this] {
                CommitPendingEdits();
                CopyMacroDialog(this).exec();
            });

    m_mnuOptions = new OptionsMenu(this);
    bar->addMenu(m_mnuOptions);

    m_mnuTune = bar->addAction(QStringLiteral("&Tune"));
    m_mnuTune->setObjectName(QStringLiteral("mnuTune"));
    connect(m_mnuTune, &QAction::triggered, this, [] { TuneCommand(); });

    m_mnuHelp = addMenu(bar, "mnuHelp", QStringLiteral("&Help"));
    addItem(m_mnuHelp, "mnuHelpHelp", QStringLiteral("ZPA Tessaro Help"), [this] { openHelp(); });
    addItem(m_mnuHelp, "mnuHelpAbout", QStringLiteral("About ZPA Tessaro"),
            [this] { showAbout(); });

    // The tree's pop-ups, never shown in the menu bar.
    m_mnuReadWriteRadio = popupMenu(this, "mnuReadWriteRadio", QStringLiteral("Radio"));
    addItem(m_mnuReadWriteRadio, "mnuPopupReadAll", QStringLiteral("Read ALL Data From Radio"),
            ReadAllCommand);
    m_mnuReadWriteRadio->addSeparator();
    addItem(m_mnuReadWriteRadio, "mnuPopupWriteAll", QStringLiteral("Write ALL Data To Radio"),
            WriteAllCommand);
    m_mnuReadWriteGlobals =
        popupMenu(this, "mnuReadWriteGlobals", QStringLiteral("Global Settings"));
    addItem(m_mnuReadWriteGlobals, "mnuPopupReadGlobals",
            QStringLiteral("Read Global Data From Radio"), ReadGlobalsCommand);
    m_mnuReadWriteGlobals->addSeparator();
    addItem(m_mnuReadWriteGlobals, "mnuPopupWriteGlobals",
            QStringLiteral("Write Global Data To Radio"), WriteGlobalsCommand);
    m_mnuReadWriteGroup = popupMenu(this, "mnuReadWriteGroup", QStringLiteral("Group"));
    m_mnuPopupReadGroup =
        addItem(m_mnuReadWriteGroup, "mnuPopupReadGroup",
                QStringLiteral("Read Data For This Group From Radio"), ReadCurrGroupCommand);
    m_mnuPopupWriteGroup =
        addItem(m_mnuReadWriteGroup, "mnuPopupWriteGroup",
                QStringLiteral("Write Data For This Group To Radio"), WriteCurrGroupCommand);
}

void MainWindow::createToolBar()
{
    m_tbar = addToolBar(QStringLiteral("Toolbar"));
    m_tbar->setObjectName(QStringLiteral("TBar"));
    m_tbar->setMovable(false);
    m_tbar->setFloatable(false);
    m_tbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_tbar->setIconSize(QSize(24, 24));
    struct Button {
        const char *key;
        const char *caption;
        const char *tooltip;
        std::function<void()> run;
    };
    const Button buttons[] = {
        {"tbOpen", "Open", "Open", [this] { runFileMenuCommand(OpenExistingFile); }},
        {"tbSave", "Save", "Save",
         [this] {
             CommitPendingEdits();
             SaveCurrentFile();
         }},
        {"tbRead", "Read", "Read All Data", ReadAllCommand},
        {"tbWrite", "Write", "Write All Data", WriteAllCommand},
        {"tbTune", "Tune", "Tune", TuneCommand},
        {"tbHelp", "Help", "ZPA Tessaro Edit Help", [this] { openHelp(); }},
        {"tbExit", "Exit", "Exit", [this] { close(); }},
    };
    for (const Button &b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        QAction *action = m_tbar->addAction(QIcon(QStringLiteral(":/icons/%1.png").arg(key)),
                                            QString::fromLatin1(b.caption));
        action->setObjectName(key);
        action->setToolTip(QString::fromLatin1(b.tooltip));
        const auto run = b.run;
        connect(action, &QAction::triggered, this, [run] { run(); });
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
    for (QMenu *menu : {m_mnuFile, m_mnuRead, m_mnuWrite, m_mnuEdit,
                        static_cast<QMenu *>(m_mnuOptions), m_mnuHelp})
        menu->menuAction()->setEnabled(bEnable);
    m_mnuTune->setEnabled(bEnable);
    for (QAction *action : m_tbar->actions())
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

void MainWindow::showAbout()
{
    AboutWindow about(this);
    about.exec();
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
