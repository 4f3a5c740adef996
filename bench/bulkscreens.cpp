// Drives the channel grid's bulk commands as a technician would, with the real message boxes and
// files: types four channels into group 5, inserts a channel, moves one up, sorts by receive
// frequency, fills a transmit series, saves with Ctrl+S and compares the saved group page with
// the page expected byte for byte. Pictures of every step go to OUTDIR.
// Usage: tessaro-bulk-screens OUTDIR FILE.tdf   (under xvfb-run or another display)

#include "appglobals.h"
#include "caption.h"
#include "changridpane.h"
#include "chanrecord.h"
#include "defaultimage.h"
#include "fakeplatform.h"
#include "freqcodec.h"
#include "helpwindow.h"
#include "layout.h"
#include "mainwindow.h"
#include "memmap.h"
#include "platform.h"
#include "qtplatform.h"
#include "treelogic.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <functional>

namespace
{
constexpr int Group = 4;

struct Row {
    int chan; // the default channel (0-based) the row came from
    const char *label = nullptr, *rx = nullptr, *tx = nullptr;
};
// The group as it must be saved: the four typed channels sorted first with their transmit
// series, then the default channels by frequency, the inserted inactive channel last.
const Row Expected[ChansPerGroup] = {
    {0, "ALPHA", "151.0", "151.00000"},
    {0, "MOBILE", "153.0", "151.01250"},
    {0, "BASE", "155.0", "151.02500"},
    {0, "TOWER", "158.0", "151.03750"},
    {4},
    {6},
    {8},
    {10},
    {12},
    {14},
    {16},
    {18},
    {5},
    {7},
    {9},
    {11},
    {13},
    {15},
    {17},
    {1, nullptr, "Inactive", nullptr},
};

QString g_dir;
MainWindow *g_window = nullptr;
QTableWidget *g_grid = nullptr;

void Shot(const char *name)
{
    std::fprintf(stderr, "%s\n", name);
    QTest::qWait(150);
    g_window->grab().save(QDir(g_dir).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

// A closed message box leaves the window inactive until it is activated again.
QWidget *Focus()
{
    if (!g_window->isActiveWindow()) {
        g_window->activateWindow();
        if (!QTest::qWaitForWindowActive(g_window))
            std::fprintf(stderr, "window not active\n");
    }
    return QApplication::focusWidget() ? QApplication::focusWidget() : g_grid;
}

void Key(int key, Qt::KeyboardModifiers mods = {})
{
    QTest::keyClick(Focus(), Qt::Key(key), mods);
    QTest::qWait(30);
}

void Type(const char *text)
{
    // Each key to whatever has the focus: the first one opens the cell editor.
    for (; *text; ++text)
        QTest::keyClick(Focus(), *text);
}

void GoTo(int row, int col)
{
    Focus();
    g_grid->setFocus();
    QTest::mouseClick(g_grid->viewport(), Qt::LeftButton, {},
                      g_grid->visualItemRect(g_grid->item(row - 1, col - 1)).center());
}

// The modal window that opens next is pictured, then `then` answers it.
void OnModal(const char *name, const std::function<void(QWidget *)> &then)
{
    QTimer::singleShot(400, [name, then] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            modal->grab().save(
                QDir(g_dir).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
            then(modal);
        } else {
            std::fprintf(stderr, "no modal window for %s\n", name);
        }
    });
}

MemMapImage ExpectedImage()
{
    MemMapImage defaults, expected;
    LoadDefaultImage(defaults);
    LoadDefaultImage(expected);
    const int page = Layout::GroupPage(Group);
    for (int c = 0; c < ChansPerGroup; ++c) {
        const Row &r = Expected[c];
        for (int f = 0; f < Layout::ChanRecordSize; ++f)
            expected.set(page, Layout::ChanRecord(c) + f,
                         defaults.get(page, Layout::ChanRecord(r.chan) + f));
        if (r.label)
            SetChanLabel(expected, Group, c, r.label);
        if (r.rx)
            SetChanFreq(expected, Group, c, true, r.rx);
        if (r.tx)
            SetChanFreq(expected, Group, c, false, r.tx);
    }
    return expected;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: tessaro-bulk-screens OUTDIR FILE.tdf\n");
        return 2;
    }
    g_dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_dir);
    const std::string file = argv[2];
    QtFileSystem files;
    QtDialogs dialogs;
    FakeSettings settings;
    platform().files = &files;
    platform().dialogs = &dialogs;
    platform().settings = &settings;
    platform().programFolder = QDir::tempPath().toStdString();
    platform().documentsFolder = QDir::tempPath().toStdString();
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);

    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            modal->grab().save(QDir(g_dir).filePath(QStringLiteral("unexpected.png")));
            std::fprintf(stderr, "unexpected %s\n", qPrintable(modal->windowTitle()));
        }
    });
    watchdog.start(5000);
    MainWindow window;
    g_window = &window;
    g_bLoading = true;
    window.LoadWindow();
    g_bLoading = false;
    window.resize(1100, 760);
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        std::fprintf(stderr, "window not active\n");
    QTreeWidget *tree = window.treeView();
    QTreeWidgetItem *item = window.treeItem(GroupNode(Group));
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    g_grid = window.gridPane()->grid();

    const char *typed[][3] = {{"BASE", "155", "155"},
                              {"ALPHA", "151", nullptr},
                              {"TOWER", "158", nullptr},
                              {"MOBILE", "153", nullptr}};
    for (int c = 0; c < 4; ++c) {
        GoTo(c + 1, 1);
        Type(typed[c][0]);
        Key(Qt::Key_Tab);
        Type(typed[c][1]);
        Key(Qt::Key_Tab);
        Key(Qt::Key_Tab);
        if (typed[c][2])
            Type(typed[c][2]);
        Key(Qt::Key_Return);
    }
    Shot("1-typed");

    // Insert before channel 2: channel 20 is active, so the question comes first.
    GoTo(2, 1);
    OnModal("2-insert-question", [](QWidget *box) {
        static_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
    });
    Key(Qt::Key_Plus, Qt::ControlModifier);
    Shot("2-inserted");

    GoTo(4, 1); // TOWER up twice, over ALPHA and the new channel
    Key(Qt::Key_Up, Qt::AltModifier);
    Key(Qt::Key_Up, Qt::AltModifier);
    Shot("3-moved");

    Key(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    Shot("4-sorted");

    GoTo(1, 4);
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Down, Qt::ShiftModifier);
    OnModal("5-fill-dialog", [](QWidget *dlg) {
        dlg->findChild<QLineEdit *>(QStringLiteral("txtFillStart"))->setText(QStringLiteral("151"));
        dlg->findChild<QComboBox *>(QStringLiteral("cbFillStep"))
            ->setEditText(QStringLiteral("12.5"));
        dlg->grab().save(QDir(g_dir).filePath(QStringLiteral("5-fill-dialog-filled.png")));
        QTest::keyClick(dlg, Qt::Key_Return);
    });
    Key(Qt::Key_D, Qt::ControlModifier);
    Shot("6-filled");
    window.gridPane()->grab().save(QDir(g_dir).filePath(QStringLiteral("6-filled-pane.png")));

    // The grid's pop-up menu with the commands.
    QTimer::singleShot(400, [] {
        if (QWidget *menu = QApplication::activePopupWidget()) {
            menu->grab().save(QDir(g_dir).filePath(QStringLiteral("8-popup.png")));
            menu->close();
        }
    });
    QTest::mouseClick(g_grid->viewport(), Qt::RightButton, {},
                      g_grid->visualItemRect(g_grid->item(5, 1)).center());

    // A new file: Save asks for its name.
    QFile::remove(QString::fromLocal8Bit(file.c_str()));
    OnModal("7-save-as", [file](QWidget *dlg) {
        auto *name = dlg->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        name->setText(QString::fromLocal8Bit(file.c_str()));
        QTest::keyClick(name, Qt::Key_Return);
    });
    Key(Qt::Key_S, Qt::ControlModifier);
    Shot("7-saved");

    QFile saved(QString::fromLocal8Bit(file.c_str()));
    if (!saved.open(QIODevice::ReadOnly)) {
        std::printf("saved file missing\n");
        return 1;
    }
    const QByteArray bytes = saved.readAll();
    const MemMapImage expected = ExpectedImage();
    const int page = Layout::GroupPage(Group);
    int wrong = 0;
    for (int offset = 0; offset < PageSize; ++offset) {
        const int got = static_cast<unsigned char>(bytes.at(page * PageSize + offset));
        if (got != expected.get(page, offset) && ++wrong <= 10)
            std::printf("offset %d: %d, expected %d\n", offset, got, expected.get(page, offset));
    }
    std::printf("file %lld bytes; group %d page: %d bytes differ from the expected page\n",
                static_cast<long long>(bytes.size()), Group + 1, wrong);
    for (int c = 0; c < ChansPerGroup; ++c)
        std::printf("%2d %s %s %s\n", c + 1, GetChanLabel(MemMap, Group, c).c_str(),
                    GetChanFreq(MemMap, Group, c, true).c_str(),
                    GetChanFreq(MemMap, Group, c, false).c_str());
    std::printf("caption: %s\n", window.windowTitle().toUtf8().constData());
    // The help page that describes the commands.
    HelpWindow help;
    help.ShowOverview();
    help.browser()->setSource(QUrl(QStringLiteral("ChannelGrid.htm")));
    help.resize(900, 1000);
    help.show();
    if (QTest::qWaitForWindowExposed(&help)) {
        help.browser()->scrollToAnchor(QStringLiteral("bulk"));
        QTest::qWait(200);
        help.grab().save(QDir(g_dir).filePath(QStringLiteral("9-help.png")));
    }
    return wrong ? 1 : 0;
}
