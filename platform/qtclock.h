#pragma once

#include "clock.h"

#include <QElapsedTimer>

// Monotonic seconds, a thread sleep and the application's event pump.
class QtClock : public Clock
{
public:
    QtClock();
    double seconds() override;
    void sleepMs(int ms) override;
    void processEvents() override;
    LocalTime localTime() override;

private:
    QElapsedTimer m_timer;
};
