#include "menucommands.h"

// Each of these is filled in with its feature; until then the command does nothing.
void PrintAllCommand() {}
void PrintGlobalCommand() {}
void PrintCurrGroupCommand() {}
void PrintSetupCommand() {}
void TuneCommand() {}
void EditCopyCommand() {}
void EditPasteCommand() {}
void CopyPasteGroupsCommand() {}
