#include "fielddiff.h"

#include "formfields.h"
#include "layout.h"
#include "ownedbits.h"

#include <cstdio>
#include <cstdlib>

namespace
{

std::string Hex(int value, int width)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", width, value);
    return buf;
}

// "Group 3" gives 3; other keys 0.
int Number(const std::string &key, const char *prefix)
{
    const std::string p = std::string(prefix) + " ";
    return key.compare(0, p.size(), p) == 0 ? std::atoi(key.c_str() + p.size()) : 0;
}

} // namespace

std::vector<FieldDifference> DiffFields(const MemMapImage &first, const MemMapImage &secondImage)
{
    // The second image's owned bits over the first one's: a field that also shows bits the
    // editor does not own differs only where its owned bits do.
    MemMapImage second = first;
    for (int page = 0; page < UsedPages; ++page)
        for (int off = 0; off < PageSize; ++off) {
            const int mask = OwnedMask(page, off);
            if (mask != 0)
                second.set(page, off,
                           (first.get(page, off) & ~mask) | (secondImage.get(page, off) & mask));
        }
    std::vector<FieldDifference> out;
    for (const FormField &f : FormFields()) {
        const std::string ta = f.shown(first);
        const std::string tb = f.shown(second);
        if (ta == tb)
            continue;
        const int group = Number(f.path.front(), "Group");
        const int channel = f.path.size() > 2 ? Number(f.path[1], "Channel") : 0;
        out.push_back({group, channel, f.path.back(), ta, tb});
    }
    // Owned bits the named fields do not show (or show alike) still count: a radio that keeps
    // a different bit has not been programmed as the file says.
    if (out.empty()) {
        for (int page = 0; page < UsedPages; ++page)
            for (int off = 0; off < PageSize; ++off) {
                const int mask = OwnedMask(page, off);
                const int va = first.get(page, off);
                const int vb = second.get(page, off);
                if ((va & mask) == (vb & mask))
                    continue;
                // Where the byte sits: a channel record's byte, or an address.
                const bool inRecord = page > 0 && off >= Layout::ChanRecordBase;
                const int channel = inRecord ? (off - Layout::ChanRecordBase) / 32 + 1 : 0;
                out.push_back(
                    {page, channel,
                     inRecord ? "record byte " + std::to_string((off - Layout::ChanRecordBase) % 32)
                              : "byte 0x" + Hex(EepromAddress(page, off), 4),
                     Hex(va, 2), Hex(vb, 2)});
            }
    }
    return out;
}

std::string DifferenceLine(const FieldDifference &d)
{
    std::string where = d.group == 0 ? std::string("Global") : "Group " + std::to_string(d.group);
    if (d.channel > 0)
        where += " Channel " + std::to_string(d.channel);
    return where + " " + d.field + ": " + d.first + " -> " + d.second;
}
