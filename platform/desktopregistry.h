#pragma once

#include <optional>
#include <string>

// The desktop's per-user file-type registry: the user's data folder (XDG_DATA_HOME) that holds
// MIME packages and desktop entries, and the default-application lists (mimeapps.list).
// Paths are relative to the user's data folder and use "/".
class DesktopRegistry
{
public:
    virtual ~DesktopRegistry() = default;
    // Text of a file in the user's data folder; nullopt when it is missing or unreadable.
    virtual std::optional<std::string> readUserDataFile(const std::string &path) = 0;
    // Creates the folders as needed and replaces the file; false when that fails.
    virtual bool writeUserDataFile(const std::string &path, const std::string &text) = 0;
    // Desktop file name of the default application for the MIME type; "" when none is set.
    virtual std::string defaultHandler(const std::string &mimeType) = 0;
    virtual bool setDefaultHandler(const std::string &mimeType, const std::string &desktopFile) = 0;
    // Starts a cache tool on a folder of the user's data folder without waiting for it;
    // false when the tool is not installed.
    virtual bool startCacheTool(const std::string &tool, const std::string &folder) = 0;
    // Absolute path of the running program file.
    virtual std::string programPath() = 0;
    // The program's icon as SVG text; "" when the program carries none.
    virtual std::string programIconSvg() = 0;
};
