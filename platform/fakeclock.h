#pragma once

#include "clock.h"

// A clock that only moves when someone sleeps or advances it: tests never really wait.
class FakeClock : public Clock
{
public:
    double seconds() override { return now; }
    void sleepMs(int ms) override;
    void processEvents() override { ++eventPumps; }
    LocalTime localTime() override { return wallTime; }
    void advance(double secondsToAdd) { now += secondsToAdd; }

    double now = 0.0;
    LocalTime wallTime{2026, 12, 6, 14, 3, 59};
    long long sleptMs = 0;
    long long eventPumps = 0;
};
