// The scan of one day for the sun or the moon, before it is put into results.
//
// A body's day is first sampled: the sine of its altitude at the 25 whole
// hours from local midnight to the next, with the declination and the hour
// angle there. The crossings of any event altitude (rise and set, the three
// twilights) are then found from the same samples.
#pragma once

#include <array>
#include <chrono>

#include "astro/astro.h"
#include "astro/numbers.h"

namespace dawn {

struct DaySamples {
    double sinLatitude = 0;
    double cosLatitude = 0;
    // sin(altitude of the centre) = sin(lat) sin(decl) + cos(lat) cos(decl) cos(hour angle)
    // at hour k after local midnight, k = 0..24.
    std::array<double, 25> height{};
    std::array<double, 25> declination{};  // radians
    std::array<double, 25> hourAngle{};    // radians, growing through the day
    // The same sine in the middle of hour c, c = 0..23, where the declination
    // and the hour angle are the means of those at the hour's ends, and the
    // rotation of that declination.
    std::array<double, 24> midHeight{};
    std::array<Rotation, 24> midDeclination{};
};

// The straightforward sampling: the altitude of every hour and of every
// middle of an hour from its own sine and cosine calls. `start` is the
// position at local midnight, `hourEnds[c]` the position at the end of hour c.
DaySamples SampleHourEnds(const ScanSetup& setup, Equatorial start,
                          const std::array<Equatorial, 24>& hourEnds);

// The crossings of the altitude whose zenith distance has the cosine
// `cosZenith`. Each hour whose ends lie on opposite sides is fitted by the
// parabola through its ends and its middle. The azimuths are only worked out
// when asked for.
enum class Azimuths : bool { Skip, Compute };
ScanResult FindCrossings(const DaySamples& samples, double cosZenith,
                         Azimuths azimuths = Azimuths::Compute);

// A body's day ready for the crossing search.
struct SampledDay {
    DaySamples samples;
    double cosZenith;  // of the body's rise and set
    double julianDay;  // at 0h UT of the date
};

SampledDay SampleSunDay(std::chrono::year_month_day date, const Place& place);
SampledDay SampleMoonDay(std::chrono::year_month_day date, const Place& place);

struct DayScan {
    ScanResult scan;
    double julianDay;
};

DayScan ScanSunDay(std::chrono::year_month_day date, const Place& place);
DayScan ScanMoonDay(std::chrono::year_month_day date, const Place& place);

// The result of one request: the status of the day, the time and the
// azimuth of the last crossing of the requested kind.
RiseSetResult ResultOfDay(const DayScan& day, EventKind kind);

// What the sun and the moon share in getting a day ready for the scan.
struct DaySetting {
    double sinLatitude;
    double cosLatitude;
    double longitudeDegrees;
    double zoneDays;  // -offset / 1440: 0h UT plus this is local midnight
    double julianDay;
    double daysFromJ2000;  // of 0h UT of the date
};

DaySetting SetUpDay(std::chrono::year_month_day date, const Place& place, int calendarSwitchYear);

// The rotations of an angle that changes through the day as a polynomial of
// at most second degree in the hour: x(k) = x0 + k s + k (k - 1) / 2 c.
// Sampling the altitude at every hour and every middle of an hour needs cos
// and sin of the declination and of the hour angle at 49 points, 147 calls
// of sin and cos. Here each point is a product or two away: with the half
// step h(k) = (s + k c) / 2, the end of hour k is x(k) turned by h(k) twice
// and its middle x(k) turned by h(k) once, so that the middle lies at the
// mean of the angles at the ends, as the crossing search wants it. After
// each hour the half step turns by c / 2. One pair at midnight and two small
// angles (s / 2 and c / 2, below a degree) give all 49 points.
//
// Error over a day. A product of two unit rotations is off by at most about
// two units in the last place, 4.4e-16, in each part. The half step goes
// through at most 23 turns, so it ends off by at most about 1e-14 and the
// whole step by twice that; the angle adds up the errors of the 24 steps
// it took, at most 24 x 24 x 4.4e-16 + 24 x 3 x 4.4e-16, about 2.9e-13,
// after a day of the moon's turning walk, and 24 x 3 x 4.4e-16, about
// 3e-14, after the sun's straight one. The samples of the altitude's sine
// are sums of products of these parts and stay within a few 1e-13 of the
// straightforward ones. A crossing moves by that error over the sine's
// change in a minute, which is above 1e-6 unless the body only grazes the
// event altitude (at a pole, where only the declination moves, the sun at
// an equinox changes it by 5e-6 a minute), so its minute and the arc minute
// of its azimuth can only differ when it lies within a millionth of a
// minute of the rounding point.
struct AngleWalk {
    Rotation at;
    Rotation halfStep;
    Rotation halfTurn;  // half the second difference c; angle 0 for a straight line
};

// Half the turn of the sky in one hour as a rotation: the first part of the
// hour angle's half step.
inline const Rotation kSiderealHalfHour = Rotation::Of(kSiderealPerHour / 2.0);

// Fills `height`, `midHeight` and `midDeclination` from the walks of the
// declination and of the hour angle, which start at local midnight.
void WalkDay(DaySamples& samples, AngleWalk declination, AngleWalk hourAngle);

}  // namespace dawn
