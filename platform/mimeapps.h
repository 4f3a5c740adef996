#pragma once

#include <string>

// The [Default Applications] section of a mimeapps.list file (a desktop-entry style key file).

// First desktop file listed as the default for the MIME type; "" when there is none.
std::string MimeAppsDefault(const std::string &listText, const std::string &mimeType);

// The list text with the desktop file as the only default for the MIME type; every other line
// is kept as it was.
std::string MimeAppsWithDefault(const std::string &listText, const std::string &mimeType,
                                const std::string &desktopFile);
