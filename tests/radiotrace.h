#pragma once

// What the radio must receive for each transaction, built from the write tables as a
// technician would read them off the radio's programming sheet, independent of link/.

#include "memmap.h"

#include <cstdint>
#include <vector>

namespace RadioTrace
{

using Bytes = std::vector<std::uint8_t>;

inline void Append(Bytes &to, const Bytes &bytes)
{
    to.insert(to.end(), bytes.begin(), bytes.end());
}

inline Bytes WakeUp()
{
    Bytes bytes(10, 0x00);
    Append(bytes, {0x0A, 0x14, 0x28});
    return bytes;
}

inline Bytes Unhook()
{
    return {0x01};
}

inline Bytes ReadBlock(int high)
{
    return {0xC7, static_cast<std::uint8_t>(high), 0x00, 0x00, 0xFF};
}

inline Bytes ByteWrite(int address, int mask, int value)
{
    return {0xD3, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
            static_cast<std::uint8_t>(mask), static_cast<std::uint8_t>(value)};
}

inline Bytes BlockWrite(int address, const Bytes &data)
{
    Bytes bytes = {0xD5, static_cast<std::uint8_t>(address >> 8),
                   static_cast<std::uint8_t>(address & 0xFF),
                   static_cast<std::uint8_t>(data.size() & 0xFF)};
    Append(bytes, data);
    return bytes;
}

// One row of the global write sheet: a masked byte (length 0) or a block.
struct Row {
    int address;
    int mask;
    int length;
    bool zeros = false;
};

// The global sheet of Write Globals, in order; Write All replaces rows 10 and 11.
inline std::vector<Row> GlobalRows(bool writeAll)
{
    std::vector<Row> rows = {{0x007, 0xFF, 0}, {0x082, 0xFF, 0}, {0x083, 0xFE, 0},
                             {0x087, 0xF7, 0}, {0x088, 0xC0, 0}, {0x0AD, 0x80, 0},
                             {0x0AE, 0, 2},    {0x0BD, 0, 3},    {0x0C0, 0x0F, 0}};
    if (writeAll) {
        for (int a = 0x0C1; a <= 0x0C4; ++a)
            rows.push_back({a, 0xFF, 0});
    } else {
        rows.push_back({0x0C1, 0, 4});
        rows.push_back({0x0C4, 0xFF, 0});
    }
    const std::vector<Row> tail = {{0x0C5, 0xBF, 0},     {0x0C6, 0xF8, 0}, {0x0C7, 0x07, 0},
                                   {0x0C8, 0xFF, 0},     {0x0C9, 0xDF, 0}, {0x0CA, 0xFF, 0},
                                   {0x0CB, 0xDF, 0},     {0x100, 0, 64},   {0x140, 0, 40},
                                   {0x168, 0, 152, true}};
    rows.insert(rows.end(), tail.begin(), tail.end());
    return rows;
}

// Group page offset and length of each group write, in order.
struct GroupRow {
    int offset;
    int length;
};
inline std::vector<GroupRow> GroupRows()
{
    return {{0, 1}, {0x20, 12}, {0x2C, 1}, {256, 256}, {512, 256}, {768, 128}};
}

inline Bytes PageBytes(const MemMapImage &mm, int page, int offset, int length)
{
    Bytes bytes;
    for (int i = 0; i < length; ++i)
        bytes.push_back(mm.get(page, offset + i));
    return bytes;
}

inline Bytes GlobalWrites(const MemMapImage &mm, bool writeAll)
{
    Bytes bytes;
    for (const Row &row : GlobalRows(writeAll)) {
        if (row.length == 0)
            Append(bytes, ByteWrite(row.address, row.mask, mm.get(0, row.address)));
        else if (row.zeros)
            Append(bytes, BlockWrite(row.address, Bytes(static_cast<std::size_t>(row.length), 0)));
        else
            Append(bytes, BlockWrite(row.address, PageBytes(mm, 0, row.address, row.length)));
    }
    return bytes;
}

inline Bytes GroupWrites(const MemMapImage &mm, int group)
{
    Bytes bytes;
    for (const GroupRow &row : GroupRows())
        Append(bytes, BlockWrite((group + 1) * 1024 + row.offset,
                                 PageBytes(mm, group + 1, row.offset, row.length)));
    return bytes;
}

// Whole exchanges from a radio that was not hooked, at 4800 bit/s.
inline Bytes WriteGlobalsTrace(const MemMapImage &mm)
{
    Bytes bytes = WakeUp();
    Append(bytes, GlobalWrites(mm, false));
    Append(bytes, Unhook());
    return bytes;
}

inline Bytes WriteAllTrace(const MemMapImage &mm)
{
    Bytes bytes = WakeUp();
    Append(bytes, GlobalWrites(mm, true));
    for (int g = 0; g < 25; ++g)
        Append(bytes, GroupWrites(mm, g));
    Append(bytes, Unhook());
    return bytes;
}

inline Bytes WriteGroupTrace(const MemMapImage &mm, int group)
{
    Bytes bytes = WakeUp();
    Append(bytes, GroupWrites(mm, group));
    Append(bytes, Unhook());
    return bytes;
}

inline Bytes ReadTrace(const std::vector<int> &highBytes)
{
    Bytes bytes = WakeUp();
    for (int high : highBytes)
        Append(bytes, ReadBlock(high));
    Append(bytes, Unhook());
    return bytes;
}

inline std::vector<int> ReadAllBlocks()
{
    std::vector<int> blocks = {0, 1, 2};
    for (int h = 4; h < 104; ++h)
        blocks.push_back(h);
    return blocks;
}

// The radio's EEPROM after Write All of mm over before: masked bytes take mm's bits under
// the mask, blocks take mm's bytes (the last global block zeros), nothing else changes.
inline Bytes AfterWriteAll(const Bytes &before, const MemMapImage &mm)
{
    Bytes after = before;
    for (const Row &row : GlobalRows(true)) {
        if (row.length == 0) {
            std::uint8_t &cell = after[static_cast<std::size_t>(row.address)];
            cell =
                static_cast<std::uint8_t>((cell & ~row.mask) | (mm.get(0, row.address) & row.mask));
        } else {
            for (int i = 0; i < row.length; ++i)
                after[static_cast<std::size_t>(row.address + i)] =
                    row.zeros ? 0 : mm.get(0, row.address + i);
        }
    }
    for (int g = 0; g < 25; ++g) {
        for (const GroupRow &row : GroupRows()) {
            for (int i = 0; i < row.length; ++i)
                after[static_cast<std::size_t>((g + 1) * 1024 + row.offset + i)] =
                    mm.get(g + 1, row.offset + i);
        }
    }
    return after;
}

} // namespace RadioTrace
