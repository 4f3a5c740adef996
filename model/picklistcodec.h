#pragma once

// The UTXG pick list: 32 channel guard codes that channels refer to as UTXG 1..32, and the
// lock against editing them on the radio's keypad.

#include "memmap.h"
#include "textfieldedit.h"

#include <string>

// Entry k (0..31), referred to by channels as UTXG k + 1.
std::string GetPickListGuard(const MemMapImage &mm, int entry);
// A "UTXG n" text has no code of its own here and stores none.
void SetPickListGuard(MemMapImage &mm, int entry, const std::string &text);
// "Disable keypad editing of tones".
bool GetPickListLock(const MemMapImage &mm);
void SetPickListLock(MemMapImage &mm, bool locked);

// A rejected entry falls back on the guard entry of CellUndoText.
TextFieldEdit EditPickListGuard(MemMapImage &mm, int entry, const std::string &text);
