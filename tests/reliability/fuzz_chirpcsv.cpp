// The channel CSV reader on any text: it changes the chosen group's page and no other, and a
// refused file changes nothing; the group it made exports, imports and exports again to the
// same text.

#include "chirpcsv.h"
#include "defaultimage.h"
#include "fuzzcheck.h"
#include "memmap.h"
#include "platform.h"

#include <algorithm>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    platform().dialogs = nullptr;
    static MemMapImage defaults = [] {
        MemMapImage image;
        LoadDefaultImage(image);
        return image;
    }();
    const int group = data[0] % NumGroups;
    const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
    MemMapImage image = defaults;
    std::vector<CsvNote> notes;
    const bool ok = ImportChannelsCsv(text, group, image, notes);
    for (int p = 0; p < MemMapPages; ++p) {
        if (p == group + 1 && ok)
            continue;
        for (int o = 0; o < PageSize; ++o)
            FuzzCheck(image.get(p, o) == defaults.get(p, o), "a page outside the group changed");
    }
    if (!ok)
        return 0;
    MemMapImage again = defaults;
    notes.clear();
    const std::string exported = ExportChannelsCsv(image, group);
    if (std::count(exported.begin(), exported.end(), '\n') < 2)
        return 0; // a header alone carries no channel to read back
    FuzzCheck(ImportChannelsCsv(exported, group, again, notes), "own export refused");
    FuzzCheck(ExportChannelsCsv(again, group) == exported, "own export reads back otherwise");
    return 0;
}
