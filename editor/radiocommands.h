#pragma once

// The Read and Write menu commands; the menus, toolbar buttons and tree pop-ups run these.
void ReadAllCommand();
void ReadGlobalsCommand();
void ReadCurrGroupCommand();
void WriteAllCommand();
void WriteGlobalsCommand();
void WriteCurrGroupCommand();
