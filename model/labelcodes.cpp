#include "labelcodes.h"

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

std::string::size_type Utf8CharLength(const std::string &text, std::string::size_type at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::string::size_type length = 1;
    if (lead >= 0xF0 && lead < 0xF8)
        length = 4;
    else if (lead >= 0xE0)
        length = lead < 0xF0 ? 3 : 1;
    else if (lead >= 0xC0)
        length = 2;
    // Only continuation bytes may follow; otherwise the lead byte stands alone.
    for (std::string::size_type i = 1; i < length; ++i) {
        if (at + i >= text.size() || (static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
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
