#pragma once

#include <string>

// The main window's caption for the current file; " *" marks unsaved changes.
std::string CaptionText(bool modified);

// The name shown for a path: its file name without folders.
std::string DisplayFileName(const std::string &path);

// Unsaved data exist exactly while the caption ends in this mark.
inline const std::string ModifiedMark = " *";

// The data count as changed exactly while the main window's caption ends in " *".
bool IsDataChanged();

// Sets the main window's caption for the current file.
void SetCaption(bool modified);

// An edit changed the MemMap (ignored while the program starts up).
void MarkDataChanged();
