#pragma once

// The history to and from folders: every stored image as a data file with the events as CSV
// beside them, and the Backups folder of a bench that kept backups before it kept a history.

#include "filesystem.h"
#include "historystore.h"

#include <string>

struct HistoryTransfer {
    bool ok = false;
    int events = 0;
    int images = 0;  // data files written (export)
    int skipped = 0; // backup files that are not whole images (import)
    int known = 0;   // backups imported before (import)
    std::string message;
};

inline const char HistoryEventsCsvName[] = "events.csv";

HistoryTransfer ExportHistory(HistoryStore &store, FileSystem &files, const std::string &folder);

// Each backup "2026-12-06_14-03-59_SN12.34.567[_tag].tdf" becomes a read of that radio at
// that time; a backup imported before is not stored twice.
HistoryTransfer ImportBackups(HistoryStore &store, FileSystem &files, const std::string &folder,
                              const std::string &bench);
