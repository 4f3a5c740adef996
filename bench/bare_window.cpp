// The floor for start-up: a bare Qt main window with a menu bar, nothing else.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt Window"));
    for (const char *title : {"&File", "Read", "Write", "&Edit", "&Options", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Item"));
    window.resize(767, 580);
    window.show();
    return QApplication::exec();
}
