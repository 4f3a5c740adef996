#include "labelcodes.h"

namespace {
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

std::array<std::uint8_t, 12> LabelToCodes(const std::string &text)
{
    std::array<std::uint8_t, 12> codes{};
    const std::string padded = (text + std::string(12, ' ')).substr(0, 12);
    for (std::size_t i = 0; i < codes.size(); ++i)
        codes[i] = static_cast<std::uint8_t>(CharToLabelCode(padded[i]));
    return codes;
}

std::string CodesToLabel(const std::array<std::uint8_t, 12> &codes)
{
    std::string text;
    for (std::uint8_t code : codes)
        text += LabelCodeToChar(code);
    return text;
}
