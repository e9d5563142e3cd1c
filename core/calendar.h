// Calendar arithmetic and the summer-time rules.
//
// Weekdays are numbered 1 Sunday, 2 Monday ... 7 Saturday, months 1 to 12.
// Nothing here reads the system clock: every date comes in as a value.
#pragma once

#include <chrono>
#include <cstdint>

#include "core/daynumber.h"

namespace dawn {

// Week number with weeks starting on Monday. The days before the first Monday
// of a year that starts on a Friday, Saturday or Sunday are week 0; when the
// year starts on a Tuesday, Wednesday or Thursday its partial first week is
// week 1. The count does not wrap at the end of the year, so 31 December can
// be week 53 even when it belongs to the next year's first week.
//   1 Jan 2021 (Fri) -> 0, 4 Jan 2021 -> 1, 1 Jan 2015 (Thu) -> 1,
//   31 Dec 2015 -> 53, 31 Dec 2018 (Mon) -> 53.
int WeekNumber(DayNumber date);

// The ISO 8601 week: weeks start on Monday and belong to the year of their
// Thursday, so the numbers wrap at the turn of the year.
//   1 Jan 2021 (Fri) -> 53, 4 Jan 2021 -> 1, 31 Dec 2024 (Tue) -> 1,
//   31 Dec 2026 (Thu) -> 53, 1 Jan 2028 (Sat) -> 52.
int IsoWeekNumber(DayNumber date);

// Weeks start on Monday and the week holding 1 January is week 1, so the
// week of 31 December is week 1 of the next year unless that year starts on
// a Monday.
//   1 Jan 2026 (Thu) -> 1, 5 Jan 2026 -> 2, 28 Dec 2026 (Mon) -> 1,
//   31 Dec 2023 (Sun) -> 53.
int NewYearWeekNumber(DayNumber date);

// 28 to 31; 28 for a month outside 1..12.
std::uint8_t DaysInMonth(int month, int year);

// How many days of the month fall on `weekday` (4 or 5; 0 for a weekday
// outside 1..7).
std::uint16_t CountWeekdayInMonth(int month, int year, int weekday);

// The n-th day of the month falling on `weekday`, counted back from the
// month's last day (n = 1 is the last one). When n is 0 or larger than the
// number of such days, the earliest one of the month. For a weekday outside
// 1..7 (no day matches) the last day of the month. A month outside 1..12 is
// taken as the nearest valid month.
//   (2024, 3, 1, 1) -> 31 Mar 2024; (2024, 3, 2, 1) -> 24 Mar 2024;
//   (2024, 3, 0, 1) and (2024, 3, 6, 1) -> 3 Mar 2024.
DayNumber NthWeekdayFromMonthEnd(int year, int month, int n, int weekday);

// The summer-time window around one date.
//
// With summer time on, a date d lies in summer time exactly when
// SummerStart <= d < WinterStart. Outside summer time the two fields belong to
// different cycles: SummerStart is the next start of summer time and
// WinterStart the last start of winter time (so SummerStart > WinterStart).
// With summer time off the window spans the calendar year of the date.
struct DstWindow {
    DayNumber SummerStart;
    DayNumber WinterStart;

    constexpr bool Contains(DayNumber d) const { return SummerStart <= d && d < WinterStart; }
    friend constexpr bool operator==(const DstWindow&, const DstWindow&) = default;
};

// What the window needs from the settings besides the resolved months and
// counts: the SummerTimeEnabled flag, the hemisphere (a negative latitude
// means summer time spans the turn of the year) and the two weekdays.
struct DstRuleParams {
    bool summerTimeEnabled = true;
    std::int32_t latitudeMinutes = 0;
    int summerWeekday = 1;
    int winterWeekday = 1;
};

// The window for `date`, whose calendar year is `year`. summerNth and
// winterNth count back from the month's end (see NthWeekdayFromMonthEnd).
// On the day of a change the new regime already counts: the first day of
// summer time is inside the window, the first day of winter time is not.
DstWindow ComputeDstWindow(const DstRuleParams& params, int year, int summerMonth, int summerNth,
                           DayNumber date, int winterMonth, int winterNth);

// A clock time of the day `date` (whole minutes since midnight) moved one hour
// forward when the day lies in summer time. The result stays a time of day:
// 23:40 becomes 00:40 of the same day record. The whole day of a change is
// treated alike (the first day of summer time is shifted from 00:00 on, the
// first day of winter time not at all).
std::chrono::minutes ApplySummerTime(const DstWindow& window, bool summerTimeEnabled,
                                     DayNumber date, std::chrono::minutes time);

}  // namespace dawn
