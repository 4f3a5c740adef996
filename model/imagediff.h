#pragma once

#include "memmap.h"

#include <cstdint>
#include <vector>

// One byte of the image an edit changed.
struct ByteChange {
    int index; // page * PageSize + offset
    std::uint8_t before;
    std::uint8_t after;
};

// The bytes that differ between two images, in address order.
std::vector<ByteChange> DiffImages(const MemMapImage &before, const MemMapImage &after);
// Puts back the bytes before the changes, or those after.
void ApplyChanges(MemMapImage &mm, const std::vector<ByteChange> &changes, bool after);
