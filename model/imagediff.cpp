#include "imagediff.h"

std::vector<ByteChange> DiffImages(const MemMapImage &before, const MemMapImage &after)
{
    std::vector<ByteChange> changes;
    for (int page = 0; page < MemMapPages; ++page) {
        for (int offset = 0; offset < PageSize; ++offset) {
            const std::uint8_t was = before.get(page, offset);
            const std::uint8_t is = after.get(page, offset);
            if (was != is)
                changes.push_back({EepromAddress(page, offset), was, is});
        }
    }
    return changes;
}

void ApplyChanges(MemMapImage &mm, const std::vector<ByteChange> &changes, bool after)
{
    for (const ByteChange &change : changes)
        mm.set(change.index / PageSize, change.index % PageSize,
               after ? change.after : change.before);
}
