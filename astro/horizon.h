// The sun as it is really seen: from above the land around (the horizon's
// dip) and behind a landscape (a horizon profile).
//
// The designed sunrise and sunset are the upper limb touching a flat, sea
// level horizon: the centre at -50', 34' of refraction and 16' of
// semi-diameter (astro.h). The functions here sit beside them and change
// nothing of them.
#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <vector>

#include "astro/astro.h"

namespace dawn {

// The dip of the sea horizon seen from `heightMetres` above it, in degrees:
// 1.76' x sqrt(height in metres), the navigators' standard dip, which takes
// the light's bending near the ground into account (the bare geometric dip,
// sqrt(2 h / R), is 1.93' x sqrt(h)). 0 m gives 0; 100 m gives 17.6'; 2,000 m
// 78.7'. A height below 0 (or not a number) counts as 0.
double HorizonDipDegrees(double heightMetres);

// Sunrise and sunset for an observer `heightMetres` above the land around:
// the designed events with the horizon lowered by the dip, so the sun rises
// earlier and sets later. A height of 0 gives exactly ComputeSunDay.
DayEvents ComputeSunDayFromHeight(std::chrono::year_month_day date, const Place& place,
                                  double heightMetres);

// One point of a horizon profile: the altitude of the landscape's skyline
// (degrees, -90..90) at an azimuth (degrees from north through east, 0..360).
struct HorizonPoint {
    double azimuthDegrees;
    double altitudeDegrees;

    bool operator==(const HorizonPoint&) const = default;
};

// The skyline's altitude at `azimuthDegrees`, linear between the points of
// `profile` (sorted by azimuth) and wrapping past north: between the last
// point and the first the line runs through 360°. One point is a skyline of
// one altitude all round; an empty profile is the flat horizon (0°).
double ProfileAltitudeAt(std::span<const HorizonPoint> profile, double azimuthDegrees);

// Standard refraction at an apparent altitude, in degrees: Bennett's formula,
// 1 / tan(h + 7.31 / (h + 4.4)) arc minutes, 34.5' at the horizon and 0 at
// the zenith. Below -1° it keeps the value at -1° (50'), where the formula
// runs away.
double RefractionDegrees(double apparentAltitudeDegrees);

// The sun over a horizon profile in one day. The sun is visible while its
// upper limb, with standard refraction, stands above the skyline at its
// azimuth: its centre's geometric altitude is above the skyline's altitude
// less the refraction there and the sun's semi-diameter (16').
//
// Behind a jagged skyline the sun may appear and vanish more than once: the
// day's visible rise is the first appearance and its visible set the last
// disappearance, and every one of them is kept in `rises` and `sets`. The
// statuses are those of the designed rise and set (NoRise: the day has a
// disappearance but no appearance; UpAllDay: visible all day, and so on),
// with their fixed times.
struct VisibleSunDay {
    EventMinutes rise;  // the first appearance; `crossing` holds it whatever the status
    EventMinutes set;   // the last disappearance
    std::optional<double> riseAzimuth;        // degrees, of the first appearance
    std::optional<double> setAzimuth;         // of the last disappearance
    std::vector<std::chrono::minutes> rises;  // every appearance of the day, in order
    std::vector<std::chrono::minutes> sets;   // every disappearance, in order

    bool operator==(const VisibleSunDay&) const = default;
};

// The crossings are found to the minute and interpolated within it; the
// hours in which the sun is far above or below every point of the skyline
// are skipped, so a day costs a few hundred positions. A gap in the skyline
// narrower than what the sun crosses in a minute (about a quarter of a
// degree) may be missed.
VisibleSunDay ComputeVisibleSunDay(std::chrono::year_month_day date, const Place& place,
                                   std::span<const HorizonPoint> profile);

}  // namespace dawn
