#include "chanslot.h"

#include "alignmentcells.h"
#include "eeprotocol.h"
#include "freqcodec.h"
#include "guardcodec.h"
#include "numtext.h"

#include <cstdint>
#include <vector>

namespace
{

// Offsets in the slot.
constexpr int RxFreqOffset = 0;
constexpr int TxFreqOffset = 8;
constexpr int RxGuardOffset = 4;
constexpr int TxGuardOffset = 12;
struct FlagBit {
    int offset;
    int mask;
    const char *set;
};
constexpr FlagBit NarrowBit{2, 0x08, "N"};
constexpr FlagBit LowPowerBit{10, 0x20, "L"};

int ReadByteAt(int address)
{
    std::vector<std::uint8_t> bytes(1);
    if (!ReadMultiEEBytes(address / 256, address % 256, 1, bytes))
        return -1;
    return bytes[0];
}

bool WriteByteAt(int address, int value)
{
    return WriteEEByte(address / 256, address % 256, 0xFF, value & 0xFF);
}

bool ReadPairAt(int address, int &high, int &low)
{
    high = ReadByteAt(address);
    low = high < 0 ? -1 : ReadByteAt(address + 1);
    return low >= 0;
}

std::string ReadFlag(int g, int c, const FlagBit &bit)
{
    const int value = ReadByteAt(UnitChanSlot(g, c) + bit.offset);
    if (value < 0)
        return {};
    return (value & bit.mask) ? bit.set : "-";
}

bool WriteFlag(int g, int c, const FlagBit &bit, const std::string &flag)
{
    const int address = UnitChanSlot(g, c) + bit.offset;
    int value = ReadByteAt(address);
    if (value < 0)
        return false;
    value &= ~bit.mask;
    if (flag == bit.set)
        value |= bit.mask;
    return WriteByteAt(address, value);
}

} // namespace

int UnitChanSlot(int g, int c)
{
    return (g + 1) * 1024 + 256 + 32 * c;
}

double ReadUnitChanFreq(int g, int c, bool isRx)
{
    int high = 0;
    int low = 0;
    if (!ReadPairAt(UnitChanSlot(g, c) + (isRx ? RxFreqOffset : TxFreqOffset), high, low))
        return -1.0;
    return NumericValue(BytesToFreq(high, low));
}

bool WriteUnitChanFreq(int g, int c, bool isRx, double mhz)
{
    const int address = UnitChanSlot(g, c) + (isRx ? RxFreqOffset : TxFreqOffset);
    const FreqBytes bytes = FreqToBytes(mhz);
    return WriteByteAt(address, bytes.high) && WriteByteAt(address + 1, bytes.low);
}

std::string ReadUnitNarrowFlag(int g, int c)
{
    return ReadFlag(g, c, NarrowBit);
}

bool WriteUnitNarrowFlag(int g, int c, const std::string &flag)
{
    return WriteFlag(g, c, NarrowBit, flag);
}

std::string ReadUnitLowPowerFlag(int g, int c)
{
    return ReadFlag(g, c, LowPowerBit);
}

bool WriteUnitLowPowerFlag(int g, int c, const std::string &flag)
{
    return WriteFlag(g, c, LowPowerBit, flag);
}

std::string ReadUnitChanGuard(int g, int c, bool isRx)
{
    int high = 0;
    int low = 0;
    if (!ReadPairAt(UnitChanSlot(g, c) + (isRx ? RxGuardOffset : TxGuardOffset), high, low))
        return {};
    return BytesToGuard(high, low);
}

bool WriteUnitChanGuard(int g, int c, bool isRx, const std::string &guard)
{
    const int address = UnitChanSlot(g, c) + (isRx ? RxGuardOffset : TxGuardOffset);
    const GuardBytes bytes = GuardToBytes(guard);
    return WriteByteAt(address, bytes.high) && WriteByteAt(address + 1, bytes.low);
}

namespace
{

TuneChanRec s_read;  // group 1, channel 1 as last read
bool s_left = false; // it was written with something else since

bool SameChannel(const TuneChanRec &a, const TuneChanRec &b)
{
    return a.RxFreq == b.RxFreq && a.NarrowFlag == b.NarrowFlag && a.RxGuard == b.RxGuard &&
           a.TxFreq == b.TxFreq && a.LowPowerFlag == b.LowPowerFlag && a.TxGuard == b.TxGuard;
}

} // namespace

bool TestChannelLeft()
{
    return s_left;
}

void ForgetChannel1()
{
    s_read = TuneChanRec();
    s_left = false;
}

bool GetChanDataFromUnit(int g, int c, TuneChanRec &rec, bool closeAfter)
{
    if (!EnsureHooked())
        return false;
    rec.RxFreq = ReadUnitChanFreq(g, c, true);
    rec.NarrowFlag = ReadUnitNarrowFlag(g, c);
    rec.RxGuard = ReadUnitChanGuard(g, c, true);
    rec.TxFreq = ReadUnitChanFreq(g, c, false);
    rec.LowPowerFlag = ReadUnitLowPowerFlag(g, c);
    rec.TxGuard = ReadUnitChanGuard(g, c, false);
    if (closeAfter)
        UnhookRadio(true);
    const bool ok = rec.RxFreq >= 0.0 && rec.TxFreq >= 0.0 && !rec.NarrowFlag.empty() &&
                    !rec.RxGuard.empty() && !rec.LowPowerFlag.empty() && !rec.TxGuard.empty();
    // An inactive or out-of-band slot is kept as no frequency.
    if (rec.RxFreq < FreqBandLowMHz)
        rec.RxFreq = 0.0;
    if (rec.TxFreq < FreqBandLowMHz)
        rec.TxFreq = 0.0;
    if (ok && g == 0 && c == 0) {
        s_read = rec;
        s_left = false;
    }
    return ok;
}

bool WriteChanDataToUnit(int g, int c, const TuneChanRec &rec, bool closeAfter)
{
    if (!EnsureHooked())
        return false;
    const bool ok =
        WriteUnitChanFreq(g, c, true, rec.RxFreq) && WriteUnitNarrowFlag(g, c, rec.NarrowFlag) &&
        WriteUnitChanGuard(g, c, true, rec.RxGuard) && WriteUnitChanFreq(g, c, false, rec.TxFreq) &&
        WriteUnitLowPowerFlag(g, c, rec.LowPowerFlag) &&
        WriteUnitChanGuard(g, c, false, rec.TxGuard);
    if (g == 0 && c == 0)
        s_left = !ok || !SameChannel(rec, s_read);
    if (!ok) {
        UnhookRadio(true);
        ShowHookError();
        return false;
    }
    if (closeAfter)
        UnhookRadio(true);
    return true;
}
