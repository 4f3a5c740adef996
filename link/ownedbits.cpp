#include "ownedbits.h"

#include "layout.h"
#include "writetables.h"

#include <array>
#include <cstdint>

namespace
{

using Masks = std::array<std::uint8_t, UsedPages * PageSize>;

Masks BuildMasks()
{
    Masks m{};
    for (const GlobalWrite &w : GlobalWrites) {
        if (w.use == WriteUse::GlobalsOnly)
            continue;
        if (w.kind == WriteKind::Byte)
            m[w.address] = static_cast<std::uint8_t>(m[w.address] | w.maskOrLength);
        else if (w.kind == WriteKind::Block)
            for (int i = 0; i < w.maskOrLength; ++i)
                m[w.address + i] = 0xFF;
    }
    for (int g = 0; g < NumGroups; ++g) {
        for (const GroupWrite &w : GroupWrites) {
            const int base = EepromAddress(Layout::GroupPage(g), w.block * 256 + w.low);
            for (int i = 0; i < w.length; ++i)
                m[base + i] = 0xFF;
        }
    }
    return m;
}

const Masks &OwnedMasks()
{
    static const Masks masks = BuildMasks();
    return masks;
}

} // namespace

int OwnedMask(int page, int offset)
{
    return page < 0 || page >= UsedPages ? 0 : OwnedMasks()[EepromAddress(page, offset)];
}
