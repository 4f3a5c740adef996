#pragma once

#include <string>

// A moment of local time, as backups and printouts name it.
struct LocalTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "2026-12-07 14:03:59"
std::string LocalTimeText(const LocalTime &t);

// Time for the waiting loops: a seconds clock, a millisecond sleep and the event pump; and the
// local time of day.
class Clock
{
public:
    virtual ~Clock() = default;
    // Seconds since an arbitrary start, with sub-second resolution.
    virtual double seconds() = 0;
    virtual void sleepMs(int ms) = 0;
    // Lets the window repaint and handle input while a transfer waits.
    virtual void processEvents() = 0;
    virtual LocalTime localTime() = 0;
};
