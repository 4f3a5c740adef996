#pragma once

// What the logic asks of the main window. The main window implements it; tests install a
// recording double. Without one installed, the routines below do nothing.

#include <string>

class WindowServices
{
public:
    virtual ~WindowServices() = default;
    virtual std::string caption() = 0;
    virtual void setCaption(const std::string &text) = 0;
    virtual void showStatus(const std::string &text) = 0;
    virtual void showProgress(bool show) = 0;
    // The progress bar's text names the device of the transfer while shown.
    virtual void showProgressText(bool show, const std::string &device) = 0;
    // iVal of iMax done; the window shows it as a percentage.
    virtual void setProgress(int iVal, int iMax) = 0;
    virtual void enableControls(bool enable) = 0;
    virtual void rebuildTree() = 0;
    // Reloads the visible pane from the MemMap.
    virtual void refreshPane() = 0;
    // The link changed the port or rate choice; the Options menu follows.
    virtual void optionsMenuChanged() = 0;
};

void BuildTree();
void SetRightPaneView();
void EnableMainControls(bool bEnable);
void StatusMsg(const std::string &sMsg);
void SetProgress(int iVal, int iMax);
void ShowProgressBar(bool show);
void ShowProgressText(bool show, const std::string &device = {});
void OptionsMenuChanged();
