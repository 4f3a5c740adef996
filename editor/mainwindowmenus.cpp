// The main window's menus, tree pop-ups and toolbar, built from one table of commands.

#include "mainwindow.h"

#include "aboutwindow.h"
#include "appglobals.h"
#include "changridpane.h"
#include "copymacrodialog.h"
#include "edithistory.h"
#include "exchangecommands.h"
#include "filecommands.h"
#include "helpwindow.h"
#include "menucommands.h"
#include "optionsmenu.h"
#include "printcommands.h"
#include "radiocommands.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace
{

enum class Kind {
    Menu,      // a sub-menu of its parent (top-level when the parent is the menu bar)
    Popup,     // a tree pop-up, never shown in the menu bar
    Options,   // the Options menu, which fills itself from the link
    Item,      // a command in a menu, or on the menu bar itself
    Separator, // a line between items
    Button,    // a toolbar button; its icon is named after it
};

enum class Enable {
    Always,
    WithControls, // off while a radio transfer or dialog holds the window
    CanUndo,
    CanRedo,
};

using Handler = void (*)(MainWindow &);

struct Command {
    Kind kind;
    const char *parent; // the object name of the menu bar, toolbar or menu it goes in
    const char *name;   // object name
    const char *caption;
    const char *keys; // shortcuts, "; " between them; a button's tooltip
    Handler run;
    Enable enable;
};

constexpr char Bar[] = "mnuMain";
constexpr char Tools[] = "TBar";

template <auto F> void Plain(MainWindow &)
{
    F();
}

// Stores what is being typed before the command reads the data.
template <auto F> void Committed(MainWindow &w)
{
    w.CommitPendingEdits();
    F();
}

template <auto F> void Reopening(MainWindow &w)
{
    w.runFileMenuCommand(F);
}

template <auto F, ReportKind K> void Report(MainWindow &w)
{
    w.CommitPendingEdits();
    F(K);
}

constexpr auto All = ReportKind::All;
constexpr auto Global = ReportKind::Global;
constexpr auto Group = ReportKind::CurrentGroup;

} // namespace

void MainWindow::createCommands()
{
    using K = Kind;
    using E = Enable;
    constexpr Enable On = Enable::Always;
    static constexpr Command Commands[] = {
        // clang-format off
        {K::Menu, Bar, "mnuFile", "&File", "", nullptr, E::WithControls},
        {K::Item, "mnuFile", "mnuFileNew", "New", "Ctrl+N", Reopening<OpenDefaultFile>, On},
        {K::Menu, "mnuFile", "mnuFileOpen", "Open", "", nullptr, On},
        {K::Item, "mnuFileOpen", "mnuFileOpenExisting", "Open Existing File", "", Reopening<OpenExistingFile>, On},
        {K::Item, "mnuFileOpen", "mnuFileOpenUser", "Open User Selected", "", Reopening<OpenUserFile>, On},
        {K::Item, "mnuFileOpen", "mnuFileOpenFactory", "Open New File (Factory Defaults)", "", Reopening<OpenDefaultFile>, On},
        {K::Separator, "mnuFile", "", "", "", nullptr, On},
        {K::Item, "mnuFile", "mnuFileSave", "&Save", "Ctrl+S", Committed<SaveCurrentFile>, On},
        {K::Menu, "mnuFile", "mnuFileSaveAs", "Save &As", "", nullptr, On},
        {K::Item, "mnuFileSaveAs", "mnuFileSaveNew", "Save As New File", "", Committed<SaveAsNewFile>, On},
        {K::Item, "mnuFileSaveAs", "mnuFileSaveUser", "Save As User Selected Defaults File", "", Committed<SaveAsUserDefaultFile>, On},
        {K::Separator, "mnuFile", "", "", "", nullptr, On},
        {K::Menu, "mnuFile", "mnuFilePrint", "&Print", "", nullptr, On},
        {K::Item, "mnuFilePrint", "mnuFilePrintAll", "Print ALL Radio Information", "", Report<PrintReportCommand, All>, On},
        {K::Item, "mnuFilePrint", "mnuFilePrintGlobal", "Print Unit Global Information", "", Report<PrintReportCommand, Global>, On},
        {K::Item, "mnuFilePrint", "mnuFilePrintCurrGrp", "Print Curent Active Group Information", "", Report<PrintReportCommand, Group>, On},
        {K::Item, "mnuFilePrint", "mnuFilePrintSetup", "Print Setup", "", Plain<PrintSetupCommand>, On},
        {K::Separator, "mnuFilePrint", "", "", "", nullptr, On},
        {K::Menu, "mnuFilePrint", "mnuFilePrintPreview", "Print Pre&view\u2026", "", nullptr, On},
        {K::Item, "mnuFilePrintPreview", "mnuFilePreviewAll", "Print ALL Radio Information", "", Report<PreviewReportCommand, All>, On},
        {K::Item, "mnuFilePrintPreview", "mnuFilePreviewGlobal", "Print Unit Global Information", "", Report<PreviewReportCommand, Global>, On},
        {K::Item, "mnuFilePrintPreview", "mnuFilePreviewCurrGrp", "Print Curent Active Group Information", "", Report<PreviewReportCommand, Group>, On},
        {K::Menu, "mnuFilePrint", "mnuFileExportPdf", "&Export PDF\u2026", "", nullptr, On},
        {K::Item, "mnuFileExportPdf", "mnuFilePdfAll", "Print ALL Radio Information", "", Report<ExportReportPdfCommand, All>, On},
        {K::Item, "mnuFileExportPdf", "mnuFilePdfGlobal", "Print Unit Global Information", "", Report<ExportReportPdfCommand, Global>, On},
        {K::Item, "mnuFileExportPdf", "mnuFilePdfCurrGrp", "Print Curent Active Group Information", "", Report<ExportReportPdfCommand, Group>, On},
        {K::Separator, "mnuFile", "", "", "", nullptr, On},
        {K::Menu, "mnuFile", "mnuFileExport", "Expor&t", "", nullptr, On},
        {K::Item, "mnuFileExport", "mnuFileExportText", "Radio Data As Text (YAML)\u2026", "", Committed<ExportTextFormCommand>, On},
        {K::Item, "mnuFileExport", "mnuFileExportGroupCsv", "Current Active Group Channels As CSV\u2026", "", Committed<ExportGroupCsvCommand>, On},
        {K::Item, "mnuFileExport", "mnuFileExportAllCsv", "All Channels As CSV\u2026", "", Committed<ExportAllCsvCommand>, On},
        {K::Menu, "mnuFile", "mnuFileImport", "&Import", "", nullptr, On},
        {K::Item, "mnuFileImport", "mnuFileImportText", "Radio Data From Text (YAML)\u2026", "", Committed<ImportTextFormCommand>, On},
        {K::Item, "mnuFileImport", "mnuFileImportGroupCsv", "Channels Into Current Active Group From CSV\u2026", "", Committed<ImportGroupCsvCommand>, On},
        {K::Separator, "mnuFile", "", "", "", nullptr, On},
        {K::Item, "mnuFile", "mnuFileExit", "E&xit", "Ctrl+Q", [](MainWindow &w) { w.close(); }, On},

        {K::Menu, Bar, "mnuRead", "Read", "", nullptr, E::WithControls},
        {K::Item, "mnuRead", "mnuReadAll", "Read ALL Data From Radio", "", Plain<ReadAllCommand>, On},
        {K::Item, "mnuRead", "mnuReadGlobals", "Read Global Settings", "", Plain<ReadGlobalsCommand>, On},
        {K::Item, "mnuRead", "mnuReadCurrGrp", "Read Current Active Group Channels and Settings", "", Plain<ReadCurrGroupCommand>, On},
        {K::Separator, "mnuRead", "", "", "", nullptr, On},
        {K::Item, "mnuRead", "mnuReadVerify", "Verify Radio Against Editor Data", "", [](MainWindow &) { VerifyRadioCommand(); }, On},

        {K::Menu, Bar, "mnuWrite", "Write", "", nullptr, E::WithControls},
        {K::Item, "mnuWrite", "mnuWriteAll", "Write ALL Data To Radio", "", Plain<WriteAllCommand>, On},
        {K::Item, "mnuWrite", "mnuWriteGlobals", "Write Global Settings To Radio", "", Plain<WriteGlobalsCommand>, On},
        {K::Item, "mnuWrite", "mnuWriteCurrGrp", "Write Current Active Group Channels and Settings", "", Plain<WriteCurrGroupCommand>, On},

        {K::Menu, Bar, "mnuEdit", "&Edit", "", nullptr, E::WithControls},
        {K::Item, "mnuEdit", "mnuEditUndo", "Undo", "Ctrl+Z", [](MainWindow &w) { w.m_history->undo(); }, E::CanUndo},
        {K::Item, "mnuEdit", "mnuEditRedo", "Redo", "Ctrl+Y; Ctrl+Shift+Z", [](MainWindow &w) { w.m_history->redo(); }, E::CanRedo},
        {K::Separator, "mnuEdit", "", "", "", nullptr, On},
        // Both act on the channel grid only, and only while it is shown.
        {K::Item, "mnuEdit", "mnuEditCopy", "Copy", "Ctrl+C", [](MainWindow &w) { if (w.m_fraGrid->isVisible()) w.m_fraGrid->CopyGridSelection(); }, On},
        {K::Item, "mnuEdit", "mnuEditPaste", "Paste", "Ctrl+V", [](MainWindow &w) { if (w.m_fraGrid->isVisible()) w.m_fraGrid->PasteGridSelection(); }, On},
        {K::Item, "mnuEdit", "mnuEditCopyPasteGrps", "Copy One Group And Paste It To Others", "", [](MainWindow &w) { w.CommitPendingEdits(); CopyMacroDialog(&w).exec(); }, On},

        {K::Options, Bar, "mnuOptions", "", "", nullptr, E::WithControls},
        {K::Item, Bar, "mnuTune", "&Tune", "", Plain<TuneCommand>, E::WithControls},

        {K::Menu, Bar, "mnuHelp", "&Help", "", nullptr, E::WithControls},
        {K::Item, "mnuHelp", "mnuHelpHelp", "ZPA Tessaro Help", "", [](MainWindow &w) { w.openHelp(); }, On},
        {K::Item, "mnuHelp", "mnuHelpAbout", "About ZPA Tessaro", "", [](MainWindow &w) { AboutWindow(&w).exec(); }, On},

        {K::Popup, "", "mnuReadWriteRadio", "Radio", "", nullptr, On},
        {K::Item, "mnuReadWriteRadio", "mnuPopupReadAll", "Read ALL Data From Radio", "", Plain<ReadAllCommand>, On},
        {K::Separator, "mnuReadWriteRadio", "", "", "", nullptr, On},
        {K::Item, "mnuReadWriteRadio", "mnuPopupWriteAll", "Write ALL Data To Radio", "", Plain<WriteAllCommand>, On},
        {K::Popup, "", "mnuReadWriteGlobals", "Global Settings", "", nullptr, On},
        {K::Item, "mnuReadWriteGlobals", "mnuPopupReadGlobals", "Read Global Data From Radio", "", Plain<ReadGlobalsCommand>, On},
        {K::Separator, "mnuReadWriteGlobals", "", "", "", nullptr, On},
        {K::Item, "mnuReadWriteGlobals", "mnuPopupWriteGlobals", "Write Global Data To Radio", "", Plain<WriteGlobalsCommand>, On},
        // Captioned with the group's number when shown.
        {K::Popup, "", "mnuReadWriteGroup", "Group", "", nullptr, On},
        {K::Item, "mnuReadWriteGroup", "mnuPopupReadGroup", "Read Data For This Group From Radio", "", Plain<ReadCurrGroupCommand>, On},
        {K::Item, "mnuReadWriteGroup", "mnuPopupWriteGroup", "Write Data For This Group To Radio", "", Plain<WriteCurrGroupCommand>, On},

        {K::Button, Tools, "tbOpen", "Open", "Open", Reopening<OpenExistingFile>, E::WithControls},
        {K::Button, Tools, "tbSave", "Save", "Save", Committed<SaveCurrentFile>, E::WithControls},
        {K::Button, Tools, "tbRead", "Read", "Read All Data", Plain<ReadAllCommand>, E::WithControls},
        {K::Button, Tools, "tbWrite", "Write", "Write All Data", Plain<WriteAllCommand>, E::WithControls},
        {K::Button, Tools, "tbTune", "Tune", "Tune", Plain<TuneCommand>, E::WithControls},
        {K::Button, Tools, "tbHelp", "Help", "ZPA Tessaro Edit Help", [](MainWindow &w) { w.openHelp(); }, E::WithControls},
        {K::Button, Tools, "tbExit", "Exit", "Exit", [](MainWindow &w) { w.close(); }, E::WithControls},
        // clang-format on
    };

    QMenuBar *bar = menuBar();
    bar->setObjectName(QString::fromLatin1(Bar));
    QToolBar *tools = addToolBar(QStringLiteral("Toolbar"));
    tools->setObjectName(QString::fromLatin1(Tools));
    tools->setMovable(false);
    tools->setFloatable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tools->setIconSize(QSize(24, 24));
    QHash<QString, QWidget *> parents{{QString::fromLatin1(Bar), bar},
                                      {QString::fromLatin1(Tools), tools}};

    for (const Command &c : Commands) {
        const QString name = QString::fromLatin1(c.name);
        const QString caption = QString::fromUtf8(c.caption);
        QWidget *parent = parents.value(QString::fromLatin1(c.parent));
        QAction *action = nullptr;
        switch (c.kind) {
        case Kind::Options:
            m_mnuOptions = new OptionsMenu(this); // names and captions itself
            parent->addAction(m_mnuOptions->menuAction());
            action = m_mnuOptions->menuAction();
            break;
        case Kind::Menu:
        case Kind::Popup: {
            auto *menu = new QMenu(caption, this);
            menu->setObjectName(name);
            if (c.kind == Kind::Popup) {
                menu->setAccessibleName(caption); // what assistive technology announces
            } else {
                menu->menuAction()->setObjectName(name);
                parent->addAction(menu->menuAction());
            }
            parents.insert(name, menu);
            action = menu->menuAction();
            break;
        }
        case Kind::Separator:
            action = new QAction(parent);
            action->setSeparator(true);
            parent->addAction(action);
            break;
        case Kind::Item:
        case Kind::Button:
            action = new QAction(caption, parent);
            action->setObjectName(name);
            if (c.kind == Kind::Button) {
                action->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(name)));
                action->setToolTip(QString::fromLatin1(c.keys));
            } else if (*c.keys) {
                action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(c.keys)));
            }
            connect(action, &QAction::triggered, this, [this, run = c.run] { run(*this); });
            parent->addAction(action);
            break;
        }
        switch (c.enable) {
        case Enable::Always:
            break;
        case Enable::WithControls:
            m_withControls.push_back(action);
            break;
        case Enable::CanUndo:
            action->setEnabled(false);
            connect(m_history->stack(), &QUndoStack::canUndoChanged, action, &QAction::setEnabled);
            break;
        case Enable::CanRedo:
            action->setEnabled(false);
            connect(m_history->stack(), &QUndoStack::canRedoChanged, action, &QAction::setEnabled);
            break;
        }
    }
    m_mnuEdit = findChild<QMenu *>(QStringLiteral("mnuEdit"));
    m_mnuReadWriteRadio = findChild<QMenu *>(QStringLiteral("mnuReadWriteRadio"));
    m_mnuReadWriteGlobals = findChild<QMenu *>(QStringLiteral("mnuReadWriteGlobals"));
    m_mnuReadWriteGroup = findChild<QMenu *>(QStringLiteral("mnuReadWriteGroup"));
    m_mnuPopupReadGroup = findChild<QAction *>(QStringLiteral("mnuPopupReadGroup"));
    m_mnuPopupWriteGroup = findChild<QAction *>(QStringLiteral("mnuPopupWriteGroup"));
}
