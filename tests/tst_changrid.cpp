#include "cellundo.h"
#include "changridpane.h"
#include "chanrecord.h"
#include "labelcodes.h"
#include "treelogic.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>

// The channel grid's wiring: keys, clicks and focus reach the edit session and the grid shows
// what it stores. The editing rules themselves are tested on the session.
class TestChanGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { fx.reset(); }
    void cleanup() { fx.stop(); }

    void fillAndGroupRow()
    {
        SetChanLabel(MemMap, 4, 6, "PUMP HOUSE");
        SetChanScan(MemMap, 4, 6, "S");
        SetGrpLabel(MemMap, 4, "YARD");
        SetGrpIncomingClone(MemMap, 4, true);
        SetGrpScanList(MemMap, 4, "No");
        start(5);
        QCOMPARE(shown(7, 1) + shown(7, 6), QStringLiteral("PUMP HOUSE  S"));
        QStringList headers;
        for (int c = 0; c < m_grid->columnCount(); ++c)
            headers << m_grid->horizontalHeaderItem(c)->text();
        QCOMPARE(headers.join('|'),
                 QStringLiteral("Label|Receive Freq|RX CG|Transmit Freq|TX CG|Scn|BW|LP"));
        QCOMPARE(m_grid->verticalHeaderItem(19)->text(), QStringLiteral(" Ch 20"));
        QVERIFY(m_grid->item(0, 1)->textAlignment() & Qt::AlignHCenter);
        auto *label = fx.child<QLineEdit>("txtGroupLabel");
        auto *clone = fx.child<QComboBox>("cbIncomingClone");
        auto *scan = fx.child<QCheckBox>("chkGrpScanList");
        QCOMPARE(label->text(), QStringLiteral("YARD        "));
        QCOMPARE(clone->currentText(), QStringLiteral("Reject"));
        QVERIFY(!scan->isChecked());
        // Filling is not an edit; the first cell is current and its text recorded.
        QCOMPARE(m_pane->currentCell(), (GridCell{1, 1}));
        QCOMPARE(QString::fromStdString(CellUndoText.label), shown(1, 1));

        clone->setCurrentIndex(0);
        clone->activated(0);
        QVERIFY(!GetGrpIncomingClone(MemMap, 4));
        QVERIFY(fx.changed());
        label->setFocus(Qt::TabFocusReason);
        fx.type("tower b");
        QTest::keyClick(label, Qt::Key_Return); // moves on, which is leaving the field
        QVERIFY(!label->hasFocus());
        QCOMPARE(GetGrpLabel(MemMap, 4), std::string("TOWER B     "));
    }

    void keysAndClicks()
    {
        start(1);
        goTo(4, 2);
        // Delete as X11 sends it, with the DEL character: no entry starts.
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
        QApplication::sendEvent(m_grid, &del);
        QVERIFY(!m_editor->isVisible());
        const QString before = shown(4, 2);
        fx.type("15");
        QCOMPARE(focus(), m_editor);
        QVERIFY(!m_editor->hasSelectedText());
        QCOMPARE(m_editor->accessibleName(), QStringLiteral("Receive Freq,  Ch 4"));
        const QRect cellRect = m_grid->visualItemRect(m_grid->item(3, 1));
        QCOMPARE(m_editor->geometry().topLeft(), cellRect.topLeft());
        QVERIFY(m_editor->width() < cellRect.width());
        QTest::keyClick(m_editor, Qt::Key_Escape);
        QVERIFY(!m_editor->isVisible());
        QCOMPARE(shown(4, 2), before);
        QCOMPARE(focus(), m_grid);
        QVERIFY(!fx.changed());

        // Tab stores, moves on and gives the grid the focus.
        goTo(4, 3);
        fx.type("100");
        QTest::keyClick(m_editor, Qt::Key_Tab);
        QCOMPARE(shown(4, 3), QStringLiteral("100.0"));
        QCOMPARE(focus(), m_grid);

        // Space selects the whole text.
        goTo(20, 1);
        QTest::keyClick(m_grid, Qt::Key_Space);
        QCOMPARE(m_editor->selectedText(), shown(20, 1));
        QTest::keyClick(m_editor, Qt::Key_Escape);

        // A click on another cell stores the text in the cell it was typed in.
        goTo(2, 1);
        fx.type("gate");
        const QRect rect = m_grid->visualItemRect(m_grid->item(5, 2));
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(GetChanLabel(MemMap, 0, 1), std::string("GATE        "));
        QCOMPARE(m_pane->currentCell(), (GridCell{6, 3}));

        // Flags by key and double-click; Tab stays in the grid while it has the focus.
        goTo(1, 8);
        QTest::keyClick(m_grid, Qt::Key_L);
        QCOMPARE(shown(1, 8), QStringLiteral("L"));

        // A double-click toggles and moves to the next cell.
        const QRect flagRect = m_grid->visualItemRect(m_grid->item(2, 5));
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, flagRect.center());
        QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, flagRect.center());
        QCOMPARE(shown(3, 6), QStringLiteral("S"));
        QCOMPARE(GetChanScan(MemMap, 0, 2), std::string("S"));
        QCOMPARE(m_pane->currentCell(), (GridCell{3, 7}));

        // While the grid has the focus, Tab moves between cells instead of reaching the others.
        auto *label = fx.child<QLineEdit>("txtGroupLabel");
        QWidget *others[] = {label, fx.child<QWidget>("TreeView")};
        for (QWidget *w : others)
            QVERIFY(!(w->focusPolicy() & Qt::TabFocus));
        label->setFocus(Qt::MouseFocusReason);
        for (QWidget *w : others)
            QVERIFY(w->focusPolicy() & Qt::TabFocus);

        // Transfers, shortcuts and a resize do not move the focus, yet what is typed must count.
        goTo(3, 1);
        fx.type("relay");
        EnableMainControls(false);
        QVERIFY(!m_editor->isVisible() && !m_grid->isEnabled());
        QCOMPARE(GetChanLabel(MemMap, 0, 2), std::string("RELAY       "));
        EnableMainControls(true);

        goTo(3, 1);
        fx.type("pump");
        fx.dialogs.fileAnswers.push_back("/docs/unit.tdf");
        fx.child<QAction>("mnuFileSave")->trigger();
        const int labelByte = 1024 + 256 + 32 * 2 + 20;
        QCOMPARE(int(fx.fs.files["/docs/unit.tdf"].at(labelByte)), CharToLabelCode('P'));
        QVERIFY(!fx.changed());

        // Stored without leaving the cell: Esc then brings back the stored text, not the old one.
        goTo(3, 2);
        fx.type("160");
        fx.window->CommitPendingEdits();
        QCOMPARE(shown(3, 2), QStringLiteral("160.00000"));
        fx.type("1");
        QTest::keyClick(m_editor, Qt::Key_Escape);
        QCOMPARE(shown(3, 2), QStringLiteral("160.00000"));

        // A resize refills the grid; the text typed before it is stored, not dropped.
        goTo(4, 1);
        fx.type("yard");
        fx.window->resize(fx.window->width() + 40, fx.window->height() + 30);
        QTRY_COMPARE(GetChanLabel(MemMap, 0, 3), std::string("YARD        "));
        QCOMPARE(shown(4, 1), QStringLiteral("YARD        "));
        QTest::mouseRelease(m_grid->viewport(), Qt::RightButton, {}, flagRect.center());
        QCOMPARE(fx.popups->shown.size(), std::size_t(1));
        QCOMPARE(fx.popups->shown[0].first, QStringLiteral("mnuEdit"));
    }

private:
    // 1-based
    void start(int group)
    {
        fx.start(true);
        m_pane = fx.child<ChanGridPane>("fraGrid");
        m_grid = fx.child<QTableWidget>("Grid");
        m_editor = fx.child<QLineEdit>("Text1");
        fx.clickNode(FirstGroupNode + group - 1);
        QVERIFY(m_pane->isVisible());
        QCOMPARE(g_iCurGroup, group - 1);
    }

    void goTo(int row, int col)
    {
        m_grid->setFocus();
        m_pane->setCurrentCell({row, col});
        QCOMPARE(m_pane->currentCell(), (GridCell{row, col}));
    }

    QString shown(int row, int col) const { return m_grid->item(row - 1, col - 1)->text(); }
    QWidget *focus() const { return QApplication::focusWidget(); }
    WindowFixture fx;
    ChanGridPane *m_pane = nullptr;
    QTableWidget *m_grid = nullptr;
    QLineEdit *m_editor = nullptr;
};

QTEST_MAIN(TestChanGrid)
#include "tst_changrid.moc"
