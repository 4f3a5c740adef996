#pragma once

// Channels moved as whole records within a group: insert, delete, move up or down and sort.
// Every setting that names a channel of the group by its number follows the channel.

#include "memmap.h"

#include <array>
#include <string>
#include <vector>

// A new order of a group's channels: slot i takes the old channel from[i], or, for -1, an
// inactive channel (the default image's record of that slot with no receive frequency).
using ChannelOrder = std::array<int, ChansPerGroup>;

ChannelOrder SameOrder();
// A blank channel before `chan`; the last channel falls off.
ChannelOrder InsertOrder(int chan);
// Channels first..last removed, the rest moved up, blanks at the end.
ChannelOrder DeleteOrder(int first, int last);
// Channels first..last one place up (by -1) or down (+1); unchanged at the group's ends.
ChannelOrder MoveOrder(int first, int last, int by);

enum class SortKey { RxFreq, TxFreq, Label };
// By the key, equal keys in their order, inactive channels (no receive frequency) last; a
// channel without a transmit frequency sorts after those with one.
ChannelOrder SortOrder(const MemMapImage &mm, int group, SortKey key);

// Puts the channels in the new order and carries the priority channels and the command group
// entries that name one of them. Returns the settings that named a channel no longer in the
// group; they are left as they were.
std::vector<std::string> ReorderChannels(MemMapImage &mm, int group, const ChannelOrder &from);

// The commands of the grid, with their questions and reports. True when a byte changed.
bool InsertChannel(MemMapImage &mm, int group, int chan);
bool DeleteChannels(MemMapImage &mm, int group, int first, int last);
bool MoveChannels(MemMapImage &mm, int group, int first, int last, int by);
bool SortChannels(MemMapImage &mm, int group, SortKey key);

// "Channel 20 (LABEL, 155.02500) would be lost. Insert anyway?"
std::string LostChannelQuestion(const MemMapImage &mm, int group, int chan);
