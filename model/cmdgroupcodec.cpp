#include "cmdgroupcodec.h"

#include "choicelists.h"
#include "freqcodec.h"
#include "guardcodec.h"
#include "layout.h"
#include "numtext.h"

namespace
{

using namespace Layout;

constexpr int Unprogrammed = 255;
constexpr int UnprogrammedPosition = NumGroups;
constexpr int PickListLockMask = 0x40;
constexpr int AniIdDigits = 7;
constexpr int KeypadPwdDigits = 6;
const char hexDigits[] = "0123456789ABCDEF";

int groupAssignOffset(int entry)
{
    return GlbCommandGroup + 2 * entry;
}

int chanAssignOffset(int entry)
{
    return GlbCommandGroup + 2 * entry + 1;
}

int pickListOffset(int entry)
{
    return GlbPickList + 2 * entry;
}

std::string twoHex(int value)
{
    return {hexDigits[(value >> 4) & 15], hexDigits[value & 15]};
}

// A pair of characters read as a hexadecimal number, as far as they are hexadecimal.
int hexPair(const std::string &text, std::size_t at)
{
    const std::string pair = at < text.size() ? text.substr(at, 2) : std::string();
    return static_cast<int>(NumericValue("&H" + pair)) & 0xFF;
}

TextFieldEdit storeIfChanged(MemMapImage &mm, const std::string &shown,
                             void (*store)(MemMapImage &, const std::string &))
{
    const MemMapImage before = mm;
    store(mm, shown);
    return {mm != before, shown};
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

std::string GetANIID(const MemMapImage &mm)
{
    std::string text(1, hexDigits[mm.get(GlobalPage, GlbAniId) & 15]);
    for (int i = 1; i <= 3; ++i)
        text += twoHex(mm.get(GlobalPage, GlbAniId + i));
    return text;
}

std::string ValidateANIID(const std::string &text)
{
    std::string id = RightOf(UpperCase(OneBytePerChar(text, '?')), AniIdDigits);
    for (char &ch : id) {
        const bool hex = (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F');
        if (!hex)
            ch = 'F';
    }
    return id;
}

void SetANIID(MemMapImage &mm, const std::string &text)
{
    std::string id = text;
    if (id.size() != AniIdDigits)
        id = RightOf(std::string(AniIdDigits, 'F') + id, AniIdDigits);
    const int first = static_cast<int>(NumericValue("&H" + id.substr(0, 1))) & 15;
    const int old = mm.get(GlobalPage, GlbAniId);
    mm.set(GlobalPage, GlbAniId, (old & 0xF0) | first);
    for (int i = 1; i <= 3; ++i)
        mm.set(GlobalPage, GlbAniId + i, hexPair(id, static_cast<std::size_t>(2 * i - 1)));
}

std::string GetKeypadPwd(const MemMapImage &mm)
{
    std::string text;
    for (int i = 0; i < 3; ++i)
        text += twoHex(mm.get(GlobalPage, GlbKeypadPwd + i));
    return text;
}

std::string ValidateKeypadPwd(const std::string &text)
{
    std::string pwd =
        RightOf(std::string(KeypadPwdDigits, '0') + OneBytePerChar(text, '?'), KeypadPwdDigits);
    for (char &ch : pwd) {
        if (ch < '1' || ch > '9')
            ch = '0';
    }
    return pwd;
}

void SetKeypadPwd(MemMapImage &mm, const std::string &text)
{
    for (int i = 0; i < 3; ++i)
        mm.set(GlobalPage, GlbKeypadPwd + i, hexPair(text, static_cast<std::size_t>(2 * i)));
}

TextFieldEdit EditANIID(MemMapImage &mm, const std::string &text)
{
    if (text == GetANIID(mm))
        return {false, text};
    return storeIfChanged(mm, ValidateANIID(text), SetANIID);
}

TextFieldEdit EditKeypadPwd(MemMapImage &mm, const std::string &text)
{
    if (text == GetKeypadPwd(mm))
        return {false, text};
    return storeIfChanged(mm, ValidateKeypadPwd(text), SetKeypadPwd);
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

TextFieldEdit EditNullFreqSub(MemMapImage &mm, const std::string &text,
                              const std::string &savedText)
{
    if (text == GetNullFreqSub(mm))
        return {false, text};
    return storeIfChanged(mm, ValidateNullFreqSub(text, savedText), SetNullFreqSub);
}
