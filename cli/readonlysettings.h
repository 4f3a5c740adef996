#pragma once

#include "qtplatform.h"

#include <map>
#include <string>

// The editor's settings as the tool sees them: read (port map, rate), never changed on disk;
// what the tool's jobs save stays in memory for the run.
class ReadOnlySettings : public SettingsStore
{
public:
    std::string get(const std::string &app, const std::string &section, const std::string &key,
                    const std::string &defaultValue) override
    {
        const auto it = m_changed.find(app + "/" + section + "/" + key);
        return it != m_changed.end() ? it->second : m_stored.get(app, section, key, defaultValue);
    }
    void save(const std::string &app, const std::string &section, const std::string &key,
              const std::string &value) override
    {
        m_changed[app + "/" + section + "/" + key] = value;
    }
    std::string unusableFile(const std::string &) override { return {}; }

private:
    QtSettingsStore m_stored;
    std::map<std::string, std::string> m_changed;
};
