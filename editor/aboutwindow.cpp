#include "aboutwindow.h"

#include "appsettings.h"
#include "helpwindow.h"
#include "platform.h"
#include "radiobackup.h"
#include "serialdevices.h"
#include "systeminfo.h"
#include "version.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSysInfo>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

QIcon ProgramIcon()
{
    // Qt decodes every file added here at once, so it is done once; the window frames and the
    // about box need no more than these sizes (the desktop takes the installed icons). Kept for
    // the life of the program.
    static const QIcon *const icon = [] {
        auto *made = new QIcon;
        for (int size : {16, 32, 48, 64, 128})
            made->addFile(QStringLiteral(":/appicon/zpa-tessaro-editor-%1.png").arg(size),
                          QSize(size, size));
        return made;
    }();
    return *icon;
}

static std::string usbIdentity(const SerialDeviceFacts &d)
{
    if (d.vendorId.empty() || d.productId.empty())
        return {};
    std::string text = d.vendorId + ":" + d.productId;
    for (const std::string &part : {d.manufacturer, d.product}) {
        if (!part.empty())
            text += " " + part;
    }
    if (!d.serialNumber.empty())
        text += ", serial " + d.serialNumber;
    return text;
}

std::string SystemInformationText()
{
    SystemInfo info;
    info.programVersion = TESSARO_VERSION_TEXT;
    info.qtVersion = QStringLiteral("%1 (built with %2)")
                         .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR))
                         .toStdString();
    info.system = QStringLiteral("%1, %2, %3")
                      .arg(QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture(),
                           QGuiApplication::platformName())
                      .toStdString();
    SerialDeviceTable *table = platform().devices;
    info.userName = table ? table->userName() : std::string();
    const QString app = QString::fromStdString(ProgramTitle);
    info.settingsFile = QSettings(app, app).fileName().toStdString();
    info.dataFolder = platform().programFolder;
    info.backupFolder = ReadBackupFolder();
    info.helpFolder = HelpFolder().toStdString();
    RefreshSerialDevices();
    for (const SerialDeviceFacts &d : FoundSerialDevices()) {
        SerialDeviceInfo device;
        device.path = d.kernelName;
        device.usbIdentity = usbIdentity(d);
        if (table) {
            const DeviceAccessFacts access = table->access(d.kernelName);
            device.group = access.group;
            device.access = access.access;
        }
        info.devices.push_back(device);
    }
    for (int port = 1; port <= 10; ++port)
        info.commPorts.push_back(CommPortDevice(port));
    return SystemInformationText(info);
}

SystemInfoWindow::SystemInfoWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSysInfo"));
    setWindowTitle(QStringLiteral("System Information"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtSysInfo"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setPlainText(QString::fromStdString(SystemInformationText())
                             .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto *copy = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("cmdCopy"));
    copy->setToolTip(tr("Copy the text for a support request"));
    connect(copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(text()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    resize(700, 330);
}

QString SystemInfoWindow::text() const
{
    return m_text->toPlainText();
}

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ZPA Tessaro"));
    setWindowIcon(ProgramIcon());
    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(ProgramIcon().pixmap(96, 96));
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
    connect(sysInfo, &QPushButton::clicked, this, [this] {
        auto *window = new SystemInfoWindow(this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowModality(Qt::WindowModal);
        window->show();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addWidget(description);
    texts->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    resize(460, 220);
}
