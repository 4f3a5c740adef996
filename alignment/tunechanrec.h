#pragma once

#include <string>

// The six fields of one channel slot that the Tune screen saves, replaces and restores.
struct TuneChanRec {
    double RxFreq = 0.0;    // MHz
    std::string NarrowFlag; // "N" or "-"
    std::string RxGuard;
    double TxFreq = 0.0;      // MHz
    std::string LowPowerFlag; // "L" or "-"
    std::string TxGuard;
};
