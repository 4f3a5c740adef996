#pragma once

// Everything of a group page besides frequencies and guards: the channel flags, the
// labels, the two group options, and the validation of the channel grid's columns.

#include "memmap.h"

#include <string>

// Flags: "S"/"N"/"L" when set, "-" when clear. Setters: "-" clears, any other text sets.
std::string GetChanScan(const MemMapImage &mm, int group, int chan);
void SetChanScan(MemMapImage &mm, int group, int chan, const std::string &text);
std::string GetChanNarrow(const MemMapImage &mm, int group, int chan);
void SetChanNarrow(MemMapImage &mm, int group, int chan, const std::string &text);
std::string GetChanLowPower(const MemMapImage &mm, int group, int chan);
void SetChanLowPower(MemMapImage &mm, int group, int chan, const std::string &text);

// Incoming clone: true for "Reject".
bool GetGrpIncomingClone(const MemMapImage &mm, int group);
void SetGrpIncomingClone(MemMapImage &mm, int group, bool reject);
// "Yes" or "No"; the setter takes any text containing "YES" (any case) as yes.
std::string GetGrpScanList(const MemMapImage &mm, int group);
void SetGrpScanList(MemMapImage &mm, int group, const std::string &text);

std::string GetChanLabel(const MemMapImage &mm, int group, int chan);
void SetChanLabel(MemMapImage &mm, int group, int chan, const std::string &text);
std::string GetGrpLabel(const MemMapImage &mm, int group);
void SetGrpLabel(MemMapImage &mm, int group, const std::string &text);

// "h" stays; anything else upper-cased if that is in the label table, otherwise a blank.
// ch is one character (a UTF-8 sequence counts as one, and is never in the table).
std::string ValidateLabelChar(const std::string &ch);
// Exactly n characters of the label table.
std::string ValidateLabel(const std::string &text, int n);

// The text to store for a channel grid column 1..8 (label, RX freq, RX guard, TX freq,
// TX guard, scan, bandwidth, power); other columns keep the text.
std::string ValidateGridCell(const std::string &text, int column);
