#include "appglobals.h"
#include "cellundo.h"
#include "changridpane.h"
#include "chanrecord.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "gridedit.h"
#include "guardcodec.h"
#include "labelcodes.h"
#include "windowfixture.h"
#include "memmap.h"
#include "platform.h"
#include "treelogic.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

// The channel grid as the user drives it with keys and the mouse.
class TestChanGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fillShowsGroup();
    void headersAndRowTitles();
    void typingOpensEditorWithCharacter();
    void escapeRestoresAndWritesNothing();
    void uStartsPickListReference_data();
    void uStartsPickListReference();
    void flagKeys_data();
    void flagKeys();
    void spaceAndDoubleClickToggle();
    void receiveInactiveWhileTransmitActive();
    void transmitNeedsReceive();
    void wrapAround_data();
    void wrapAround();
    void editorArrowWrapsColumn();
    void roadOfOneEdit();
    void leavingCellCommitsOnce();
    void labelCellValidated();
    void groupLabelRule();
    void groupLabelEscape();
    void incomingCloneAndScanList();
    void tabOrderWhileGridHasFocus();
    void rightButtonPopsUpEditMenu();
    void transferStoresPendingEdit();
    void saveResizeAndEscapeKeepTheTypedText();

private:
    void start();
    void showGroup(int group); // 1-based
    void goTo(int row, int col);
    // Types into whichever control has the focus, as a keyboard would.
    void typeKeys(const QString &text);
    QString cell(int row, int col) const { return m_pane->cellText({row, col}); }
    void clearCaption()
    {
        m_window->setWindowTitle(m_window->windowTitle().remove(QStringLiteral(" *")));
    }
    bool changed() const { return m_window->windowTitle().endsWith(QStringLiteral(" *")); }
    std::unique_ptr<MainWindow> m_window;
    ChanGridPane *m_pane = nullptr;
    QTableWidget *m_grid = nullptr;
    QLineEdit *m_editor = nullptr;
    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<PopupCatcher> m_popups;
};

void TestChanGrid::init()
{
    InstallDoubles(m_fs, m_settings, m_dialogs);
    ResetAppGlobals();
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);
    m_popups = std::make_unique<PopupCatcher>();
}

void TestChanGrid::cleanup()
{
    m_window.reset();
}

void TestChanGrid::start()
{
    m_window = std::make_unique<MainWindow>();
    g_bLoading = true;
    m_window->LoadWindow();
    g_bLoading = false;
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_pane = m_window->findChild<ChanGridPane *>(QStringLiteral("fraGrid"));
    m_grid = m_window->findChild<QTableWidget *>(QStringLiteral("Grid"));
    m_editor = m_window->findChild<QLineEdit *>(QStringLiteral("Text1"));
    QVERIFY(m_pane && m_grid && m_editor);
}

void TestChanGrid::showGroup(int group)
{
    auto *tree = m_window->findChild<QTreeWidget *>(QStringLiteral("TreeView"));
    QTreeWidgetItem *item = m_window->treeItem(FirstGroupNode + group - 1);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    QVERIFY(m_pane->isVisible());
    QCOMPARE(g_iCurGroup, group - 1);
}

void TestChanGrid::goTo(int row, int col)
{
    m_grid->setFocus();
    m_pane->setCurrentCell({row, col});
    QCOMPARE(m_pane->currentCell(), (GridCell{row, col}));
}

void TestChanGrid::typeKeys(const QString &text)
{
    for (const QChar ch : text)
        QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
}

void TestChanGrid::fillShowsGroup()
{
    SetChanLabel(MemMap, 4, 6, "PUMP HOUSE");
    SetChanFreq(MemMap, 4, 6, false, "151.625");
    SetChanGuard(MemMap, 4, 6, true, "D023");
    SetChanScan(MemMap, 4, 6, "S");
    SetGrpLabel(MemMap, 4, "YARD");
    SetGrpIncomingClone(MemMap, 4, true);
    SetGrpScanList(MemMap, 4, "No");
    start();
    showGroup(5);
    QCOMPARE(cell(7, 1), QStringLiteral("PUMP HOUSE  "));
    QCOMPARE(cell(7, 3), QStringLiteral("D023"));
    QCOMPARE(cell(7, 4), QStringLiteral("151.62500"));
    QCOMPARE(cell(7, 6), QStringLiteral("S"));
    QCOMPARE(cell(8, 4), QStringLiteral("Inactive"));
    QCOMPARE(m_window->findChild<QLineEdit *>("txtGroupLabel")->text(),
             QStringLiteral("YARD        "));
    QCOMPARE(m_window->findChild<QComboBox *>("cbIncomingClone")->currentText(),
             QStringLiteral("Reject"));
    QVERIFY(!m_window->findChild<QCheckBox *>("chkGrpScanList")->isChecked());
    // Filling is not an edit; the first cell is current and its text recorded.
    QVERIFY(!changed());
    QCOMPARE(m_pane->currentCell(), (GridCell{1, 1}));
    QCOMPARE(QString::fromStdString(CellUndoText.label), cell(1, 1));
}

void TestChanGrid::headersAndRowTitles()
{
    start();
    showGroup(1);
    const QStringList headers = {"Label", "Receive Freq", "RX CG", "Transmit Freq",
                                 "TX CG", "Scn",          "BW",    "LP"};
    QCOMPARE(m_grid->columnCount(), 8);
    QCOMPARE(m_grid->rowCount(), 20);
    for (int c = 0; c < 8; ++c)
        QCOMPARE(m_grid->horizontalHeaderItem(c)->text(), headers[c]);
    QCOMPARE(m_grid->verticalHeaderItem(0)->text(), QStringLiteral(" Ch 1"));
    QCOMPARE(m_grid->verticalHeaderItem(19)->text(), QStringLiteral(" Ch 20"));
    QVERIFY(m_grid->item(0, 0)->textAlignment() & Qt::AlignLeft);
    QVERIFY(m_grid->item(0, 1)->textAlignment() & Qt::AlignHCenter);
}

void TestChanGrid::typingOpensEditorWithCharacter()
{
    start();
    showGroup(1);
    goTo(4, 2);
    // Delete as X11 sends it, with the DEL character: no entry starts.
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    QApplication::sendEvent(m_grid, &del);
    QVERIFY(!m_editor->isVisible());
    QTest::keyClick(m_grid, Qt::Key_1);
    QVERIFY(m_editor->isVisible());
    QCOMPARE(QApplication::focusWidget(), m_editor);
    QCOMPARE(m_editor->text(), QStringLiteral("1"));
    QCOMPARE(m_editor->cursorPosition(), 1);
    QCOMPARE(m_editor->accessibleName(), QStringLiteral("Receive Freq,  Ch 4"));
    QVERIFY(!m_editor->hasSelectedText());
    // Laid over the cell it edits.
    const QRect cellRect = m_grid->visualItemRect(m_grid->item(3, 1));
    QCOMPARE(m_editor->geometry().topLeft(), cellRect.topLeft());
    QVERIFY(m_editor->width() < cellRect.width());
    QVERIFY(!changed());
}

void TestChanGrid::escapeRestoresAndWritesNothing()
{
    start();
    showGroup(2);
    goTo(3, 2);
    const QString before = cell(3, 2);
    const MemMapImage image = MemMap;
    QTest::keyClick(m_grid, Qt::Key_1);
    QTest::keyClicks(m_editor, QStringLiteral("55.5"));
    QCOMPARE(m_editor->text(), QStringLiteral("155.5"));
    QTest::keyClick(m_editor, Qt::Key_Escape);
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(cell(3, 2), before);
    QCOMPARE(QApplication::focusWidget(), m_grid);
    QVERIFY(MemMap == image);
    QVERIFY(!changed());
    QVERIFY(m_dialogs.messages.empty());
    QVERIFY(m_dialogs.inputs.empty());
}

void TestChanGrid::uStartsPickListReference_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("TX CG, lower case") << 5 << "u"
                                       << "UTXG ";
    QTest::newRow("TX CG, upper case") << 5 << "U"
                                       << "UTXG ";
    QTest::newRow("RX CG") << 3 << "u"
                           << "u";
    QTest::newRow("TX CG, other letter") << 5 << "d"
                                         << "d";
}

void TestChanGrid::uStartsPickListReference()
{
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    start();
    showGroup(1);
    goTo(2, col);
    QTest::keyClicks(m_grid, typed);
    QCOMPARE(m_editor->text(), shown);
    QCOMPARE(m_editor->cursorPosition(), shown.size());
    if (col == 5 && typed.toUpper() == QStringLiteral("U")) {
        // The user carries on with the entry number.
        QTest::keyClicks(m_editor, QStringLiteral("7"));
        QTest::keyClick(m_editor, Qt::Key_Return);
        QCOMPARE(cell(2, 5), QStringLiteral("UTXG 7"));
        QCOMPARE(GetChanUTXG(MemMap, 0, 1), std::string("UTXG 7"));
    }
}

void TestChanGrid::flagKeys_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("after");
    QTest::newRow("s sets scan") << 6 << "-"
                                 << "s"
                                 << "S";
    QTest::newRow("S clears scan") << 6 << "S"
                                   << "S"
                                   << "-";
    QTest::newRow("s clears scan") << 6 << "S"
                                   << "s"
                                   << "-";
    QTest::newRow("x on scan ignored") << 6 << "S"
                                       << "x"
                                       << "S";
    QTest::newRow("n sets narrow") << 7 << "-"
                                   << "n"
                                   << "N";
    QTest::newRow("s on narrow ignored") << 7 << "-"
                                         << "s"
                                         << "-";
    QTest::newRow("l sets low power") << 8 << "-"
                                      << "l"
                                      << "L";
    QTest::newRow("L clears low power") << 8 << "L"
                                        << "L"
                                        << "-";
    QTest::newRow("digit on power ignored") << 8 << "-"
                                            << "1"
                                            << "-";
}

void TestChanGrid::flagKeys()
{
    QFETCH(int, col);
    QFETCH(QString, start);
    QFETCH(QString, key);
    QFETCH(QString, after);
    auto setFlag = [col](const std::string &text) {
        if (col == 6)
            SetChanScan(MemMap, 0, 4, text);
        else if (col == 7)
            SetChanNarrow(MemMap, 0, 4, text);
        else
            SetChanLowPower(MemMap, 0, 4, text);
    };
    setFlag(start.toStdString());
    this->start();
    showGroup(1);
    goTo(5, col);
    const MemMapImage before = MemMap;
    QTest::keyClicks(m_grid, key);
    QCOMPARE(cell(5, col), after);
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(QString::fromStdString(ChannelCellText(MemMap, 0, 4, col)), after);
    QCOMPARE(changed(), after != start);
    QCOMPARE(MemMap == before, after == start);
    QCOMPARE(m_pane->currentCell(), (GridCell{5, col}));
}

void TestChanGrid::spaceAndDoubleClickToggle()
{
    start();
    showGroup(1);
    goTo(1, 7);
    QTest::keyClick(m_grid, Qt::Key_Space);
    QCOMPARE(cell(1, 7), QStringLiteral("N"));
    QCOMPARE(GetChanNarrow(MemMap, 0, 0), std::string("N"));
    QVERIFY(changed());
    // Enter on a flag column moves on without toggling.
    QTest::keyClick(m_grid, Qt::Key_Return);
    QCOMPARE(m_pane->currentCell(), (GridCell{1, 8}));
    QCOMPARE(cell(1, 7), QStringLiteral("N"));

    // A double-click toggles and moves to the next cell.
    const QRect rect = m_grid->visualItemRect(m_grid->item(2, 5));
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(cell(3, 6), QStringLiteral("S"));
    QCOMPARE(GetChanScan(MemMap, 0, 2), std::string("S"));
    QCOMPARE(m_pane->currentCell(), (GridCell{3, 7}));

    // Space on a text column opens the editor with the whole text selected.
    goTo(2, 1);
    QTest::keyClick(m_grid, Qt::Key_Space);
    QVERIFY(m_editor->isVisible());
    QCOMPARE(m_editor->text(), cell(2, 1));
    QCOMPARE(m_editor->selectedText(), cell(2, 1));
}

void TestChanGrid::receiveInactiveWhileTransmitActive()
{
    SetChanFreq(MemMap, 0, 2, false, "151.625");
    start();
    showGroup(1);
    goTo(3, 2);
    QTest::keyClick(m_grid, Qt::Key_0);
    QTest::keyClick(m_editor, Qt::Key_Return);
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
    const ScriptedDialogs::Message &m = m_dialogs.messages[0];
    QCOMPARE(m.caption, std::string("INVALID COMBINATION"));
    QCOMPARE(m.text, std::string("Please set the Transmit frequeny for this\r\n"
                                 "channel to 0 ('Inactive'), OR select a\r\n"
                                 "valid Receive frequency in the range of\r\n"
                                 "136MHz To 174MHz."));
    QCOMPARE(m.icon, MsgIcon::Information);
    QCOMPARE(m.buttons, MsgButtons::Ok);
    // Stored anyway; the transmit side is left for the user.
    QCOMPARE(cell(3, 2), QStringLiteral("Inactive"));
    QCOMPARE(GetChanFreq(MemMap, 0, 2, true), std::string("Inactive"));
    QCOMPARE(GetChanFreq(MemMap, 0, 2, false), std::string("151.62500"));
    QVERIFY(changed());
}

void TestChanGrid::transmitNeedsReceive()
{
    SetChanFreq(MemMap, 0, 5, true, "Inactive");
    start();
    showGroup(1);
    goTo(6, 4);
    typeKeys(QStringLiteral("151.625"));
    QTest::keyClick(m_editor, Qt::Key_Tab);
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
    QCOMPARE(m_dialogs.messages[0].caption, std::string("INVALID COMBINATION"));
    QCOMPARE(m_dialogs.messages[0].text,
             std::string("The Receive frequency for this channel is currently\r\n"
                         "'Inactive', therefore the Transmit frequency must\r\n"
                         "must also be set to 'Inactive'."));
    QCOMPARE(cell(6, 4), QStringLiteral("Inactive"));
    // Channel 6's transmit frequency bytes stay 0, 0.
    QCOMPARE(MemMap.get(1, 256 + 5 * 32 + 8), std::uint8_t(0));
    QCOMPARE(MemMap.get(1, 256 + 5 * 32 + 9), std::uint8_t(0));
    QCOMPARE(GetChanFreq(MemMap, 0, 5, false), std::string("Inactive"));
    // Tab went on to the next cell, and the refusal was not repeated there.
    QCOMPARE(m_pane->currentCell(), (GridCell{6, 5}));
    QCOMPARE(QApplication::focusWidget(), m_grid);
}

void TestChanGrid::wrapAround_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("back");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<int>("toCol");
    QTest::newRow("Tab on the last cell") << 20 << 8 << false << 1 << 1;
    QTest::newRow("Tab at a row's end") << 4 << 8 << false << 5 << 1;
    QTest::newRow("Tab within a row") << 4 << 3 << false << 4 << 4;
    QTest::newRow("Shift+Tab on the first cell") << 1 << 1 << true << 20 << 8;
    QTest::newRow("Shift+Tab at a row's start") << 9 << 1 << true << 8 << 8;
    QTest::newRow("Shift+Tab within a row") << 9 << 5 << true << 9 << 4;
}

void TestChanGrid::wrapAround()
{
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(bool, back);
    QFETCH(int, toRow);
    QFETCH(int, toCol);
    start();
    showGroup(1);
    goTo(row, col);
    QTest::keyClick(m_grid, back ? Qt::Key_Backtab : Qt::Key_Tab,
                    back ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(m_pane->currentCell(), (GridCell{toRow, toCol}));
    // The focus stays in the grid, so the next Tab moves again.
    QCOMPARE(QApplication::focusWidget(), m_grid);
    QVERIFY(!changed());
}

void TestChanGrid::editorArrowWrapsColumn()
{
    start();
    showGroup(1);
    goTo(20, 1);
    QTest::keyClick(m_grid, Qt::Key_Space);
    QTest::keyClick(m_editor, Qt::Key_Down);
    QCOMPARE(m_pane->currentCell(), (GridCell{1, 1}));
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(QApplication::focusWidget(), m_grid);
    QTest::keyClick(m_grid, Qt::Key_Space);
    QTest::keyClick(m_editor, Qt::Key_Up);
    QCOMPARE(m_pane->currentCell(), (GridCell{20, 1}));
    QVERIFY(!changed());
}

void TestChanGrid::roadOfOneEdit()
{
    start();
    showGroup(3);
    QVERIFY(!changed());
    goTo(1, 2);
    typeKeys(QStringLiteral("155.0037"));
    QTest::keyClick(m_editor, Qt::Key_Return);
    QVERIFY(m_dialogs.inputs.empty());
    QCOMPARE(cell(1, 2), QStringLiteral("155.00250"));
    // (155.0025 - 100) MHz in 1.25 kHz steps is 44002 = 0xABE2, high byte first.
    QCOMPARE(MemMap.get(3, 256), std::uint8_t(0xAB));
    QCOMPARE(MemMap.get(3, 257), std::uint8_t(0xE2));
    QVERIFY(changed());
    QCOMPARE(m_pane->currentCell(), (GridCell{1, 3}));
    QVERIFY(!m_editor->isVisible());
}

void TestChanGrid::leavingCellCommitsOnce()
{
    start();
    showGroup(1);
    goTo(2, 1);
    typeKeys(QStringLiteral("gate"));
    // A click on another cell commits the editor's text to the cell it was typed in.
    const QRect rect = m_grid->visualItemRect(m_grid->item(5, 2));
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(cell(2, 1), QStringLiteral("GATE        "));
    QCOMPARE(GetChanLabel(MemMap, 0, 1), std::string("GATE        "));
    QCOMPARE(m_pane->currentCell(), (GridCell{6, 3}));
    QVERIFY(!m_editor->isVisible());
    QVERIFY(changed());
}

void TestChanGrid::labelCellValidated()
{
    start();
    showGroup(1);
    goTo(1, 1);
    typeKeys(QStringLiteral("north~gate 12345"));
    QTest::keyClick(m_editor, Qt::Key_Tab);
    const std::string expected = ValidateLabel("north~gate 12345", 12);
    QCOMPARE(cell(1, 1).toStdString(), expected);
    QCOMPARE(GetChanLabel(MemMap, 0, 0), expected);
    QCOMPARE(expected.size(), std::size_t(12));
}

void TestChanGrid::groupLabelRule()
{
    start();
    showGroup(4);
    auto *label = m_window->findChild<QLineEdit *>(QStringLiteral("txtGroupLabel"));
    label->setFocus(Qt::TabFocusReason);
    QCOMPARE(label->selectedText(), label->text());
    QTest::keyClicks(label, QStringLiteral("tower b"));
    QTest::keyClick(label, Qt::Key_Return); // moves on, which is leaving the field
    QVERIFY(!label->hasFocus());
    QCOMPARE(label->text(), QStringLiteral("TOWER B     "));
    QCOMPARE(GetGrpLabel(MemMap, 3), std::string("TOWER B     "));
    QVERIFY(changed());
    // The same label in lower case is shown repaired and changes nothing.
    clearCaption();
    label->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(label, QStringLiteral("tower b"));
    QTest::keyClick(label, Qt::Key_Return);
    QCOMPARE(label->text(), QStringLiteral("TOWER B     "));
    QVERIFY(!changed());
}

void TestChanGrid::groupLabelEscape()
{
    start();
    showGroup(4);
    auto *label = m_window->findChild<QLineEdit *>(QStringLiteral("txtGroupLabel"));
    const QString before = label->text();
    const MemMapImage image = MemMap;
    label->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(label, QStringLiteral("xyz"));
    QTest::keyClick(label, Qt::Key_Escape);
    QCOMPARE(label->text(), before);
    m_grid->setFocus(Qt::TabFocusReason);
    QVERIFY(MemMap == image);
    QVERIFY(!changed());
}

void TestChanGrid::incomingCloneAndScanList()
{
    start();
    showGroup(2);
    auto *clone = m_window->findChild<QComboBox *>(QStringLiteral("cbIncomingClone"));
    auto *scan = m_window->findChild<QCheckBox *>(QStringLiteral("chkGrpScanList"));
    const bool scanBefore = scan->isChecked();
    // Choosing the entry already shown is no change.
    clone->activated(clone->currentIndex());
    QVERIFY(!changed());
    clone->setCurrentIndex(1);
    clone->activated(1);
    QVERIFY(GetGrpIncomingClone(MemMap, 1));
    QVERIFY(changed());
    QTest::mouseClick(scan, Qt::LeftButton, {}, QPoint(5, scan->height() / 2));
    QCOMPARE(scan->isChecked(), !scanBefore);
    QCOMPARE(GetGrpScanList(MemMap, 1), std::string(scanBefore ? "No" : "Yes"));
}

void TestChanGrid::tabOrderWhileGridHasFocus()
{
    start();
    showGroup(1);
    auto *label = m_window->findChild<QLineEdit *>(QStringLiteral("txtGroupLabel"));
    auto *tree = m_window->findChild<QTreeWidget *>(QStringLiteral("TreeView"));
    goTo(1, 1);
    QVERIFY(!(label->focusPolicy() & Qt::TabFocus));
    QVERIFY(!(tree->focusPolicy() & Qt::TabFocus));
    label->setFocus(Qt::MouseFocusReason);
    QVERIFY(label->focusPolicy() & Qt::TabFocus);
    QVERIFY(tree->focusPolicy() & Qt::TabFocus);
}

void TestChanGrid::rightButtonPopsUpEditMenu()
{
    start();
    showGroup(1);
    const QRect rect = m_grid->visualItemRect(m_grid->item(2, 2));
    QTest::mouseRelease(m_grid->viewport(), Qt::RightButton, {}, rect.center());
    QCOMPARE(m_popups->shown.size(), std::size_t(1));
    QCOMPARE(m_popups->shown[0].first, QStringLiteral("mnuEdit"));
}

void TestChanGrid::transferStoresPendingEdit()
{
    start();
    showGroup(1);
    goTo(3, 1);
    typeKeys(QStringLiteral("relay"));
    QVERIFY(m_editor->isVisible());
    EnableMainControls(false);
    QVERIFY(!m_editor->isVisible());
    QVERIFY(!m_grid->isEnabled());
    QCOMPARE(GetChanLabel(MemMap, 0, 2), std::string("RELAY       "));
    QVERIFY(changed());
    EnableMainControls(true);
    QVERIFY(m_grid->isEnabled());
}

// Shortcuts, toolbar buttons and a resize do not move the focus, yet what is typed must count.
void TestChanGrid::saveResizeAndEscapeKeepTheTypedText()
{
    start();
    showGroup(1);
    goTo(3, 1);
    typeKeys(QStringLiteral("relay"));
    QVERIFY(m_editor->isVisible());
    m_dialogs.fileAnswers.push_back("/docs/unit.tdf");
    m_window->findChild<QAction *>(QStringLiteral("mnuFileSave"))->trigger();
    QCOMPARE(GetChanLabel(MemMap, 0, 2), std::string("RELAY       "));
    const int labelByte = 1024 + 256 + 32 * 2 + 20;
    QCOMPARE(int(m_fs.files["/docs/unit.tdf"].at(labelByte)), CharToLabelCode('R'));
    QVERIFY(!changed());

    // Stored without leaving the cell: Esc then brings back the stored text, not the old one.
    goTo(3, 2);
    typeKeys(QStringLiteral("160"));
    m_window->CommitPendingEdits();
    QCOMPARE(cell(3, 2), QStringLiteral("160.00000"));
    typeKeys(QStringLiteral("1"));
    QTest::keyClick(m_editor, Qt::Key_Escape);
    QCOMPARE(cell(3, 2), QStringLiteral("160.00000"));
    QCOMPARE(GetChanFreq(MemMap, 0, 2, true), std::string("160.00000"));

    // A resize refills the grid; the text typed before it is stored, not dropped.
    goTo(4, 1);
    typeKeys(QStringLiteral("pump"));
    m_window->resize(m_window->width() + 40, m_window->height() + 30);
    QTRY_COMPARE(GetChanLabel(MemMap, 0, 3), std::string("PUMP        "));
}

QTEST_MAIN(TestChanGrid)
#include "tst_changrid.moc"
