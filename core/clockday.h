// The user's clock day: the events of a date are those whose instants fall
// between that date's local midnight and the next one on the place's clock,
// each read with the offset in force at its instant.
//
// The sun and the moon are scanned over days of the zone's standard time,
// midnight to midnight. In summer time the clock runs ahead of standard time,
// so the clock day of a date starts in the last part of the standard day
// before (23:00 standard time is 00:00 on the clock with a shift of an hour)
// and ends before the standard day's own end. A clock day is therefore put
// together from two standard days:
//  - from the standard day before, the last crossing of each kind when the
//    clock carries it into the date (a moonrise at 23:10 standard time is
//    00:10 on the clock of the next date);
//  - from the date's own standard day, the last crossing of each kind that
//    the clock keeps on the date, which is the crossing before the last one
//    when the last one already falls on the next date.
// The date's own crossing wins, as it is the later one. On a day without
// summer time, and on every day of a place without it, the clock day is the
// standard day and the values are exactly those of the scan.
//
// The day of a change is 23 or 25 hours long: the clocks go forward or back
// at ClockRules::changeAt, and each crossing is read with the shift in force
// at its own instant, so the moonrise at 01:17 standard time on the night
// Sydney goes forward at 02:00 shows 01:17, not 02:17.
//
// A crossing that happened in the last half minute of a standard day is
// taken at 23:59 of that day, as the scan reports it. Far north or south a
// body can cross the same altitude three times in one standard day; only the
// last two of each kind are kept, which covers every clock day with a shift
// of up to a few hours.
#pragma once

#include <array>
#include <chrono>
#include <optional>

#include "astro/astro.h"
#include "core/calendar.h"
#include "core/dayephemeris.h"

namespace dawn {

// One kind of crossing (a rise or a set, a dawn or a dusk) of one standard
// day, as the scan found it: the last one, and the one before it when the
// day had two; minutes of the day's standard time.
struct ScannedCrossings {
    std::optional<std::chrono::minutes> last;
    std::optional<double> lastAzimuth;
    std::optional<std::chrono::minutes> earlier;
    std::optional<double> earlierAzimuth;
};

// One standard day of one body's (or one twilight's) crossings with the
// clocks of its date.
struct ScannedDay {
    DayNumber date;
    ClockRules clocks;
    EventStatus status = EventStatus::Normal;                 // of the standard day
    std::array<ScannedCrossings, kEventKindCount> crossings;  // by EventKind
};

ScannedCrossings ScannedOf(const RiseSetResult& r);
ScannedCrossings ScannedOf(const EventMinutes& e);
ScannedDay ScannedDayOf(DayNumber date, const ClockRules& clocks, const DayEvents& events);
ScannedDay ScannedDayOf(DayNumber date, const ClockRules& clocks, const Twilight& twilight);

// The rise and the set (dawn and dusk) of the clock day of `day.date`, from
// the scans of its standard day and of the one before. `before` may be left
// empty when the clock of the day before never runs into the date (no summer
// time there), which gives the same values.
std::array<EventValues, kEventKindCount> ClockDayEvents(const std::optional<ScannedDay>& before,
                                                        const ScannedDay& day);

// Whether the clock of `date` can carry a crossing into the next date: some
// summer time around it. A day for which this is false needs no scan to be
// the `before` of the next one.
bool MayRunIntoNextDate(const ClockRules& clocks, DayNumber date);

}  // namespace dawn
