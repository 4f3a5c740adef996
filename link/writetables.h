#pragma once

// What the write transactions send: only the bytes and bits the editor owns. Everything else
// in the radio's EEPROM is the radio's own business and is never written.

enum class WriteKind {
    Byte,      // WriteEEByte with the mask
    Block,     // WriteMultiEEBytes of that many MemMap bytes
    ZeroBlock, // WriteMultiEEBytes of that many zero bytes, not taken from the MemMap
};

// Which write command uses a row of the global table.
enum class WriteUse { Both, GlobalsOnly, AllOnly };

struct GlobalWrite {
    int address; // also the offset on the MemMap's global page
    WriteKind kind;
    int maskOrLength;
    WriteUse use;
};

// In sending order. Write All sends bytes 0x0C1..0x0C4 one by one where Write Globals sends
// them as a block and then 0x0C4 again.
constexpr GlobalWrite GlobalWrites[] = {
    {0x007, WriteKind::Byte, 0xFF, WriteUse::Both},
    {0x082, WriteKind::Byte, 0xFF, WriteUse::Both},
    {0x083, WriteKind::Byte, 0xFE, WriteUse::Both},
    {0x087, WriteKind::Byte, 0xF7, WriteUse::Both},
    {0x088, WriteKind::Byte, 0xC0, WriteUse::Both},
    {0x0AD, WriteKind::Byte, 0x80, WriteUse::Both},
    {0x0AE, WriteKind::Block, 2, WriteUse::Both},
    {0x0BD, WriteKind::Block, 3, WriteUse::Both},
    {0x0C0, WriteKind::Byte, 0x0F, WriteUse::Both},
    {0x0C1, WriteKind::Block, 4, WriteUse::GlobalsOnly},
    {0x0C4, WriteKind::Byte, 0xFF, WriteUse::GlobalsOnly},
    {0x0C1, WriteKind::Byte, 0xFF, WriteUse::AllOnly},
    {0x0C2, WriteKind::Byte, 0xFF, WriteUse::AllOnly},
    {0x0C3, WriteKind::Byte, 0xFF, WriteUse::AllOnly},
    {0x0C4, WriteKind::Byte, 0xFF, WriteUse::AllOnly},
    {0x0C5, WriteKind::Byte, 0xBF, WriteUse::Both},
    {0x0C6, WriteKind::Byte, 0xF8, WriteUse::Both},
    {0x0C7, WriteKind::Byte, 0x07, WriteUse::Both},
    {0x0C8, WriteKind::Byte, 0xFF, WriteUse::Both},
    {0x0C9, WriteKind::Byte, 0xDF, WriteUse::Both},
    {0x0CA, WriteKind::Byte, 0xFF, WriteUse::Both},
    {0x0CB, WriteKind::Byte, 0xDF, WriteUse::Both},
    {0x100, WriteKind::Block, 64, WriteUse::Both},      // UTXG pick list
    {0x140, WriteKind::Block, 40, WriteUse::Both},      // command group
    {0x168, WriteKind::ZeroBlock, 152, WriteUse::Both}, // cleared up to the end of the block
};

// One write of a group page, addressed from the group's first block h = 4 * (group + 1).
struct GroupWrite {
    int block; // added to h for the high byte
    int low;
    int length;
};

// Offsets 1..31, 45..255 and 896..1023 of a group page are never written.
constexpr GroupWrite GroupWrites[] = {
    {0, 0x00, 1},   // incoming clone
    {0, 0x20, 12},  // group label
    {0, 0x2C, 1},   // scan list
    {1, 0x00, 256}, // channels 1..8
    {2, 0x00, 256}, // channels 9..16
    {3, 0x00, 128}, // channels 17..20
};

// Progress totals: reads count bytes stored, writes count global writes and group bytes.
constexpr int ReadAllProgressTotal = 26368;
constexpr int ReadGlobalsProgressTotal = 768;
constexpr int ReadGroupProgressTotal = 1024;
constexpr int WriteGlobalsProgressTotal = 12;
constexpr int WriteGroupProgressTotal = 782;
constexpr int WriteAllProgressTotal = 23338;
