#pragma once

// The command group: 20 entries, each naming a group and a channel by list position.

#include "memmap.h"

#include <string>

// Command group entry k (0..19). Group list: "Group 1".."Group 25", "Unprogrammed" (25).
int GetCmdGrpGroupIndex(const MemMapImage &mm, int entry);
void SetCmdGrpGroupIndex(MemMapImage &mm, int entry, int position);
// Channel list: "Channel 1".."Channel 20".
int GetCmdGrpChanIndex(const MemMapImage &mm, int entry);
void SetCmdGrpChanIndex(MemMapImage &mm, int entry, int position);
// The channel list is disabled while the entry is unprogrammed.
bool CmdGrpChanEnabled(const MemMapImage &mm, int entry);
// The texts the lists show, as printed.
std::string GetCmdGrpGroupText(const MemMapImage &mm, int entry);
std::string GetCmdGrpChanText(const MemMapImage &mm, int entry);
