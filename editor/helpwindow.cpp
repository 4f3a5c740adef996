#include "helpwindow.h"

#include "appsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

QString HelpFolder()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        QDir(exeDir).filePath(QStringLiteral("../share/zpa-tessaro-editor/help")),
        QStringLiteral(TESSARO_HELP_SOURCE_DIR),
    };
    for (const QString &dir : candidates) {
        if (QFileInfo::exists(QDir(dir).filePath(QStringLiteral("Overview.htm"))))
            return QDir(dir).canonicalPath();
    }
    return {};
}

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QString::fromStdString(ProgramTitle) + QStringLiteral(" Help"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setAccessibleName(QStringLiteral("Help text"));
    m_browser->setOpenExternalLinks(true);

    auto *back = new QPushButton(tr("&Back"), this);
    back->setObjectName(QStringLiteral("cmdBack"));
    auto *home = new QPushButton(tr("&Overview"), this);
    home->setObjectName(QStringLiteral("cmdOverview"));
    auto *close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(home, &QPushButton::clicked, this, [this] { ShowOverview(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(home);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(720, 620);
}

bool HelpWindow::ShowOverview()
{
    const QString folder = HelpFolder();
    if (folder.isEmpty()) {
        m_browser->setHtml(tr("<p>The help pages were not found. They are installed with the "
                              "program in <tt>share/zpa-tessaro-editor/help</tt>.</p>"));
        return false;
    }
    m_browser->setSearchPaths({folder});
    m_browser->setSource(
        QUrl::fromLocalFile(QDir(folder).filePath(QStringLiteral("Overview.htm"))));
    return true;
}
