#pragma once

// Values stored into a run of cells of one grid column at once: a frequency series, or one typed
// value into every selected cell.

#include "memmap.h"

#include <optional>
#include <string>

inline const char *const FillCaption = "FILL SERIES";

// A step typed in kHz ("12.5", "-25", "6.25 kHz") in Hz; nothing for any other text.
std::optional<long long> ParseStepKHz(const std::string &text);

// Stores start, start + step, ... into channels first..last of a frequency column (2 or 4), each
// value through the column's rules as typing it would go. The start is validated first (a bad one
// re-prompts); a value outside the band stops the fill with a message. True when a byte changed.
bool FillSeries(MemMapImage &mm, int group, int col, int first, int last, const std::string &start,
                long long stepHz);

// A text typed for one cell of the column, validated once and stored into channels first..last.
// True when a byte changed.
bool StoreIntoCells(MemMapImage &mm, int group, int col, int first, int last,
                    const std::string &typed);
