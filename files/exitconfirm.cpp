#include "exitconfirm.h"

#include "appglobals.h"
#include "appsettings.h"
#include "filecommands.h"
#include "platform.h"

#include <algorithm>
#include <cctype>

ExitQuestion ExitQuestionFor(bool unsaved)
{
    ExitQuestion q;
    q.offerSave = unsaved;
    const std::string question = "Are you sure you wish to exit " + ProgramTitle + "?      ";
    if (unsaved) {
        std::string title = ProgramTitle;
        std::transform(title.begin(), title.end(), title.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        q.caption = "EXIT " + title;
        q.text = "The data currently displayed has not been      \r\nsaved.  " + question;
    } else {
        q.caption = "CONFIRM EXIT";
        q.text = question;
    }
    return q;
}

bool ConfirmExit()
{
    g_bExitUnsaved = IsDataChanged();
    g_bExitCancel = true;
    g_bExitSave = false;
    switch (platform().dialogs->askExit(ExitQuestionFor(g_bExitUnsaved))) {
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
