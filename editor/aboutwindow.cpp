#include "aboutwindow.h"

#include "appsettings.h"
#include "platform.h"
#include "serialdevices.h"
#include "version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSysInfo>
#include <QVBoxLayout>

std::string SystemInformationText()
{
    QStringList lines;
    lines << QStringLiteral("%1 version %2")
                 .arg(QString::fromStdString(ProgramTitle), QStringLiteral(TESSARO_VERSION_TEXT));
    lines << QStringLiteral("Qt version: %1 (built with %2)")
                 .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
    lines << QStringLiteral("System: %1, %2")
                 .arg(QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture());
    lines << QString();
    const auto ports = QSerialPortInfo::availablePorts();
    if (ports.isEmpty()) {
        lines << QStringLiteral("Serial devices found: none");
    } else {
        lines << QStringLiteral("Serial devices found:");
        for (const QSerialPortInfo &port : ports) {
            QString line = QStringLiteral("  ") + port.systemLocation();
            if (!port.description().isEmpty())
                line += QStringLiteral(" (") + port.description() + QLatin1Char(')');
            lines << line;
        }
    }
    lines << QString();
    int named = 0;
    for (int port = 1; port <= 10; ++port) {
        const std::string device = CommPortDevice(port);
        if (device.empty())
            continue;
        lines << QStringLiteral("Comm Port %1: %2").arg(port).arg(QString::fromStdString(device));
        ++named;
    }
    if (named == 0)
        lines << QStringLiteral("No Comm Port names a serial device.");
    return lines.join(QStringLiteral("\r\n")).toStdString();
}

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ZPA Tessaro"));
    auto *title = new QLabel(QString::fromStdString(ProgramTitle), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont font = title->font();
    font.setPointSize(font.pointSize() + 6);
    font.setBold(true);
    title->setFont(font);
    auto *version =
        new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(TESSARO_VERSION_TEXT)), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *description =
        new QLabel(tr("Programs the channels, groups and options of ZPA Tessaro hand-held "
                      "radios over a serial cable."),
                   this);
    description->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto *sysInfo = buttons->addButton(tr("&System Info..."), QDialogButtonBox::ActionRole);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(sysInfo, &QPushButton::clicked, this, [] {
        platform().dialogs->message(SystemInformationText(), "SYSTEM INFORMATION", MsgButtons::Ok,
                                    MsgIcon::Information);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(description);
    layout->addStretch();
    layout->addWidget(buttons);
    resize(420, 220);
}
