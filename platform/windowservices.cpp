#include "windowservices.h"

#include "platform.h"

static WindowServices *window()
{
    return platform().window;
}

void BuildTree()
{
    if (WindowServices *w = window())
        w->rebuildTree();
}

void SetRightPaneView()
{
    if (WindowServices *w = window())
        w->refreshPane();
}

void EnableMainControls(bool bEnable)
{
    if (WindowServices *w = window())
        w->enableControls(bEnable);
}

void StatusMsg(const std::string &sMsg)
{
    if (WindowServices *w = window())
        w->showStatus(sMsg);
}

void SetProgress(int iVal, int iMax)
{
    if (WindowServices *w = window())
        w->setProgress(iVal, iMax);
}

void ShowProgressBar(bool show)
{
    if (WindowServices *w = window())
        w->showProgress(show);
}

void ShowProgressText(bool show, const std::string &device)
{
    if (WindowServices *w = window())
        w->showProgressText(show, device);
}

void OptionsMenuChanged()
{
    if (WindowServices *w = window())
        w->optionsMenuChanged();
}
