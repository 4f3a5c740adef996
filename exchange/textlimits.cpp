#include "textlimits.h"

#include "numtext.h"

std::string Excerpt(const std::string &text)
{
    constexpr std::size_t Kept = MaxQuotedChars - 3;
    std::size_t chars = 0;
    std::size_t keptBytes = 0;
    for (std::size_t at = 0; at < text.size(); ++chars) {
        if (chars == Kept)
            keptBytes = at;
        if (chars == MaxQuotedChars)
            return text.substr(0, keptBytes) + "...";
        at += Utf8CharLength(text, at);
    }
    return text;
}
