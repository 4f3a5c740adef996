#pragma once

#include "clock.h"

#include <string>

// "ddd, mmm d, yyyy": "Sun, Dec 6, 2026".
std::string ReportDate(const LocalTime &t);
// "H:MM:SS AM/PM" on the 12-hour clock: "2:03:59 PM", midnight "12:00:00 AM".
std::string ReportTime(const LocalTime &t);
