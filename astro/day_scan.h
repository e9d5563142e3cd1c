// The scan of one day for the sun or the moon, before it is put into results.
#pragma once

#include <chrono>

#include "astro/astro.h"

namespace dawn {

struct DayScan {
    ScanResult scan;
    double julianDay;
};

DayScan ScanSunDay(std::chrono::year_month_day date, const Place& place);
DayScan ScanMoonDay(std::chrono::year_month_day date, const Place& place);

// The result of one request: the status of the day, the time and the
// azimuth of the last crossing of the requested kind.
RiseSetResult ResultOfDay(const DayScan& day, EventKind kind);

// What the sun and the moon share in getting a day ready for the scan.
struct DaySetting {
    double sinLatitude;
    double cosLatitude;
    double longitudeDegrees;
    double zoneDays;  // -offset / 1440: 0h UT plus this is local midnight
    double julianDay;
    double daysFromJ2000;  // of 0h UT of the date
};

DaySetting SetUpDay(std::chrono::year_month_day date, const Place& place, int calendarSwitchYear);

}  // namespace dawn
