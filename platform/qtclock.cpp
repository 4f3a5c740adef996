#include "qtclock.h"

#include <QCoreApplication>
#include <QDateTime>
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

LocalTime QtClock::localTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return LocalTime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}
