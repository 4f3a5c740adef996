#include "fielddiff.h"

#include "chanrecord.h"
#include "cmdgroupcodec.h"
#include "freqcodec.h"
#include "globaloptions.h"
#include "gridedit.h"
#include "layout.h"
#include "picklistcodec.h"
#include "textfields.h"

#include <cstdio>
#include <functional>

namespace
{

// Collects named fields and remembers which owned bytes they stand for.
struct Collector {
    const MemMapImage &a;
    const MemMapImage &b;
    std::vector<FieldDifference> out;

    void field(int group, int channel, const std::string &name,
               const std::function<std::string(const MemMapImage &)> &text)
    {
        const std::string ta = text(a);
        const std::string tb = text(b);
        if (ta != tb)
            out.push_back({group, channel, name, ta, tb});
    }
};

std::string Hex(int value, int width)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", width, value);
    return buf;
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
    Collector c{first, second, {}};
    for (const GlobalOption &o : GlobalOptions())
        c.field(0, 0, o.caption, [&o](const MemMapImage &mm) { return o.decode(mm); });
    c.field(0, 0, "ANI ID", GetANIID);
    c.field(0, 0, "Keypad Password", GetKeypadPwd);
    c.field(0, 0, "Null Freq", GetNullFreqSub);
    c.field(0, 0, "Pick List Lock",
            [](const MemMapImage &mm) { return GetPickListLock(mm) ? "Locked" : "Unlocked"; });
    for (int e = 0; e < Layout::PickListEntries; ++e)
        c.field(0, 0, "Pick List " + std::to_string(e + 1),
                [e](const MemMapImage &mm) { return GetPickListGuard(mm, e); });
    for (int e = 0; e < Layout::CommandGroupEntries; ++e)
        c.field(0, 0, "Command Group " + std::to_string(e + 1), [e](const MemMapImage &mm) {
            return GetCmdGrpGroupText(mm, e) + " / " + GetCmdGrpChanText(mm, e);
        });
    for (int g = 0; g < NumGroups; ++g) {
        c.field(g + 1, 0, "Label", [g](const MemMapImage &mm) { return GetGrpLabel(mm, g); });
        c.field(g + 1, 0, "Scan List",
                [g](const MemMapImage &mm) { return GetGrpScanList(mm, g); });
        c.field(g + 1, 0, "Incoming Clone", [g](const MemMapImage &mm) {
            return GetGrpIncomingClone(mm, g) ? "Reject" : "Accept";
        });
        for (int ch = 0; ch < ChansPerGroup; ++ch)
            for (int col = 1; col <= GridLastCol; ++col)
                c.field(g + 1, ch + 1, ChannelColumnNames[col - 1],
                        [g, ch, col](const MemMapImage &mm) {
                            return ChannelCellText(mm, g, ch, col);
                        });
    }
    // Owned bits the named fields do not show (or show alike) still count: a radio that keeps
    // a different bit has not been programmed as the file says.
    if (c.out.empty()) {
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
                c.out.push_back(
                    {page, channel,
                     inRecord ? "record byte " + std::to_string((off - Layout::ChanRecordBase) % 32)
                              : "byte 0x" + Hex(EepromAddress(page, off), 4),
                     Hex(va, 2), Hex(vb, 2)});
            }
    }
    return c.out;
}

std::string DifferenceLine(const FieldDifference &d)
{
    std::string where = d.group == 0 ? std::string("Global") : "Group " + std::to_string(d.group);
    if (d.channel > 0)
        where += " Channel " + std::to_string(d.channel);
    return where + " " + d.field + ": " + d.first + " -> " + d.second;
}
