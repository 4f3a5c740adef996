#include "qtclock.h"

#include <QCoreApplication>
#include <QThread>

QtClock::QtClock()
{
    m_timer.start();
}

double QtClock::seconds()
{
    return static_cast<double>(m_timer.nsecsElapsed()) / 1e9;
}

void QtClock::sleepMs(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void QtClock::processEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}
