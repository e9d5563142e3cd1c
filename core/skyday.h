// SkyDay: what the program shows and exports of one date beside the day
// record: the sun's three twilights and its noon, and the moon's phase.
//
// A date is the user's clock day, as for the record (core/clockday.h): times
// carry the zone's standard time of the event's instant and the local clock
// time at that instant.
// The phase is taken at local noon of the zone's standard time, and the
// principal phases are dated in the zone's standard time, as the phase names
// of the dates are.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>

#include "astro/astro.h"
#include "astro/moonphase.h"
#include "core/dayephemeris.h"
#include "core/site.h"

namespace dawn {

inline constexpr std::size_t kTwilightKindCount = 3;
inline constexpr std::array<TwilightKind, kTwilightKindCount> kTwilightKinds = {
    TwilightKind::Civil, TwilightKind::Nautical, TwilightKind::Astronomical};

constexpr std::size_t IndexOf(TwilightKind k) {
    return static_cast<std::size_t>(k);
}

// Dawn (EventKind::Rise) and dusk (EventKind::Set) of one twilight; the
// azimuth is never filled.
struct TwilightEntry {
    std::array<EventValues, kEventKindCount> Events;

    const EventValues& operator[](EventKind k) const { return Events[IndexOf(k)]; }
    friend bool operator==(const TwilightEntry&, const TwilightEntry&) = default;
};

struct NoonEntry {
    std::chrono::minutes Standard{0};
    std::chrono::minutes Clock{0};
    double AltitudeDegrees = 0.0;  // of the sun's centre, no refraction

    friend bool operator==(const NoonEntry&, const NoonEntry&) = default;
};

struct SkyDay {
    DayNumber Date;
    std::array<TwilightEntry, kTwilightKindCount> Twilight;  // by TwilightKind
    // Empty on a date without a transit (the zone's noon near midnight).
    std::optional<NoonEntry> Noon;
    DatePhase Phase{};

    const TwilightEntry& operator[](TwilightKind k) const { return Twilight[IndexOf(k)]; }
};

// The sky day of one date, on the date's clocks (ClockRulesOf).
SkyDay ComputeSkyDay(const Site& site, DayNumber date);

// The moon's phase of one date alone, as its sky day holds it: at local noon
// of the date's standard time, lit on the side the place sees lit.
DatePhase MoonPhaseOfDay(const Site& site, DayNumber date);

// ComputeSkyDay for every date from `from` to `to`, oldest first; `onDay`
// returns false to stop. Nothing is called when `to` < `from`.
void ForEachSkyDay(const Site& site, DayNumber from, DayNumber to,
                   const std::function<bool(const SkyDay&)>& onDay);

// The minute of the zone's standard time that `instant` falls in, rounded to
// the nearest minute as LocalMinute rounds it. Each date keeps its own
// standard offset (StandardOffsetOf) up to its own midnight, where the next
// date's offset takes over: after a change of the offset the clocks jump
// forward at that midnight or repeat the last part of the date before, and a
// change of a whole day leaves a date out. With one offset for every date
// this is LocalMinute with that offset.
std::chrono::sys_time<std::chrono::minutes> StandardMinuteOf(const Site& site, UtInstant instant);

// The dates (zone standard time) of the first full moon and the first new
// moon on or after `date`.
struct NextMoons {
    DayNumber FullMoon;
    DayNumber NewMoon;
};
NextMoons NextFullAndNewMoon(const Site& site, DayNumber date);

}  // namespace dawn
