#include "mainwindow.h"

#include "appglobals.h"
#include "caption.h"

#include <QLabel>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    m_summary = new QLabel(this);
    m_summary->setAlignment(Qt::AlignCenter);
    setCentralWidget(m_summary);
    resize(800, 600);
    SetCaption(false);
}

void MainWindow::SetCaption(bool modified)
{
    setWindowTitle(QString::fromStdString(CaptionText(modified)));
    RefreshView();
}

void MainWindow::RefreshView()
{
    m_summary->setText(tr("Current data: %1")
                           .arg(QString::fromStdString(DisplayFileName(g_sCurFileName))));
}

bool MainWindow::isDataChanged() const
{
    return windowTitle().endsWith(QString::fromStdString(ModifiedMark));
}
