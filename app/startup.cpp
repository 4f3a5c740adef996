#include "startup.h"

#include "appglobals.h"
#include "appsettings.h"
#include "defaultimage.h"
#include "filetype.h"
#include "ioerror.h"
#include "memmap.h"
#include "platform.h"
#include "tdffile.h"

std::string StripCommandLineQuotes(const std::string &commandLine)
{
    std::string text = commandLine;
    if (!text.empty() && text.front() == '"')
        text.erase(0, 1);
    if (!text.empty() && text.back() == '"')
        text.pop_back();
    return text;
}

void ParseCommandLine(const std::string &commandLine)
{
    const std::string name = StripCommandLineQuotes(commandLine);
    if (!name.empty()) {
        g_sCurFileName = name;
        SaveSetting("Current File Name", g_sCurFileName);
    } else {
        g_sCurFileName = GetSetting("Current File Name", g_sFactoryFile);
    }
}

void SetUpDefaultFiles()
{
    FileSystem &fs = *platform().files;
    if (fs.exists(g_sFactoryFile)) {
        if (!fs.remove(g_sFactoryFile)) {
            ShowIOError("SetUpDefaultFiles");
            return;
        }
        LoadDefaultImage(MemMap);
    }
    bool userFileValid = false;
    if (fs.exists(g_sUserFile)) {
        if (fs.size(g_sUserFile) == TdfFileSize)
            userFileValid = true;
        else if (!fs.remove(g_sUserFile)) {
            ShowIOError("SetUpDefaultFiles");
            return;
        }
    }
    const std::vector<std::uint8_t> image = UsedPagesBytes(MemMap);
    if (!fs.writeAtomic(g_sFactoryFile, image)) {
        ShowIOError("SetUpDefaultFiles");
        return;
    }
    if (!userFileValid && !fs.writeAtomic(g_sUserFile, image))
        ShowIOError("SetUpDefaultFiles");
}

void RunStartup(const std::string &commandLine, const StartupWindows &windows)
{
    RegisterFileType();
    if (windows.showSplash)
        windows.showSplash();
    g_bLoading = true;
    // The current name is still "", so this loads the default image.
    LoadMemMapFrom_TDF_File(g_sCurFileName);

    platform().files->makePath(platform().programFolder);
    g_sFactoryFile = platform().programFolder + "/Factory.def";
    g_sUserFile = platform().programFolder + "/User.def";
    SetUpDefaultFiles();

    ParseCommandLine(commandLine);
    g_iCurGroup = 0;
    g_sPaneView = "Globals";
    g_iLastTab = 1;
    g_iLastNode = 2;
    g_bShowTuneWarning = GetSetting("Show Tune Warning Message", "Yes") == "Yes";

    if (windows.showMainWindow)
        windows.showMainWindow();
    const std::string named = StripCommandLineQuotes(commandLine);
    if (!named.empty() && platform().files->exists(named)) {
        if (!LoadMemMapFrom_TDF_File(named)) {
            // The window must not offer to save the default data under that file's name.
            g_sCurFileName = DefaultValuesName;
            SaveSetting("Current File Name", g_sCurFileName);
        }
        if (windows.refreshMainWindow)
            windows.refreshMainWindow();
    }

    if (windows.closeSplash)
        windows.closeSplash();
    g_bLoading = false;
}
