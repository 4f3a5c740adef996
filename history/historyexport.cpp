#include "historyexport.h"

#include "csvtext.h"
#include "recordevent.h"

#include <map>

namespace
{

constexpr std::size_t ImageBytes = UsedPages * PageSize;

// "SN1234567_2026-12-07_09-30-15.tdf": the first event that holds the image names it.
std::string ImageFileName(const RadioEvent &e)
{
    std::string stamp = e.at;
    for (char &c : stamp)
        c = c == ' ' ? '_' : c == ':' ? '-' : c;
    return "SN" + e.serial + "_" + stamp + "_" + e.imageHash.substr(0, 8) + ".tdf";
}

bool IsDigits(const std::string &text, std::size_t from, std::size_t count)
{
    if (text.size() < from + count)
        return false;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

// "2026-12-06_14-03-59_SN..." gives "2026-12-06 14:03:59".
bool BackupStamp(const std::string &name, std::string &at, std::string &serial)
{
    if (name.size() < 24 || name.compare(name.size() - 4, 4, ".tdf") != 0 ||
        !IsDigits(name, 0, 4) || name[4] != '-' || !IsDigits(name, 5, 2) || name[7] != '-' ||
        !IsDigits(name, 8, 2) || name[10] != '_' || !IsDigits(name, 11, 2) || name[13] != '-' ||
        !IsDigits(name, 14, 2) || name[16] != '-' || !IsDigits(name, 17, 2) ||
        name.compare(19, 3, "_SN") != 0)
        return false;
    at = name.substr(0, 10) + " " + name.substr(11, 2) + ":" + name.substr(14, 2) + ":" +
         name.substr(17, 2);
    const std::size_t end = name.find_first_not_of("0123456789.", 22);
    serial = HistorySerial(name.substr(22, end - 22));
    return true;
}

} // namespace

HistoryTransfer ExportHistory(HistoryStore &store, FileSystem &files, const std::string &folder)
{
    HistoryTransfer t;
    const auto events = store.allEvents();
    if (!events) {
        t.message = store.lastError();
        return t;
    }
    if (!files.makePath(folder)) {
        t.message = "cannot create " + folder;
        return t;
    }
    std::map<std::string, std::string> written; // hash -> file name
    std::string csv = "Serial Number,Date,Kind,Outcome,Bench,Port,Version,Detail,File,Labels,"
                      "Image File,Image SHA-256\r\n";
    for (const RadioEvent &e : *events) {
        std::string imageFile;
        if (!e.imageHash.empty()) {
            auto it = written.find(e.imageHash);
            if (it == written.end()) {
                const auto bytes = store.image(e.imageHash);
                const std::string name = ImageFileName(e);
                if (!bytes || !files.writeAtomic(folder + "/" + name, *bytes)) {
                    t.message = bytes ? "cannot write " + folder + "/" + name : store.lastError();
                    return t;
                }
                it = written.emplace(e.imageHash, name).first;
                ++t.images;
            }
            imageFile = it->second;
        }
        std::string line;
        const std::string &image = imageFile;
        for (const std::string *field :
             {&e.serial, &e.at, &e.kind, &e.outcome, &e.bench, &e.port, &e.version, &e.detail,
              &e.file, &e.labels, &image, &e.imageHash})
            line += (line.empty() ? "" : ",") + CsvField(*field);
        csv += line + "\r\n";
        ++t.events;
    }
    if (!files.writeAtomic(folder + "/" + HistoryEventsCsvName,
                           std::vector<std::uint8_t>(csv.begin(), csv.end()))) {
        t.message = "cannot write " + folder + "/" + HistoryEventsCsvName;
        return t;
    }
    t.ok = true;
    t.message = std::to_string(t.events) + " event(s) and " + std::to_string(t.images) +
                " image(s) written to " + folder;
    return t;
}

HistoryTransfer ImportBackups(HistoryStore &store, FileSystem &files, const std::string &folder,
                              const std::string &bench)
{
    HistoryTransfer t;
    for (const std::string &name : files.listFolder(folder)) {
        std::string at, serial;
        if (!BackupStamp(name, at, serial))
            continue;
        const auto bytes = files.read(folder + "/" + name, ImageBytes + 1);
        if (!bytes || bytes->size() != ImageBytes) {
            ++t.skipped;
            continue;
        }
        RadioEvent e;
        e.key = "backup " + bench + " " + name;
        e.serial = serial;
        e.at = at;
        e.kind = "Read (backup)";
        e.bench = bench;
        e.outcome = "OK";
        e.detail = "imported from " + folder;
        e.file = name;
        e.image = *bytes;
        MemMapImage image;
        for (std::size_t i = 0; i < bytes->size(); ++i)
            image.set(static_cast<int>(i / PageSize), static_cast<int>(i % PageSize), (*bytes)[i]);
        e.labels = ImageEvent({}, {}, image).labels;
        bool added = false;
        if (!store.addEvent(e, &added)) {
            t.message = store.lastError();
            return t;
        }
        ++(added ? t.events : t.known);
    }
    t.ok = true;
    t.message = std::to_string(t.events) + " backup(s) imported from " + folder +
                (t.known ? ", " + std::to_string(t.known) + " imported before" : "") +
                (t.skipped ? ", " + std::to_string(t.skipped) + " skipped (not whole images)" : "");
    return t;
}
