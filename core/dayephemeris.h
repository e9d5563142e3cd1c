// DayEphemeris: every value the program shows, exports, graphs and alarms on
// for one date, and ComputeDay, the pure routine that fills it.
//
// Times of day, lengths and deltas are whole minutes (the event texts are whole
// minutes, so minute arithmetic is exact). A time of day is 0..1439 minutes.
//
// ComputeDay works in this order:
//  1. the summer-time window of the date;
//  2. sunrise and sunset of the date: status, standard-time text, azimuth,
//     the text parsed and shifted by the summer-time hour, the clock text;
//  3. the day length when both sun statuses are Normal: set - rise, or, when
//     the shifted sunset falls after midnight (rise > set), one day - (rise - set);
//  4. the same for the moon (moonlight length);
//  5. the four events of the day before, shifted with the window of the date
//     itself. So on the first day of summer time the date's times carry the
//     extra hour and the day before's do not, and the deltas of that day
//     include the hour; on the first day of winter time neither day is shifted;
//  6. the previous day's lengths, by the same rule, whatever their statuses;
//  7. the rise and set deltas |previous - time| when both statuses are Normal;
//     a delta above 23:00 is folded to one day - delta, so an event that moved
//     across midnight shows its short change (23:50 then 00:35 gives 00:45);
//  8. the length deltas when all four statuses of the body are Normal.
//
// A length or delta whose statuses are not all Normal is 00:00 and is not
// meant to be shown; consumers test the statuses first.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "astro/astro.h"
#include "core/calendar.h"
#include "core/daynumber.h"
#include "core/settings.h"

namespace dawn {

struct DayEphemeris {
    DayNumber Date;
    DayNumber PrevDate;

    EventStatus SunRiseStatus = EventStatus::Normal;
    EventStatus SunSetStatus = EventStatus::Normal;
    std::string SunRiseText;  // standard time, as the calculation gave it
    std::string SunSetText;
    std::chrono::minutes SunRiseTime{0};  // parsed, summer time applied
    std::chrono::minutes SunSetTime{0};
    std::string SunRiseClock;  // what the user sees
    std::string SunSetClock;
    std::string SunRiseAzimuth;  // empty when no crossing of that kind occurred
    std::string SunSetAzimuth;
    std::chrono::minutes DayLength{0};

    EventStatus MoonRiseStatus = EventStatus::Normal;
    EventStatus MoonSetStatus = EventStatus::Normal;
    std::string MoonRiseText;
    std::string MoonSetText;
    std::chrono::minutes MoonRiseTime{0};
    std::chrono::minutes MoonSetTime{0};
    std::string MoonRiseClock;
    std::string MoonSetClock;
    std::string MoonRiseAzimuth;
    std::string MoonSetAzimuth;
    std::chrono::minutes MoonLightLength{0};

    EventStatus PrevSunRiseStatus = EventStatus::Normal;
    EventStatus PrevSunSetStatus = EventStatus::Normal;
    EventStatus PrevMoonRiseStatus = EventStatus::Normal;
    EventStatus PrevMoonSetStatus = EventStatus::Normal;
    std::string PrevSunRiseText;
    std::string PrevSunSetText;
    std::string PrevMoonRiseText;
    std::string PrevMoonSetText;
    std::chrono::minutes PrevSunRiseTime{0};
    std::chrono::minutes PrevSunSetTime{0};
    std::chrono::minutes PrevMoonRiseTime{0};
    std::chrono::minutes PrevMoonSetTime{0};
    std::chrono::minutes PrevDayLength{0};
    std::chrono::minutes PrevMoonLightLength{0};

    std::chrono::minutes SunRiseDelta{0};
    std::chrono::minutes SunSetDelta{0};
    std::chrono::minutes MoonRiseDelta{0};
    std::chrono::minutes MoonSetDelta{0};
    std::chrono::minutes DayLengthDelta{0};
    std::chrono::minutes MoonLightDelta{0};

    double JulianDay = 0.0;  // Julian Day at 0h UT of Date (ends in .5)

    DstWindow Window;  // the summer-time window of Date

    friend bool operator==(const DayEphemeris&, const DayEphemeris&) = default;
};

// "hh" + separator + "mm" of a time of day (0..1439 minutes; other values are
// first brought into that range).
std::string FormatClock(std::chrono::minutes timeOfDay, std::string_view timeSeparator);

// Reads a clock text written as hours, the separator and minutes. Two-digit
// hours and minutes at the ends are read whatever stands between them
// ("07:05", "06 h 1 05"); otherwise the first two runs of digits ("7.05").
// 24:00 and beyond wrap. False when the text holds no hour and minute.
bool ParseClock(std::string_view text, std::chrono::minutes& out);

// The record of a date from the eight calculation results (the date's sun and
// moon, and the day before's), by the steps above. ComputeDay and ForEachDay
// are this plus the calculations.
DayEphemeris AssembleDay(const SiteSettings& settings, DayNumber date,
                         std::string_view timeSeparator, const DayEvents& sun,
                         const DayEvents& moon, const DayEvents& prevSun,
                         const DayEvents& prevMoon);

// The record of one date. `settings` must have its rules resolved
// (ResolveDstRules); the time separator is the locale's.
DayEphemeris ComputeDay(const SiteSettings& settings, DayNumber date,
                        std::string_view timeSeparator);

// The records of every date from `from` to `to` inclusive, oldest first,
// handed to `onDay` one by one; identical to calling ComputeDay for each date
// but about four times cheaper: one scan per body per date, and each date's
// results serve again as the next date's day before. Nothing is called when
// `to` < `from`. `onDay` returns false to stop early.
void ForEachDay(const SiteSettings& settings, DayNumber from, DayNumber to,
                std::string_view timeSeparator,
                const std::function<bool(const DayEphemeris&)>& onDay);

// The part of a day record that concerns one body on its own date: what a
// table or an export line needs. Equal to the same fields of the full record.
enum class Body : std::uint8_t { Sun, Moon };

struct BodyDay {
    DayNumber Date;
    EventStatus RiseStatus = EventStatus::Normal;
    EventStatus SetStatus = EventStatus::Normal;
    std::chrono::minutes RiseTime{0};  // summer time applied
    std::chrono::minutes SetTime{0};
    std::string RiseClock;
    std::string SetClock;
    std::string RiseAzimuth;
    std::string SetAzimuth;

    friend bool operator==(const BodyDay&, const BodyDay&) = default;
};

BodyDay BodyDayOf(const DayEphemeris& day, Body body);

// BodyDayOf(ComputeDay(...)) for every date from `from` to `to`, oldest first,
// at the cost of one scan of that body per date. `onDay` returns false to stop.
void ForEachBodyDay(const SiteSettings& settings, Body body, DayNumber from, DayNumber to,
                    std::string_view timeSeparator,
                    const std::function<bool(const BodyDay&)>& onDay);

}  // namespace dawn
