#include "globaloptions.h"
#include "treelogic.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

#include <random>

// The four settings panes: what each control shows for the MemMap, what a choice or an edit
// stores, and how the panes fit the smallest window.
class TestSettingsPanes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { fx.reset(); }
    void cleanup() { fx.stop(); }

    // The lists and the text fields of the global settings.
    void globalListsAndFields()
    {
        // Odd bytes in the global options: loading shows each row's entry and stores nothing.
        std::mt19937 rng(5);
        for (int offset : {7, 130, 131, 135, 196, 197, 198, 199, 200, 201, 202, 203})
            MemMap.set(0, offset, static_cast<int>(rng() & 0xFF));
        MemMap.set(0, 201, 25); // a channel beyond the list shows no entry
        const MemMapImage loaded = MemMap;
        fx.start(true);
        QVERIFY(MemMap == loaded && !fx.changed());

        // Each choice reaches the MemMap as the row stores it and marks the data changed when
        // it changed it; every list of the pane then shows what is stored. The first choice in
        // each pane keeps the odd bytes the other lists show.
        int unchanged = 0;
        auto pick = [&](const GlobalOption &row, const QString &text) {
            MemMapImage expected = MemMap;
            const bool changes = ChooseGlobalOption(expected, row, text.toStdString());
            choose(row.control, text);
            QVERIFY2(MemMap == expected, row.control);
            QCOMPARE(fx.changed(), changes);
            unchanged += changes ? 0 : 1;
            clearChanged();
            for (const GlobalOption &other : GlobalOptions()) {
                if (other.pane == row.pane) {
                    QCOMPARE(box(other.control)->currentIndex(), other.position(MemMap));
                    QCOMPARE(box(other.control)->isEnabled(), other.enabled(MemMap));
                }
            }
        };
        for (const GlobalOption &row : GlobalOptions()) {
            showTab(row.pane == GlobalPane::Settings1 ? 1 : 2);
            QComboBox *b = box(row.control);
            if (!b->isEnabled())
                continue;
            if (b->currentIndex() >= 0)
                pick(row, b->currentText());
            pick(row, b->itemText((b->currentIndex() + 1) % b->count()));
        }
        QVERIFY(unchanged > 10);

        // What is typed into the text fields.
        const struct {
            int tab;
            const char *field;
            QString typed;
            QString shown;
            int offset;
            std::vector<int> bytes;
        } cases[] = {
            {2, "txtANIID", "12g4567", "12F4567", 193, {0x2F, 0x45, 0x67}},
            {2, "txtKeyPadPwd", "12a", "000120", 189, {0x00, 0x01, 0x20}},
            {1, "txtNullFreqSub", "155.0037", "155.00250", 174, {0xAB, 0xE2}},
            {1, "txtNullFreqSub", "", "0.0", 174, {0, 0}},
            {4, "txtUCGList_0", "D023", "D023", 256, {0x88, 0x13}},
        };
        for (const auto &c : cases) {
            showTab(c.tab);
            QLineEdit *edit = field(c.field);
            typeInto(edit, c.typed);
            if (c.typed.isEmpty())
                QTest::keyClick(edit, Qt::Key_Delete);
            leave(edit);
            QCOMPARE(edit->text(), c.shown);
            for (std::size_t i = 0; i < c.bytes.size(); ++i)
                QCOMPARE(int(MemMap.get(0, c.offset + int(i))), c.bytes[i]);
            QVERIFY(fx.changed());
            clearChanged();
        }
        QVERIFY(fx.dialogs.inputs.empty());
        QCOMPARE(field("txtANIID")->toolTip(), QString(" ANI ID: Enter a 7 digit number "));
        showTab(2);
        QLineEdit *ani = field("txtANIID");
        QCOMPARE(ani->text(), QString("12F4567"));
        // Esc brings back the text from before the edit, and leaving then stores nothing.
        const MemMapImage image = MemMap;
        typeInto(ani, "777");
        QTest::keyClick(ani, Qt::Key_Escape);
        QCOMPARE(ani->text(), QString("12F4567"));
        leave(ani);
        QVERIFY(MemMap == image);
        QVERIFY(!fx.changed());

        // A pick-list entry that is not an octal code is refused; the entry keeps the code it had
        // when it got the focus. Another window taking the focus for a moment is not a new visit:
        // the bad entry is still refused afterwards, and Esc still brings back that code.
        showTab(4);
        QLineEdit *first = field("txtUCGList_0");
        typeInto(first, "D999");
        leave(first);
        QCOMPARE(fx.dialogs.messages.size(), std::size_t(1));
        QCOMPARE(fx.dialogs.messages[0].caption, std::string("FORMAT ERROR"));
        QCOMPARE(first->text(), QString("D023"));
        QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            typeInto(first, "D2Z");
            QApplication::sendEvent(first, &away);
            QApplication::sendEvent(first, &back);
            QTest::keyClick(first, key);
            QCOMPARE(first->text(), QString("D023"));
        }
        QCOMPARE(fx.dialogs.messages.size(), std::size_t(2));
        QVERIFY(MemMap == image);

        // A pending edit is kept on a click on another tab or on the tree.
        showTab(2);
        typeInto(field("txtANIID"), "1234567");
        showTab(3); // leaving the pane is leaving the field
        QCOMPARE(MemMap.get(0, 193), std::uint8_t(0x23));
        QVERIFY(fx.changed());
        showTab(4);
        typeInto(field("txtUCGList_31"), "D023");
        fx.clickNode(FirstGroupNode);
        QCOMPARE(g_sPaneView, std::string("Channels"));
        QCOMPARE(MemMap.get(0, 256 + 62), std::uint8_t(0x88));
    }

    // Check boxes, buttons, the command group's dependent lists; the names and fit of them all.
    void otherControls()
    {
        MemMap.set(0, 321 + 2 * 6, 25); // above the channels: channel 1
        MemMap.set(0, 320 + 2 * 6, 0);
        const struct {
            int tab;
            const char *name;
            int offset, mask;
        } boxes[] = {{1, "chkBeepDisable", 197, 0x01},
                     {2, "chkPriOpts", 197, 0x20},
                     {4, "chkUCGPickListLock", 136, 0x40}};
        fx.start(true);
        for (const auto &b : boxes) {
            showTab(b.tab);
            auto *box = fx.window->findChild<QCheckBox *>(b.name);
            const int before = MemMap.get(0, b.offset);
            QCOMPARE(box->isChecked(), (before & b.mask) != 0);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            QCOMPARE(int(MemMap.get(0, b.offset)), before ^ b.mask);
            QVERIFY(fx.changed());
            clearChanged();
        }
        // The PC edit lock buttons only ask back.
        showTab(2);
        const MemMapImage image = MemMap;
        for (const char *name : {"cmdPCEditPassword", "cmdPCEditProtect"})
            QTest::mouseClick(fx.window->findChild<QPushButton *>(name), Qt::LeftButton);
        QCOMPARE(fx.dialogs.messages.size(), std::size_t(2));
        QVERIFY(fx.dialogs.messages[0].text == "What?" && fx.dialogs.messages[1].text == "What?");
        QVERIFY(MemMap == image && !fx.changed());

        showTab(3);
        QCOMPARE(box("cbGrpAsn_0")->currentText(), QString("Unprogrammed"));
        QVERIFY(!box("cbChnAsn_0")->isEnabled());
        QCOMPARE(box("cbChnAsn_6")->currentText(), QString("Channel 1"));
        choose("cbGrpAsn_0", "Group 3");
        QCOMPARE(MemMap.get(0, 320), std::uint8_t(2));
        QVERIFY(box("cbChnAsn_0")->isEnabled());
        choose("cbChnAsn_0", "Channel 14");
        QCOMPARE(MemMap.get(0, 321), std::uint8_t(13));
        choose("cbGrpAsn_0", "Unprogrammed");
        QCOMPARE(MemMap.get(0, 320), std::uint8_t(255));
        QVERIFY(!box("cbChnAsn_0")->isEnabled());
        // Enabling the controls after a transfer leaves the dependent lists as the data wants them.
        EnableMainControls(false);
        QVERIFY(!box("cbGrpAsn_0")->isEnabled());
        EnableMainControls(true);
        QVERIFY(box("cbGrpAsn_0")->isEnabled() && !box("cbChnAsn_0")->isEnabled());
        MemMap.set(0, 201, 128);
        showTab(2);
        EnableMainControls(false);
        EnableMainControls(true);
        QVERIFY(box("cbPriOpts_2")->isEnabled() && !box("cbPriOpts_0")->isEnabled());

        // The inputs are named, a check box by its own text, and every control fits the panes at
        // the smallest window the size rules allow.
        for (const auto &[control, name] : {std::pair{"cbANI", "ANI Rate:"},
                                            {"txtGroupLabel", "Group Label:"},
                                            {"txtUCGList_6", "User TX Guard 7:"},
                                            {"txtKeyPadPwd", "Keypad Edit Password:"}})
            QCOMPARE(fx.window->findChild<QWidget *>(control)->accessibleName(), QString(name));
        MemMap.set(0, 113, 1);
        showTab(2);
        showTab(1);
        auto *serial = fx.window->findChild<QLabel *>("lblEmbededSN");
        QCOMPARE(serial->text(), QString("10.00.000"));
        QCOMPARE(serial->accessibleName(), QString("Embeded Serial Number: 10.00.000"));
        fx.window->resize(1, 1);
        QCoreApplication::processEvents();
        const char *panes[] = {"fraGlobalSettings1", "fraGlobalSettings2", "fraCmdGrp",
                               "fraUCGPickList", "fraGrid"};
        for (int tab = 1; tab <= 5; ++tab) {
            auto *pane = fx.child<QGroupBox>(panes[tab - 1]);
            if (tab < 5) {
                showTab(tab);
                checkPaneFits(pane);
            }
            for (QWidget *w : pane->findChildren<QWidget *>()) {
                auto *check = qobject_cast<QCheckBox *>(w);
                if (qobject_cast<QComboBox *>(w) || check ||
                    (qobject_cast<QLineEdit *>(w) && !qobject_cast<QComboBox *>(w->parentWidget())))
                    QVERIFY2(!w->accessibleName().isEmpty() || (check && !check->text().isEmpty()),
                             qPrintable(w->objectName()));
            }
        }
    }

private:
    // 1-based
    void showTab(int tab)
    {
        auto *tabs = fx.child<QTabBar>("Tab1Tabs");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab - 1).center());
        QCOMPARE(g_iLastTab, tab);
    }

    QComboBox *box(const char *name) const { return fx.child<QComboBox>(name); }
    QLineEdit *field(const char *name) const { return fx.child<QLineEdit>(name); }

    // Picks an entry as the user does.
    void choose(const char *name, const QString &text)
    {
        QComboBox *b = box(name);
        QVERIFY(b->isVisible() && b->isEnabled());
        const int index = b->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        b->setCurrentIndex(index);
        Q_EMIT b->activated(index);
    }

    void typeInto(QLineEdit *edit, const QString &text)
    {
        edit->setFocus(Qt::TabFocusReason);
        QVERIFY(edit->hasFocus());
        // Getting the focus selects all, so typing replaces the text.
        QCOMPARE(edit->selectedText(), edit->text());
        QTest::keyClicks(edit, text);
    }

    void leave(QLineEdit *edit)
    {
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!edit->hasFocus());
    }

    void clearChanged()
    {
        fx.window->setWindowTitle(fx.window->windowTitle().remove(QString(" *")));
    }

    void checkPaneFits(QGroupBox *p)
    {
        QVERIFY(p->isVisible());
        const QRect inside = p->contentsRect();
        const auto children = p->findChildren<QWidget *>();
        int count = 0;
        for (QWidget *w : children) {
            if (w->isHidden() || w->objectName().isEmpty() ||
                w->parentWidget()->inherits("QComboBox"))
                continue;
            const QRect r(w->mapTo(p, QPoint(0, 0)), w->size());
            QVERIFY2(inside.contains(r), qPrintable(w->objectName()));
            QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
            // A list or a label that is narrower than its text cuts it off.
            if (qobject_cast<QComboBox *>(w) || qobject_cast<QLabel *>(w))
                QVERIFY2(w->width() >= w->sizeHint().width() - 1 ||
                             (qobject_cast<QLabel *>(w) && qobject_cast<QLabel *>(w)->wordWrap()),
                         qPrintable(w->objectName()));
            ++count;
        }
        QVERIFY(count > 5);
        // No two input controls overlap.
        for (QWidget *a : children) {
            for (QWidget *b : children) {
                if (a == b || a->isHidden() || b->isHidden() ||
                    a->parentWidget() != b->parentWidget())
                    continue;
                const bool inputA = qobject_cast<QComboBox *>(a) || qobject_cast<QLineEdit *>(a);
                const bool inputB = qobject_cast<QComboBox *>(b) || qobject_cast<QLineEdit *>(b);
                if (inputA && inputB)
                    QVERIFY2(!a->geometry().intersects(b->geometry()),
                             qPrintable(a->objectName() + QString(" / ") + b->objectName()));
            }
        }
    }

    WindowFixture fx;
};

QTEST_MAIN(TestSettingsPanes)
#include "tst_settingspanes.moc"
