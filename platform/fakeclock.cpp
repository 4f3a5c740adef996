#include "fakeclock.h"

void FakeClock::sleepMs(int ms)
{
    if (ms <= 0)
        return;
    sleptMs += ms;
    now += ms / 1000.0;
}
