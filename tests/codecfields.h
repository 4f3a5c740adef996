#pragma once

// Where the radio's memory layout places each global option list: the page 0 bytes and the
// bits of them it owns, independent of the codec's tables. Shared by the bit sweep and the
// codec fuzzing.

#include <map>
#include <string>
#include <vector>

struct OwnBits {
    int page;
    int offset;
    int mask;
};

inline const std::map<std::string, std::vector<OwnBits>> &GlobalOptionFields()
{
    // clang-format off
    static const std::map<std::string, std::vector<OwnBits>> fields{
        {"cbToggleAssign_0", {{0, 130, 0xE0}}}, {"cbToggleAssign_1", {{0, 130, 0x1C}}},
        {"cbToggleAssign_2", {{0, 130, 0x03}, {0, 131, 0x80}}},
        {"cbToggleAssign_3", {{0, 131, 0x70}}}, {"cbToggleAssign_4", {{0, 131, 0x0E}}},
        {"cbDTMFDev", {{0, 7, 0xF8}}}, {"cbFrontPorchTime", {{0, 7, 0x03}}},
        {"cbANI", {{0, 7, 0x04}}},
        {"cbPriRate", {{0, 135, 0x07}}}, {"cbFreqDisp", {{0, 135, 0x80}}},
        {"cbPerChanPower", {{0, 135, 0x40}}}, {"cbTalkbackScan", {{0, 135, 0x20}}},
        {"cbNuisanceChanDel", {{0, 135, 0x10}}}, {"cbDispOpts_0", {{0, 197, 0x06}}},
        {"cbDispOpts_1", {{0, 199, 0x07}}}, {"cbPriOpts_0", {{0, 200, 0xFF}}},
        {"cbPriOpts_1", {{0, 202, 0xFF}}}, {"cbPriOpts_2", {{0, 201, 0xFF}}},
        {"cbPriOpts_3", {{0, 203, 0xFF}}}, {"cbUCG", {{0, 198, 0x80}}},
        {"cbMisc_0", {{0, 196, 0x0F}}}, {"cbMisc_1", {{0, 196, 0xF0}}},
        {"cbMisc_2", {{0, 197, 0x80}}}, {"cbMisc_3", {{0, 198, 0x60}}},
        {"cbMisc_4", {{0, 198, 0x18}}}, {"cbMisc_5", {{0, 197, 0x10}}},
        {"cbMisc_6", {{0, 197, 0x08}}},
    };
    // clang-format on
    return fields;
}
