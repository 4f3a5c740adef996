#pragma once

#include <functional>
#include <string>

// The command-line text without one enclosing pair of double quotes.
std::string StripCommandLineQuotes(const std::string &commandLine);

// Makes the named file current, or the stored "Current File Name" when the line is empty.
void ParseCommandLine(const std::string &commandLine);

// Regenerates "Factory.def" and creates "User.def" when it is missing or has the wrong size.
void SetUpDefaultFiles();

// The windows the start-up sequence shows, so that it runs without a display in tests.
struct StartupWindows {
    std::function<void()> showSplash;
    std::function<void()> showMainWindow;    // loads and shows the main window
    std::function<void()> refreshMainWindow; // after a command-line file was loaded
    std::function<void()> closeSplash;
};

// Brings the program up step by step; returns when the main window is shown.
void RunStartup(const std::string &commandLine, const StartupWindows &windows);
