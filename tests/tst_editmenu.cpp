#include "caption.h"
#include "changridpane.h"
#include "chanrecord.h"
#include "freqcodec.h"
#include "gridclip.h"
#include "guardcodec.h"
#include "tdffile.h"
#include "textform.h"
#include "treelogic.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

// The Edit menu on the main window: block copy and paste through the real keys, headers and
// menu items, Copy Groups through its dialog, and undo and redo of a run of mixed edits
// (imports from the File menu among them).
class TestEditMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        f.reset();
        g_sCopyText.clear();
        f.start();
        m_grid = f.window->findChild<QTableWidget *>("Grid");
    }

    void cleanup() { f.stop(); }

    void copyPasteAndFind()
    {
        f.trigger("mnuEditPaste"); // the grid is not shown: nothing at all
        QVERIFY(f.dialogs.messages.empty());

        // A bulk command that changes nothing leaves the caption alone; the grid's pop-up; find.
        showGroup(3);
        goTo(1, 1);
        key(Qt::Key_Up, Qt::AltModifier);
        settle();
        QVERIFY(!f.changed());
        QTest::mouseClick(m_grid->viewport(), Qt::RightButton, {},
                          m_grid->visualItemRect(m_grid->item(0, 0)).center());
        QVERIFY(f.popups->shown.back().second.contains("Insert Channel"));
        SetChanLabel(MemMap, 24, 6, "TOWER");
        SetChanLabel(MemMap, 1, 0, "TOWER");
        f.dialogs.inputAnswers = {std::string("tower")};
        goTo(1, 1);
        key(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(f.window->SelectedTreeNode(), GroupNode(24));
        QCOMPARE(f.window->gridPane()->currentCell(), (GridCell{7, 1}));
        key(Qt::Key_F3);
        QCOMPARE(g_iCurGroup, 1); // round from group 25 to group 2
        key(Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(g_iCurGroup, 24);

        showGroup(1);
        f.trigger("mnuEditPaste");
        QCOMPARE(f.dialogs.messages.back().text, std::string(NothingCopiedMessage));
        m_grid->clearSelection();
        f.trigger("mnuEditCopy");
        QCOMPARE(f.dialogs.messages.back().text, std::string(NothingSelectedMessage));

        // A 2 x 2 block by Shift and the arrows, copied with Ctrl+C, pasted elsewhere with Ctrl+V.
        SetChanFreq(MemMap, 0, 2, true, "151.25000");
        SetChanFreq(MemMap, 0, 3, true, "152.50000");
        SetRightPaneView();
        goTo(3, 2);
        key(Qt::Key_Down, Qt::ShiftModifier);
        key(Qt::Key_Right, Qt::ShiftModifier);
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(g_sCopyText,
                 GetChanFreq(MemMap, 0, 2, true) + "\t" + GetChanGuard(MemMap, 0, 2, true) + "\r" +
                     GetChanFreq(MemMap, 0, 3, true) + "\t" + GetChanGuard(MemMap, 0, 3, true));
        showGroup(2);
        goTo(9, 5);
        key(Qt::Key_V, Qt::ControlModifier); // asked, answered OK: the block's own cells
        QCOMPARE(f.dialogs.messages.back().text, std::string(PasteAreaMessage));
        QCOMPARE(GetChanFreq(MemMap, 1, 2, true), std::string("151.25000"));
        QCOMPARE(m_grid->item(3, 1)->text(), QString("152.50000"));
        QCOMPARE(m_grid->selectedRanges().value(0).rowCount(), 2);

        // A column and then a row by their headers.
        QTest::mouseClick(m_grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          {m_grid->horizontalHeader()->sectionViewportPosition(3) + 5, 5});
        QCOMPARE(m_grid->selectedItems().size(), GridLastRow);
        QTest::mouseClick(m_grid->verticalHeader()->viewport(), Qt::LeftButton, {},
                          {5, m_grid->verticalHeader()->sectionViewportPosition(2) + 5});
        QCOMPARE(m_grid->selectedItems().size(), GridLastCol);

        // Copy Groups over the shown group 2: the grid shows the copy at once, so a paste keeps it.
        SetChanLabel(MemMap, 0, 4, "COPIED");
        runCopyGroups(0, {1, 6});
        QCOMPARE(m_grid->item(4, 0)->text(), QString("COPIED      "));
        goTo(1, 1);
        key(Qt::Key_C, Qt::ControlModifier);
        goTo(2, 1);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(GetChanLabel(MemMap, 1, 4), std::string("COPIED      "));

        // Ctrl+C and Ctrl+V in the open cell editor copy and paste the grid block, as the menu
        // does.
        showGroup(1);
        SetChanLabel(MemMap, 0, 0, "FIRST");
        SetChanLabel(MemMap, 0, 5, "SIXTH");
        SetRightPaneView();
        goTo(1, 1);
        key(Qt::Key_C, Qt::ControlModifier);
        goTo(6, 1);
        f.type("QQQ");
        key(Qt::Key_C, Qt::ControlModifier); // copies the cell as stored, the editor stays open
        QCOMPARE(g_sCopyText, std::string("SIXTH       "));
        key(Qt::Key_Escape);
        goTo(7, 1);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(GetChanLabel(MemMap, 0, 6), std::string("SIXTH       "));
        // A paste commits the open editor first, then pastes over the cell.
        goTo(8, 1);
        f.type("ZZ");
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(GetChanLabel(MemMap, 0, 7), std::string("SIXTH       "));
        QVERIFY(f.window->gridPane()->cellEditor()->isHidden());
    }

    // Steps of every kind, the bulk commands by their keys and menu items among them, undone one
    // by one and redone, byte for byte; the caption's mark follows the saved state, which the New
    // in the middle moved.
    void undoRedo()
    {
        MemMapImage factory = MemMap;
        SetGrpLabel(factory, 0, "FACTORY");
        std::swap(factory, MemMap);
        QVERIFY(WriteMemMapTo_TDF_File(g_sFactoryFile));
        std::swap(factory, MemMap);
        QAction *undo = f.window->findChild<QAction *>("mnuEditUndo");
        QAction *redo = f.window->findChild<QAction *>("mnuEditRedo");
        // A file named on the command line is loaded while starting up: nothing to take back.
        g_bLoading = true;
        SetGrpLabel(MemMap, 2, "STARTED");
        SetCaption(false);
        g_bLoading = false;
        settle();
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        showGroup(1);
        auto *groupLabel = f.window->findChild<QLineEdit *>("txtGroupLabel");
        const std::vector<std::function<void()>> edits = {
            [&] { goTo(2, 2), f.type("151.5"), key(Qt::Key_Return); },
            [&] {
                groupLabel->setFocus(), f.type("yard"), QTest::keyClick(groupLabel, Qt::Key_Return);
            },
            [&] { f.window->findChild<QComboBox *>("cbIncomingClone")->activated(1); },
            [&] { f.window->findChild<QCheckBox *>("chkGrpScanList")->click(); },
            [&] {
                goTo(2, 2), key(Qt::Key_C, Qt::ControlModifier), goTo(6, 4),
                    key(Qt::Key_V, Qt::ControlModifier);
            },
            [&] {
                runCopyGroups(0, {3, 4});
            },
            [&] { f.dialogs.messageAnswers = {MsgAnswer::No}, f.trigger("mnuFileNew"); },
            [&] {
                f.clickNode(GlobalsNode);
                auto *box = f.window->findChild<QCheckBox *>("chkBeepDisable");
                QTest::mouseClick(box, Qt::LeftButton, {}, {6, box->height() / 2});
            },
            [&] {
                MemMapImage edited = MemMap;
                SetChanLabel(edited, 5, 2, "IMPORTED");
                importFile("mnuFileImportText", "/tmp/in.yaml", WriteTextForm(edited));
            },
            [&] {
                importFile("mnuFileImportGroupCsv", "/tmp/in.csv",
                           "Location,Name,Frequency\r\n1,CSV,151.000000\r\n3,MORE,152.000000\r\n");
            },
            [&] {
                showGroup(3), goTo(5, 1);
                f.dialogs.messageAnswers = {MsgAnswer::Yes}, key(Qt::Key_Plus, Qt::ControlModifier);
            },
            [&] {
                goTo(2, 1), key(Qt::Key_Down, Qt::ShiftModifier),
                    key(Qt::Key_Down, Qt::AltModifier);
            },
            [&] { key(Qt::Key_Minus, Qt::ControlModifier); },
            [&] { SetChanFreq(MemMap, 2, 9, true, "140.0"), f.trigger("mnuEditSortRx"); },
            [&] {
                goTo(1, 2), key(Qt::Key_Down, Qt::ShiftModifier),
                    key(Qt::Key_Down, Qt::ShiftModifier), key(Qt::Key_Down, Qt::ShiftModifier);
                QTimer::singleShot(0, [] {
                    auto *dlg = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                    QVERIFY(dlg && dlg->objectName() == "frmFillSeries");
                    dlg->findChild<QLineEdit *>("txtFillStart")->setText("173.95");
                    dlg->findChild<QComboBox *>("cbFillStep")->setEditText("25");
                    dlg->accept();
                });
                key(Qt::Key_D, Qt::ControlModifier);
            },
            [&] {
                goTo(1, 3), key(Qt::Key_Down, Qt::ShiftModifier),
                    key(Qt::Key_Down, Qt::ShiftModifier);
                f.type("67"), key(Qt::Key_Return, Qt::ControlModifier);
            },
        };
        std::vector<MemMapImage> images{MemMap};
        applyEach(edits, images);
        const std::size_t saved = 7; // the New
        QCOMPARE(GetGrpLabel(images[saved], 0), std::string("FACTORY     "));
        QCOMPARE(GetChanFreq(images[14], 2, 0, true), std::string("140.00000")); // sorted first
        QCOMPARE(GetChanFreq(MemMap, 2, 0, true), std::string("173.95000"));
        QCOMPARE(m_grid->item(2, 2)->text(), QString("067.0"));
        for (std::size_t i = images.size() - 1; i > 0; --i) {
            f.trigger("mnuEditUndo");
            settle();
            QVERIFY2(MemMap == images[i - 1], qPrintable(QString::number(i)));
            QCOMPARE(f.changed(), i - 1 != saved);
        }
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        showGroup(1);
        goTo(1, 1); // the keys from the grid
        for (std::size_t i = 1; i < images.size(); ++i) {
            key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            settle();
            QVERIFY2(MemMap == images[i], qPrintable(QString::number(i)));
            QCOMPARE(f.changed(), i != saved);
        }
        // Saving makes the present the saved state.
        g_sCurFileName = "/home/tech/Unit7.tdf";
        f.fs.files[g_sCurFileName] = {};
        f.trigger("mnuFileSave");
        settle();
        QVERIFY(!f.changed());
        key(Qt::Key_Z, Qt::ControlModifier);
        settle();
        QVERIFY(f.changed() && MemMap == images[images.size() - 2]);
        key(Qt::Key_Y, Qt::ControlModifier);
        settle();
        QVERIFY(!f.changed() && MemMap == images.back());
    }

private:
    // 1-based
    void showGroup(int group)
    {
        f.clickNode(FirstGroupNode + group - 1);
        QVERIFY(m_grid->isVisible());
        QCOMPARE(g_iCurGroup, group - 1);
    }

    void goTo(int row, int col)
    {
        // A closed dialog leaves the offscreen window inactive.
        if (!f.window->isActiveWindow()) {
            f.window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        }
        m_grid->setFocus();
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {},
                          m_grid->visualItemRect(m_grid->item(row - 1, col - 1)).center());
    }

    void key(Qt::Key key, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
    }
    // Each edit changes the data; images gets the data after each.
    static void applyEach(const std::vector<std::function<void()>> &edits,
                          std::vector<MemMapImage> &images)
    {
        for (const auto &edit : edits) {
            edit();
            settle();
            QVERIFY2(MemMap != images.back(), qPrintable(QString::number(images.size())));
            images.push_back(MemMap);
        }
    }
    // Lets the history take its step, as returning to the event loop does.
    static void settle() { QCoreApplication::processEvents(); }
    void importFile(const char *action, const std::string &path, const std::string &text)
    {
        f.fs.files[path] = std::vector<std::uint8_t>(text.begin(), text.end());
        f.dialogs.fileAnswers = {path};
        f.trigger(action);
    }
    // Runs Copy Groups from the menu: source, destinations, then the arrow.
    void runCopyGroups(int source, std::initializer_list<int> dests)
    {
        QTimer::singleShot(0, [source, dests] {
            auto *dlg = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dlg && dlg->objectName() == "frmCopyMacro");
            dlg->findChild<QRadioButton *>(QString("optCopyGrp_%1").arg(source))->click();
            for (int d : dests)
                dlg->findChild<QCheckBox *>(QString("chkPasteDest_%1").arg(d))->setChecked(true);
            dlg->findChild<QToolButton *>("cmdCopy")->click();
        });
        f.trigger("mnuEditCopyPasteGrps");
    }

    WindowFixture f;
    QTableWidget *m_grid = nullptr;
};

QTEST_MAIN(TestEditMenu)
#include "tst_editmenu.moc"
