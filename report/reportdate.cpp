#include "reportdate.h"

#include <cstdio>

namespace
{

constexpr const char *DayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char *MonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// 0 = Sunday, for dates of the Gregorian calendar.
int DayOfWeek(int year, int month, int day)
{
    constexpr int MonthOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        --year;
    return (year + year / 4 - year / 100 + year / 400 + MonthOffsets[month - 1] + day) % 7;
}

} // namespace

std::string ReportDate(const LocalTime &t)
{
    const int month = t.month >= 1 && t.month <= 12 ? t.month : 1;
    return std::string(DayNames[DayOfWeek(t.year, month, t.day)]) + ", " + MonthNames[month - 1] +
           " " + std::to_string(t.day) + ", " + std::to_string(t.year);
}

std::string ReportTime(const LocalTime &t)
{
    const int hour = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour, t.minute, t.second,
                  t.hour < 12 ? "AM" : "PM");
    return text;
}
