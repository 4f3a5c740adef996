#pragma once

// The fields in which two images differ, over the bytes and bits Write All sends, named and
// shown as the editor's panes show them.

#include "memmap.h"
#include "ownedbits.h"

#include <string>
#include <vector>

struct FieldDifference {
    int group = 0;   // 1..25; 0 for a global field
    int channel = 0; // 1..20; 0 for a group or global field
    std::string field;
    std::string first;  // as the first image holds it
    std::string second; // as the second image holds it
};

// The fields whose owned bits differ, named by the keys of the text form, in window order; bits
// the write tables do not own never count. When no named field shows a difference (two values
// a decoder shows alike), the differing owned bytes are listed instead, in hex: "record byte 1"
// of a channel, else "byte 0x1A2B".
std::vector<FieldDifference> DiffFields(const MemMapImage &first, const MemMapImage &second);

// "Group 3 Channel 5 RX Freq: 151.2500 -> 151.2600" and the like.
std::string DifferenceLine(const FieldDifference &d);
