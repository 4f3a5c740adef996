#pragma once

#include <string>

// The command-line text without one enclosing pair of double quotes.
std::string StripCommandLineQuotes(const std::string &commandLine);

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
// From now on, edits mark the data changed.
void EndStartup();
