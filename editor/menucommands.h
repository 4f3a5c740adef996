#pragma once

// Menu commands whose features join later: printing, the alignment screen.
void PrintAllCommand();
void PrintGlobalCommand();
void PrintCurrGroupCommand();
void PrintSetupCommand();
void TuneCommand();
