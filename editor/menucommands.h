#pragma once

// Menu commands whose features join later: printing, the alignment screen, copy and paste.
void PrintAllCommand();
void PrintGlobalCommand();
void PrintCurrGroupCommand();
void PrintSetupCommand();
void TuneCommand();
void EditCopyCommand();
void EditPasteCommand();
void CopyPasteGroupsCommand();
