#pragma once

#include "desktopregistry.h"

// The freedesktop.org registry of the current user: XDG_DATA_HOME for MIME packages and desktop
// entries, mimeapps.list files in the XDG configuration and data folders for default
// applications.
class QtDesktopRegistry : public DesktopRegistry
{
public:
    std::optional<std::string> readUserDataFile(const std::string &path) override;
    bool writeUserDataFile(const std::string &path, const std::string &text) override;
    std::string defaultHandler(const std::string &mimeType) override;
    bool setDefaultHandler(const std::string &mimeType, const std::string &desktopFile) override;
    bool startCacheTool(const std::string &tool, const std::string &folder) override;
    std::string programPath() override;
    std::string programIconSvg() override;
};
