#include "memmap.h"

MemMapImage MemMap;

std::vector<std::uint8_t> UsedPagesBytes(const MemMapImage &image)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(UsedPages) * PageSize);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = image.get(static_cast<int>(i / PageSize), static_cast<int>(i % PageSize));
    return bytes;
}
