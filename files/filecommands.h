#pragma once

// The File menu's commands over the platform dialogs and the data-file routines.

#include "caption.h"

#include <string>

// Makes the file current and loads it into the MemMap, then refreshes the window.
void LoadDataFile(const std::string &path);

void OpenDefaultFile();
void OpenUserFile();
void OpenExistingFile();

// The save commands answer true when the data were written to a file.
bool SaveCurrentFile();
bool SaveAsNewFile();
bool SaveAsUserDefaultFile();

// Ask to save unsaved data before it is replaced; true when the caller may go on. Cancelling
// the save dialog after Yes answers false, so unsaved data are never thrown away.
bool CheckForDataSave();
bool CheckForDataSaveBeforeRead();

// The dialogs' settings, exposed for the tests.
std::string FileDialogFolder();
inline const std::string OpenDialogTitle = "Open";
inline const std::string SaveDialogTitle = "Save As";
inline const std::string DataFileExtension = ".tdf";
