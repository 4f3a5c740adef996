#pragma once

// The main window on the platform doubles, shared by the GUI suites: a fresh window on the
// default image for each test, and the pop-up menus it shows, recorded and closed at once.

#include "appglobals.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "mainwindow.h"
#include "memmap.h"
#include "platform.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>
#include <utility>
#include <vector>

// Records each pop-up menu shown (its name and item captions, "-" for separators) and closes it,
// so a modal exec() returns without a click.
class PopupCatcher : public QObject
{
public:
    PopupCatcher() { qApp->installEventFilter(this); }
    ~PopupCatcher() override { qApp->removeEventFilter(this); }

    std::vector<std::pair<QString, QStringList>> shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *menu = qobject_cast<QMenu *>(watched);
        if (menu && event->type() == QEvent::Show && menu->isWindow()) {
            QStringList items;
            for (QAction *a : menu->actions())
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
            shown.push_back({menu->objectName(), items});
            QTimer::singleShot(0, menu, &QMenu::close);
        }
        return false;
    }
};

struct WindowFixture {
    MemoryFileSystem fs;
    FakeSettings settings;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<PopupCatcher> popups;

    // Doubles installed, program-wide state reset, the default image loaded; no window yet.
    void reset()
    {
        window.reset();
        InstallDoubles(fs, settings, dialogs);
        platform().programFolder = "/home/tech/.local/share/ZPA Tessaro Editor";
        platform().documentsFolder = "/home/tech/Documents/My QV Radios";
        ResetAppGlobals();
        g_sFactoryFile = platform().programFolder + "/Factory.def";
        g_sUserFile = platform().programFolder + "/User.def";
        g_sCurFileName = "DEFAULT VALUES";
        LoadDefaultImage(MemMap);
        popups = std::make_unique<PopupCatcher>();
    }

    // Loads and shows the window as start-up does; active, for tests that type into it.
    void start(bool active = false)
    {
        window = std::make_unique<MainWindow>();
        g_bLoading = true;
        window->LoadWindow();
        g_bLoading = false;
        if (active) {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
        }
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void stop() { window.reset(), popups.reset(); }

    bool changed() const { return window->windowTitle().endsWith(QStringLiteral(" *")); }
    template <class T> T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QString status() const { return window->findChild<QLabel *>("sbpStatus")->text(); }
    void trigger(const char *action) const { child<QAction>(action)->trigger(); }

    // Clicks a node of the tree, scrolled into view, as the user does.
    void clickNode(int node, Qt::MouseButton button = Qt::LeftButton) const
    {
        auto *tree = child<QTreeWidget>("TreeView");
        tree->scrollToItem(window->treeItem(node));
        QTest::mouseClick(tree->viewport(), button, {},
                          tree->visualItemRect(window->treeItem(node)).center());
    }

    // Types into whichever control has the focus, as a keyboard would.
    static void type(const char *text)
    {
        for (; *text; ++text)
            QTest::keyClick(QApplication::focusWidget(), *text);
    }
};
