#pragma once

#include <string>

// The programming rates by baud-rate index.
struct BaudRateEntry {
    int index;
    long rate;
    const char *settings;
};

constexpr BaudRateEntry BaudRates[] = {
    {0, 4800, "4800,n,8,1"},   {1, 9600, "9600,n,8,1"},   {2, 19200, "19200,n,8,1"},
    {3, 38400, "38400,n,8,1"}, {4, 57600, "57600,n,8,1"}, {5, 115200, "115200,n,8,1"},
};
constexpr int NumBaudRates = 6;
constexpr long MaxBaudRate = BaudRates[NumBaudRates - 1].rate;

// bit/s of an index; any index outside the table gives 4800.
constexpr long BaudRateOfIndex(int index)
{
    return index >= 0 && index < NumBaudRates ? BaudRates[index].rate : 4800;
}

// Index of a rate; any rate outside the table gives 0 (4800).
constexpr int BaudIndexOfRate(long rate)
{
    for (const BaudRateEntry &entry : BaudRates) {
        if (entry.rate == rate)
            return entry.index;
    }
    return 0;
}
