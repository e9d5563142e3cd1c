// Turning a day's scan into the results the callers receive.
#include <cmath>

#include "astro/day_scan.h"
#include "astro/numbers.h"

namespace dawn {

DaySetting SetUpDay(std::chrono::year_month_day date, const Place& place, int calendarSwitchYear) {
    DaySetting s{};
    const double latitude = place.latitudeMinutes / 60.0;
    s.longitudeDegrees = place.longitudeMinutes / 60.0;
    s.sinLatitude = std::sin(latitude * kRadiansPerDegree);
    s.cosLatitude = std::cos(latitude * kRadiansPerDegree);
    s.zoneDays = -place.timeZoneMinutes / 1440.0;
    s.julianDay =
        JulianDay0h(static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
                    static_cast<int>(unsigned(date.day())), calendarSwitchYear);
    s.daysFromJ2000 = s.julianDay - kJ2000;
    return s;
}

RiseSetResult ResultOfDay(const DayScan& day, EventKind kind) {
    const Crossing& crossing = kind == EventKind::Rise ? day.scan.rise : day.scan.set;
    const ResolvedDay resolved = ResolveDayStatus(day.scan.rise.found, day.scan.set.found,
                                                  day.scan.finalAltitude, kind, crossing.time);
    RiseSetResult result{resolved.status, resolved.time.OfDay(), {}, day.julianDay, {}, {}, {}};
    if (crossing.found) {
        result.azimuth = crossing.azimuth;
        // The scan's own time, before the status may replace it.
        result.crossing = WithinTheDay(crossing.time).OfDay();
    }
    const Crossing& earlier = kind == EventKind::Rise ? day.scan.earlierRise : day.scan.earlierSet;
    if (earlier.found) {
        result.earlierCrossing = WithinTheDay(earlier.time).OfDay();
        result.earlierAzimuth = earlier.azimuth;
    }
    return result;
}

RiseSetResult ComputeSunEvent(EventKind kind, std::chrono::year_month_day date,
                              const Place& place) {
    return ResultOfDay(ScanSunDay(date, place), kind);
}

RiseSetResult ComputeMoonEvent(EventKind kind, std::chrono::year_month_day date,
                               const Place& place) {
    return ResultOfDay(ScanMoonDay(date, place), kind);
}

DayEvents ComputeSunDay(std::chrono::year_month_day date, const Place& place) {
    const DayScan day = ScanSunDay(date, place);
    return {ResultOfDay(day, EventKind::Rise), ResultOfDay(day, EventKind::Set)};
}

DayEvents ComputeMoonDay(std::chrono::year_month_day date, const Place& place) {
    const DayScan day = ScanMoonDay(date, place);
    return {ResultOfDay(day, EventKind::Rise), ResultOfDay(day, EventKind::Set)};
}

}  // namespace dawn
