// The moon's phase: how much of the disc is lit at an instant, and the
// instants of new moon, first quarter, full moon and last quarter.
//
// Like the rest of astro/ these are pure functions of their arguments. Results
// are numbers and enums; names become text at the edge.
//
// Time scales. Instants here are Universal Time. The lunar and solar theories
// run on Terrestrial Time, which is ahead of UT by ΔT (about 69 s in 2024, but
// two minutes in 1600 and, by extrapolation, hours by the year 4000), so the
// instants carry the uncertainty of ΔT far from the present.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

namespace dawn {

// An instant of Universal Time in days and fractions of a day on the civil
// calendar's count, so that sys_days and sys_time<minutes> convert to it.
using UtInstant = std::chrono::sys_time<std::chrono::duration<double, std::chrono::days::period>>;

enum class PrincipalPhase : std::uint8_t { NewMoon, FirstQuarter, FullMoon, LastQuarter };

// The eight names of the lunar month in their order; each principal phase is
// followed by the stretch up to the next one.
enum class PhaseName : std::uint8_t {
    NewMoon,
    WaxingCrescent,
    FirstQuarter,
    WaxingGibbous,
    FullMoon,
    WaningGibbous,
    LastQuarter,
    WaningCrescent,
};

constexpr PhaseName NameOf(PrincipalPhase p) {
    return static_cast<PhaseName>(2 * static_cast<int>(p));
}

// ΔT = TT - UT in seconds for a year with fraction, from the polynomial fits to
// the observed and extrapolated values by F. Espenak and J. Meeus (Five
// Millennium Canon of Solar Eclipses, NASA TP-2006-214141).
double DeltaTSeconds(double year);

struct PhaseEvent {
    PrincipalPhase phase;
    UtInstant instant;

    bool operator==(const PhaseEvent&) const = default;
};

// The instant of a principal phase of lunation `lunation`; lunation 0 begins
// with the new moon of 2000 January 6, and the quarters and the full moon of a
// lunation follow its new moon.
UtInstant PrincipalPhaseInstant(std::int32_t lunation, PrincipalPhase phase);

// Every principal phase at or after `from` and before `to`, in time order;
// none when `to` is not after `from` or either is NaN or some tens of millions
// of years away.
std::vector<PhaseEvent> PrincipalPhasesBetween(UtInstant from, UtInstant to);

struct MoonPhase {
    // Fraction of the disc's area that is lit, 0 (new) to 1 (full).
    double illuminatedFraction;
    // The angle sun - moon - earth in degrees: 180 at an ideal new moon, 0 at an
    // ideal full moon. The moon passing above or below the sun keeps it a few
    // degrees from both ends at most new and full moons.
    double phaseAngleDegrees;
    // Between new moon and full moon: the moon east of the sun.
    bool waxing;
    // Days since the last new moon, 0 up to the length of the lunation
    // (29.3 to 29.8 days); within two minutes of the listed new moon's
    // instant, and exact near it, so that the age turns to 0 at that instant.
    double ageDays;
};

MoonPhase MoonPhaseAt(UtInstant instant);

// The side of the disc that is lit, as the moon is seen when it stands highest
// in the sky. A watcher who faces south to see it (north of the tropics) sees
// a waxing moon lit on the right and a waning one on the left; one who faces
// north (south of the tropics, or in the tropics when the moon passes north of
// the zenith) sees the picture turned upside down: waxing lit on the left.
enum class LitSide : std::uint8_t { Right, Left };

LitSide LitSideSeen(bool waxing, double latitudeDegrees, double moonDeclinationDegrees);

// The phase of a civil date for a place: the phase at local noon (the zone's
// standard time) and the date's name. A date that holds the instant of a
// principal phase, rounded to the minute in the zone, bears that phase's name;
// every other date bears the name of the stretch it lies in.
struct DatePhase {
    PhaseName name;
    MoonPhase atNoon;
    double moonDeclinationDegrees;  // at local noon, geocentric
    LitSide litSide;                // at the place, from the phase at local noon
};

DatePhase MoonPhaseOfDate(std::chrono::year_month_day date, double latitudeDegrees,
                          std::int32_t zoneMinutes);

// The minute of the zone (minutes ahead of UT) an instant falls in when
// rounded to the nearest minute: the minute that the phases are listed at.
std::chrono::sys_time<std::chrono::minutes> LocalMinute(UtInstant instant,
                                                        std::int32_t zoneMinutes);

}  // namespace dawn
