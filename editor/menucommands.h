#pragma once

// Menu commands whose features join later (copy and paste), and the Tune command.
void TuneCommand();
void EditCopyCommand();
void EditPasteCommand();
void CopyPasteGroupsCommand();
