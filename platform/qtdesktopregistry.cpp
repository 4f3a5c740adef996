#include "qtdesktopregistry.h"

#include "mimeapps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

static QString q(const std::string &s)
{
    return QString::fromStdString(s);
}

static QString userDataPath(const std::string &path)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(q(path));
}

static std::optional<std::string> readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

static bool writeText(const QString &path, const std::string &text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = QByteArray::fromStdString(text);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<std::string> QtDesktopRegistry::readUserDataFile(const std::string &path)
{
    return readText(userDataPath(path));
}

bool QtDesktopRegistry::writeUserDataFile(const std::string &path, const std::string &text)
{
    return writeText(userDataPath(path), text);
}

// The mimeapps.list files in the order the desktop reads them: desktop-specific before plain,
// configuration folders before the (older) applications folders of the data folders.
static QStringList mimeAppsLists()
{
    QStringList desktops;
    for (const QString &name :
         qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        desktops << name.toLower() + QStringLiteral("-");
    desktops << QString();
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    for (const QString &data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << QDir(data).filePath(QStringLiteral("applications"));
    QStringList lists;
    for (const QString &folder : folders) {
        for (const QString &prefix : desktops)
            lists << QDir(folder).filePath(prefix + QStringLiteral("mimeapps.list"));
    }
    return lists;
}

std::string QtDesktopRegistry::defaultHandler(const std::string &mimeType)
{
    for (const QString &list : mimeAppsLists()) {
        if (auto text = readText(list)) {
            const std::string handler = MimeAppsDefault(*text, mimeType);
            if (!handler.empty())
                return handler;
        }
    }
    return {};
}

bool QtDesktopRegistry::setDefaultHandler(const std::string &mimeType,
                                          const std::string &desktopFile)
{
    const QString list =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
            .filePath(QStringLiteral("mimeapps.list"));
    const std::string text = readText(list).value_or(std::string());
    return writeText(list, MimeAppsWithDefault(text, mimeType, desktopFile));
}

bool QtDesktopRegistry::startCacheTool(const std::string &tool, const std::string &folder)
{
    const QString program = QStandardPaths::findExecutable(q(tool));
    if (program.isEmpty())
        return false;
    // Forking the whole program (as QProcess does) costs tens of milliseconds of start-up; a
    // spawned shell is small, puts the tool in the background and is reaped at once.
    const QByteArray tool8 = QFile::encodeName(program);
    const QByteArray folder8 = QFile::encodeName(userDataPath(folder));
    char sh[] = "/bin/sh";
    char dashC[] = "-c";
    char script[] = "\"$0\" \"$1\" </dev/null >/dev/null 2>&1 &";
    char *argv[] = {sh,
                    dashC,
                    script,
                    const_cast<char *>(tool8.constData()),
                    const_cast<char *>(folder8.constData()),
                    nullptr};
    pid_t shell = 0;
    if (::posix_spawn(&shell, sh, nullptr, nullptr, argv, environ) != 0)
        return false;
    int status = 0;
    while (::waitpid(shell, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string QtDesktopRegistry::programIconSvg()
{
    return readText(QStringLiteral(":/appicon/zpa-tessaro-editor.svg")).value_or(std::string());
}

std::string QtDesktopRegistry::programPath()
{
    return QCoreApplication::applicationFilePath().toStdString();
}
