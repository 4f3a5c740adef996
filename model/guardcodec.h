#pragma once

// Channel guards: CTCSS tones as packed BCD, CDCSS codes with an invert bit, or none;
// plus the channel's reference into the UTXG pick list.

#include "memmap.h"

#include <cstdint>
#include <optional>
#include <string>

struct GuardBytes {
    std::uint8_t high;
    std::uint8_t low;
};

GuardBytes GuardToBytes(const std::string &text);
// "000.0", a tone such as "067.0", or a code such as "D023" / "D131-".
std::string BytesToGuard(int high, int low);

// The transmit side shows "UTXG n" when it has no guard of its own and refers to entry n.
std::string GetChanGuard(const MemMapImage &mm, int group, int chan, bool isReceive);
// Every guard write also rewrites the channel's single UTXG index.
void SetChanGuard(MemMapImage &mm, int group, int chan, bool isReceive, const std::string &text);

// "UTXG n" for a stored index 1..32, otherwise "OFF".
std::string GetChanUTXG(const MemMapImage &mm, int group, int chan);
void SetChanUTXG(MemMapImage &mm, int group, int chan, const std::string &text);

// What ValidateChanGuard gives for a text it accepts ("000.0" for none); none where it would
// show "FORMAT ERROR".
std::optional<std::string> AcceptedChanGuard(const std::string &text);
// Accepted text, "000.0", or, after a "FORMAT ERROR" message, the guard entry of CellUndoText.
std::string ValidateChanGuard(const std::string &text);
