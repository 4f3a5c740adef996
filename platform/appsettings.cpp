#include "appsettings.h"

#include "platform.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

std::string GetSetting(const std::string &key, const std::string &defaultValue)
{
    if (!platform().settings)
        return defaultValue;
    return platform().settings->get(ProgramTitle, SettingsSection, key, defaultValue);
}

void SaveSetting(const std::string &key, const std::string &value)
{
    if (platform().settings)
        platform().settings->save(ProgramTitle, SettingsSection, key, value);
}

static bool parseNumber(const std::string &text, double &out)
{
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return false;
    std::size_t end = text.find_last_not_of(" \t");
    const std::string trimmed = text.substr(start, end - start + 1);
    const char *begin = trimmed.c_str();
    char *stop = nullptr;
    errno = 0;
    double value = std::strtod(begin, &stop);
    if (stop == begin || *stop != '\0' || errno == ERANGE || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

int GetSettingInt(const std::string &key, int defaultValue)
{
    double value = 0;
    if (!parseNumber(GetSetting(key, std::to_string(defaultValue)), value))
        return defaultValue;
    value = std::nearbyint(value);
    if (value < -32768 || value > 32767)
        return defaultValue;
    return static_cast<int>(value);
}

double GetSettingDouble(const std::string &key, double defaultValue)
{
    double value = 0;
    if (!parseNumber(GetSetting(key, std::to_string(defaultValue)), value))
        return defaultValue;
    return value;
}
