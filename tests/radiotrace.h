#pragma once

// What the radio must receive for each transaction, built from the write tables as a
// technician would read them off the radio's programming sheet, independent of link/.

#include "memmap.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace RadioTrace
{

using Bytes = std::vector<std::uint8_t>;

inline void Append(Bytes &to, const Bytes &bytes)
{
    to.insert(to.end(), bytes.begin(), bytes.end());
}

// The parts, one after the other.
inline Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes &part : parts)
        Append(all, part);
    return all;
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

// One row of a write sheet: a masked byte (length 0) or a block, of zeros where so marked.
struct Row {
    int address;
    int mask;
    int length;
    bool zeros = false;
};

// The global sheet in order. Where Write All writes 0x0C1..0x0C3 as masked bytes, Write Globals
// writes 0x0C1..0x0C4 as one block (and 0x0C4 masked after it).
inline std::vector<Row> GlobalRows(bool writeAll)
{
    const Row sheet[] = {{0x007, 0xFF, 0}, {0x082, 0xFF, 0}, {0x083, 0xFE, 0},     {0x087, 0xF7, 0},
                         {0x088, 0xC0, 0}, {0x0AD, 0x80, 0}, {0x0AE, 0, 2},        {0x0BD, 0, 3},
                         {0x0C0, 0x0F, 0}, {0x0C1, 0xFF, 0}, {0x0C2, 0xFF, 0},     {0x0C3, 0xFF, 0},
                         {0x0C4, 0xFF, 0}, {0x0C5, 0xBF, 0}, {0x0C6, 0xF8, 0},     {0x0C7, 0x07, 0},
                         {0x0C8, 0xFF, 0}, {0x0C9, 0xDF, 0}, {0x0CA, 0xFF, 0},     {0x0CB, 0xDF, 0},
                         {0x100, 0, 64},   {0x140, 0, 40},   {0x168, 0, 152, true}};
    std::vector<Row> rows(std::begin(sheet), std::end(sheet));
    if (!writeAll)
        rows.insert(rows.erase(rows.begin() + 9, rows.begin() + 12), {0x0C1, 0, 4});
    return rows;
}

// A masked write is 0xD3, address, mask, value; a block 0xD5, address, count (0 for 256), data.
inline Bytes Writes(const MemMapImage &mm, int page, const std::vector<Row> &rows)
{
    Bytes bytes;
    for (const Row &row : rows) {
        const int address = page * PageSize + row.address;
        Append(bytes,
               {std::uint8_t(row.length ? 0xD5 : 0xD3), std::uint8_t(address >> 8),
                std::uint8_t(address & 0xFF), std::uint8_t(row.length ? row.length : row.mask)});
        for (int i = 0; i < std::max(row.length, 1); ++i)
            bytes.push_back(row.zeros ? 0 : mm.get(page, row.address + i));
    }
    return bytes;
}

// The blocks of each group write, by offset in the group's page, in order.
inline Bytes GroupWrites(const MemMapImage &mm, int group)
{
    return Writes(
        mm, group + 1,
        {{0, 0, 1}, {0x20, 0, 12}, {0x2C, 0, 1}, {256, 0, 256}, {512, 0, 256}, {768, 0, 128}});
}

// Whole exchanges from a radio that was not hooked, at 4800 bit/s.
inline Bytes Session(const Bytes &body)
{
    Bytes bytes = WakeUp();
    Append(bytes, body);
    Append(bytes, Unhook());
    return bytes;
}

inline Bytes WriteAllTrace(const MemMapImage &mm)
{
    Bytes body = Writes(mm, 0, GlobalRows(true));
    for (int g = 0; g < 25; ++g)
        Append(body, GroupWrites(mm, g));
    return Session(body);
}

// Reads of whole blocks, by their high address byte.
inline Bytes ReadBlocks(const std::vector<int> &highBytes)
{
    Bytes body;
    for (int high : highBytes)
        Append(body, {0xC7, static_cast<std::uint8_t>(high), 0x00, 0x00, 0xFF});
    return body;
}

// The read-back of a write reads only the runs written, neighbours a few bytes apart as one:
// on the global page 0x007, 0x082..0x088, 0x0AD..0x0CB and 0x100..0x1FF; in a group page the
// clone byte, label and scan list byte, and the channel records. Groups first to end - 1.
inline Bytes ReadBackTrace(bool globals, int first = 0, int end = 0)
{
    Bytes body;
    auto read = [&body](int address, int count) {
        Append(body, {0xC7, std::uint8_t(address >> 8), std::uint8_t(address & 0xFF),
                      std::uint8_t(count & 0xFF)});
        if (count != 1)
            body.push_back(0xFF);
    };
    if (globals)
        for (auto [address, count] : {std::pair{0x007, 1}, {0x082, 7}, {0x0AD, 31}, {0x100, 256}})
            read(address, count);
    for (int g = first; g < end; ++g)
        for (auto [offset, count] :
             {std::pair{0, 1}, {0x20, 13}, {0x100, 256}, {0x200, 256}, {0x300, 128}})
            read((g + 1) * 1024 + offset, count);
    return Session(body);
}

inline std::vector<int> ReadAllBlocks()
{
    std::vector<int> blocks = {0, 1, 2};
    for (int h = 4; h < 104; ++h)
        blocks.push_back(h);
    return blocks;
}

} // namespace RadioTrace
