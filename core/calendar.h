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

// The date a summer-time rule names in `year`: occurrence 0, 1 and 2 are the
// first, second and third `weekday` of the month counted from its start, 3 and
// anything beyond the last one (real rules use the first, second, third or
// last weekday; a fourth or fifth one stands for the last whatever the year).
// A negative occurrence counts as the first, a month outside 1..12 as the
// nearest valid month, a weekday outside 1..7 as the month's last day.
//   (2028, 4, 0, 1) -> 2 Apr 2028; (2027, 3, 1, 1) -> 14 Mar 2027;
//   (2026, 3, 3, 1) and (2026, 3, 4, 1) -> 29 Mar 2026; (2027, 3, 4, 1) -> 28 Mar 2027.
DayNumber RuleDate(int year, int month, int occurrence, int weekday);

// One change of a manual summer-time rule: the month (1..12), the occurrence
// as RuleDate takes it and the weekday (1 Sunday .. 7 Saturday).
struct DstChange {
    int month = 3;
    int occurrence = 3;
    int weekday = 1;
    DayNumber In(int year) const { return RuleDate(year, month, occurrence, weekday); }
    friend bool operator==(const DstChange&, const DstChange&) = default;
};

// A manual summer-time rule: the SummerTimeEnabled flag and the two changes.
struct DstRuleParams {
    bool summerTimeEnabled = true;
    DstChange summer{3, 3, 1};
    DstChange winter{10, 3, 1};
};

// The window for `date`. Summer time spans the turn of the year (the southern
// pattern) when the start of summer time comes after the start of winter time
// within the year: a later month, or in the same month a later date. On the
// day of a change the new regime already counts: the first day of summer time
// is inside the window, the first day of winter time is not.
DstWindow ComputeDstWindow(const DstRuleParams& params, DayNumber date);

// A clock time of the day `date` (whole minutes since midnight) moved forward
// by `shift` when the day lies in summer time. The result stays a time of day:
// 23:40 becomes 00:40 of the same day record. The whole day of a change is
// treated alike (the first day of summer time is shifted from 00:00 on, the
// first day of winter time not at all).
std::chrono::minutes ApplySummerTime(const DstWindow& window, bool summerTimeEnabled,
                                     DayNumber date, std::chrono::minutes time,
                                     std::chrono::minutes shift = std::chrono::minutes{60});

// A reading of the local clock: its date and the minutes since its midnight.
struct ClockMoment {
    DayNumber date;
    std::chrono::minutes time{0};
    friend constexpr bool operator==(const ClockMoment&, const ClockMoment&) = default;
};

// The manual rules change the clocks at 02:00 standard time: 02:00 becomes
// 03:00 on the first day of summer time, and 03:00 summer time becomes 02:00
// on the first day of winter time.
inline constexpr std::chrono::minutes kManualChangeAt{120};

// What the clocks of the place do on one date: the standard offset, whether
// summer time is in force or expected around the date with its window, and
// how far the clocks go forward in it. Manual rules give the same standard
// offset and a shift of one hour for every date; a time zone gives what the
// zone had on that date. Every consumer of a date (the day record, the graph,
// the export, the alarms) takes its clocks from this one value.
struct ClockRules {
    std::chrono::minutes standardOffset{0};
    bool summerTimeEnabled = false;
    DstWindow window;
    std::chrono::minutes shift{60};
    // On the first day of summer time or of winter time, the minute of the
    // date's standard time at which the clocks change.
    std::chrono::minutes changeAt = kManualChangeAt;

    bool InSummer(DayNumber date) const { return summerTimeEnabled && window.Contains(date); }
    // The summer-time shift in force `standard` minutes after the standard
    // midnight that starts `date`, a date these rules were made for. On the
    // day of a change it is the old regime's before changeAt and the new
    // one's from changeAt on; on every other day the date's own.
    std::chrono::minutes ShiftAt(DayNumber date, std::chrono::minutes standard) const;
    // The local clock reading of the same instant: the date moves on when the
    // shift carries the time past midnight (23:30 standard time in summer is
    // 00:30 of the next date).
    ClockMoment ClockAt(DayNumber date, std::chrono::minutes standard) const;
    // The local clock time of a standard time of `date`.
    std::chrono::minutes ClockTime(DayNumber date, std::chrono::minutes standard) const {
        return ApplySummerTime(window, summerTimeEnabled, date, standard, shift);
    }
    friend bool operator==(const ClockRules&, const ClockRules&) = default;
};

}  // namespace dawn
