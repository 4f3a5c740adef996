#include "tempname.h"

#include <cctype>

// Most file systems allow 255 bytes in a name.
static constexpr std::size_t NameLimit = 255;

std::string TempFileTemplate(const std::string &fileName)
{
    const std::string tail = std::string(TempFileInfix) + std::string(TempFileRandomLength, 'X');
    return "." + fileName.substr(0, NameLimit - 1 - tail.size()) + tail;
}

bool IsTempFileName(const std::string &name)
{
    const std::size_t infix = sizeof(TempFileInfix) - 1;
    if (name.size() < 1 + infix + TempFileRandomLength || name[0] != '.')
        return false;
    const std::size_t random = name.size() - TempFileRandomLength;
    if (name.compare(random - infix, infix, TempFileInfix) != 0)
        return false;
    for (std::size_t i = random; i < name.size(); ++i) {
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

bool IsStaleTempFile(const std::string &name, long long ageSeconds)
{
    return ageSeconds >= StaleTempFileSeconds && IsTempFileName(name);
}
