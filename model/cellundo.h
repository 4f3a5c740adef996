#pragma once

#include <string>

// The texts the grid's cells had when they were entered, one per column kind. Esc brings
// them back; the frequency and guard validation fall back on them.
struct CellUndoTexts {
    std::string label;     // column 1
    std::string freq;      // columns 2 and 4
    std::string guard;     // columns 3 and 5, and the UTXG pick list fields
    std::string scan;      // column 6
    std::string bandwidth; // column 7
    std::string power;     // column 8
};

extern CellUndoTexts CellUndoText;

// The entry of the grid column (1..8); columns outside that range share a scratch entry.
std::string &CellUndoEntry(int column);
