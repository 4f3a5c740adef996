#pragma once

// Real time for the simulator's instruments, without Qt.

#include "clock.h"

#include <chrono>
#include <thread>

class SteadyClock : public Clock
{
public:
    double seconds() override
    {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    }
    void sleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    void processEvents() override {}
    LocalTime localTime() override { return {}; }
};
