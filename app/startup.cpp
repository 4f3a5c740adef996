#include "startup.h"

#include "appglobals.h"
#include "appsettings.h"
#include "caption.h"
#include "defaultimage.h"
#include "ioerror.h"
#include "memmap.h"
#include "numtext.h"
#include "platform.h"
#include "tdffile.h"
#include "tempname.h"
#include "windowservices.h"

std::string CommandLineFileName(const std::string &commandLine)
{
    const std::string &text = commandLine;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"' &&
        !platform().files->exists(text))
        return text.substr(1, text.size() - 2);
    return text;
}

void RemoveStaleTempFiles(const std::string &folder)
{
    FileSystem &fs = *platform().files;
    for (const std::string &name : fs.listFolder(folder)) {
        const std::string path = folder + "/" + name;
        if (IsStaleTempFile(name, fs.ageSeconds(path)))
            fs.remove(path);
    }
}

void ParseCommandLine(const std::string &commandLine)
{
    const std::string name = CommandLineFileName(commandLine);
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
    // A factory file that already holds the default image is left as it is: rewriting it would
    // give the same bytes, at the cost of a disk flush at every start.
    bool factoryCurrent = false;
    if (fs.exists(g_sFactoryFile)) {
        MemMapImage defaults;
        LoadDefaultImage(defaults);
        const auto held = fs.read(g_sFactoryFile, TdfFileSize + 1);
        factoryCurrent = held && *held == UsedPagesBytes(defaults);
        if (!factoryCurrent && !fs.remove(g_sFactoryFile)) {
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
    if (!factoryCurrent && !fs.writeAtomic(g_sFactoryFile, image)) {
        ShowIOError("SetUpDefaultFiles");
        return;
    }
    if (!userFileValid && !fs.writeAtomic(g_sUserFile, image))
        ShowIOError("SetUpDefaultFiles");
}

void BeginStartup(const std::string &commandLine)
{
    g_bLoading = true;
    // The current name is still "", so this loads the default image.
    LoadMemMapFrom_TDF_File(g_sCurFileName);

    platform().files->makePath(platform().programFolder);
    for (const std::string &folder :
         {platform().programFolder, platform().programFolder + "/Backups",
          platform().documentsFolder})
        RemoveStaleTempFiles(folder);
    g_sFactoryFile = platform().programFolder + "/Factory.def";
    g_sUserFile = platform().programFolder + "/User.def";
    SetUpDefaultFiles();

    ParseCommandLine(commandLine);
    g_iCurGroup = 0;
    g_sPaneView = "Globals";
    g_iLastTab = 1;
    g_iLastNode = 2;
    g_bShowTuneWarning = GetSetting("Show Tune Warning Message", "Yes") == "Yes";
    g_bVerifyAfterWrite = GetSetting("Verify After Write", "Yes") == "Yes";
    g_bBackupBeforeWrite = GetSetting("Back Up Radio Before Write", "Yes") == "Yes";
}

void LoadCommandLineFile(const std::string &commandLine)
{
    const std::string named = CommandLineFileName(commandLine);
    if (!named.empty() && platform().files->exists(named)) {
        if (!LoadMemMapFrom_TDF_File(named)) {
            // The window must not offer to save the default data under that file's name.
            g_sCurFileName = DefaultValuesName;
            SaveSetting("Current File Name", g_sCurFileName);
        }
        SetCaption(false);
        BuildTree();
        SetRightPaneView();
    }
}

std::string SettingsUnusableStatus(const std::string &file)
{
    return "Settings cannot be read or stored: " + file + ".....";
}

void EndStartup()
{
    g_bLoading = false;
    const std::string unusable = platform().settings->unusableFile(ProgramTitle);
    if (!unusable.empty())
        StatusMsg(SettingsUnusableStatus(unusable));
}
