#include "datafilecheck.h"

#include "tdffile.h"

// A data image always holds control bytes or 0xFF fill; a text holds neither.
static bool LooksLikeText(const std::vector<std::uint8_t> &bytes)
{
    for (const std::uint8_t b : bytes) {
        const bool control = b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f';
        if (control || b == 0x7F || b == 0xFF)
            return false;
    }
    return true;
}

static std::string Grouped(std::size_t n)
{
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
}

std::string DataFileProblem(const std::vector<std::uint8_t> &bytes, bool force)
{
    const std::size_t size = bytes.size();
    const std::string head = "not a data file: " + Grouped(size) + " bytes";
    if (size == 0)
        return head;
    if (LooksLikeText(bytes))
        return head + ", looks like text";
    if (size > static_cast<std::size_t>(TdfFileSize))
        return head + ", a data file holds " + Grouped(TdfFileSize);
    if (size < static_cast<std::size_t>(TdfFileSize) && !force)
        return head + ", a data file holds " + Grouped(TdfFileSize) + " (--force takes it)";
    return {};
}
