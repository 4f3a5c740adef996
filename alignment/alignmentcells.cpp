#include "alignmentcells.h"

#include "eeprotocol.h"
#include "linkstate.h"

#include <vector>

namespace
{

constexpr long CoarseFailed = -1000000;

int High(int address)
{
    return address / 256;
}

int Low(int address)
{
    return address % 256;
}

// A failed transfer leaves the link in a known state: released, the user told.
bool Released()
{
    UnhookRadio(true);
    ShowHookError();
    return false;
}

bool ReadCell(const AlignCell &cell, std::vector<std::uint8_t> &bytes)
{
    bytes.assign(static_cast<std::size_t>(cell.size), 0);
    return ReadMultiEEBytes(High(cell.address), Low(cell.address), cell.size, bytes);
}

bool WriteByteAt(int address, int value)
{
    return WriteEEByte(High(address), Low(address), 0xFF, value & 0xFF);
}

int ReadDAC(const AlignCell &cell, bool closeAfter)
{
    std::vector<std::uint8_t> bytes;
    if (!EnsureHooked() || !ReadCell(cell, bytes))
        return -1;
    if (closeAfter)
        UnhookRadio(true);
    return bytes[0];
}

bool WriteDAC(const AlignCell &cell, int value, bool closeAfter)
{
    if (!EnsureHooked())
        return false;
    if (!WriteByteAt(cell.address, value))
        return Released();
    if (closeAfter)
        UnhookRadio(true);
    return true;
}

// Two one-byte reads, as the radio's reference cells are read.
bool ReadPair(const AlignCell &cell, int &high, int &low)
{
    std::vector<std::uint8_t> first;
    std::vector<std::uint8_t> second;
    if (!EnsureHooked() || !ReadMultiEEBytes(High(cell.address), Low(cell.address), 1, first) ||
        !ReadMultiEEBytes(High(cell.address + 1), Low(cell.address + 1), 1, second))
        return false;
    high = first[0];
    low = second[0];
    return true;
}

bool ReadCurve(const AlignCell &cell, CurveBytes &out)
{
    std::vector<std::uint8_t> bytes;
    if (!EnsureHooked())
        return false;
    if (!ReadCell(cell, bytes))
        return Released();
    std::copy(bytes.begin(), bytes.begin() + cell.size, out.begin());
    return true;
}

bool WriteBlock(const AlignCell &cell, const std::vector<std::uint8_t> &bytes)
{
    if (!EnsureHooked())
        return false;
    if (!WriteMultiEEBytes(High(cell.address), Low(cell.address), cell.size, bytes))
        return Released();
    return true;
}

int CoarseTuneAddress(int path, int point)
{
    for (const CoarseTuneCell &cell : CoarseTuneCells) {
        if (cell.path == path && cell.point == point)
            return cell.address;
    }
    return -1;
}

} // namespace

bool EnsureHooked()
{
    if (g_bHooked)
        return true;
    const int result = HookRadio(m_iCommPort, 3, m_lBaudRate);
    if (result == 1)
        return true;
    if (result != -1)
        Released();
    return false;
}

int ReadHighPowerDAC(bool closeAfter)
{
    return ReadDAC(HighPowerDACCell, closeAfter);
}

int ReadLowPowerDAC(bool closeAfter)
{
    return ReadDAC(LowPowerDACCell, closeAfter);
}

bool WriteHighPowerDAC(int value, bool closeAfter)
{
    return WriteDAC(HighPowerDACCell, value, closeAfter);
}

bool WriteLowPowerDAC(int value, bool closeAfter)
{
    return WriteDAC(LowPowerDACCell, value, closeAfter);
}

bool ReadFreqAdjValues(int &high, int &low)
{
    return ReadPair(FreqAdjCell, high, low);
}

bool WriteFreqAdjValues(int high, int low)
{
    if (!EnsureHooked())
        return false;
    if (!WriteByteAt(FreqAdjCell.address, high) || !WriteByteAt(FreqAdjCell.address + 1, low))
        return Released();
    return true;
}

long GetVCOCourseTuneCurveValues(int path, int point)
{
    const int address = CoarseTuneAddress(path, point);
    std::vector<std::uint8_t> bytes(2);
    if (!g_bHooked || address < 0 || !ReadMultiEEBytes(High(address), Low(address), 2, bytes))
        return CoarseFailed;
    return bytes[0] * 256L + bytes[1];
}

bool WriteVCOCourseTuneCurveValues(long value, int path, int point)
{
    const int address = CoarseTuneAddress(path, point);
    if (!g_bHooked || address < 0)
        return false;
    const std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>((value / 256) % 256),
                                             static_cast<std::uint8_t>(value % 256)};
    if (!WriteMultiEEBytes(High(address), Low(address), 2, bytes))
        return Released();
    return true;
}

bool ReadFESValue(int &high, int &low)
{
    std::vector<std::uint8_t> bytes;
    if (!EnsureHooked())
        return false;
    if (!ReadCell(FESCell, bytes))
        return Released();
    high = bytes[0];
    low = bytes[1];
    return true;
}

bool WriteFESValue(int high, int low)
{
    return WriteBlock(FESCell, {static_cast<std::uint8_t>(high), static_cast<std::uint8_t>(low)});
}

bool ReadModCurve(CurveBytes &bytes)
{
    return ReadCurve(ModCurveCell, bytes);
}

bool WriteModCurve(const CurveBytes &bytes)
{
    return WriteBlock(ModCurveCell, {bytes.begin(), bytes.end()});
}

bool ReadPowerCurve(CurveBytes &bytes)
{
    return ReadCurve(PowerCurveCell, bytes);
}

bool WritePowerCurve(const CurveBytes &bytes)
{
    return WriteBlock(PowerCurveCell, {bytes.begin(), bytes.end()});
}
