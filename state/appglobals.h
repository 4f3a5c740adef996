#pragma once

#include <string>

// Program-wide state shared by every module.
extern std::string g_sCurFileName; // current data file, "" after Read All, or "DEFAULT VALUES"
extern std::string g_sFactoryFile; // program folder + "/Factory.def"
extern std::string g_sUserFile;    // program folder + "/User.def"
extern bool g_bLoading;            // true while starting up: edits do not mark data changed
extern bool g_bShowTuneWarning;
extern bool g_bVerifyAfterWrite;  // read back and compare what a write sent
extern bool g_bBackupBeforeWrite; // keep the radio's image before Write All
extern bool g_bKeepHistory;       // radio work goes into the radio history

// View state of the editor window.
extern int g_iCurGroup;         // internal group index 0..24
extern std::string g_sPaneView; // "Globals" or "Channels"
extern int g_iLastTab;
extern int g_iLastNode;

// The exit dialog's state: unsaved data when it opened, and its answer.
extern bool g_bExitUnsaved;
extern bool g_bExitCancel;
extern bool g_bExitSave;

// Back to the values the program has before start-up (used by tests).
void ResetAppGlobals();
