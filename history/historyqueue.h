#pragma once

// Events waiting for the database, as the bytes of the local queue file.

#include "radioevent.h"

#include <deque>
#include <optional>
#include <vector>

std::vector<std::uint8_t> QueueBytes(const std::deque<RadioEvent> &events);
// nullopt when the bytes are not a whole queue.
std::optional<std::deque<RadioEvent>> QueueFromBytes(const std::vector<std::uint8_t> &bytes);
