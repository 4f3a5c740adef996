#pragma once

#include <string>

// The program title: settings application name, caption prefix and caption of plain messages.
inline const std::string ProgramTitle = "ZPA Tessaro Editor";
inline const std::string SettingsSection = "Settings";

// Reads and writes keys of the program's own section through platform().settings.
std::string GetSetting(const std::string &key, const std::string &defaultValue);
void SaveSetting(const std::string &key, const std::string &value);

// A stored value that is not a number (or does not fit 16 bits) gives the default.
int GetSettingInt(const std::string &key, int defaultValue);
// As above for single-precision keys such as "picSplit Left".
double GetSettingDouble(const std::string &key, double defaultValue);
