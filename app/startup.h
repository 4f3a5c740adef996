#pragma once

#include <string>

// The data file the command line names: the text as it is, or without an enclosing pair of
// double quotes when the text as given names no file (the shell has usually removed them).
std::string CommandLineFileName(const std::string &commandLine);

// Removes the temporaries of this program's saves that a kill left in the folder, once they are
// old enough that no save can still be using them.
void RemoveStaleTempFiles(const std::string &folder);

// Makes the named file current, or the stored "Current File Name" when the line is empty.
void ParseCommandLine(const std::string &commandLine);

// Regenerates "Factory.def" and creates "User.def" when it is missing or has the wrong size.
void SetUpDefaultFiles();

// Start-up runs in three steps around the main window's load: the caller shows the splash
// window, calls BeginStartup, loads and shows the main window, calls LoadCommandLineFile, then
// closes the splash window and calls EndStartup.

// Default image, default files, the current file's name and the initial view state.
void BeginStartup(const std::string &commandLine);
// Loads the file the command line names, when it exists, and shows it in the window.
void LoadCommandLineFile(const std::string &commandLine);
// From now on, edits mark the data changed. Says in the status bar when the settings cannot be
// kept.
void EndStartup();

// The status text for a settings file that cannot be read or written.
std::string SettingsUnusableStatus(const std::string &file);
