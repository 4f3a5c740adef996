#include "cmdgroupcodec.h"

#include "choicelists.h"
#include "layout.h"

namespace
{

using namespace Layout;

constexpr int Unprogrammed = 255;
constexpr int UnprogrammedPosition = NumGroups;

int groupAssignOffset(int entry)
{
    return GlbCommandGroup + 2 * entry;
}

int chanAssignOffset(int entry)
{
    return GlbCommandGroup + 2 * entry + 1;
}

} // namespace

int GetCmdGrpGroupIndex(const MemMapImage &mm, int entry)
{
    const int value = mm.get(GlobalPage, groupAssignOffset(entry));
    return value <= UnprogrammedPosition ? value : UnprogrammedPosition;
}

void SetCmdGrpGroupIndex(MemMapImage &mm, int entry, int position)
{
    const bool isGroup = position >= 0 && position < NumGroups;
    mm.set(GlobalPage, groupAssignOffset(entry), isGroup ? position : Unprogrammed);
}

int GetCmdGrpChanIndex(const MemMapImage &mm, int entry)
{
    const int value = mm.get(GlobalPage, chanAssignOffset(entry));
    return value < ChansPerGroup ? value : 0;
}

void SetCmdGrpChanIndex(MemMapImage &mm, int entry, int position)
{
    const bool isChan = position >= 0 && position < ChansPerGroup;
    mm.set(GlobalPage, chanAssignOffset(entry), isChan ? position : 0);
}

bool CmdGrpChanEnabled(const MemMapImage &mm, int entry)
{
    return GetCmdGrpGroupIndex(mm, entry) != UnprogrammedPosition;
}

std::string GetCmdGrpGroupText(const MemMapImage &mm, int entry)
{
    return ChoiceList("cbGrpAsn").at(static_cast<std::size_t>(GetCmdGrpGroupIndex(mm, entry)));
}

std::string GetCmdGrpChanText(const MemMapImage &mm, int entry)
{
    return ChoiceList("cbChnAsn").at(static_cast<std::size_t>(GetCmdGrpChanIndex(mm, entry)));
}
