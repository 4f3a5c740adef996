#pragma once

// The bits of the MemMap that belong to the editor: those Write All sends from it.

// Mask of the owned bits of a MemMap byte; 0 outside pages 0..25.
int OwnedMask(int page, int offset);
