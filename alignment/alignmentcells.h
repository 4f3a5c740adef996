#pragma once

// The radio's alignment cells, read and written directly in the radio (never in the MemMap).
// Each hooks first when needed; a failed write releases the radio after the hook error.

#include <array>
#include <cstdint>

struct AlignCell {
    int address;
    int size;
};

constexpr AlignCell HighPowerDACCell{0x000B, 1};
constexpr AlignCell LowPowerDACCell{0x0014, 1};
constexpr AlignCell FreqAdjCell{0x001F, 2};
constexpr AlignCell NarrowSquelchCell{0x0043, 1};
constexpr AlignCell WideSquelchCell{0x004C, 1};
constexpr AlignCell FESCell{0x031F, 2};
constexpr AlignCell ModCurveCell{0x0325, 9};
constexpr AlignCell PowerCurveCell{0x032E, 9};

// Coarse-tune cells by (path, point); (0, 0) has none.
struct CoarseTuneCell {
    int path;
    int point;
    int address;
};
constexpr CoarseTuneCell CoarseTuneCells[] = {{0, 1, 0x0303}, {1, 0, 0x030A}, {1, 1, 0x030C}};

using CurveBytes = std::array<std::uint8_t, 9>;

// Makes sure the radio is hooked: false after a failed hook (with the hook error unless the
// port itself was unusable).
bool EnsureHooked();

int ReadHighPowerDAC(bool closeAfter); // -1 on failure
int ReadLowPowerDAC(bool closeAfter);
bool WriteHighPowerDAC(int value, bool closeAfter);
bool WriteLowPowerDAC(int value, bool closeAfter);

bool ReadFreqAdjValues(int &high, int &low);
bool WriteFreqAdjValues(int high, int low);

// No hook attempt: -1000000 when not hooked or on failure.
long GetVCOCourseTuneCurveValues(int path, int point);
bool WriteVCOCourseTuneCurveValues(long value, int path, int point);

bool ReadFESValue(int &high, int &low);
bool WriteFESValue(int high, int low);

bool ReadModCurve(CurveBytes &bytes);
bool WriteModCurve(const CurveBytes &bytes);
bool ReadPowerCurve(CurveBytes &bytes);
bool WritePowerCurve(const CurveBytes &bytes);
