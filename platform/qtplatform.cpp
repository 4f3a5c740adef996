#include "qtplatform.h"

#include "platform.h"
#include "qtclock.h"
#include "qtdesktopregistry.h"
#include "qtexitdialog.h"
#include "qtserialport.h"
#include "qttabledialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

QSettings &QtSettingsStore::Store(const std::string &app)
{
    QPointer<QSettings> &store = m_stores[app];
    if (!store) {
        if (!QCoreApplication::instance()) {
            m_fallback = std::make_unique<QSettings>(q(app), q(app));
            return *m_fallback;
        }
        // Owned by the application, so its last changes are written when the application ends.
        store = new QSettings(q(app), q(app), QCoreApplication::instance());
    }
    return *store;
}

std::string QtSettingsStore::get(const std::string &app, const std::string &section,
                                 const std::string &key, const std::string &defaultValue)
{
    QSettings &settings = Store(app);
    settings.beginGroup(q(section));
    const std::string value = settings.value(q(key), q(defaultValue)).toString().toStdString();
    settings.endGroup();
    return value;
}

void QtSettingsStore::save(const std::string &app, const std::string &section,
                           const std::string &key, const std::string &value)
{
    QSettings &settings = Store(app);
    settings.beginGroup(q(section));
    // Each write replaces the whole file on disk; restoring a value is no change.
    const QVariant stored = settings.value(q(key));
    if (!stored.isValid() || stored.toString() != q(value))
        settings.setValue(q(key), q(value));
    settings.endGroup();
}

std::string QtSettingsStore::unusableFile(const std::string &app)
{
    QSettings &settings = Store(app);
    const QString path = settings.fileName();
    const QFileInfo file(path);
    bool usable = true;
    if (file.exists()) {
        usable = file.isFile() && file.isReadable() && file.isWritable();
    } else {
        // The folder is made on the first save; one of its parents must let us write.
        QFileInfo dir(file.absolutePath());
        while (!dir.exists() && !dir.isRoot())
            dir = QFileInfo(dir.absolutePath());
        usable = dir.isDir() && dir.isWritable();
    }
    // The file has been read; its changes are written from the event loop, not here.
    usable = usable && settings.status() == QSettings::NoError;
    return usable ? std::string() : QFile::encodeName(path).toStdString();
}

// Paths are the bytes the system uses, whatever their encoding, so every existing file can be
// opened: POSIX calls take them as they are, where Qt would decode and re-encode them.

static bool StatPath(const std::string &path, struct stat &st)
{
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool QtFileSystem::exists(const std::string &path)
{
    struct stat st {
    };
    return StatPath(path, st);
}

bool QtFileSystem::remove(const std::string &path)
{
    return !path.empty() && ::unlink(path.c_str()) == 0;
}

long long QtFileSystem::size(const std::string &path)
{
    struct stat st {
    };
    return StatPath(path, st) ? static_cast<long long>(st.st_size) : -1;
}

std::optional<std::vector<std::uint8_t>> QtFileSystem::read(const std::string &path,
                                                            std::size_t maxBytes)
{
    // Non-blocking, so a FIFO or a device cannot hang the program before it is refused.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(maxBytes);
    std::size_t total = 0;
    while (total < maxBytes) {
        const ssize_t got = ::read(fd, data.data() + total, maxBytes - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    ::close(fd);
    data.resize(total);
    return data;
}

static bool WriteAll(int fd, const std::vector<std::uint8_t> &data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool QtFileSystem::writeAtomic(const std::string &path, const std::vector<std::uint8_t> &data)
{
    // Written beside the file, then renamed over it: the old file stays whole until the new one
    // is. A kill in between leaves the temporary, which the next start removes.
    std::string temp = path + TempFileSuffixPattern;
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    struct stat old {
    };
    mode_t mode = 0;
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    const bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool QtFileSystem::makePath(const std::string &dir)
{
    return QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(dir)));
}

std::vector<std::string> QtFileSystem::listFolder(const std::string &dir)
{
    std::vector<std::string> names;
    DIR *d = ::opendir(dir.c_str());
    if (!d)
        return names;
    while (const dirent *entry = ::readdir(d)) {
        const std::string name = entry->d_name;
        struct stat st {
        };
        if (StatPath(dir + "/" + name, st) && S_ISREG(st.st_mode))
            names.push_back(name);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
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
    const QString initialDir = QFile::decodeName(QByteArray::fromStdString(request.initialDir));
    QDir().mkpath(initialDir);
    QFileDialog dialog(QApplication::activeWindow(), q(request.title), initialDir,
                       filterText(request));
    // FIFOs, sockets and devices are not data files: reading one would only fail.
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Drives | QDir::NoDotAndDotDot);
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
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

std::optional<std::string> QtDialogs::openFile(const FileDialogRequest &request)
{
    return runFileDialog(request, false);
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogRequest &request)
{
    return runFileDialog(request, true);
}

ExitChoice QtDialogs::askExit(const ExitQuestion &question)
{
    ExitDialog dialog(question, QApplication::activeWindow());
    dialog.exec();
    return dialog.choice();
}

void QtDialogs::showTable(const TableRequest &table)
{
    TableDialog dialog(table, QApplication::activeWindow());
    dialog.exec();
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
