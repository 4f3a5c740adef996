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
};
