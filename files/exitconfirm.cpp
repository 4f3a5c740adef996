#include "exitconfirm.h"

#include "appglobals.h"
#include "filecommands.h"

bool ConfirmExit(const std::function<ExitChoice(bool unsaved)> &ask)
{
    g_bExitUnsaved = IsDataChanged();
    g_bExitCancel = true;
    g_bExitSave = false;
    switch (ask(g_bExitUnsaved)) {
    case ExitChoice::Cancel:
        break;
    case ExitChoice::Exit:
        g_bExitCancel = false;
        break;
    case ExitChoice::SaveThenExit:
        g_bExitCancel = false;
        g_bExitSave = true;
        break;
    }
    if (g_bExitCancel)
        return false;
    // A save that was cancelled or failed must not throw the data away with the program.
    return !g_bExitSave || SaveAsNewFile();
}
