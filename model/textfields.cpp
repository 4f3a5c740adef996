#include "textfields.h"

#include "layout.h"
#include "numtext.h"

namespace
{

using namespace Layout;

constexpr int AniIdDigits = 7;
constexpr int KeypadPwdDigits = 6;
const char hexDigits[] = "0123456789ABCDEF";

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

} // namespace

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
    return StoreFieldEdit(mm, ValidateANIID(text), SetANIID);
}

TextFieldEdit EditKeypadPwd(MemMapImage &mm, const std::string &text)
{
    if (text == GetKeypadPwd(mm))
        return {false, text};
    return StoreFieldEdit(mm, ValidateKeypadPwd(text), SetKeypadPwd);
}
