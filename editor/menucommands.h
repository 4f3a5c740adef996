#pragma once

// Menu commands whose features join later: the alignment screen, copy and paste.
void TuneCommand();
void EditCopyCommand();
void EditPasteCommand();
void CopyPasteGroupsCommand();
