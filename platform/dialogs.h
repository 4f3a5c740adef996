#pragma once

#include <optional>
#include <string>
#include <vector>

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Information, Exclamation, Question, Critical };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

// The exit dialog: its caption and question, and whether it offers to save first.
enum class ExitChoice { Cancel, Exit, SaveThenExit };
struct ExitQuestion {
    std::string caption;
    std::string text; // lines joined with CR LF
    bool offerSave = false;
};

// A modal table to read and close: a heading over rows of texts under column titles.
struct TableRequest {
    std::string title;
    std::string heading;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

// One entry of a file dialog's filter: "ZPA Tessaro Editor Files (*.tdf)" with pattern "*.tdf".
struct FileFilter {
    std::string description;
    std::string pattern;
};

struct FileDialogRequest {
    std::string title;
    std::string defaultExtension; // ".tdf"
    std::vector<FileFilter> filters;
    std::string initialDir;
    std::string proposedName;     // save dialog only
    bool confirmOverwrite = true; // save dialog only
};

// Every modal message box, input box and file dialog of the program goes through here,
// so tests can assert the exact texts and script the answers.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer message(const std::string &text, const std::string &caption,
                              MsgButtons buttons, MsgIcon icon) = 0;
    // A modal text prompt; nullopt when cancelled.
    virtual std::optional<std::string> input(const std::string &prompt, const std::string &title,
                                             const std::string &defaultText) = 0;
    // Chosen path, or nullopt when cancelled. The open dialog only accepts existing files.
    virtual std::optional<std::string> openFile(const FileDialogRequest &request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest &request) = 0;
    // Closing the dialog by its frame cancels.
    virtual ExitChoice askExit(const ExitQuestion &question) = 0;
    virtual void showTable(const TableRequest &table) = 0;
};
