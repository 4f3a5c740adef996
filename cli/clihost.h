#pragma once

// What the link's window and message calls become without a window: progress goes to a
// callback, messages are kept (never asked), so a job can name why it failed.

#include "dialogs.h"
#include "windowservices.h"

#include <functional>
#include <string>
#include <vector>

class CliWindow : public WindowServices
{
public:
    // Called with the share done (0..1) of the whole job and the current status text.
    std::function<void(double, const std::string &)> onProgress;
    // The job's transfers share the bar in equal parts; phase counts from 0.
    int phase = 0;
    int phases = 1;
    std::string phaseName; // "backup", "write", "verify"; put before the status text

    std::string caption() override { return {}; }
    void setCaption(const std::string &) override {}
    void showStatus(const std::string &text) override;
    void showProgress(bool) override {}
    void showProgressText(bool, const std::string &) override {}
    void setProgress(int iVal, int iMax) override;
    void enableControls(bool) override {}
    void rebuildTree() override {}
    void refreshPane() override {}
    void optionsMenuChanged() override {}

private:
    std::string m_status;
    int m_lastPermille = -1;
};

class CliDialogs : public Dialogs
{
public:
    MsgAnswer message(const std::string &text, const std::string &caption, MsgButtons buttons,
                      MsgIcon icon) override;
    std::optional<std::string> input(const std::string &, const std::string &,
                                     const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const FileDialogRequest &) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest &) override { return std::nullopt; }
    ExitChoice askExit(const ExitQuestion &) override { return ExitChoice::Exit; }
    void showTable(const TableRequest &) override {}

    // Each message on one line: "CAPTION: text".
    std::vector<std::string> messages;
};
