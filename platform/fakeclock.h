#pragma once

#include "clock.h"

// A clock that only moves when someone sleeps or advances it: tests never really wait.
class FakeClock : public Clock
{
public:
    double seconds() override { return now; }
    void sleepMs(int ms) override;
    void processEvents() override { ++eventPumps; }
    void advance(double secondsToAdd) { now += secondsToAdd; }

    double now = 0.0;
    long long sleptMs = 0;
    long long eventPumps = 0;
};
