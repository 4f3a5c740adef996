#pragma once

// The real platform services, over Qt.

#include "dialogs.h"
#include "filesystem.h"
#include "settings.h"

#include <functional>

class QWidget;

class QtSettingsStore : public SettingsStore
{
public:
    std::string get(const std::string &app, const std::string &section, const std::string &key,
                    const std::string &defaultValue) override;
    void save(const std::string &app, const std::string &section, const std::string &key,
              const std::string &value) override;
    std::string unusableFile(const std::string &app) override;
};

class QtFileSystem : public FileSystem
{
public:
    bool exists(const std::string &path) override;
    bool remove(const std::string &path) override;
    long long size(const std::string &path) override;
    std::optional<std::vector<std::uint8_t>> read(const std::string &path,
                                                  std::size_t maxBytes) override;
    bool writeAtomic(const std::string &path, const std::vector<std::uint8_t> &data) override;
    std::string lastWriteError() override;
    long long ageSeconds(const std::string &path) override;
    bool makePath(const std::string &dir) override;
    std::vector<std::string> listFolder(const std::string &dir) override;

    // Called by writeAtomic() once the data is on disk and before it takes the file's name;
    // lets a test stop a save there.
    std::function<void()> beforeRename;

private:
    bool refuse(const std::string &why);
    void removeStaleTemps(const std::string &folder, const std::string &name);
    std::string m_lastWriteError;
};

class QtDialogs : public Dialogs
{
public:
    MsgAnswer message(const std::string &text, const std::string &caption, MsgButtons buttons,
                      MsgIcon icon) override;
    std::optional<std::string> input(const std::string &prompt, const std::string &title,
                                     const std::string &defaultText) override;
    std::optional<std::string> openFile(const FileDialogRequest &request) override;
    std::optional<std::string> saveFile(const FileDialogRequest &request) override;
    ExitChoice askExit(const ExitQuestion &question) override;
    void showTable(const TableRequest &table) override;
};

// The folders of the desktop: per-user data folder, and "My QV Radios" in the documents folder.
std::string QtProgramFolder();
std::string QtDocumentsFolder();

// Installs the Qt services into platform(). Call once a QApplication exists.
void InstallQtPlatform();
