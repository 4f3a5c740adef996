#pragma once

#include "memmap.h"

// Replaces the whole image with the built-in factory content.
void LoadDefaultImage(MemMapImage &image = MemMap);
