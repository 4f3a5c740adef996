#include "tunelaunch.h"

#include "appglobals.h"
#include "idletexts.h"
#include "platform.h"
#include "tunehold.h"
#include "tunewindow.h"
#include "windowservices.h"

void LaunchTune(QWidget *parent)
{
    if (g_bShowTuneWarning &&
        platform().dialogs->message(TuneLaunchWarning, "TUNE: WARNING", MsgButtons::OkCancel,
                                    MsgIcon::Exclamation) == MsgAnswer::Cancel)
        return;
    if (!HoldTuneDevice())
        return;
    StatusMsg("Launching Tuning screen.....");
    {
        TuneWindow window(parent);
        window.exec();
    }
    ReleaseTuneDevice();
    StatusMsg("Ready.....");
}
