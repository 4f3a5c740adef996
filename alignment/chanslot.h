#pragma once

// Direct access to one channel slot of the radio (group index g, channel index c).

#include "tunechanrec.h"

#include <string>

// EEPROM address of the slot.
int UnitChanSlot(int g, int c);

double ReadUnitChanFreq(int g, int c, bool isRx); // MHz, -1.0 on failure
bool WriteUnitChanFreq(int g, int c, bool isRx, double mhz);
std::string ReadUnitNarrowFlag(int g, int c); // "N", "-", or "" on failure
bool WriteUnitNarrowFlag(int g, int c, const std::string &flag);
std::string ReadUnitLowPowerFlag(int g, int c); // "L", "-", or ""
bool WriteUnitLowPowerFlag(int g, int c, const std::string &flag);
std::string ReadUnitChanGuard(int g, int c, bool isRx); // "" on failure
bool WriteUnitChanGuard(int g, int c, bool isRx, const std::string &guard);

// Hooks when needed and reads the six fields; true when both frequencies and the four texts
// came. A frequency below the band is kept as 0.
bool GetChanDataFromUnit(int g, int c, TuneChanRec &rec, bool closeAfter);
// Hooks when needed and writes the six fields, stopping at the first failure (radio released,
// hook error shown).
bool WriteChanDataToUnit(int g, int c, const TuneChanRec &rec, bool closeAfter);

// True when the last write to group 1, channel 1 put something else there than its last read
// found, or stopped part way: the radio keeps a test channel there.
bool TestChannelLeft();
// Forgets what channel 1 held (a new radio, or a test).
void ForgetChannel1();
