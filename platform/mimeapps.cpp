#include "mimeapps.h"

#include <sstream>
#include <vector>

static const std::string DefaultSection = "[Default Applications]";

static std::string trimmed(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

static std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

// The key of a "key=value" line, blanks around it removed.
static std::string keyOf(const std::string &line)
{
    const auto eq = line.find('=');
    return eq == std::string::npos ? std::string() : trimmed(line.substr(0, eq));
}

std::string MimeAppsDefault(const std::string &listText, const std::string &mimeType)
{
    bool inDefaults = false;
    for (const std::string &raw : lines(listText)) {
        const std::string line = trimmed(raw);
        if (!line.empty() && line.front() == '[') {
            inDefaults = line == DefaultSection;
        } else if (inDefaults && keyOf(line) == mimeType) {
            const std::string value = trimmed(line.substr(line.find('=') + 1));
            return trimmed(value.substr(0, value.find(';')));
        }
    }
    return {};
}

std::string MimeAppsWithDefault(const std::string &listText, const std::string &mimeType,
                                const std::string &desktopFile)
{
    const std::string entry = mimeType + "=" + desktopFile;
    std::vector<std::string> out;
    bool inDefaults = false;
    bool written = false;
    // At the end of the section, before the blank lines that close it.
    auto appendToSection = [&] {
        auto at = out.end();
        while (at != out.begin() && trimmed(*(at - 1)).empty())
            --at;
        out.insert(at, entry);
        written = true;
    };
    for (const std::string &raw : lines(listText)) {
        const std::string line = trimmed(raw);
        if (!line.empty() && line.front() == '[') {
            if (inDefaults && !written)
                appendToSection();
            inDefaults = line == DefaultSection;
        } else if (inDefaults && keyOf(line) == mimeType) {
            if (!written)
                out.push_back(entry);
            written = true;
            continue;
        }
        out.push_back(raw);
    }
    if (!written && inDefaults)
        appendToSection();
    if (!written) {
        // No such section yet: add it at the end.
        if (!out.empty() && !trimmed(out.back()).empty())
            out.push_back("");
        out.push_back(DefaultSection);
        out.push_back(entry);
    }
    std::string text;
    for (const std::string &line : out)
        text += line + "\n";
    return text;
}
