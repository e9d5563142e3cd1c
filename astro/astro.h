// Sun and moon rise and set for one place and one civil date.
//
// Everything here is a pure function of its arguments: no clock, no locale,
// no global state. Results are numbers (minutes of the day, degrees); the
// texts the user reads are made by the callers.
//
// Units. A place reaches the calculators as signed whole arc minutes (north
// and east positive) and the zone as signed whole minutes ahead of UT
// (60 for one hour ahead of UT). Event times leave in the zone's standard
// time; summer time is the caller's business.
//
// A day is scanned hour by hour from local midnight to the next local
// midnight. The altitude function of every hour whose ends lie on opposite
// sides of the event altitude is fitted by a parabola, and the root gives the
// minute of the crossing. The last rise and the last set of the day are the
// ones reported. Days without one of the crossings are normal, not errors:
// they are described by EventStatus, and the time then holds a fixed value
// (00:00 for the rise call and 23:59 for the set call, or 12:00 for both
// calls on a day spent below the event altitude).
//
// Every input gives a defined answer, without NaN or infinity: an hour whose
// altitude is a straight line takes the line's root, an azimuth whose
// denominator is zero is due east or due west, the poles (±90°00') and the
// date line (±180°00') are ordinary places, and a day without crossings that
// ends exactly at the event altitude counts as spent below it. A crossing in
// the last half minute of the day rounds to 24:00 and is reported as 23:59.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace dawn {

enum class EventKind : std::uint8_t { Rise, Set };

// The kind of day of one place; the rise call and the set call of one date
// always agree on it.
enum class EventStatus : std::uint8_t {
    NoRise = 0,      // a set but no rise
    NoSet = 1,       // a rise but no set
    DownAllDay = 2,  // no crossing; below the event altitude at the end of the day
    UpAllDay = 3,    // no crossing; above the event altitude at the end of the day
    Normal = 4,      // at least one rise and at least one set
};

struct RiseSetResult {
    EventStatus status;
    // The time of day in zone standard time, 0..1439 minutes: the last
    // crossing of the requested kind for Normal days, the fixed time of the
    // status otherwise.
    std::chrono::minutes time{0};
    // Azimuth in degrees from north through east (0..360) of the last
    // crossing of the requested kind, also when the status replaces the
    // time; empty when no crossing of that kind happened during the day.
    std::optional<double> azimuth;
    // Julian Day at 0h UT of the date (ends in .5). Filled by the sun; the
    // moon fills it too, with its own calendar switch year.
    double julianDay = 0.0;
    // The last crossing of the requested kind whatever the status: on a day
    // without a rise the set call still carries the real set here while
    // `time` holds 23:59. Empty when no crossing of that kind happened; a
    // crossing at 24:00 is the day's last minute. Equal to `time` on a
    // Normal day.
    std::optional<std::chrono::minutes> crossing;
    // The crossing of the same kind before the last one, on the rare day that
    // has two (the moon grazing the horizon far north or south), with its
    // azimuth. A day read on the user's clock needs it when the last one
    // already belongs to the next clock date.
    std::optional<std::chrono::minutes> earlierCrossing;
    std::optional<double> earlierAzimuth;

    bool operator==(const RiseSetResult&) const = default;
};

struct Place {
    std::int32_t latitudeMinutes;   // north positive, -5400..5400
    std::int32_t longitudeMinutes;  // east positive, -10800..10800
    std::int32_t timeZoneMinutes;   // zone standard time ahead of UT
};

// One scan of the day answers both the rise and the set request.
struct DayEvents {
    RiseSetResult rise;
    RiseSetResult set;

    bool operator==(const DayEvents&) const = default;
};

RiseSetResult ComputeSunEvent(EventKind kind, std::chrono::year_month_day date, const Place& place);
RiseSetResult ComputeMoonEvent(EventKind kind, std::chrono::year_month_day date,
                               const Place& place);
DayEvents ComputeSunDay(std::chrono::year_month_day date, const Place& place);
DayEvents ComputeMoonDay(std::chrono::year_month_day date, const Place& place);

// ---------------------------------------------------------------------------
// Twilight and solar noon, as numbers.
//
// Twilight is named by how far the sun's centre is below the horizon, with
// no refraction: civil dawn is the sun's centre rising through -6°, nautical
// through -12°, astronomical through -18°, and the dusks are the matching
// sets. They are found by the same hour-by-hour scan as sunrise and sunset,
// from the same samples of the day, and carry the same statuses: NoRise is a
// day without that dawn, NoSet one without that dusk, UpAllDay a day whose
// sky never gets that dark (the sun stays above the twilight's altitude) and
// DownAllDay one whose sky never gets that bright.

enum class TwilightKind : std::uint8_t { Civil, Nautical, Astronomical };

// One crossing direction of a day, as minutes of the day in the zone's
// standard time.
struct EventMinutes {
    EventStatus status;
    // The last crossing on a Normal day; otherwise the fixed time of the
    // status, as for sunrise and sunset (0:00 for a dawn, 23:59 for a dusk,
    // 12:00 for both on a day spent below). 0..1439: a crossing in the last
    // half minute of the day is 23:59.
    std::chrono::minutes minute;
    // The last crossing of this direction whatever the status; empty when
    // the day has none.
    std::optional<std::chrono::minutes> crossing;
    // The crossing of this direction before the last one, when the day has
    // two.
    std::optional<std::chrono::minutes> earlierCrossing;

    bool operator==(const EventMinutes&) const = default;
};

struct Twilight {
    EventMinutes dawn;
    EventMinutes dusk;

    bool operator==(const Twilight&) const = default;
};

// The sun's upper transit: the hour angle passes 0 and the sun stands due
// south (north of a place south of its declination) at its highest.
struct SolarNoon {
    std::chrono::minutes minute;  // 0..1439, zone standard time, rounded
    double altitudeDegrees;       // of the centre, no refraction: 90 - |latitude - declination|

    bool operator==(const SolarNoon&) const = default;
};

// A whole day of the sun from one set of samples.
struct SunDayEvents {
    DayEvents riseSet;                 // as ComputeSunDay gives it
    std::array<Twilight, 3> twilight;  // indexed by TwilightKind
    // Empty on a day without a transit. A day of the sun, from one transit to
    // the next, is up to half a minute longer or shorter than 24 hours, so
    // where the zone's noon lies near midnight one transit can fall just
    // before the date and the next just after it. A day with two transits
    // reports the first.
    std::optional<SolarNoon> noon;

    const Twilight& Of(TwilightKind kind) const { return twilight[static_cast<std::size_t>(kind)]; }
    bool operator==(const SunDayEvents&) const = default;
};

SunDayEvents ComputeSunDayEvents(std::chrono::year_month_day date, const Place& place);

// The sun's centre crossing any geometric altitudes (degrees, no refraction)
// in one day, from one set of samples as the twilights are found: for each
// altitude its rising crossing as the dawn and its setting one as the dusk,
// with the twilights' statuses. `out` holds one entry per altitude.
// -6, -12 and -18 give exactly the twilights of ComputeSunDayEvents.
void ComputeSunAltitudeCrossings(std::chrono::year_month_day date, const Place& place,
                                 std::span<const double> altitudesDegrees, std::span<Twilight> out);

// The sun's whole day and the crossings of `altitudesDegrees` from one set of
// samples: what the day costs with the light periods (the blue and golden
// hours' bounds) besides.
SunDayEvents ComputeSunDayEvents(std::chrono::year_month_day date, const Place& place,
                                 std::span<const double> altitudesDegrees, std::span<Twilight> out);

// ---------------------------------------------------------------------------
// The building blocks, public so that they can be tested and reused.

// 90 -> 1.30, -90 -> -1.30, 3047 -> 50.47: whole hours (or degrees) before
// the point, the remaining minutes as the first two decimals. For display
// only, never to compute with.
double MinutesToHourDotMinutes(std::int32_t minutes);

// Years before the switch year are dates of the Julian calendar.
inline constexpr int kSunCalendarSwitchYear = 1583;
inline constexpr int kMoonCalendarSwitchYear = 1582;

// Julian Day at 0h UT of a civil date (2000-01-01 gives 2451544.5).
double JulianDay0h(int year, int month, int day, int switchYear);

// Local sidereal angle in radians at local midnight of the date whose 0h UT
// lies `daysFromJ2000` days after 2000 January 1.5. `zoneDays` is the zone
// offset in days with the sign of UT minus zone time (-offsetMinutes / 1440),
// `longitudeDegrees` east positive.
double SiderealAtMidnight(double daysFromJ2000, double zoneDays, double longitudeDegrees);

struct ClockTime {
    int hours;    // 0..24; hour 24 only before the end-of-day rule
    int minutes;  // 0..59

    constexpr std::chrono::minutes OfDay() const {
        return std::chrono::minutes(hours * 60 + minutes);
    }
    bool operator==(const ClockTime&) const = default;
};

// The end-of-day rule: a crossing in the last half minute rounds to 24:00,
// which is reported as the last minute of the day.
constexpr ClockTime WithinTheDay(ClockTime t) {
    return t.hours >= 24 ? ClockTime{23, 59} : t;
}

struct ResolvedDay {
    EventStatus status;
    ClockTime time;

    bool operator==(const ResolvedDay&) const = default;
};

// Turns the outcome of a day's scan into the status and the final time of
// the requested kind. `finalAltitude` is the altitude function at 24:00
// (positive above the event altitude). A day without crossings that ends
// exactly at the event altitude counts as DownAllDay. The end-of-day rule
// comes last: 24:00 is reported as 23:59.
ResolvedDay ResolveDayStatus(bool riseFound, bool setFound, double finalAltitude, EventKind kind,
                             ClockTime scanTime);

// Right ascension and declination in radians.
struct Equatorial {
    double rightAscension;
    double declination;
};

// Low-precision solar position for T days after 2000 January 1.5 (UT) and
// TT Julian centuries from 1900.0.
Equatorial SunPosition(double daysFromJ2000, double centuriesFrom1900);

struct LunarPosition {
    double rightAscension;  // radians
    double declination;     // radians
    double distance;        // Earth radii
};

// Low-precision lunar position for T days after 2000 January 1.5 (UT).
LunarPosition MoonPosition(double daysFromJ2000);

// Sidereal angle the sky turns in one hour of zone time (15° x 1.0027379).
inline constexpr double kSiderealPerHour = 0.26251616834300473;

struct ScanSetup {
    double siderealAtMidnight;  // radians
    double sinLatitude;
    double cosLatitude;
    double cosZenith;  // cosine of the zenith distance of the event
    // The moon's right ascension is kept increasing through every hour (an
    // end-of-hour value below the start-of-hour one is raised by a full turn).
    bool keepRightAscensionIncreasing;
};

struct Crossing {
    bool found = false;
    ClockTime time{0, 0};  // rounded to the minute; hour 24 possible
    double azimuth = 0;    // degrees from north through east, 0..360
};

struct ScanResult {
    Crossing rise;             // the last rise of the day
    Crossing set;              // the last set of the day
    double finalAltitude = 0;  // the altitude function at 24:00
    Crossing earlierRise;      // the rise before the last one, on a day with two
    Crossing earlierSet;       // the set before the last one
};

// Scans the 24 hours of a day. `start` is the position at local midnight,
// `hourEnds[c]` the position at the end of hour c (c = 0..23).
ScanResult HourlyEventScan(const ScanSetup& setup, Equatorial start,
                           const std::array<Equatorial, 24>& hourEnds);

}  // namespace dawn
