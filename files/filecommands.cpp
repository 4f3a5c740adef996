#include "filecommands.h"

#include "appglobals.h"
#include "appsettings.h"
#include "caption.h"
#include "ioerror.h"
#include "platform.h"
#include "recordevent.h"
#include "tdffile.h"

static void setCurrentFile(const std::string &path)
{
    g_sCurFileName = path;
    SaveSetting("Current File Name", g_sCurFileName);
}

void LoadDataFile(const std::string &path)
{
    const std::string previous = g_sCurFileName;
    const bool wasChanged = IsDataChanged();
    setCurrentFile(path);
    SetCaption(false);
    if (!LoadMemMapFrom_TDF_File(g_sCurFileName)) {
        // The data shown still belong to the previous file: keep its name and mark, so that a
        // Save cannot write them over the file that failed to load.
        setCurrentFile(previous);
        SetCaption(wasChanged);
        return;
    }
    BuildTree();
    SetRightPaneView();
}

std::string FileDialogFolder()
{
    return platform().documentsFolder;
}

static void openDefault(const std::string &file)
{
    if (!CheckForDataSave())
        return;
    if (platform().files->exists(file))
        LoadDataFile(file);
    else
        OpenExistingFile();
}

void OpenDefaultFile()
{
    openDefault(g_sFactoryFile);
}

void OpenUserFile()
{
    openDefault(g_sUserFile);
}

void OpenExistingFile()
{
    if (!CheckForDataSave())
        return;
    FileDialogRequest request;
    request.title = OpenDialogTitle;
    request.defaultExtension = DataFileExtension;
    request.filters = {{ProgramTitle + " Files (*.tdf)", "*.tdf"}, {"All Files (*.*)", "*.*"}};
    request.initialDir = FileDialogFolder();
    const auto chosen = platform().dialogs->openFile(request);
    if (!chosen)
        return;
    LoadDataFile(*chosen);
}

// Writes the data to the current file; a failed write keeps the unsaved mark it had.
static bool writeCurrentFile(bool wasChanged)
{
    SetCaption(false);
    if (WriteMemMapTo_TDF_File(g_sCurFileName)) {
        // Data that carries a radio's serial number came from that radio.
        RadioEvent saved = ImageEvent("Save", "OK", MemMap);
        if (HistorySerial(saved.serial) != UnknownSerial) {
            saved.file = g_sCurFileName;
            RecordRadioEvent(std::move(saved));
        }
        return true;
    }
    SetCaption(wasChanged);
    return false;
}

bool SaveCurrentFile()
{
    const bool current = !g_sCurFileName.empty() && g_sCurFileName != g_sFactoryFile &&
                         platform().files->exists(g_sCurFileName);
    if (!current)
        return SaveAsNewFile();
    if (g_sCurFileName == g_sUserFile)
        return SaveAsUserDefaultFile();
    return writeCurrentFile(IsDataChanged());
}

bool SaveAsNewFile()
{
    FileDialogRequest request;
    request.title = SaveDialogTitle;
    request.defaultExtension = DataFileExtension;
    request.proposedName = g_sCurFileName == g_sUserFile || g_sCurFileName == g_sFactoryFile
                               ? "*.tdf"
                               : g_sCurFileName;
    request.filters = {{ProgramTitle + " File (*.tdf)", "*.tdf"}};
    request.initialDir = FileDialogFolder();
    // Replacing another file is asked first; the dialog does it.
    request.confirmOverwrite = true;
    const auto chosen = platform().dialogs->saveFile(request);
    if (!chosen)
        return false;
    if (chosen->find('*') != std::string::npos) {
        platform().dialogs->message("Invalid File Name: " + *chosen + "      ", "FILE ERROR",
                                    MsgButtons::Ok, MsgIcon::Information);
        return false;
    }
    const bool wasChanged = IsDataChanged();
    setCurrentFile(*chosen);
    return writeCurrentFile(wasChanged);
}

static const std::string UserDefaultQuestion =
    "WARNING: You are about to save this file      \r\n"
    "as your 'User Select Default File'.  This      \r\n"
    "will overwrite any existing 'User Select      \r\n"
    "Default File' data.\r\n"
    "\r\n"
    "Do you wish to continue?\r\n"
    "\r\n"
    " * Click 'Yes' to save as 'User Select Default File'      \r\n"
    "\r\n"
    " * Click 'No' to save as a new file       \r\n"
    "\r\n"
    " * Click 'Cancel' to return without saving      \r\n";

bool SaveAsUserDefaultFile()
{
    switch (platform().dialogs->message(UserDefaultQuestion, "OVERWRITE FILE",
                                        MsgButtons::YesNoCancel, MsgIcon::Question)) {
    case MsgAnswer::Yes: {
        const bool wasChanged = IsDataChanged();
        setCurrentFile(g_sUserFile);
        return writeCurrentFile(wasChanged);
    }
    case MsgAnswer::No:
        return SaveAsNewFile();
    default:
        return false;
    }
}

static bool askToSave(const std::string &question, const std::string &caption)
{
    if (!IsDataChanged())
        return true;
    switch (platform().dialogs->message(question, caption, MsgButtons::YesNoCancel,
                                        MsgIcon::Question)) {
    case MsgAnswer::Yes:
        // Only go on when the data really were saved.
        return SaveAsNewFile();
    case MsgAnswer::No:
        return true;
    default:
        return false;
    }
}

bool CheckForDataSave()
{
    return askToSave("Save the existing data before opening a new file?      ", "FILE OPEN");
}

bool CheckForDataSaveBeforeRead()
{
    return askToSave("Save the existing data before reading new data?      ", "READ UNIT");
}
