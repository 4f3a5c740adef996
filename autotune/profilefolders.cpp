#include "profilefolders.h"

#include "filesystem.h"

#include <algorithm>

namespace
{

constexpr std::size_t MaxProfileBytes = 1 << 20;

bool EndsWith(const std::string &text, const std::string &suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

std::string InstalledProfileFolder(FileSystem &files, const std::string &executableDir)
{
    for (const std::string &folder : {executableDir + "/../share/zpa-tessaro-editor/instruments",
                                      std::string(TESSARO_INSTRUMENTS_SOURCE_DIR)})
        if (files.exists(folder + "/virtual-bench" + ProfileSuffix))
            return folder;
    return {};
}

std::vector<std::string> InstrumentProfileFolders(const std::string &programFolder,
                                                  const std::string &installedFolder)
{
    std::vector<std::string> folders;
    if (!programFolder.empty())
        folders.push_back(programFolder + "/" + UserProfileFolderName);
    if (!installedFolder.empty())
        folders.push_back(installedFolder);
    return folders;
}

std::string FindInstrumentProfile(FileSystem &files, const std::string &nameOrPath,
                                  const std::vector<std::string> &folders, std::string &error)
{
    if (nameOrPath.find('/') != std::string::npos) {
        if (files.exists(nameOrPath))
            return nameOrPath;
        error = "There is no instrument profile " + nameOrPath + ".";
        return {};
    }
    const std::string file =
        EndsWith(nameOrPath, ProfileSuffix) ? nameOrPath : nameOrPath + ProfileSuffix;
    for (const std::string &folder : folders)
        if (files.exists(folder + "/" + file))
            return folder + "/" + file;
    error = "There is no instrument profile \"" + nameOrPath + "\"";
    if (!folders.empty())
        error += " in " + folders.front() + (folders.size() > 1 ? " or " + folders.back() : "");
    error += ".";
    return {};
}

std::vector<std::string> ListInstrumentProfiles(FileSystem &files,
                                                const std::vector<std::string> &folders)
{
    std::vector<std::string> names;
    const std::string suffix = ProfileSuffix;
    for (const std::string &folder : folders)
        for (const std::string &file : files.listFolder(folder))
            if (EndsWith(file, suffix) && file.size() > suffix.size())
                names.push_back(file.substr(0, file.size() - suffix.size()));
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

bool ReadInstrumentProfileText(FileSystem &files, const std::string &path, std::string &text,
                               std::string &error)
{
    const auto bytes = files.read(path, MaxProfileBytes + 1);
    if (!bytes) {
        error = "Cannot read " + path + ".";
        return false;
    }
    if (bytes->size() > MaxProfileBytes) {
        error = path + " is too large for an instrument profile.";
        return false;
    }
    text.assign(bytes->begin(), bytes->end());
    return true;
}
