#include "labelcodes.h"

#include "numtext.h"

namespace
{
// Codes 0..49 in order.
constexpr char LabelTable[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-*$/+%\\|_<>h .";
constexpr int LabelTableSize = sizeof(LabelTable) - 1;
static_assert(LabelTableSize == 50, "the table holds codes 0..49");
} // namespace

std::string LabelCodeToChar(int code)
{
    if (code < 0 || code >= LabelTableSize)
        return std::string();
    return std::string(1, LabelTable[code]);
}

int CharToLabelCode(char ch)
{
    for (int code = 0; code < LabelTableSize; ++code) {
        if (LabelTable[code] == ch)
            return code;
    }
    return LabelBlankCode;
}

LabelCodes LabelToCodes(const std::string &text)
{
    LabelCodes codes;
    codes.fill(LabelBlankCode);
    std::string::size_type at = 0;
    for (std::size_t i = 0; i < codes.size() && at < text.size(); ++i) {
        const auto length = Utf8CharLength(text, at);
        codes[i] =
            static_cast<std::uint8_t>(length == 1 ? CharToLabelCode(text[at]) : LabelBlankCode);
        at += length;
    }
    return codes;
}

std::string CodesToLabel(const LabelCodes &codes)
{
    std::string text;
    for (std::uint8_t code : codes)
        text += LabelCodeToChar(code);
    return text;
}
