// DayEphemeris: every value the program shows, exports, graphs and alarms on
// for one date, and ComputeDay, the pure routine that fills it.
//
// The record holds one entry per body and event kind (the sun's rise, the
// moon's set, ...). Times of day, lengths and deltas are whole minutes (the
// calculations round every event to the minute, so minute arithmetic is
// exact); a time of day is 0..1439 minutes. Texts are made by the callers.
//
// A date is the user's clock day (core/clockday.h): the events between its
// local midnight and the next, each at the clock time of its instant. The
// raw days of standard time are the astro scans' (ComputeBodyDay).
//
// ComputeDay works in this order:
//  1. the clocks of the date and of the days before (ClockRulesOf): the
//     standard offset, in which the calculation gives its times, and the
//     summer time with the minute its clocks change;
//  2. for each body, one scan of the date's standard day and of the one
//     before (and of the one before that while summer time is around): the
//     clock day of the date and of the day before, each with its statuses,
//     times, azimuths and crossings;
//  3. the body's length when both its statuses are Normal: the time from
//     rise to set, or, when the set comes first on the clock day (rise >
//     set), one day - (rise - set);
//  4. the previous day's lengths, by the same rule on its clock times,
//     whatever their statuses;
//  5. the rise and set deltas |previous - time| of the clock times when both
//     statuses are Normal; a delta above 23:00 is folded to one day - delta,
//     so an event that moved across midnight shows its short change (23:50
//     then 00:35 gives 00:45). On a day the clocks change, the change of the
//     clock time includes the hour;
//  6. the length deltas when all four statuses of the body are Normal.
//
// A length or delta whose statuses are not all Normal is 00:00 and is not
// meant to be shown; consumers test the statuses first.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "astro/astro.h"
#include "core/calendar.h"
#include "core/daynumber.h"
#include "core/site.h"

namespace dawn {

enum class Body : std::uint8_t { Sun, Moon };
inline constexpr std::size_t kBodyCount = 2;
inline constexpr std::array<Body, kBodyCount> kBodies = {Body::Sun, Body::Moon};

// The events the record keeps for each body, indexed by EventKind.
inline constexpr std::size_t kEventKindCount = 2;
inline constexpr std::array<EventKind, kEventKindCount> kEventKinds = {EventKind::Rise,
                                                                       EventKind::Set};

constexpr std::size_t IndexOf(Body b) {
    return static_cast<std::size_t>(b);
}
constexpr std::size_t IndexOf(EventKind k) {
    return static_cast<std::size_t>(k);
}

// One event of one body on one date.
struct EventValues {
    EventStatus Status = EventStatus::Normal;
    // Zone standard time of the event's instant: the fixed time of the
    // status when the event did not happen as such (00:00, 23:59, 12:00).
    // An event the clock carried into the date from the standard day before
    // keeps that day's time here (23:10 for a moonrise at 00:10 summer time).
    std::chrono::minutes Standard{0};
    // The local clock time the user sees; the fixed time of a status is read
    // on the date's clock like a time of its standard day.
    std::chrono::minutes Clock{0};
    // Degrees from north through east; empty when no crossing of that kind
    // happened during the day.
    std::optional<double> Azimuth;
    // Standard time of the crossing of that kind that did happen, whatever
    // the status (the set of a day without a rise); empty when none did.
    std::optional<std::chrono::minutes> Crossing;
    // Its local clock time: the clock time the windows, the table and the
    // export show. Equal to Clock on a Normal day.
    std::optional<std::chrono::minutes> CrossingClock;
    // The clock's offset from UT at the crossing (the standard offset and the
    // summer-time shift in force then), so that the crossing's instant is
    // the date's midnight plus CrossingClock less this offset.
    std::optional<std::chrono::minutes> CrossingOffset;

    friend bool operator==(const EventValues&, const EventValues&) = default;
};

// An event of the date with the same event of the day before.
struct EventEntry : EventValues {
    EventValues Before;  // of the clock day before
    // |Before.Clock - Clock|, folded across midnight; 00:00 unless both
    // statuses are Normal.
    std::chrono::minutes Delta{0};

    friend bool operator==(const EventEntry&, const EventEntry&) = default;
};

// Everything of one body on the date.
struct BodyEntry {
    std::array<EventEntry, kEventKindCount> Events;
    std::chrono::minutes Length{0};        // day length or moonlight; both statuses Normal
    std::chrono::minutes LengthBefore{0};  // of the day before, whatever its statuses
    std::chrono::minutes LengthDelta{0};   // all four statuses Normal

    EventEntry& operator[](EventKind k) { return Events[IndexOf(k)]; }
    const EventEntry& operator[](EventKind k) const { return Events[IndexOf(k)]; }
    // Both events of the date happened.
    bool Normal() const;
    // Both events of the date and of the day before happened.
    bool NormalBothDays() const;

    friend bool operator==(const BodyEntry&, const BodyEntry&) = default;
};

struct DayEphemeris {
    DayNumber Date;
    DayNumber PrevDate;
    std::array<BodyEntry, kBodyCount> Bodies;
    double JulianDay = 0.0;  // Julian Day at 0h UT of Date (ends in .5)
    ClockRules Clocks;       // the clocks of Date (its standard offset and summer time)

    BodyEntry& operator[](Body b) { return Bodies[IndexOf(b)]; }
    const BodyEntry& operator[](Body b) const { return Bodies[IndexOf(b)]; }
    const EventEntry& Event(Body b, EventKind k) const { return (*this)[b][k]; }

    friend bool operator==(const DayEphemeris&, const DayEphemeris&) = default;
};

// The scans of one body on the standard days that make the clock days of a
// date and of the day before: the date's, the day before's, and the one
// before that, which only counts while summer time can carry its last hour
// into the next date.
struct BodyScans {
    DayEvents date;
    DayEvents before;
    std::optional<DayEvents> twoBefore;
};

// The record of a date from the calculation results of both bodies.
// ComputeDay and ForEachDay are this plus the calculations.
DayEphemeris AssembleDay(const Site& site, DayNumber date, const BodyScans& sun,
                         const BodyScans& moon);

// The record of one date: four scans (each body on the date and on the day
// before), and two more while summer time is around.
DayEphemeris ComputeDay(const Site& site, DayNumber date);

// The records of every date from `from` to `to` inclusive, oldest first,
// handed to `onDay` one by one; identical to calling ComputeDay for each date
// but about twice as cheap: each date's scans serve again as the next date's
// day before. Nothing is called when `to` < `from`. `onDay` returns false to
// stop early.
void ForEachDay(const Site& site, DayNumber from, DayNumber to,
                const std::function<bool(const DayEphemeris&)>& onDay);

// One body on its own date, without the day before: what a table or an
// export line needs. Equal to the same values of the full record.
struct BodyDay {
    DayNumber Date;
    std::array<EventValues, kEventKindCount> Events;

    const EventValues& operator[](EventKind k) const { return Events[IndexOf(k)]; }
    friend bool operator==(const BodyDay&, const BodyDay&) = default;
};

BodyDay BodyDayOf(const DayEphemeris& day, Body body);

// BodyDayOf(ComputeDay(...)) for every date from `from` to `to`, oldest first,
// at the cost of one scan of that body per date (and one before the first
// date while summer time is around). `onDay` returns false to stop.
void ForEachBodyDay(const Site& site, Body body, DayNumber from, DayNumber to,
                    const std::function<bool(const BodyDay&)>& onDay);

// The calculation of one body's day (one scan).
DayEvents ComputeBodyDay(Body body, std::chrono::year_month_day date, const Place& place);
// The place of the settings with the standard offset of `date`.
Place PlaceOf(const Site& site, DayNumber date);

}  // namespace dawn
