#pragma once

// The Read and Write menu commands; the menus, toolbar buttons and tree pop-ups run these.
// Each wraps its radio transaction: controls disabled, confirmation or save question, status
// texts, progress bar, and the refreshed pane and caption afterwards.

#include <string>

enum class RadioCommand { ReadAll, ReadGlobals, ReadGroup, WriteAll, WriteGlobals, WriteGroup };

// The texts of a command for group number n (1-based; ignored by the other commands).
struct RadioCommandTexts {
    bool write = false;
    std::string confirm;  // the "WRITE DATA TO UNIT" question (writes only)
    std::string starting; // before the save question (reads), after the confirmation (writes)
    std::string success;
    std::string failure;
};
RadioCommandTexts RadioCommandTextsFor(RadioCommand command, int n);

// Runs the command on g_iCurGroup where it needs a group; true when the transaction succeeded
// (and, for a write, its read-back agreed). While one runs, a second one is refused. With
// g_bBackupBeforeWrite, Write All first keeps the radio's image in the backup folder; with
// g_bVerifyAfterWrite, a write reads back its pages and compares them.
bool RunRadioCommand(RadioCommand command);

// Reads the whole radio and lists where it differs from the editor's data; changes nothing.
// True when nothing differs.
bool VerifyRadioCommand();

// True from the start to the end of a radio command.
bool RadioTransferRunning();

// Shown instead of closing the main window while a transfer runs.
inline const std::string TransferBusyStatus =
    "Please wait: the radio transfer must finish before the program can close.....";

void ReadAllCommand();
void ReadGlobalsCommand();
void ReadCurrGroupCommand();
void WriteAllCommand();
void WriteGlobalsCommand();
void WriteCurrGroupCommand();
