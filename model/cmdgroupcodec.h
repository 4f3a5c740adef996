#pragma once

// The global page's tables and text fields: command group, UTXG pick list and its lock,
// ANI ID and keypad edit password.

#include "memmap.h"

#include <string>

// Command group entry k (0..19). Group list: "Group 1".."Group 25", "Unprogrammed" (25).
int GetCmdGrpGroupIndex(const MemMapImage &mm, int entry);
void SetCmdGrpGroupIndex(MemMapImage &mm, int entry, int position);
// Channel list: "Channel 1".."Channel 20".
int GetCmdGrpChanIndex(const MemMapImage &mm, int entry);
void SetCmdGrpChanIndex(MemMapImage &mm, int entry, int position);
// The channel list is disabled while the entry is unprogrammed.
bool CmdGrpChanEnabled(const MemMapImage &mm, int entry);
// The texts the lists show, as printed.
std::string GetCmdGrpGroupText(const MemMapImage &mm, int entry);
std::string GetCmdGrpChanText(const MemMapImage &mm, int entry);

// UTXG pick list entry k (0..31), referred to by channels as UTXG k + 1.
std::string GetPickListGuard(const MemMapImage &mm, int entry);
// A "UTXG n" text has no code of its own here and stores none.
void SetPickListGuard(MemMapImage &mm, int entry, const std::string &text);
// "Disable keypad editing of tones".
bool GetPickListLock(const MemMapImage &mm);
void SetPickListLock(MemMapImage &mm, bool locked);

// Seven upper-case hexadecimal digits.
std::string GetANIID(const MemMapImage &mm);
// Upper case, the last 7 characters, anything but 0-9 and A-F becomes F.
std::string ValidateANIID(const std::string &text);
// Shorter texts are padded on the left with F.
void SetANIID(MemMapImage &mm, const std::string &text);

// Six digits (hexadecimal, should the bytes not be decimal).
std::string GetKeypadPwd(const MemMapImage &mm);
// Padded on the left with 0 to the last 6 characters; anything but 1-9 becomes 0.
std::string ValidateKeypadPwd(const std::string &text);
void SetKeypadPwd(MemMapImage &mm, const std::string &text);

// The text fields of the settings panes, for the shared editing rule: on leaving a field
// whose text differs from the decoded one, validate, show, store and mark changed.
struct TextFieldEdit {
    bool changed = false; // the field differed from the MemMap: it was stored
    std::string shown;    // what the field shows afterwards
};
// savedText is the field's text from when it got the focus (the null frequency field offers
// it as the example; a rejected pick-list entry falls back on the guard entry of CellUndoText).
TextFieldEdit EditANIID(MemMapImage &mm, const std::string &text);
TextFieldEdit EditKeypadPwd(MemMapImage &mm, const std::string &text);
TextFieldEdit EditPickListGuard(MemMapImage &mm, int entry, const std::string &text);
TextFieldEdit EditNullFreqSub(MemMapImage &mm, const std::string &text,
                              const std::string &savedText);
