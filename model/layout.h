#pragma once

// Where every field the editor knows lives in the MemMap.

#include "memmap.h"

namespace Layout
{

constexpr int GlobalPage = 0;

// Group i (0..24) lives on page i + 1.
constexpr int GroupPage(int group)
{
    return group + 1;
}

// Group page
constexpr int GrpIncomingClone = 0; // bit 0: 1 = "Reject"
constexpr int GrpLabel = 32;        // 12 label codes
constexpr int GrpScanList = 44;     // bit 0: 1 = "Yes"
constexpr int LabelLength = 12;

// Channel records
constexpr int ChanRecordBase = 256;
constexpr int ChanRecordSize = 32;
constexpr int ChanRecord(int chan)
{
    return ChanRecordBase + ChanRecordSize * chan;
}

// Offsets relative to the start of a channel record.
constexpr int ChRxFreq = 0;   // 2 bytes, high first
constexpr int ChFlags1 = 2;   // bit 4 scan "S", bit 3 narrow "N"
constexpr int ChRxGuard = 4;  // 2 bytes, high first
constexpr int ChTxFreq = 8;   // 2 bytes, high first
constexpr int ChFlags2 = 10;  // bit 5 low power "L"
constexpr int ChUTXG = 11;    // user TX guard index 1..32, 0 = none
constexpr int ChTxGuard = 12; // 2 bytes, high first
constexpr int ChLabel = 20;   // 12 label codes

constexpr int ChScanBit = 4;
constexpr int ChNarrowBit = 3;
constexpr int ChLowPowerBit = 5;

// EEPROM address of field offset f of channel c in internal group i.
constexpr int ChanFieldAddress(int group, int chan, int field)
{
    return EepromAddress(GroupPage(group), ChanRecord(chan) + field);
}

// Global page
constexpr int GlbByte5 = 5;
constexpr int GlbDtmfAniPorch = 7;   // bits 3-7 DTMF deviation, bit 2 ANI rate, bits 0-1 porch
constexpr int GlbSerialNumber = 113; // 7 digits, one per byte
constexpr int GlbSerialNumberLength = 7;
constexpr int GlbSwitchA = 130;      // bits 5-7 Low Power, 2-4 Channel Scan, 0-1 Priority Scan hi
constexpr int GlbSwitchB = 131;      // bit 7 Priority Scan lo, 4-6 Talk Around, 1-3 Group Scan
constexpr int GlbSwitchC = 132;      // bits 3-5 sixth switch assignment
constexpr int GlbOptions1 = 135;     // bits 7,6,5,4 flags; bits 0-2 priority rate
constexpr int GlbPickListLock = 136; // bit 6 lock; bit 7 carried
constexpr int GlbByte173 = 173;      // bit 7 carried
constexpr int GlbNullFreq = 174;     // 2 bytes, high first
constexpr int GlbKeypadPwd = 189;    // 3 bytes, six BCD digits
constexpr int GlbAniId = 192;        // bits 0-3 of 192, then 193..195
constexpr int GlbScanHoldTot = 196;  // bits 0-3 scan hold, 4-7 TX timeout
constexpr int GlbOptions2 = 197;     // 0 silent, 1-2 back light, 3 scan lock, 4 prio lock,
                                     // 5 TX on prio 1, 7 battery saver inhibit
constexpr int GlbModes = 198;        // bits 3-4 ANI/DTMF, 5-6 busy channel, 7 UCG
constexpr int GlbBackLightDuration = 199; // bits 0-2
constexpr int GlbPrio1Group = 200;
constexpr int GlbPrio1Chan = 201; // bit 7 OFF, bit 6 MAIN, bits 0-4 channel
constexpr int GlbPrio2Group = 202;
constexpr int GlbPrio2Chan = 203;
constexpr int GlbPickList = 256; // 32 entries of 2 bytes
constexpr int PickListEntries = 32;
constexpr int GlbCommandGroup = 320; // 20 entries: group assign, channel assign
constexpr int CommandGroupEntries = 20;

// Transfer ranges, in bytes, against which the transactions count progress.
constexpr int GlobalsTransferBytes = 768;
constexpr int GroupTransferBytes = 1024;
constexpr int AllTransferBytes = GlobalsTransferBytes + NumGroups * GroupTransferBytes;

} // namespace Layout
