#include "memmap.h"

MemMapImage MemMap;
