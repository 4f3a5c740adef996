#pragma once

#include <string>

// Per-user store of text values addressed by application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(const std::string &app, const std::string &section,
                            const std::string &key, const std::string &defaultValue) = 0;
    virtual void save(const std::string &app, const std::string &section, const std::string &key,
                      const std::string &value) = 0;
    // The file of the application's settings when it cannot be read or written; "" when it can.
    virtual std::string unusableFile(const std::string &app) = 0;
};
