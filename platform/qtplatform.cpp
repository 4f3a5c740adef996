#include "qtplatform.h"

#include "platform.h"
#include "qtclock.h"
#include "qtdesktopregistry.h"
#include "qtserialport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

static QString q(const std::string &s)
{
    return QString::fromStdString(s);
}

// The texts carry CR LF line breaks; Qt shows a bare LF.
static QString displayText(const std::string &s)
{
    QString text = q(s);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string QtSettingsStore::get(const std::string &app, const std::string &section,
                                 const std::string &key, const std::string &defaultValue)
{
    QSettings settings(q(app), q(app));
    settings.beginGroup(q(section));
    return settings.value(q(key), q(defaultValue)).toString().toStdString();
}

void QtSettingsStore::save(const std::string &app, const std::string &section,
                           const std::string &key, const std::string &value)
{
    QSettings settings(q(app), q(app));
    settings.beginGroup(q(section));
    settings.setValue(q(key), q(value));
}

bool QtFileSystem::exists(const std::string &path)
{
    return !path.empty() && QFileInfo::exists(q(path));
}

bool QtFileSystem::remove(const std::string &path)
{
    return QFile::remove(q(path));
}

long long QtFileSystem::size(const std::string &path)
{
    QFileInfo info(q(path));
    return info.exists() ? info.size() : -1;
}

std::optional<std::vector<std::uint8_t>> QtFileSystem::read(const std::string &path,
                                                            std::size_t maxBytes)
{
    QFile file(q(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::vector<std::uint8_t> data(maxBytes);
    qint64 total = 0;
    while (total < static_cast<qint64>(maxBytes)) {
        qint64 got = file.read(reinterpret_cast<char *>(data.data()) + total,
                               static_cast<qint64>(maxBytes) - total);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        total += got;
    }
    data.resize(static_cast<std::size_t>(total));
    return data;
}

bool QtFileSystem::writeAtomic(const std::string &path, const std::vector<std::uint8_t> &data)
{
    QSaveFile file(q(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(data.size());
    if (file.write(reinterpret_cast<const char *>(data.data()), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool QtFileSystem::makePath(const std::string &dir)
{
    return QDir().mkpath(q(dir));
}

std::vector<std::string> QtFileSystem::listFolder(const std::string &dir)
{
    std::vector<std::string> names;
    const QStringList entries = QDir(q(dir)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : entries)
        names.push_back(name.toStdString());
    return names;
}

MsgAnswer QtDialogs::message(const std::string &text, const std::string &caption,
                             MsgButtons buttons, MsgIcon icon)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(q(caption));
    box.setText(displayText(text));
    switch (icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MsgButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    default:
        // Escape or the close button: Ok for a single-button box, otherwise Cancel.
        return buttons == MsgButtons::Ok      ? MsgAnswer::Ok
               : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                              : MsgAnswer::Cancel;
    }
}

std::optional<std::string> QtDialogs::input(const std::string &prompt, const std::string &title,
                                            const std::string &defaultText)
{
    bool ok = false;
    QString answer =
        QInputDialog::getText(QApplication::activeWindow(), q(title), displayText(prompt),
                              QLineEdit::Normal, q(defaultText), &ok);
    if (!ok)
        return std::nullopt;
    return answer.toStdString();
}

static QString filterText(const FileDialogRequest &request)
{
    QStringList entries;
    for (const FileFilter &filter : request.filters) {
        QString description = q(filter.description);
        // Qt reads the pattern from the parentheses, so make sure one is there.
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + q(filter.pattern) + QLatin1Char(')');
        entries << description;
    }
    return entries.join(QStringLiteral(";;"));
}

static std::optional<std::string> runFileDialog(const FileDialogRequest &request, bool save)
{
    QDir().mkpath(q(request.initialDir));
    QFileDialog dialog(QApplication::activeWindow(), q(request.title), q(request.initialDir),
                       filterText(request));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QString ext = q(request.defaultExtension);
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    dialog.setDefaultSuffix(ext);
    if (save && !request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.proposedName.empty())
        dialog.selectFile(q(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtDialogs::openFile(const FileDialogRequest &request)
{
    return runFileDialog(request, false);
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogRequest &request)
{
    return runFileDialog(request, true);
}

std::string QtProgramFolder()
{
    // ~/.local/share/ZPA Tessaro Editor, whatever the organization name is.
    const QString dir = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                            .filePath(QStringLiteral("ZPA Tessaro Editor"));
    QDir().mkpath(dir);
    return dir.toStdString();
}

std::string QtDocumentsFolder()
{
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(docs).filePath(QStringLiteral("My QV Radios")).toStdString();
}

void InstallQtPlatform()
{
    static QtSettingsStore settings;
    static QtFileSystem files;
    static QtDialogs dialogs;
    static QtSerialPort serial;
    static QtClock clock;
    static QtDesktopRegistry desktop;
    Platform &p = platform();
    p.serial = &serial;
    p.clock = &clock;
    p.settings = &settings;
    p.files = &files;
    p.dialogs = &dialogs;
    p.desktop = &desktop;
    p.programFolder = QtProgramFolder();
    p.documentsFolder = QtDocumentsFolder();
}
