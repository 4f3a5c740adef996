#pragma once

// Menu commands whose features join later (printing, copy and paste), and the Tune command.
void PrintAllCommand();
void PrintGlobalCommand();
void PrintCurrGroupCommand();
void PrintSetupCommand();
void TuneCommand();
void EditCopyCommand();
void EditPasteCommand();
void CopyPasteGroupsCommand();
