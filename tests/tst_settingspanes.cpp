#include "appglobals.h"
#include "choicelists.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "mainwindow.h"
#include "memmap.h"
#include "platform.h"
#include "treelogic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

// The four settings panes: what each control shows for the MemMap, what a choice or an edit
// stores, and how the panes fit the smallest window.
class TestSettingsPanes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void listsHoldTheirEntries();
    void listsShowStoredValue_data();
    void listsShowStoredValue();
    void byteSevenSequence();
    void sameChoiceIsNoChange();
    void priorityChannelAndGroupEnabling();
    void backLightCoupling();
    void switchCodeWithoutName();
    void aniIdField();
    void keypadPasswordField();
    void nullFrequencyField();
    void textFieldEscape();
    void pendingEditKeptOnTabOrTreeClick();
    void pickListField();
    void pickListRejectedEntry();
    void checkBoxes();
    void commandGroup();
    void dependentListsStayDisabledAfterTransfer();
    void pcEditLockButtons();
    void accessibleNames();
    void everyControlVisibleAtMinimumSize_data();
    void everyControlVisibleAtMinimumSize();

private:
    void start();
    void showTab(int tab); // 1-based
    QComboBox *box(const char *name) const;
    QLineEdit *field(const char *name) const;
    // Picks an entry as the user does.
    void choose(const char *name, const QString &text);
    void typeInto(QLineEdit *edit, const QString &text);
    void leave(QLineEdit *edit);
    bool changed() const { return m_window->windowTitle().endsWith(QStringLiteral(" *")); }
    void clearChanged();
    std::unique_ptr<MainWindow> m_window;
    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
};

void TestSettingsPanes::init()
{
    InstallDoubles(m_fs, m_settings, m_dialogs);
    ResetAppGlobals();
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);
}

void TestSettingsPanes::cleanup()
{
    m_window.reset();
}

void TestSettingsPanes::start()
{
    m_window = std::make_unique<MainWindow>();
    g_bLoading = true;
    m_window->LoadWindow();
    g_bLoading = false;
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestSettingsPanes::showTab(int tab)
{
    auto *tabs = m_window->findChild<QTabBar *>(QStringLiteral("Tab1Tabs"));
    QVERIFY(tabs);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab - 1).center());
    QCOMPARE(g_iLastTab, tab);
}

QComboBox *TestSettingsPanes::box(const char *name) const
{
    auto *b = m_window->findChild<QComboBox *>(QString::fromLatin1(name));
    if (!b)
        qFatal("no list %s", name);
    return b;
}

QLineEdit *TestSettingsPanes::field(const char *name) const
{
    auto *f = m_window->findChild<QLineEdit *>(QString::fromLatin1(name));
    if (!f)
        qFatal("no field %s", name);
    return f;
}

void TestSettingsPanes::choose(const char *name, const QString &text)
{
    QComboBox *b = box(name);
    QVERIFY(b->isVisible());
    QVERIFY(b->isEnabled());
    const int index = b->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    b->setCurrentIndex(index);
    Q_EMIT b->activated(index);
}

void TestSettingsPanes::typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());
    // Getting the focus selects all, so typing replaces the text.
    QCOMPARE(edit->selectedText(), edit->text());
    QTest::keyClicks(edit, text);
}

void TestSettingsPanes::leave(QLineEdit *edit)
{
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(!edit->hasFocus());
}

void TestSettingsPanes::clearChanged()
{
    m_window->setWindowTitle(m_window->windowTitle().remove(QStringLiteral(" *")));
}

void TestSettingsPanes::listsHoldTheirEntries()
{
    start();
    QList<QComboBox *> boxes;
    for (const char *pane :
         {"fraGlobalSettings1", "fraGlobalSettings2", "fraCmdGrp", "fraUCGPickList", "fraGrid"})
        boxes +=
            m_window->findChild<QWidget *>(QString::fromLatin1(pane))->findChildren<QComboBox *>();
    int checked = 0;
    for (const QComboBox *b : boxes) {
        const auto &entries = ChoiceList(b->objectName().toStdString());
        QVERIFY2(!entries.empty(), qPrintable(b->objectName()));
        QStringList items;
        for (int i = 0; i < b->count(); ++i)
            items << b->itemText(i);
        QStringList expected;
        for (const std::string &e : entries)
            expected << QString::fromStdString(e);
        QCOMPARE(items, expected);
        ++checked;
    }
    // 5 switches, 8 lists of pane 1, 14 of pane 2, 40 command group lists, incoming cloning.
    QCOMPARE(checked, 5 + 8 + 14 + 40 + 1);
    QCOMPARE(box("cbFrontPorchTime")->itemText(3), QStringLiteral("1020 mSec"));
    QCOMPARE(box("cbPriOpts_3")->itemText(21), QStringLiteral("Priority 2 use MAIN channel"));
    QCOMPARE(box("cbGrpAsn_19")->itemText(25), QStringLiteral("Unprogrammed"));
}

void TestSettingsPanes::listsShowStoredValue_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value"); // -1: the default image as it is
    QTest::addColumn<QString>("shown");
    QTest::newRow("DTMF deviation default") << 1 << "cbDTMFDev" << 7 << -1 << "3000Hz";
    QTest::newRow("front porch default") << 1 << "cbFrontPorchTime" << 7 << -1 << "30 mSec";
    QTest::newRow("ANI rate default") << 1 << "cbANI" << 7 << -1 << "10 Char/Sec";
    QTest::newRow("DTMF deviation capped") << 1 << "cbDTMFDev" << 7 << 0xF8 << "4875Hz";
    QTest::newRow("ANI rate 20") << 1 << "cbANI" << 7 << 4 << "20 Char/Sec";
    QTest::newRow("priority rate") << 1 << "cbPriRate" << 135 << 3 << "1.00 Seconds";
    QTest::newRow("display frequencies") << 1 << "cbFreqDisp" << 135 << 0x80 << "Enabled";
    QTest::newRow("low power switch") << 1 << "cbToggleAssign_0" << 130 << 0xE0 << "Left Toggle";
    QTest::newRow("scan hold default") << 2 << "cbMisc_0" << 196 << -1 << "2.0 Seconds";
    QTest::newRow("TX timeout default") << 2 << "cbMisc_1" << 196 << -1 << "225 Seconds";
    QTest::newRow("busy channel") << 2 << "cbMisc_3" << 198 << 0x60 << "Lockout";
    QTest::newRow("UCG feature") << 2 << "cbUCG" << 198 << 0x80 << "Enabled";
    QTest::newRow("priority 1 MAIN")
        << 2 << "cbPriOpts_2" << 201 << 64 << "Priority 1 use MAIN channel";
    QTest::newRow("priority 2 channel") << 2 << "cbPriOpts_3" << 203 << 7 << "Channel 8";
    QTest::newRow("priority group above range") << 2 << "cbPriOpts_1" << 202 << 200 << "Group 1";
    QTest::newRow("duration always on") << 2 << "cbDispOpts_1" << 199 << 7 << "Always ON";
}

void TestSettingsPanes::listsShowStoredValue()
{
    QFETCH(int, tab);
    QFETCH(QString, control);
    QFETCH(int, offset);
    QFETCH(int, value);
    QFETCH(QString, shown);
    if (value >= 0)
        MemMap.set(0, offset, value);
    start();
    showTab(tab);
    const QComboBox *b = box(control.toLatin1().constData());
    QVERIFY(b->isVisible());
    QCOMPARE(b->currentText(), shown);
    QVERIFY(!changed());
}

void TestSettingsPanes::byteSevenSequence()
{
    start();
    showTab(1);
    QCOMPARE(MemMap.get(0, 7), std::uint8_t(128));
    choose("cbFrontPorchTime", QStringLiteral("360 mSec"));
    QCOMPARE(MemMap.get(0, 7), std::uint8_t(129));
    QVERIFY(changed());
    choose("cbANI", QStringLiteral("20 Char/Sec"));
    QCOMPARE(MemMap.get(0, 7), std::uint8_t(133));
    choose("cbFrontPorchTime", QStringLiteral("1020 mSec"));
    QCOMPARE(MemMap.get(0, 7), std::uint8_t(135));
    QCOMPARE(box("cbDTMFDev")->currentText(), QStringLiteral("3000Hz"));
    // Showing the pane again reads the same back.
    showTab(2);
    showTab(1);
    QCOMPARE(box("cbFrontPorchTime")->currentText(), QStringLiteral("1020 mSec"));
    QCOMPARE(box("cbANI")->currentText(), QStringLiteral("20 Char/Sec"));
}

void TestSettingsPanes::sameChoiceIsNoChange()
{
    start();
    showTab(1);
    const MemMapImage image = MemMap;
    choose("cbFrontPorchTime", box("cbFrontPorchTime")->currentText());
    choose("cbPriRate", box("cbPriRate")->currentText());
    QVERIFY(MemMap == image);
    QVERIFY(!changed());
}

void TestSettingsPanes::priorityChannelAndGroupEnabling()
{
    MemMap.set(0, 201, 64);
    start();
    showTab(2);
    QVERIFY(!box("cbPriOpts_0")->isEnabled());
    choose("cbPriOpts_2", QStringLiteral("Channel 5"));
    QCOMPARE(MemMap.get(0, 201), std::uint8_t(4));
    QVERIFY(box("cbPriOpts_0")->isEnabled());
    choose("cbPriOpts_2", QStringLiteral("Priority 1 OFF"));
    QCOMPARE(MemMap.get(0, 201), std::uint8_t(132));
    QVERIFY(!box("cbPriOpts_0")->isEnabled());
    QCOMPARE(box("cbPriOpts_2")->currentIndex(), 0);
    // Priority 2 follows its own channel list only.
    MemMap.set(0, 203, 3);
    showTab(1);
    showTab(2);
    QVERIFY(box("cbPriOpts_1")->isEnabled());
    QVERIFY(!box("cbPriOpts_0")->isEnabled());
    choose("cbPriOpts_1", QStringLiteral("Group 12"));
    QCOMPARE(MemMap.get(0, 202), std::uint8_t(11));
}

void TestSettingsPanes::backLightCoupling()
{
    start();
    showTab(2);
    choose("cbDispOpts_0", QStringLiteral("KeyPress"));
    choose("cbDispOpts_1", QStringLiteral("4 Seconds"));
    QCOMPARE(MemMap.get(0, 199) & 7, 4);
    choose("cbDispOpts_0", QStringLiteral("OFF"));
    QCOMPARE(box("cbDispOpts_1")->currentText(), QStringLiteral("OFF"));
    QCOMPARE(MemMap.get(0, 199) & 7, 0);
    QCOMPARE(MemMap.get(0, 197) & 6, 0);
    choose("cbDispOpts_1", QStringLiteral("3 Seconds"));
    QCOMPARE(box("cbDispOpts_0")->currentText(), QStringLiteral("Keypress & Display Change"));
    QCOMPARE(MemMap.get(0, 197) & 6, 6);
    choose("cbDispOpts_0", QStringLiteral("OFF"));
    choose("cbDispOpts_0", QStringLiteral("Display Change"));
    QCOMPARE(box("cbDispOpts_1")->currentText(), QStringLiteral("1 Second"));
    QCOMPARE(MemMap.get(0, 197) & 6, 4);
}

void TestSettingsPanes::switchCodeWithoutName()
{
    // Code 1 in the Channel Scan bits has no name: the list shows Keypad, nothing is stored.
    MemMap.set(0, 130, (MemMap.get(0, 130) & ~0x1C) | (1 << 2));
    const MemMapImage image = MemMap;
    start();
    showTab(1);
    QCOMPARE(box("cbToggleAssign_1")->currentText(), QStringLiteral("Keypad"));
    QVERIFY(MemMap == image);
    choose("cbToggleAssign_1", QStringLiteral("Always ON"));
    QCOMPARE((MemMap.get(0, 130) >> 2) & 7, 4);
}

void TestSettingsPanes::aniIdField()
{
    start();
    showTab(2);
    QLineEdit *ani = field("txtANIID");
    QCOMPARE(ani->toolTip(), QStringLiteral(" ANI ID: Enter a 7 digit number "));
    const int high192 = MemMap.get(0, 192) & 0xF0;
    typeInto(ani, QStringLiteral("12345"));
    leave(ani);
    QCOMPARE(ani->text(), QStringLiteral("12345"));
    QCOMPARE(MemMap.get(0, 192), std::uint8_t(high192 | 0xF));
    QCOMPARE(MemMap.get(0, 193), std::uint8_t(0xF1));
    QCOMPARE(MemMap.get(0, 194), std::uint8_t(0x23));
    QCOMPARE(MemMap.get(0, 195), std::uint8_t(0x45));
    QVERIFY(changed());
    showTab(1);
    showTab(2);
    QCOMPARE(ani->text(), QStringLiteral("FF12345"));
    typeInto(ani, QStringLiteral("12g4567"));
    leave(ani);
    QCOMPARE(ani->text(), QStringLiteral("12F4567"));
}

void TestSettingsPanes::keypadPasswordField()
{
    start();
    showTab(2);
    QLineEdit *pwd = field("txtKeyPadPwd");
    typeInto(pwd, QStringLiteral("12a"));
    leave(pwd);
    QCOMPARE(pwd->text(), QStringLiteral("000120"));
    QCOMPARE(MemMap.get(0, 189), std::uint8_t(0x00));
    QCOMPARE(MemMap.get(0, 190), std::uint8_t(0x01));
    QCOMPARE(MemMap.get(0, 191), std::uint8_t(0x20));
    typeInto(pwd, QStringLiteral("98765432"));
    leave(pwd);
    QCOMPARE(pwd->text(), QStringLiteral("765432"));
    QCOMPARE(MemMap.get(0, 189), std::uint8_t(0x76));
}

void TestSettingsPanes::nullFrequencyField()
{
    start();
    showTab(1);
    QLineEdit *nul = field("txtNullFreqSub");
    QCOMPARE(nul->text(), QStringLiteral("0.0"));
    typeInto(nul, QStringLiteral("155.0037"));
    leave(nul);
    QVERIFY(m_dialogs.inputs.empty());
    QCOMPARE(nul->text(), QStringLiteral("155.00250"));
    QCOMPARE(MemMap.get(0, 174), std::uint8_t(0xAB));
    QCOMPARE(MemMap.get(0, 175), std::uint8_t(0xE2));
    QVERIFY(changed());
    typeInto(nul, QString());
    QTest::keyClick(nul, Qt::Key_Delete);
    leave(nul);
    QCOMPARE(nul->text(), QStringLiteral("0.0"));
    QCOMPARE(MemMap.get(0, 174), std::uint8_t(0));
    QCOMPARE(MemMap.get(0, 175), std::uint8_t(0));
}

void TestSettingsPanes::textFieldEscape()
{
    start();
    showTab(2);
    QLineEdit *ani = field("txtANIID");
    const QString before = ani->text();
    const MemMapImage image = MemMap;
    typeInto(ani, QStringLiteral("777"));
    QTest::keyClick(ani, Qt::Key_Escape);
    QCOMPARE(ani->text(), before);
    leave(ani);
    QVERIFY(MemMap == image);
    QVERIFY(!changed());
}

void TestSettingsPanes::pendingEditKeptOnTabOrTreeClick()
{
    start();
    showTab(2);
    typeInto(field("txtANIID"), QStringLiteral("1234567"));
    showTab(3); // leaving the pane is leaving the field
    QCOMPARE(MemMap.get(0, 193), std::uint8_t(0x23));
    QVERIFY(changed());
    showTab(4);
    typeInto(field("txtUCGList_31"), QStringLiteral("D023"));
    auto *tree = m_window->findChild<QTreeWidget *>(QStringLiteral("TreeView"));
    QTreeWidgetItem *item = m_window->treeItem(FirstGroupNode);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    QCOMPARE(g_sPaneView, std::string("Channels"));
    QCOMPARE(MemMap.get(0, 256 + 62), std::uint8_t(0x88));
}

void TestSettingsPanes::pickListField()
{
    start();
    showTab(4);
    QLineEdit *first = field("txtUCGList_0");
    QCOMPARE(first->text(), QStringLiteral("000.0"));
    typeInto(first, QStringLiteral("D023"));
    leave(first);
    QCOMPARE(MemMap.get(0, 256), std::uint8_t(0x88));
    QCOMPARE(MemMap.get(0, 257), std::uint8_t(0x13));
    QCOMPARE(first->text(), QStringLiteral("D023"));
    QVERIFY(changed());
    // Enter moved on to the next entry.
    QVERIFY(field("txtUCGList_1")->hasFocus());
    typeInto(first, QStringLiteral("0"));
    leave(first);
    QCOMPARE(MemMap.get(0, 256), std::uint8_t(0));
    QCOMPARE(first->text(), QStringLiteral("000.0"));
}

void TestSettingsPanes::pickListRejectedEntry()
{
    MemMap.set(0, 256 + 2 * 6, 0x88);
    MemMap.set(0, 257 + 2 * 6, 0x13);
    start();
    showTab(4);
    QLineEdit *seventh = field("txtUCGList_6");
    QCOMPARE(seventh->text(), QStringLiteral("D023"));
    const MemMapImage image = MemMap;
    typeInto(seventh, QStringLiteral("D999")); // not an octal code
    leave(seventh);
    QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
    QCOMPARE(m_dialogs.messages[0].caption, std::string("FORMAT ERROR"));
    // The entry keeps the code it had when it got the focus.
    QCOMPARE(seventh->text(), QStringLiteral("D023"));
    QVERIFY(MemMap == image);

    // Another window taking the focus for a moment is not a new visit: the bad entry is still
    // refused afterwards, and Esc still brings back the code the field had.
    typeInto(seventh, QStringLiteral("D2Z"));
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(seventh, &away);
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(seventh, &back);
    QTest::keyClick(seventh, Qt::Key_Escape);
    QCOMPARE(seventh->text(), QStringLiteral("D023"));
    typeInto(seventh, QStringLiteral("D2Z"));
    QApplication::sendEvent(seventh, &away);
    QApplication::sendEvent(seventh, &back);
    leave(seventh);
    QCOMPARE(m_dialogs.messages.size(), std::size_t(2));
    QCOMPARE(seventh->text(), QStringLiteral("D023"));
    QVERIFY(MemMap == image);
}

void TestSettingsPanes::checkBoxes()
{
    start();
    showTab(1);
    auto *silent = m_window->findChild<QCheckBox *>(QStringLiteral("chkBeepDisable"));
    const int before = MemMap.get(0, 197);
    QTest::mouseClick(silent, Qt::LeftButton, {}, QPoint(6, silent->height() / 2));
    QCOMPARE(MemMap.get(0, 197), std::uint8_t(before ^ 1));
    QVERIFY(changed());
    showTab(4);
    auto *lock = m_window->findChild<QCheckBox *>(QStringLiteral("chkUCGPickListLock"));
    QVERIFY(lock->isChecked()); // the default image locks the tones
    QTest::mouseClick(lock, Qt::LeftButton, {}, QPoint(6, lock->height() / 2));
    QCOMPARE(MemMap.get(0, 136) & 0x40, 0);
    showTab(2);
    auto *tx = m_window->findChild<QCheckBox *>(QStringLiteral("chkPriOpts"));
    const bool was = tx->isChecked();
    QTest::mouseClick(tx, Qt::LeftButton, {}, QPoint(6, tx->height() / 2));
    QCOMPARE((MemMap.get(0, 197) & 0x20) != 0, !was);
}

void TestSettingsPanes::commandGroup()
{
    MemMap.set(0, 320 + 2 * 4, 30); // above the groups: unprogrammed
    MemMap.set(0, 321 + 2 * 6, 25); // above the channels: channel 1
    MemMap.set(0, 320 + 2 * 6, 0);
    start();
    showTab(3);
    QCOMPARE(box("cbGrpAsn_0")->currentText(), QStringLiteral("Unprogrammed"));
    QVERIFY(!box("cbChnAsn_0")->isEnabled());
    QCOMPARE(box("cbGrpAsn_4")->currentText(), QStringLiteral("Unprogrammed"));
    QCOMPARE(box("cbChnAsn_6")->currentText(), QStringLiteral("Channel 1"));
    QVERIFY(box("cbChnAsn_6")->isEnabled());
    choose("cbGrpAsn_0", QStringLiteral("Group 3"));
    QCOMPARE(MemMap.get(0, 320), std::uint8_t(2));
    QVERIFY(box("cbChnAsn_0")->isEnabled());
    QVERIFY(changed());
    choose("cbChnAsn_0", QStringLiteral("Channel 14"));
    QCOMPARE(MemMap.get(0, 321), std::uint8_t(13));
    choose("cbGrpAsn_0", QStringLiteral("Unprogrammed"));
    QCOMPARE(MemMap.get(0, 320), std::uint8_t(255));
    QVERIFY(!box("cbChnAsn_0")->isEnabled());
}

void TestSettingsPanes::dependentListsStayDisabledAfterTransfer()
{
    start();
    showTab(3);
    EnableMainControls(false);
    QVERIFY(!box("cbGrpAsn_0")->isEnabled());
    EnableMainControls(true);
    QVERIFY(box("cbGrpAsn_0")->isEnabled());
    QVERIFY(!box("cbChnAsn_0")->isEnabled());
    MemMap.set(0, 201, 128);
    showTab(2);
    EnableMainControls(false);
    EnableMainControls(true);
    QVERIFY(box("cbPriOpts_2")->isEnabled());
    QVERIFY(!box("cbPriOpts_0")->isEnabled());
}

void TestSettingsPanes::pcEditLockButtons()
{
    start();
    showTab(2);
    const MemMapImage image = MemMap;
    for (const char *name : {"cmdPCEditPassword", "cmdPCEditProtect"}) {
        auto *button = m_window->findChild<QPushButton *>(QString::fromLatin1(name));
        QVERIFY(button && button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE(m_dialogs.messages.size(), std::size_t(2));
    QCOMPARE(m_dialogs.messages[0].text, std::string("What?"));
    QCOMPARE(m_dialogs.messages[1].text, std::string("What?"));
    QVERIFY(MemMap == image);
    QVERIFY(!changed());
}

void TestSettingsPanes::accessibleNames()
{
    start();
    QCOMPARE(box("cbANI")->accessibleName(), QStringLiteral("ANI Rate:"));
    QCOMPARE(field("txtGroupLabel")->accessibleName(), QStringLiteral("Group Label:"));
    QCOMPARE(field("txtUCGList_6")->accessibleName(), QStringLiteral("User TX Guard 7:"));
    QCOMPARE(box("cbMisc_1")->accessibleName(), QStringLiteral("TX Timeout Timer:"));
    QCOMPARE(field("txtKeyPadPwd")->accessibleName(), QStringLiteral("Keypad Edit Password:"));
    MemMap.set(0, 113, 1);
    showTab(2);
    showTab(1);
    auto *serial = m_window->findChild<QLabel *>(QStringLiteral("lblEmbededSN"));
    QCOMPARE(serial->text(), QStringLiteral("10.00.000"));
    QCOMPARE(serial->accessibleName(), QStringLiteral("Embeded Serial Number: 10.00.000"));
    const char *panes[] = {"fraGlobalSettings1", "fraGlobalSettings2", "fraCmdGrp",
                           "fraUCGPickList", "fraGrid"};
    for (const char *pane : panes) {
        QWidget *p = m_window->findChild<QWidget *>(QString::fromLatin1(pane));
        const auto inputs = p->findChildren<QWidget *>();
        for (QWidget *w : inputs) {
            if (qobject_cast<QComboBox *>(w) || qobject_cast<QCheckBox *>(w) ||
                (qobject_cast<QLineEdit *>(w) && !qobject_cast<QComboBox *>(w->parentWidget()))) {
                const QString name =
                    w->accessibleName().isEmpty()
                        ? (qobject_cast<QCheckBox *>(w) ? static_cast<QCheckBox *>(w)->text()
                                                        : QString())
                        : w->accessibleName();
                QVERIFY2(!name.isEmpty(), qPrintable(w->objectName()));
            }
        }
    }
}

void TestSettingsPanes::everyControlVisibleAtMinimumSize_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("pane");
    QTest::newRow("Global Settings (1)") << 1 << "fraGlobalSettings1";
    QTest::newRow("Global Settings (2)") << 2 << "fraGlobalSettings2";
    QTest::newRow("Command Group") << 3 << "fraCmdGrp";
    QTest::newRow("UTXG Pick List") << 4 << "fraUCGPickList";
}

void TestSettingsPanes::everyControlVisibleAtMinimumSize()
{
    QFETCH(int, tab);
    QFETCH(QString, pane);
    start();
    // The smallest window the size rules allow.
    m_window->resize(1, 1);
    QCoreApplication::processEvents();
    showTab(tab);
    auto *p = m_window->findChild<QGroupBox *>(pane);
    QVERIFY(p->isVisible());
    const QRect inside = p->contentsRect();
    const auto children = p->findChildren<QWidget *>();
    int count = 0;
    for (QWidget *w : children) {
        if (w->isHidden() || w->objectName().isEmpty() || w->parentWidget()->inherits("QComboBox"))
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
            if (a == b || a->isHidden() || b->isHidden() || a->parentWidget() != b->parentWidget())
                continue;
            const bool inputA = qobject_cast<QComboBox *>(a) || qobject_cast<QLineEdit *>(a);
            const bool inputB = qobject_cast<QComboBox *>(b) || qobject_cast<QLineEdit *>(b);
            if (inputA && inputB)
                QVERIFY2(!a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + QStringLiteral(" / ") + b->objectName()));
        }
    }
}

QTEST_MAIN(TestSettingsPanes)
#include "tst_settingspanes.moc"
