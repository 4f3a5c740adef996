#include "radiocommands.h"

// The radio transactions fill these in; until then the commands do nothing.
void ReadAllCommand() {}
void ReadGlobalsCommand() {}
void ReadCurrGroupCommand() {}
void WriteAllCommand() {}
void WriteGlobalsCommand() {}
void WriteCurrGroupCommand() {}
