#include "ioerror.h"

#include "appsettings.h"
#include "platform.h"

void ShowIOError(const std::string &routine)
{
    if (!platform().dialogs)
        return;
    platform().dialogs->message("There was an I/O error in the sub routine: '" + routine + "'",
                                ProgramTitle, MsgButtons::Ok, MsgIcon::None);
}
