#include "transactions.h"

#include "eeprotocol.h"
#include "layout.h"
#include "linkstate.h"
#include "memmap.h"
#include "windowservices.h"
#include "writetables.h"

#include <array>
#include <cstdint>
#include <vector>

namespace
{

constexpr int BlockSize = 256;
constexpr int BlocksPerPage = PageSize / BlockSize;
constexpr int HookTries = 3;

using PageBuffer = std::array<std::uint8_t, PageSize>;

// Counts done against a fixed total and passes each step on.
struct Progress {
    int total;
    int done = 0;
    void step()
    {
        ++done;
        SetProgress(done, total);
    }
};

bool HookStep()
{
    if (g_bHooked)
        return true;
    switch (HookRadio(m_iCommPort, HookTries, m_lBaudRate)) {
    case 1:
        return true;
    case 0:
        UnhookRadio(true);
        ShowHookError();
        return false;
    default:
        return false; // the port conflict has been shown already
    }
}

// The failing routine has shown its own message; this is the second, general one.
bool FailStep()
{
    UnhookRadio(true);
    ShowHookError();
    return false;
}

int GroupHighByte(int group)
{
    return 4 * Layout::GroupPage(group);
}

// Reads the four blocks of a group page into page.
bool ReadGroupBlocks(int group, PageBuffer &page, Progress &progress, bool exact)
{
    std::vector<std::uint8_t> block(BlockSize, 0);
    const auto read = exact ? ReadExactEEBytes : ReadMultiEEBytes;
    for (int k = 0; k < BlocksPerPage; ++k) {
        if (!read(GroupHighByte(group) + k, 0, BlockSize, block))
            return false;
        for (int i = 0; i < BlockSize; ++i) {
            page[k * BlockSize + i] = block[i];
            progress.step();
        }
    }
    return true;
}

// Reads the global page's first three blocks. The third block is read as the radio expects,
// but the editor keeps offsets 512..1023 at 0.
bool ReadGlobalBlocks(PageBuffer &page, Progress &progress, bool exact)
{
    std::vector<std::uint8_t> block(BlockSize, 0);
    const auto read = exact ? ReadExactEEBytes : ReadMultiEEBytes;
    for (int k = 0; k < 3; ++k) {
        if (!read(k, 0, BlockSize, block))
            return false;
        for (int i = 0; i < BlockSize; ++i) {
            page[k * BlockSize + i] = k < 2 ? block[i] : 0;
            progress.step();
        }
    }
    return true;
}

void CopyToImage(MemMapImage &image, int memPage, const PageBuffer &page)
{
    for (int offset = 0; offset < PageSize; ++offset)
        image.set(memPage, offset, page[offset]);
}

// Sends the rows of the global table that the command (AllOnly or GlobalsOnly) uses.
bool SendGlobalWrites(WriteUse command, Progress &progress)
{
    for (const GlobalWrite &w : GlobalWrites) {
        if (w.use != WriteUse::Both && w.use != command)
            continue;
        const int high = w.address >> 8;
        const int low = w.address & 0xFF;
        bool ok = false;
        if (w.kind == WriteKind::Byte) {
            ok = WriteEEByte(high, low, w.maskOrLength, MemMap.get(Layout::GlobalPage, w.address));
        } else {
            std::vector<std::uint8_t> data(static_cast<std::size_t>(w.maskOrLength), 0);
            if (w.kind == WriteKind::Block) {
                for (int i = 0; i < w.maskOrLength; ++i)
                    data[i] = MemMap.get(Layout::GlobalPage, w.address + i);
            }
            ok = WriteMultiEEBytes(high, low, w.maskOrLength, data);
        }
        if (!ok)
            return false;
        progress.step();
    }
    return true;
}

bool SendGroupWrites(int group, Progress &progress)
{
    const int page = Layout::GroupPage(group);
    for (const GroupWrite &w : GroupWrites) {
        const int offset = w.block * BlockSize + w.low;
        std::vector<std::uint8_t> data(static_cast<std::size_t>(w.length));
        for (int i = 0; i < w.length; ++i) {
            data[i] = MemMap.get(page, offset + i);
            progress.step();
        }
        if (!WriteMultiEEBytes(GroupHighByte(group) + w.block, w.low, w.length, data))
            return false;
    }
    return true;
}

std::string GroupStatusMsg(const char *verb, int group)
{
    return std::string(verb) + " Group " + std::to_string(group + 1) + " Data.....";
}

// Reads the pages of a scope into image, which changes only once every block has arrived.
// A verb ("Reading") names each page in the status text; without one the caller has said
// what is going on.
// exact: a reply longer than asked fails the read instead of losing its surplus.
bool ReadPages(MemMapImage &image, RadioPages pages, int group, const std::string &verb, bool close,
               bool exact)
{
    if (pages == RadioPages::Group && (group < 0 || group >= NumGroups))
        return false;
    if (pages == RadioPages::All && !verb.empty())
        StatusMsg("Attempting to 'Hook' radio.....");
    if (!HookStep())
        return false;
    const int first = pages == RadioPages::Group ? group : 0;
    const int last = pages == RadioPages::All     ? NumGroups
                     : pages == RadioPages::Group ? group + 1
                                                  : 0;
    Progress progress{pages == RadioPages::All       ? ReadAllProgressTotal
                      : pages == RadioPages::Globals ? ReadGlobalsProgressTotal
                                                     : ReadGroupProgressTotal};
    PageBuffer globals{};
    std::vector<PageBuffer> groups(NumGroups, PageBuffer{});
    if (pages != RadioPages::Group) {
        if (!verb.empty())
            StatusMsg(verb + " Unit Global Settings.....");
        if (!ReadGlobalBlocks(globals, progress, exact))
            return FailStep();
    }
    for (int g = first; g < last; ++g) {
        if (!verb.empty())
            StatusMsg(GroupStatusMsg(verb.c_str(), g));
        if (!ReadGroupBlocks(g, groups[g], progress, exact))
            return FailStep();
    }
    // Surplus of the last reply shows only once it has been read.
    if (exact && !InputIsQuiet())
        return FailStep();
    if (close)
        UnhookRadio(true);
    if (pages != RadioPages::Group)
        CopyToImage(image, Layout::GlobalPage, globals);
    for (int g = first; g < last; ++g)
        CopyToImage(image, Layout::GroupPage(g), groups[g]);
    return true;
}

// A radio that falls silent half-way leaves the MemMap as it was.
bool ReadIntoMemMap(RadioPages pages, int group, const std::string &verb, bool close)
{
    MemMapImage image = MemMap;
    if (!ReadPages(image, pages, group, verb, close, false))
        return false;
    MemMap = image;
    return true;
}

} // namespace

bool ReadAllFromRadio()
{
    return ReadIntoMemMap(RadioPages::All, 0, "Reading", true);
}

bool ReadRadioPages(MemMapImage &image, RadioPages pages, int group, const std::string &verb)
{
    return ReadPages(image, pages, group, verb, true, true);
}

bool ReadGlobalsFromRadio(bool close)
{
    return ReadIntoMemMap(RadioPages::Globals, 0, "", close);
}

bool ReadGroupFromRadio(int group, bool close)
{
    return ReadIntoMemMap(RadioPages::Group, group, "", close);
}

bool WriteAllToRadio()
{
    if (!HookStep())
        return false;
    StatusMsg("Writing Unit Global Settings.....");
    Progress progress{WriteAllProgressTotal};
    if (!SendGlobalWrites(WriteUse::AllOnly, progress))
        return FailStep();
    for (int g = 0; g < NumGroups; ++g) {
        StatusMsg(GroupStatusMsg("Writing", g));
        if (!SendGroupWrites(g, progress))
            return FailStep();
    }
    UnhookRadio(true);
    return true;
}

bool WriteGlobalsToRadio(bool close)
{
    if (!HookStep())
        return false;
    Progress progress{WriteGlobalsProgressTotal};
    if (!SendGlobalWrites(WriteUse::GlobalsOnly, progress))
        return FailStep();
    if (close)
        UnhookRadio(true);
    return true;
}

bool WriteGroupToRadio(int group, bool close)
{
    if (group < 0 || group >= NumGroups || !HookStep())
        return false;
    StatusMsg(GroupStatusMsg("Writing", group));
    Progress progress{WriteGroupProgressTotal};
    if (!SendGroupWrites(group, progress))
        return FailStep();
    if (close)
        UnhookRadio(true);
    return true;
}
