#include "cellundo.h"

CellUndoTexts CellUndoText;

std::string &CellUndoEntry(int column)
{
    switch (column) {
    case 1:
        return CellUndoText.label;
    case 2:
    case 4:
        return CellUndoText.freq;
    case 3:
    case 5:
        return CellUndoText.guard;
    case 6:
        return CellUndoText.scan;
    case 7:
        return CellUndoText.bandwidth;
    case 8:
        return CellUndoText.power;
    default: {
        static std::string scratch;
        scratch.clear();
        return scratch;
    }
    }
}
