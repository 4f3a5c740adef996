// The Serial Ports dialog used as a technician does, with the machine's own ports and two
// tessaro-radio-sim radios on pseudo-terminals: the list, a pin made, a radio tested, one radio
// stopped and started while the dialog is open, and the Options menu's tips afterwards.
// Runs on the real settings store, so give it a private HOME and XDG_CONFIG_HOME.
//
// usage: tessaro-ports-technician SIM-PROGRAM OUTDIR   (under xvfb-run or another display)

#include "appglobals.h"
#include "defaultimage.h"
#include "mainwindow.h"
#include "memmap.h"
#include "platform.h"
#include "qtplatform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include <cstdio>
#include <memory>

namespace
{

QString s_sim;

// A radio with its own serial number, pinned to Comm Port n by the simulator itself.
std::unique_ptr<QProcess> StartRadio(int port, const char *serial, QString &device)
{
    auto radio = std::make_unique<QProcess>();
    radio->start(s_sim, {QStringLiteral("--serial"), QString::fromLatin1(serial),
                         QStringLiteral("--set-comm-port"), QString::number(port)});
    if (!radio->waitForStarted(5000) || !radio->waitForReadyRead(5000))
        return nullptr;
    device = QString::fromUtf8(radio->readLine()).trimmed();
    std::printf("radio %s on %s as Comm Port %d\n", serial, qPrintable(device), port);
    return radio;
}

void Shot(QWidget *widget, const QDir &out, const char *name)
{
    QTest::qWait(200);
    widget->grab().save(out.filePath(QString::fromLatin1(name)));
}

void PrintGrid(QTableWidget *grid)
{
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c)
            cells << grid->item(r, c)->text();
        std::printf("  | %s\n", qPrintable(cells.join(QStringLiteral(" | "))));
    }
}

int RowOf(QTableWidget *grid, const QString &device)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0)->text() == device)
            return r;
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tessaro-ports-technician SIM-PROGRAM OUTDIR\n");
        return 2;
    }
    s_sim = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    InstallQtPlatform();
    g_sCurFileName = "DEFAULT VALUES";
    LoadDefaultImage(MemMap);

    QString deviceA, deviceB;
    std::unique_ptr<QProcess> radioA = StartRadio(1, "1111111", deviceA);
    std::unique_ptr<QProcess> radioB = StartRadio(2, "2222222", deviceB);
    if (!radioA || !radioB)
        return 1;

    MainWindow window;
    window.LoadWindow();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    window.findChild<QAction *>(QStringLiteral("mnuSerialPorts"))->trigger();
    auto *dialog = window.findChild<QDialog *>(QStringLiteral("frmSerialPorts"));
    auto *grid = dialog->findChild<QTableWidget *>(QStringLiteral("grdPorts"));
    Shot(dialog, out, "ports-1-list.png");
    std::printf("list:\n");
    PrintGrid(grid);

    // Radio B moves from Comm Port 2 to Comm Port 3 for good; Comm Port 2 goes automatic.
    auto *port = dialog->findChild<QComboBox *>(QStringLiteral("cbCommPort"));
    grid->selectRow(RowOf(grid, deviceB));
    port->setCurrentIndex(2);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdPin")), Qt::LeftButton);
    port->setCurrentIndex(1);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdUnpin")), Qt::LeftButton);
    grid->selectRow(RowOf(grid, deviceB));
    Shot(dialog, out, "ports-2-pinned.png");
    std::printf("after pinning %s to Comm Port 3 and unpinning Comm Port 2:\n",
                qPrintable(deviceB));
    PrintGrid(grid);

    dialog->findChild<QComboBox *>(QStringLiteral("cbTestRate"))->setCurrentIndex(5);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdTest")), Qt::LeftButton);
    std::printf("test: %s\n",
                qPrintable(dialog->findChild<QLabel *>(QStringLiteral("lblTestResult"))->text()));
    Shot(dialog, out, "ports-3-tested.png");

    // Radio A goes away and comes back while the dialog is open.
    radioA->kill();
    radioA->waitForFinished(3000);
    QTest::qWait(1500);
    std::printf("radio A stopped:\n");
    PrintGrid(grid);
    Shot(dialog, out, "ports-4-stopped.png");
    radioA = StartRadio(1, "1111111", deviceA);
    QTest::qWait(1500);
    std::printf("radio A started again:\n");
    PrintGrid(grid);
    Shot(dialog, out, "ports-5-restarted.png");
    dialog->close();

    auto *options = window.findChild<QMenu *>(QStringLiteral("mnuOptions"));
    options->popup(window.mapToGlobal(QPoint(60, 30)));
    Shot(options, out, "ports-6-menu.png");
    for (int i = 0; i < 5; ++i) {
        const QAction *item = window.findChild<QAction *>(QStringLiteral("mnuComm_%1").arg(i));
        std::printf("%s: %s\n", qPrintable(item->text()), qPrintable(item->statusTip()));
    }
    options->close();

    const QString app2 = QStringLiteral("ZPA Tessaro Editor");
    QFile settings(QSettings(app2, app2).fileName());
    if (settings.open(QIODevice::ReadOnly))
        std::printf("settings file %s:\n%s\n", qPrintable(settings.fileName()),
                    settings.readAll().constData());
    radioA->kill();
    radioB->kill();
    radioA->waitForFinished(3000);
    radioB->waitForFinished(3000);
    return 0;
}
