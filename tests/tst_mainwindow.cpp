#include "aboutwindow.h"
#include "appsettings.h"
#include "fakeclock.h"
#include "filecommands.h"
#include "helpwindow.h"
#include "printcommands.h"
#include "progress.h"
#include "tdffile.h"
#include "textmeasure.h"
#include "version.h"
#include "windowfixture.h"

#include <QClipboard>
#include <QGroupBox>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

// The main window as the user drives it: commands, tree keys and clicks, pop-ups, tabs,
// caption, progress, size limits and the splitter.
class TestMainWindow : public QObject
{
    Q_OBJECT

    WindowFixture f;
    QAction *action(const QString &name) const { return f.window->findChild<QAction *>(name); }
    QString pane() const { return f.window->visiblePane()->objectName(); }
    QTreeWidget *tree() const { return f.window->findChild<QTreeWidget *>("TreeView"); }
    QTabBar *tabs() const { return f.window->findChild<QTabBar *>("Tab1Tabs"); }
    void key(Qt::Key k) { QTest::keyClick(tree(), k); }

private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.stop(); }

    void startUp()
    {
        f.start();
        // name=text=shortcut for menu items, name=text=tooltip for toolbar buttons ("tb").
        const QStringList rows =
            QString(
                "mnuFile=&File;mnuFileNew=New=Ctrl+N;mnuFileOpen=Open;"
                "mnuFileOpenExisting=Open Existing File;mnuFileOpenUser=Open User Selected;"
                "mnuFileOpenFactory=Open New File (Factory Defaults);mnuFileSave=&Save=Ctrl+S;"
                "mnuFileSaveAs=Save &As;mnuFileSaveNew=Save As New File;"
                "mnuFileSaveUser=Save As User Selected Defaults File;mnuFilePrint=&Print;"
                "mnuFilePrintAll=Print ALL Radio Information;"
                "mnuFilePrintGlobal=Print Unit Global Information;"
                "mnuFilePrintCurrGrp=Print Curent Active Group Information;"
                "mnuFilePrintSetup=Print Setup;mnuFilePrintPreview=Print Pre&view\u2026;"
                "mnuFilePreviewCurrGrp=Print Curent Active Group Information;"
                "mnuFileExportPdf=&Export PDF\u2026;mnuFilePdfAll=Print ALL Radio Information;"
                "mnuFileExit=E&xit=Ctrl+Q;mnuRead=Read;mnuReadAll=Read ALL Data From Radio;"
                "mnuReadGlobals=Read Global Settings;"
                "mnuReadCurrGrp=Read Current Active Group Channels and Settings;mnuWrite=Write;"
                "mnuWriteAll=Write ALL Data To Radio;"
                "mnuWriteGlobals=Write Global Settings To Radio;"
                "mnuWriteCurrGrp=Write Current Active Group Channels and Settings;mnuEdit=&Edit;"
                "mnuEditUndo=Undo=Ctrl+Z;mnuEditRedo=Redo=Ctrl+Y;mnuEditCopy=Copy=Ctrl+C;"
                "mnuEditPaste=Paste=Ctrl+V;"
                "mnuEditCopyPasteGrps=Copy One Group And Paste It To Others;mnuOptions=&Options;"
                "mnuTune=&Tune;mnuHelp=&Help;mnuHelpHelp=ZPA Tessaro Help;"
                "mnuHelpAbout=About ZPA Tessaro;tbOpen=Open=Open;"
                "tbSave=Save=Save;tbRead=Read=Read All Data;tbWrite=Write=Write All Data;"
                "tbTune=Tune=Tune;tbHelp=Help=ZPA Tessaro Edit Help;tbExit=Exit=Exit")
                .split(';');
        auto *bar = f.window->findChild<QToolBar *>("TBar");
        QCOMPARE(bar->actions().size(), 7);
        for (const QString &row : rows) {
            const QStringList part = row.split('=') << QString();
            QAction *a = action(part[0]);
            QVERIFY2(a, qPrintable(row));
            QCOMPARE(a->text(), part[1]);
            if (part[0].startsWith("tb")) {
                QCOMPARE(a->toolTip(), part[2]);
                QVERIFY(!a->icon().isNull());
                auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(a));
                QVERIFY2(button && button->toolButtonStyle() == Qt::ToolButtonTextUnderIcon,
                         qPrintable(row));
            } else {
                QCOMPARE(a->shortcut().toString(), part[2]);
            }
        }
        QStringList file; // Exit last, below the exchange commands
        for (QAction *a : f.window->findChild<QMenu *>("mnuFile")->actions())
            file << (a->isSeparator() ? "-" : a->objectName());
        QCOMPARE(
            file.join(' '),
            QString("mnuFileNew mnuFileOpen - mnuFileSave mnuFileSaveAs - "
                    "mnuFilePrint - mnuFileExport mnuFileImport mnuFileHistory - mnuFileExit"));
        for (QAction *a : f.window->menuBar()->actions()) // the pop-ups are not in the menu bar
            QVERIFY(!a->objectName().startsWith("mnuReadWrite"));

        // The tree, on the global settings.
        QVERIFY(f.window->treeItem(3)->font(0).bold());
        QVERIFY(!f.window->treeItem(4)->font(0).bold());
        QCOMPARE(f.window->treeItem(15)->parent(), f.window->treeItem(3));
        QVERIFY(f.window->treeItem(3)->isExpanded());
        QCOMPARE(f.window->SelectedTreeNode(), 2);
        QCOMPARE(pane(), QString("fraGlobalSettings1"));
        QCOMPARE(f.status(), QString("Ready....."));
        QCOMPARE(tabs()->count(), 4);
        QCOMPARE(tabs()->tabText(3), QString("UTXG Pick List"));
        QCOMPARE(tabs()->tabRect(0).width(), tabs()->tabRect(3).width());
        // The pane lies inside the tab strip, below the tabs.
        QWidget *shown = f.window->visiblePane();
        QVERIFY(shown->geometry().top() >= tabs()->geometry().bottom());
        QVERIFY(shown->parentWidget()->rect().contains(shown->geometry()));
    }

    // The keys and clicks reach the tree's rules; the pane, caption and tabs follow.
    void treeKeysAndClicks()
    {
        SaveSetting("Form Height", "14000"); // room below the last node
        f.start();
        tree()->setFocus();
        key(Qt::Key_Down);
        QCOMPARE(tree()->currentItem(), f.window->treeItem(4));
        auto *grid = f.window->findChild<QGroupBox *>("fraGrid");
        QCOMPARE(f.window->visiblePane(), grid);
        QCOMPARE(grid->title(), QString("Group 1 Channels"));
        QCOMPARE(f.status(), QString("Displaying Group 1 Channel Data"));
        QCOMPARE(tabs()->count(), 0);
        // A press below the last node changes nothing.
        f.clickNode(8);
        const QRect last = tree()->visualItemRect(f.window->treeItem(28));
        QVERIFY2(last.bottom() + 20 < tree()->viewport()->height(), "the tree has empty space");
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                          QPoint(20, tree()->viewport()->height() - 5));
        QCOMPARE(f.window->SelectedTreeNode(), 8);
        QCOMPARE(tree()->selectedItems(), QList<QTreeWidgetItem *>{f.window->treeItem(8)});

        // The tab shown last comes back with the global settings, by click or by key.
        f.clickNode(2);
        QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(2).center());
        QCOMPARE(g_iLastTab, 3);
        QCOMPARE(pane(), QString("fraCmdGrp"));
        f.clickNode(9);
        f.clickNode(2);
        QCOMPARE(tabs()->currentIndex(), 2);
        key(Qt::Key_Down);
        key(Qt::Key_Up);
        QCOMPARE(pane(), QString("fraCmdGrp"));
        // A click on the tab already shown is a click on the global settings all the same.
        f.clickNode(1);
        QCOMPARE(f.window->SelectedTreeNode(), 1);
        QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(2).center());
        QCOMPARE(f.window->SelectedTreeNode(), 2);
        QCOMPARE(pane(), QString("fraCmdGrp"));

        for (int node : {3, 15, 1, 2}) // the Groups node has no pop-up
            f.clickNode(node, Qt::RightButton);
        using Shown = std::vector<std::pair<QString, QStringList>>;
        QCOMPARE(f.popups->shown,
                 (Shown{{"mnuReadWriteGroup",
                         {"Read Group 12 Channel Data and Settings from Radio",
                          "Write Group 12 Channel Data and Settings to Radio"}},
                        {"mnuReadWriteRadio",
                         {"Read ALL Data From Radio", "-", "Write ALL Data To Radio"}},
                        {"mnuReadWriteGlobals",
                         {"Read Global Data From Radio", "-", "Write Global Data To Radio"}}}));
    }

    // What a transfer shows: the progress bar, and every control off until it is over; the
    // caption.
    void transferAndCaption()
    {
        const int rows[][3] = {{1, 3, 33}, {2, 3, 67}, {1, 8, 12}, {3, 8, 38}, // halves to even
                               {5, 5, -1}, {6, 5, -1}, {0, 0, -1}, {26367, 26368, 100}};
        for (const auto &[val, max, shown] : rows)
            QCOMPARE(ProgressPercent(val, max).value_or(-1), shown);
        f.start();
        auto *bar = f.window->findChild<QProgressBar *>("PBar");
        SetProgress(1, 2); // hidden: nothing happens
        QVERIFY(!bar->isVisible());
        ShowProgressBar(true);
        QCOMPARE(bar->value(), 0);
        // The event loop paints a new value a moment later.
        SetProgress(1, 4);
        QTRY_COMPARE(bar->value(), 25);
        SetProgress(5, 5);
        QTest::qWait(40);
        QCOMPARE(bar->value(), 25);
        ShowProgressBar(false);
        QVERIFY(!bar->isVisible());

        f.clickNode(6);
        EnableMainControls(false);
        for (const char *name : {"mnuFile", "mnuRead", "mnuWrite", "mnuEdit", "mnuOptions",
                                 "mnuTune", "mnuHelp", "tbOpen", "tbExit"})
            QVERIFY2(!action(name)->isEnabled(), name);
        for (const char *name : {"TreeView", "Grid", "txtGroupLabel"})
            QVERIFY2(!f.window->findChild<QWidget *>(name)->isEnabled(), name);
        EnableMainControls(true);
        QVERIFY(action("mnuFile")->isEnabled() && tree()->isEnabled());
        QVERIFY(f.window->findChild<QWidget *>("cbIncomingClone")->isEnabled());

        // New from the menu reaches the caption; its texts are the file commands' business.
        f.fs.files[g_sFactoryFile] = std::vector<std::uint8_t>(TdfFileSize, 0x33);
        f.clickNode(12);
        action("mnuFileNew")->trigger();
        QCOMPARE(f.window->windowTitle(), QString("ZPA Tessaro Editor ver. %1 - Factory.def")
                                              .arg(QStringLiteral(TESSARO_VERSION_TEXT)));
        QCOMPARE(int(MemMap.get(9, 9)), 0x33);
        // The group shown before stays shown and selected.
        QCOMPARE(f.window->SelectedTreeNode(), 12);
        QCOMPARE(pane(), QString("fraGrid"));
    }

    // The limits themselves are the layout rules' business; here the resize reaches them.
    void sizeLimits()
    {
        f.start();
        const double dpi = ScreenDpi();
        f.window->resize(TwipsToPixels(9000, dpi), TwipsToPixels(9500, dpi));
        QTRY_VERIFY(!f.dialogs.messages.empty());
        QCOMPARE(f.dialogs.messages[0].caption, std::string("SIZE LIMIT"));
        QCOMPARE(f.dialogs.messages[0].text,
                 std::string("The form has reached its minimum width, please do not attempt to "
                             "make it any smaller.      "));
        QTRY_VERIFY(f.window->CurrentGeometry().width >= 11500);
        QVERIFY(f.window->CurrentGeometry().width < 11500 + 30);
        // Pushed almost off the right edge: moved back so part of it stays on the screen.
        f.dialogs.messages.clear();
        const int screen = f.window->screen()->geometry().width();
        f.window->move(screen - 10, 100);
        f.window->resize(f.window->width() + 1, f.window->height());
        QTRY_VERIFY(f.window->geometry().left() < screen - 10);
        QVERIFY(f.dialogs.messages.empty());

        // The splitter: only the bar moves while dragging, within its limits.
        auto *handle = f.window->findChild<QWidget *>("imgSplit");
        auto *bar = f.window->findChild<QWidget *>("picSplit");
        const int treeWidth = tree()->width();
        const QPoint farLeft(-handle->x() - 200, 50);
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(2, 50));
        QVERIFY(bar->isVisible());
        QTest::mouseMove(handle, farLeft);
        QCOMPARE(bar->x(), TwipsToPixels(500, dpi));
        QCOMPARE(tree()->width(), treeWidth);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, farLeft);
        QVERIFY(!bar->isVisible());
        QCOMPARE(f.window->splitPosition(), 1500);
        QVERIFY(qAbs(PixelsToTwips(tree()->width(), dpi) - 1440) <= 15);
    }

    void restoredGeometry()
    {
        const char *stored[][2] = {{"Window State", "1"},   {"Form Left", "9500"},
                                   {"Form Top", "300"},     {"Form Width", "12000"},
                                   {"Form Height", "9000"}, {"picSplit Left", "3000"}};
        for (const auto &[key, value] : stored)
            SaveSetting(key, value);
        f.start();
        const WindowGeometry g = f.window->CurrentGeometry();
        QCOMPARE(int(g.state), 0);
        const int near[][2] = {{g.left, 100}, {g.top, 300}, {g.width, 12000}, {g.height, 9000}};
        for (const auto &[got, want] : near)
            QVERIFY2(qAbs(got - want) <= 15, qPrintable(QString::number(got)));
        QCOMPARE(f.window->splitPosition(), 3000);
        // Closing saves what is shown.
        SaveSetting("Form Width", "0");
        f.window->resize(TwipsToPixels(13500, ScreenDpi()), f.window->height());
        const WindowGeometry shown = f.window->CurrentGeometry();
        QVERIFY(shown.width >= 13500);
        f.window->close();
        QCOMPARE(GetSettingInt("Form Width", 0), shown.width);
        QCOMPARE(GetSettingInt("picSplit Left", 0), 3000);

        // Maximised: closing saves the state and the splitter, and keeps the stored normal size.
        SaveSetting("Window State", "2");
        SaveSetting("Form Width", "12345");
        f.start();
        QTRY_VERIFY(f.window->isMaximized());
        QVERIFY(f.dialogs.messages.empty());
        f.window->close();
        QCOMPARE(GetSettingInt("Window State", -1), 2);
        QCOMPARE(GetSettingInt("Form Width", 0), 12345);
        QCOMPARE(GetSettingInt("picSplit Left", 0), f.window->splitPosition());
    }

    void helpAndAbout()
    {
        f.start();
        action("tbHelp")->trigger();
        HelpWindow *help = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *h = qobject_cast<HelpWindow *>(w); h && h->isVisible())
                help = h;
        }
        QVERIFY(help);
        QCOMPARE(help->browser()->source().fileName(), QString("Overview.htm"));
        QVERIFY(help->browser()->toPlainText().contains("Read ALL Data From Radio"));
        f.window->close();
        QVERIFY(!help->isVisible());

        // About shows the system information a support call asks for.
        const QString info = QString::fromStdString(SystemInformationText());
        AboutWindow about;
        QCOMPARE(about.windowTitle(), QString("About ZPA Tessaro"));
        QVERIFY(!about.findChild<QLabel *>("picIcon")->pixmap().isNull());
        about.findChild<QPushButton *>("cmdSysInfo")->click();
        auto *window = about.findChild<SystemInfoWindow *>("frmSysInfo");
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->text(), QString(info).replace("\r\n", "\n"));
        window->findChild<QPushButton *>("cmdCopy")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), window->text());

        // Every help page is reachable from the overview, and every link and picture names a file.
        const QDir folder(qEnvironmentVariable("TESSARO_SOURCE_DIR") + "/help");
        const QStringList pages = folder.entryList({"*.htm"}, QDir::Files);
        QVERIFY(pages.contains("Overview.htm"));
        const QRegularExpression target("(?:href|src)=\"([^\"#:]+)[\"#]");
        QSet<QString> linked{"Overview.htm"};
        for (const QString &page : pages) {
            QFile file(folder.filePath(page));
            QVERIFY(file.open(QIODevice::ReadOnly));
            for (auto it = target.globalMatch(QString::fromUtf8(file.readAll())); it.hasNext();) {
                const QString name = it.next().captured(1);
                QVERIFY2(folder.exists(name), qPrintable(page + ": " + name));
                linked.insert(name);
            }
        }
        for (const QString &page : pages)
            QVERIFY2(linked.contains(page), qPrintable(page + " is linked nowhere"));
    }

    // The fonts asked for by their Windows names come through fontconfig's metric-compatible
    // aliases; the widths measured with them.
    void fontsAndWidths()
    {
        QCOMPARE(QFontInfo(QFont("Arial", 10)).family(), QString("Liberation Sans"));
        QCOMPARE(QFontInfo(QFont("Courier New", 10)).family(), QString("Liberation Mono"));
        QCOMPARE(GetMaxWidth("", ""), 100);
        QCOMPARE(GetMaxWidth("WWWWWWWWWWWW", "Label "), GetMaxWidth("Label ", "WWWWWWWWWWWW"));
        QVERIFY(GetMaxWidth("WWWWWWWWWWWW", "Label ") > GetMaxWidth("Label ", "Label "));
        // Twips grow with the text: twice the text is about twice as wide.
        const int one = GetMaxWidth("XXXXXX", "") - 100;
        QVERIFY(qAbs(GetMaxWidth("XXXXXXXXXXXX", "") - 100 - 2 * one) <= 30);
    }

    // At the smallest size and at a large one.
    void gridPaneFits()
    {
        for (const auto &[width, height] : {std::pair(11500, 8700), std::pair(19200, 13500)}) {
            SaveSetting("Form Width", std::to_string(width));
            SaveSetting("Form Height", std::to_string(height));
            f.start();
            f.clickNode(15);
            QWidget *shown = f.window->visiblePane();
            QCOMPARE(shown->objectName(), QString("fraGrid"));
            QVERIFY(shown->parentWidget()->rect().contains(shown->geometry()));
            QRect row;
            for (const char *name : {"lblGrpParam_0", "txtGroupLabel", "lblGrpParam_1",
                                     "cbIncomingClone", "chkGrpScanList"}) {
                auto *w = shown->findChild<QWidget *>(name);
                QVERIFY2(shown->rect().contains(w->geometry()), name);
                QVERIFY2(!row.intersects(w->geometry()), name); // left to right, no overlap
                row = row.united(w->geometry());
            }
            auto *grid = shown->findChild<QAbstractScrollArea *>("Grid");
            QVERIFY(shown->rect().contains(grid->geometry()));
            QVERIFY(grid->geometry().top() > row.bottom());
            if (width > 15000) { // with room enough the whole grid shows without scroll bars
                QVERIFY(!grid->horizontalScrollBar()->isVisible());
                QVERIFY(!grid->verticalScrollBar()->isVisible());
            }
        }
    }

    void printWithoutPrinterOffersPdf()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed");
        f.start();
        FakeClock clock;
        platform().clock = &clock;
        QTemporaryDir dir;
        const std::string pdf = dir.filePath("Fleet.pdf").toStdString();
        f.dialogs.messageAnswers = {MsgAnswer::Yes};
        f.dialogs.fileAnswers = {pdf};
        action("mnuFilePrintCurrGrp")->trigger();
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
        QCOMPARE(f.dialogs.messages[0].text, std::string(NoPrinterQuestion));
        QCOMPARE(f.dialogs.saveRequests.size(), std::size_t(1));
        QCOMPARE(f.dialogs.saveRequests[0].defaultExtension, std::string(".pdf"));
        QFile file(QString::fromStdString(pdf));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        platform().clock = nullptr;
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
