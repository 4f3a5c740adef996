#include "picklistcodec.h"

#include "guardcodec.h"
#include "layout.h"

namespace
{

using namespace Layout;

constexpr int PickListLockMask = 0x40;

int pickListOffset(int entry)
{
    return GlbPickList + 2 * entry;
}

} // namespace

std::string GetPickListGuard(const MemMapImage &mm, int entry)
{
    const int offset = pickListOffset(entry);
    return BytesToGuard(mm.get(GlobalPage, offset), mm.get(GlobalPage, offset + 1));
}

void SetPickListGuard(MemMapImage &mm, int entry, const std::string &text)
{
    const GuardBytes bytes = GuardToBytes(text);
    const int offset = pickListOffset(entry);
    mm.set(GlobalPage, offset, bytes.high);
    mm.set(GlobalPage, offset + 1, bytes.low);
}

bool GetPickListLock(const MemMapImage &mm)
{
    return mm.get(GlobalPage, GlbPickListLock) & PickListLockMask;
}

void SetPickListLock(MemMapImage &mm, bool locked)
{
    const int old = mm.get(GlobalPage, GlbPickListLock);
    mm.set(GlobalPage, GlbPickListLock, locked ? old | PickListLockMask : old & ~PickListLockMask);
}

TextFieldEdit EditPickListGuard(MemMapImage &mm, int entry, const std::string &text)
{
    if (text == GetPickListGuard(mm, entry))
        return {false, text};
    const std::string shown = ValidateChanGuard(text);
    const MemMapImage before = mm;
    SetPickListGuard(mm, entry, shown);
    return {mm != before, shown};
}
