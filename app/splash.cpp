#include "splash.h"

#include "appsettings.h"
#include "version.h"

#include <QLabel>
#include <QVBoxLayout>

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QString::fromStdString(ProgramTitle), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(20);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    auto *version = new QLabel(tr("Version %1").arg(QStringLiteral(TESSARO_VERSION_TEXT)), this);
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(version);
    setFixedSize(420, 180);
}
