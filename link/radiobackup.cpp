#include "radiobackup.h"

#include "globalcodec.h"
#include "linkstate.h"
#include "memmap.h"
#include "platform.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace
{

const std::string BackupExtension = ".tdf";

struct WholeReadBackup {
    std::string path;
    std::string serial;
    std::string device;
    long writesSent = -1;
};
WholeReadBackup s_wholeRead;

// Backups are ours when their name starts with a date: other files in the folder stay.
bool IsBackupName(const std::string &name)
{
    if (name.size() < 11 + BackupExtension.size() ||
        name.compare(name.size() - BackupExtension.size(), std::string::npos, BackupExtension) != 0)
        return false;
    for (int i = 0; i < 10; ++i) {
        const char c = name[static_cast<std::size_t>(i)];
        if (i == 4 || i == 7 ? c != '-' : (c < '0' || c > '9'))
            return false;
    }
    return name[10] == '_';
}

void PruneOldBackups(FileSystem &fs, const std::string &folder)
{
    std::vector<std::string> names = fs.listFolder(folder);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string &n) { return !IsBackupName(n); }),
                names.end());
    if (static_cast<int>(names.size()) <= MaxReadBackups)
        return;
    // The names begin with the date and time, so their order is their age.
    std::sort(names.begin(), names.end());
    const std::size_t excess = names.size() - MaxReadBackups;
    for (std::size_t i = 0; i < excess; ++i)
        fs.remove(folder + "/" + names[i]);
}

} // namespace

std::string ReadBackupFolder()
{
    return platform().programFolder + "/Backups";
}

std::string ReadBackupName(const LocalTime &when, const std::string &serialText)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d", when.year, when.month,
                  when.day, when.hour, when.minute, when.second);
    std::string serial;
    for (char c : serialText) {
        if ((c >= '0' && c <= '9') || c == '.')
            serial += c;
    }
    if (serial.empty() || serialText == "N/A")
        serial = "-unknown";
    return std::string(stamp) + "_SN" + serial + BackupExtension;
}

std::string KeepReadBackup(const LocalTime &when, bool globalPageRead, const std::string &tag)
{
    return KeepImageBackup(MemMap, when, globalPageRead, tag);
}

std::string KeepImageBackup(const MemMapImage &image, const LocalTime &when, bool globalPageRead,
                            const std::string &tag)
{
    FileSystem *fs = platform().files;
    if (fs == nullptr || platform().programFolder.empty())
        return {};
    const std::string folder = ReadBackupFolder();
    if (!fs->makePath(folder))
        return {};
    std::string name = ReadBackupName(when, globalPageRead ? GetEmbeddedSN(image) : "");
    if (!tag.empty())
        name.insert(name.size() - BackupExtension.size(), "_" + tag);
    // Two reads within one second keep both images.
    std::string path = folder + "/" + name;
    for (int n = 2; fs->exists(path) && n < 100; ++n)
        path = folder + "/" + name.substr(0, name.size() - BackupExtension.size()) + "_" +
               std::to_string(n) + BackupExtension;

    if (!fs->writeAtomic(path, UsedPagesBytes(image)))
        return {};
    PruneOldBackups(*fs, folder);
    return path;
}

void NoteWholeReadBackup(const std::string &path, const std::string &serial,
                         const std::string &device)
{
    s_wholeRead = {path, serial, device, g_lWriteCommandsSent};
}

bool MayHaveStandingBackup(const std::string &device)
{
    return !s_wholeRead.path.empty() && s_wholeRead.device == device &&
           s_wholeRead.writesSent == g_lWriteCommandsSent;
}

std::string StandingBackup(const std::string &serial, const std::string &device)
{
    // A radio without a serial number cannot be told from another one.
    const bool same = MayHaveStandingBackup(device) && serial == s_wholeRead.serial &&
                      serial != "N/A" && platform().files &&
                      platform().files->exists(s_wholeRead.path);
    return same ? s_wholeRead.path : std::string();
}
