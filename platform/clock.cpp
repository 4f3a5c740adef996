#include "clock.h"

#include <cstdio>

std::string LocalTimeText(const LocalTime &t)
{
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}
