#pragma once

// Time for the waiting loops: a seconds clock, a millisecond sleep and the event pump.
class Clock
{
public:
    virtual ~Clock() = default;
    // Seconds since an arbitrary start, with sub-second resolution.
    virtual double seconds() = 0;
    virtual void sleepMs(int ms) = 0;
    // Lets the window repaint and handle input while a transfer waits.
    virtual void processEvents() = 0;
};
