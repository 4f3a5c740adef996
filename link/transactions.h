#pragma once

// The six radio transactions between the radio's EEPROM and the MemMap. Each one hooks the
// radio when it is not hooked yet. Reads replace whole MemMap pages, and only once every block
// has arrived; writes send only the bytes and bits of the write tables.

#include <functional>
#include <string>

// How a running transaction tells the window what it is doing.
struct TransferReport {
    std::function<void(const std::string &)> status;
    std::function<void(int done, int total)> progress;
};

// The listener the transactions report to; empty functions report nothing.
TransferReport &transferReport();

bool ReadAllFromRadio();
bool ReadGlobalsFromRadio(bool close);
// group: 0-based.
bool ReadGroupFromRadio(int group, bool close);
bool WriteAllToRadio();
bool WriteGlobalsToRadio(bool close);
bool WriteGroupToRadio(int group, bool close);
