#include "qtplatform.h"

#include "platform.h"
#include "qtclock.h"
#include "qtdesktopregistry.h"
#include "qtexitdialog.h"
#include "qtserialport.h"
#include "qttabledialog.h"
#include "tempname.h"

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
#include <climits>
#include <cstring>
#include <ctime>
#include <random>

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
    // Each write replaces the whole file on disk; restoring a value is no change.
    const QVariant stored = settings.value(q(key));
    if (stored.isValid() && stored.toString() == q(value))
        return;
    settings.setValue(q(key), q(value));
}

std::string QtSettingsStore::unusableFile(const std::string &app)
{
    QSettings settings(q(app), q(app));
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
    settings.sync();
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

// The file a path names once every link in its last part is followed; false for a loop.
static bool FollowLinks(std::string path, std::string &target)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {
        };
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = path;
            return true;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n <= 0)
            return false;
        link.resize(static_cast<std::size_t>(n));
        const std::size_t slash = path.rfind('/');
        if (link[0] != '/' && slash != std::string::npos)
            link = path.substr(0, slash + 1) + link;
        path = link;
    }
    errno = ELOOP;
    return false;
}

static std::string FolderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".")
           : slash == 0               ? std::string("/")
                                      : path.substr(0, slash);
}

static std::string NameOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool QtFileSystem::refuse(const std::string &why)
{
    m_lastWriteError = why;
    return false;
}

// A save killed between its write and its rename leaves a named temporary; the next save of the
// same file clears it once no save can still be using it.
void QtFileSystem::removeStaleTemps(const std::string &folder, const std::string &name)
{
    const std::string own = TempFileTemplate(name);
    const std::string stem = own.substr(0, own.size() - TempFileRandomLength);
    for (const std::string &entry : listFolder(folder)) {
        const std::string path = folder + "/" + entry;
        if (entry.compare(0, stem.size(), stem) == 0 && IsStaleTempFile(entry, ageSeconds(path)))
            ::unlink(path.c_str());
    }
}

// Gives the unnamed file a temporary name beside the target; -1 with errno when it cannot.
static int NameUnnamedFile(int fd, std::string &temp)
{
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    std::random_device random;
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const std::string pattern = temp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = pattern;
        for (std::size_t i = temp.size() - TempFileRandomLength; i < temp.size(); ++i)
            temp[i] = Letters[random() % (sizeof(Letters) - 1)];
        if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return 0;
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

bool QtFileSystem::writeAtomic(const std::string &path, const std::vector<std::uint8_t> &data)
{
    m_lastWriteError.clear();
    std::string target;
    if (path.empty() || !FollowLinks(path, target))
        return refuse(path + ": " + std::strerror(errno));
    struct stat old {
    };
    const bool existed = ::stat(target.c_str(), &old) == 0;
    // A device, a FIFO or a folder named as output must stay what it is.
    if (existed && !S_ISREG(old.st_mode))
        return refuse(target + ": not a regular file");
    // Renaming over a read-only file would succeed where writing into it fails.
    if (existed && ::access(target.c_str(), W_OK) != 0)
        return refuse(target + ": " + std::strerror(errno));

    const std::string folder = FolderOf(target);
    removeStaleTemps(folder, NameOf(target));
    // Written beside the file, then renamed over it: the old file stays whole until the new one
    // is. Unnamed until the rename where the file system allows, so a kill leaves nothing.
    std::string temp = folder + "/" + TempFileTemplate(NameOf(target));
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    const bool unnamed = fd >= 0;
    if (!unnamed)
        fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return refuse(target + ": " + std::strerror(errno));
    mode_t mode = 0;
    if (existed) {
        mode = old.st_mode & 07777;
        // Root saving a technician's file leaves it theirs.
        const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        (void)owned;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data) && ::fsync(fd) == 0;
    int error = errno;
    if (ok && beforeRename)
        beforeRename();
    if (ok && unnamed && NameUnnamedFile(fd, temp) != 0) {
        ok = false;
        error = errno;
    }
    const bool named = !unnamed || ok;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        if (named)
            ::unlink(temp.c_str());
        return refuse(target + ": " + std::strerror(error));
    }
    // The new name lasts a power cut only once the folder is on disk too.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

std::string QtFileSystem::lastWriteError()
{
    return m_lastWriteError;
}

long long QtFileSystem::ageSeconds(const std::string &path)
{
    struct stat st {
    };
    if (!StatPath(path, st))
        return -1;
    return static_cast<long long>(std::time(nullptr) - st.st_mtime);
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
