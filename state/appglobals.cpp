#include "appglobals.h"

std::string g_sCurFileName;
std::string g_sFactoryFile;
std::string g_sUserFile;
bool g_bLoading = false;
bool g_bShowTuneWarning = true;
bool g_bVerifyAfterWrite = true;
bool g_bBackupBeforeWrite = true;
bool g_bKeepHistory = true;
int g_iCurGroup = 0;
std::string g_sPaneView = "Globals";
int g_iLastTab = 1;
int g_iLastNode = 2;
bool g_bExitUnsaved = false;
bool g_bExitCancel = true;
bool g_bExitSave = false;

void ResetAppGlobals()
{
    g_sCurFileName.clear();
    g_sFactoryFile.clear();
    g_sUserFile.clear();
    g_bLoading = false;
    g_bShowTuneWarning = true;
    g_bVerifyAfterWrite = true;
    g_bBackupBeforeWrite = true;
    g_bKeepHistory = true;
    g_iCurGroup = 0;
    g_sPaneView = "Globals";
    g_iLastTab = 1;
    g_iLastNode = 2;
    g_bExitUnsaved = false;
    g_bExitCancel = true;
    g_bExitSave = false;
}
