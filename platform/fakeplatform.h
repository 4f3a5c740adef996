#pragma once

// Test doubles of the platform services: no disk, no display, scripted answers.

#include "desktopregistry.h"
#include "dialogs.h"
#include "filesystem.h"
#include "settings.h"
#include "windowservices.h"

#include <deque>
#include <map>
#include <set>

class FakeSettings : public SettingsStore
{
public:
    std::string get(const std::string &app, const std::string &section, const std::string &key,
                    const std::string &defaultValue) override;
    void save(const std::string &app, const std::string &section, const std::string &key,
              const std::string &value) override;
    std::string unusableFile(const std::string &) override { return unusable; }

    // Values by "app/section/key".
    std::map<std::string, std::string> values;
    int saveCount = 0;
    std::string unusable;
};

class MemoryFileSystem : public FileSystem
{
public:
    bool exists(const std::string &path) override;
    bool remove(const std::string &path) override;
    long long size(const std::string &path) override;
    std::optional<std::vector<std::uint8_t>> read(const std::string &path,
                                                  std::size_t maxBytes) override;
    bool writeAtomic(const std::string &path, const std::vector<std::uint8_t> &data) override;
    bool makePath(const std::string &dir) override;
    std::vector<std::string> listFolder(const std::string &dir) override;

    std::map<std::string, std::vector<std::uint8_t>> files;
    std::set<std::string> failWrite; // paths whose write fails
    std::set<std::string> failRead;  // paths whose read fails
    int operations = 0;              // every call counts
};

class ScriptedDialogs : public Dialogs
{
public:
    struct Message {
        std::string text;
        std::string caption;
        MsgButtons buttons;
        MsgIcon icon;
    };
    struct Input {
        std::string prompt;
        std::string title;
        std::string defaultText;
    };

    MsgAnswer message(const std::string &text, const std::string &caption, MsgButtons buttons,
                      MsgIcon icon) override;
    std::optional<std::string> input(const std::string &prompt, const std::string &title,
                                     const std::string &defaultText) override;
    std::optional<std::string> openFile(const FileDialogRequest &request) override;
    std::optional<std::string> saveFile(const FileDialogRequest &request) override;
    ExitChoice askExit(const ExitQuestion &question) override;
    void showTable(const TableRequest &table) override { tables.push_back(table); }

    // Scripted answers, used in order. An unscripted message answers Ok (Cancel when the
    // buttons offer no Ok); unscripted prompts and file dialogs are cancelled.
    std::deque<MsgAnswer> messageAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<ExitChoice> exitAnswers; // unscripted: Exit

    std::vector<Message> messages;
    std::vector<Input> inputs;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<ExitQuestion> exitQuestions;
    std::vector<TableRequest> tables;
};

// The main window as the logic sees it: remembers what it was asked.
class RecordingWindow : public WindowServices
{
public:
    std::string caption() override { return captionText; }
    void setCaption(const std::string &text) override { captionText = text; }
    void showStatus(const std::string &text) override { statusTexts.push_back(text); }
    void showProgress(bool show) override { progressShown = show; }
    void showProgressText(bool show, const std::string &device) override
    {
        progressDevice = show ? device : std::string();
    }
    void setProgress(int iVal, int iMax) override { progress.push_back({iVal, iMax}); }
    void enableControls(bool enable) override { enableCalls.push_back(enable); }
    void rebuildTree() override { ++treeRebuilds; }
    void refreshPane() override { ++paneRefreshes; }
    void optionsMenuChanged() override { ++optionsMenuChanges; }

    std::string captionText;
    std::vector<std::string> statusTexts;
    bool progressShown = false;
    std::string progressDevice;
    std::vector<std::pair<int, int>> progress;
    std::vector<bool> enableCalls;
    int treeRebuilds = 0;
    int paneRefreshes = 0;
    int optionsMenuChanges = 0;
};

// The user's data folder and the default applications in memory; cache tools are recorded.
class FakeDesktopRegistry : public DesktopRegistry
{
public:
    std::optional<std::string> readUserDataFile(const std::string &path) override;
    bool writeUserDataFile(const std::string &path, const std::string &text) override;
    std::string defaultHandler(const std::string &mimeType) override;
    bool setDefaultHandler(const std::string &mimeType, const std::string &desktopFile) override;
    bool startCacheTool(const std::string &tool, const std::string &folder) override;
    std::string programPath() override { return program; }
    std::string programIconSvg() override { return "<svg/>"; }

    std::string program = "/usr/bin/tessaro-editor";
    std::map<std::string, std::string> files;    // by path in the data folder
    std::map<std::string, std::string> defaults; // desktop file by MIME type
    std::vector<std::string> toolRuns;           // "tool folder"
    int writes = 0;
    bool failWrites = false;
    bool toolsInstalled = true;
};

// Empties the three doubles and installs them into platform().
void InstallDoubles(MemoryFileSystem &fs, FakeSettings &settings, ScriptedDialogs &dialogs);
