#pragma once

// The six radio transactions between the radio's EEPROM and the MemMap. Each one hooks the
// radio when it is not hooked yet. Reads replace whole MemMap pages, and only once every block
// has arrived; writes send only the bytes and bits of the write tables. They tell the window
// what they are doing through its status text and progress bar.

#include "memmap.h"

#include <string>

bool ReadAllFromRadio();
bool ReadGlobalsFromRadio(bool close);
// group: 0-based.
bool ReadGroupFromRadio(int group, bool close);
bool WriteAllToRadio();
bool WriteGlobalsToRadio(bool close);
bool WriteGroupToRadio(int group, bool close);

// The pages a transaction covers.
enum class RadioPages { All, Globals, Group };
// Reads the radio's pages of that scope (group: 0-based) into image and unhooks, leaving the
// MemMap as it is: the read-back after a write, the backup before one, a comparison. verb
// begins the status texts ("Verifying" gives "Verifying Group 3 Data....."). Its bytes are
// what a technician restores or trusts: a reply longer than asked fails the read.
bool ReadRadioPages(MemMapImage &image, RadioPages pages, int group, const std::string &verb);
