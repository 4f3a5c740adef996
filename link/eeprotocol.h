#pragma once

#include <cstdint>
#include <vector>

// The radio's programming protocol over platform().serial, timed by platform().clock.
// Every wait keeps the window's events serviced.

// Opens (true) or closes the port of g_iCommPort: 1 when it is then in the requested state,
// 2 when an open was refused because the port is in use (after "COMM PORT CONFLICT"), else 0.
int OpenCommPort(bool open);

// Wakes the radio on port (1..10) at 4800 bit/s and moves to baud when the radio takes it:
// 1 hooked (maybe at a lower rate), 0 no answer in tries attempts, -1 port not usable.
int HookRadio(int port, int tries, long baud);

// Sends the unhook byte; closes the port when close is true.
void UnhookRadio(bool close);

// Reads count (1..256) bytes from EEPROM address high * 256 + low into buffer[0..count-1].
bool ReadMultiEEBytes(int high, int low, int count, std::vector<std::uint8_t> &buffer);

// The same for a read whose bytes must be the radio's own (a backup, a verify): a reply longer
// than count, or surplus of the previous exact read still arriving, fails it as a comm error.
bool ReadExactEEBytes(int high, int low, int count, std::vector<std::uint8_t> &buffer);

// True when no byte is waiting on the line.
bool InputIsQuiet();

// Writes the bits of value selected by mask into one EEPROM byte.
bool WriteEEByte(int high, int low, int mask, int value);

// Writes buffer[0..count-1] (count 1..256) from EEPROM address high * 256 + low on.
bool WriteMultiEEBytes(int high, int low, int count, const std::vector<std::uint8_t> &buffer);

// Sends one byte while hooked; no reply is awaited.
void SendByte(int value);

// "Unable to 'Hook' radio." with OK.
void ShowHookError();
// The same with Retry and Cancel; true unless Cancel was chosen.
bool AskHookRetry();
