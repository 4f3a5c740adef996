#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <vector>

constexpr int NumGroups = 25;
constexpr int ChansPerGroup = 20;

constexpr int MemMapPages = 32;
constexpr int PageSize = 1024;
// Pages 0..25 are the radio's data; 26..31 exist but are never transferred, saved or shown.
constexpr int UsedPages = NumGroups + 1;

// The in-memory copy of the radio's EEPROM, addressed by (page, offset).
class MemMapImage
{
public:
    std::uint8_t get(int page, int offset) const { return m_bytes[index(page, offset)]; }
    void set(int page, int offset, int value)
    {
        m_bytes[index(page, offset)] = static_cast<std::uint8_t>(value & 0xFF);
    }
    void clear() { m_bytes.fill(0); }

    bool operator==(const MemMapImage &other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const MemMapImage &other) const { return !(*this == other); }

private:
    static int index(int page, int offset)
    {
        assert(page >= 0 && page < MemMapPages && offset >= 0 && offset < PageSize);
        return page * PageSize + offset;
    }
    std::array<std::uint8_t, MemMapPages * PageSize> m_bytes{};
};

// Pages 0..25 in order: the image a data file, a default file and a backup hold.
std::vector<std::uint8_t> UsedPagesBytes(const MemMapImage &image);

// The process-wide instance every subsystem shares (single UI thread, no locking).
extern MemMapImage MemMap;

// EEPROM address of a MemMap element.
constexpr int EepromAddress(int page, int offset)
{
    return page * PageSize + offset;
}
