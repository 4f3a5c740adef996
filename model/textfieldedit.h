#pragma once

// The shared rule of the settings panes' text fields: on leaving a field whose text differs
// from the decoded one, validate, show, store and mark changed.

#include "memmap.h"

#include <string>

struct TextFieldEdit {
    bool changed = false; // the field differed from the MemMap: it was stored
    std::string shown;    // what the field shows afterwards
};

// Stores the validated text; changed only when the bytes did.
inline TextFieldEdit StoreFieldEdit(MemMapImage &mm, const std::string &shown,
                                    void (*store)(MemMapImage &, const std::string &))
{
    const MemMapImage before = mm;
    store(mm, shown);
    return {mm != before, shown};
}
