// The almanac of a place as its clocks show it: the events of the precise
// ephemeris (astro/precise/almanac.h) and the changes of summer time, each
// with the local date and time it falls on, for the command line, the
// calendar file and the windows alike.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <variant>
#include <vector>

#include "astro/precise/almanac.h"
#include "core/site.h"

namespace dawn {

enum class AlmanacKind : std::uint8_t {
    Season,
    Apsis,
    LunarEclipse,
    SolarEclipse,
    MeteorShower,
    SummerTime,
};
inline constexpr std::size_t kAlmanacKindCount = 6;
using AlmanacKinds = std::array<bool, kAlmanacKindCount>;  // indexed by AlmanacKind
inline constexpr AlmanacKinds kAllAlmanacKinds{true, true, true, true, true, true};

// A start (true) or an end of summer time.
struct SummerTimeChange {
    bool starts;
};

struct AlmanacItem {
    AlmanacKind kind;
    UtInstant instant;
    // The place's clock reading of the instant, to the minute, and how far
    // it is ahead of UT then. For a change of summer time, what the clocks
    // show when they change (the reading before the change).
    std::chrono::sys_time<std::chrono::minutes> clock;
    std::chrono::minutes utcOffset{0};
    std::variant<SeasonEvent, ApsisEvent, LunarEclipse, LocalSolarEclipse, MeteorShowerPeak,
                 SummerTimeChange>
        event;
};

// The place's clock reading of an instant, to the nearest minute: with the
// settings' zone its standard offset and summer time at that very minute;
// with the manual rules TimeZoneMinutes and the summer hour of the date.
std::chrono::sys_time<std::chrono::minutes> AlmanacClockOf(const Site& site, UtInstant instant);

// The items of `kinds` whose clock reading falls on a date from `first` to
// `last`, in the order of their instants. The changes of summer time come
// only with a zone.
std::vector<AlmanacItem> AlmanacOf(const Site& site, std::chrono::sys_days first,
                                   std::chrono::sys_days last,
                                   const AlmanacKinds& kinds = kAllAlmanacKinds);

}  // namespace dawn
