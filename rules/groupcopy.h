#pragma once

// Copying one group's page over others, byte for byte, apart from the dialog.

#include "memmap.h"

#include <optional>
#include <vector>

// Bytes 0..255 of a group's page are its parameters, the rest its channels.
constexpr int GroupParamBytes = 256;

struct GroupCopyChoice {
    std::optional<int> source;      // 0-based group
    std::vector<bool> destinations; // one per group
    bool channels = true;
    bool params = true;
};

inline const char *const CopyMacroCaption = "RQN Edit - Copy and Paste Macro";
extern const char *const CopyMacroInfo;

// Copies the chosen byte ranges of the source group's page over the destination's.
void CopyGroupData(MemMapImage &mm, int source, int dest, bool channels, bool params);

// Says what is missing from the choice, or copies into every destination in order. True when
// it copied.
bool RunGroupCopy(MemMapImage &mm, const GroupCopyChoice &choice);
