// The sky's year for one place, on the precise ephemeris: the seasons, the
// moon's perigee and apogee, lunar eclipses, solar eclipses seen from the
// place and the peaks of the major meteor showers.
//
// Every function lists the events whose instant lies in [from, to), oldest
// first, as UT instants; turning them into the place's clock time is the
// caller's business. The contacts and maxima are found to within a second
// of the ephemeris; what that ephemeris is good to is in the README.
//
// Conventions, each with its reason:
// - Seasons: the sun's apparent geocentric ecliptic longitude of date passes
//   0° (March equinox), 90°, 180° and 270°.
// - Apsides: the minima and maxima of the moon's geometric distance from the
//   centre of the Earth. A perigee is a supermoon when a full moon (the
//   apparent elongation passes 180°) lies within 24 hours of it.
// - Lunar eclipses are geocentric. The Earth's shadow is cast by its mean
//   radius raised by 88 km of atmosphere (6459 km, an enlargement of 1/72;
//   Danjon's rule takes 1/85 and Chauvenet's 1/50, and the choice moves an
//   umbral magnitude by up to 0.01). That radius gives the parallaxes, so
//   the umbra's angular radius is πm + πs − ss and the penumbra's
//   πm + πs + ss. The magnitude is the umbral one (the fraction of
//   the moon's diameter inside the umbra) for a partial or total eclipse and
//   the penumbral one for a penumbral eclipse.
// - Solar eclipses are topocentric, for a place at sea level, without
//   refraction. The magnitude is the fraction of the sun's diameter covered,
//   the obscuration the fraction of its disc's area.
// - A body is up when its centre's topocentric altitude is above −0.8333°,
//   the rise and set convention (34′ of refraction and 16′ of radius).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "astro/precise/ephemeris.h"

namespace dawn {

inline constexpr double kUpAltitudeDegrees = -0.8333;

enum class Season : std::uint8_t { MarchEquinox, JuneSolstice, SeptemberEquinox, DecemberSolstice };
struct SeasonEvent {
    UtInstant instant;
    Season season;
};
std::vector<SeasonEvent> SeasonsBetween(UtInstant from, UtInstant to);

enum class Apsis : std::uint8_t { Perigee, Apogee };
struct ApsisEvent {
    UtInstant instant;
    Apsis apsis;
    double distanceKm;
    bool supermoon = false;  // perigees only
};
std::vector<ApsisEvent> LunarApsidesBetween(UtInstant from, UtInstant to);

// The instant the moon's apparent elongation passes `degrees` (0 new moon,
// 180 full moon) nearest to `guess` (within a week of it).
UtInstant ElongationInstantNear(UtInstant guess, double degrees);

enum class LunarEclipseKind : std::uint8_t { Penumbral, Partial, Total };
struct LunarEclipse {
    UtInstant greatest;
    LunarEclipseKind kind;
    double magnitude;  // umbral, or penumbral for a penumbral eclipse
    double umbralMagnitude;
    double penumbralMagnitude;
    // Entering and leaving the penumbra (P1, P4) and the umbra (U1, U4), and
    // the start and end of totality (U2, U3); empty where the eclipse has no
    // such contact.
    UtInstant p1, p4;
    std::optional<UtInstant> u1, u2, u3, u4;
    double moonAltitudeAtGreatest;  // degrees, topocentric, at the place
    bool moonUp;                    // up at the place at some moment from P1 to P4
};
std::vector<LunarEclipse> LunarEclipsesBetween(UtInstant from, UtInstant to, const GeoPlace& place);

enum class SolarEclipseKind : std::uint8_t { Partial, Annular, Total };
struct LocalSolarEclipse {
    UtInstant maximum;
    SolarEclipseKind kind;
    double magnitude;
    double obscuration;               // 0..1
    UtInstant c1, c4;                 // first and last contact
    std::optional<UtInstant> c2, c3;  // the central phase, total or annular
    double sunAltitudeAtMaximum;      // degrees, without refraction
};
// Only the eclipses with the sun up at the place at some moment between the
// first and the last contact.
std::vector<LocalSolarEclipse> LocalSolarEclipsesBetween(UtInstant from, UtInstant to,
                                                         const GeoPlace& place);

// The area of the sun's disc (angular radius `sun`) covered by the moon's
// (`moon`) when their centres lie `separation` apart, as a fraction.
double Obscuration(double sun, double moon, double separation);

// A shower of the table: its peak as the sun's geocentric ecliptic
// longitude on the J2000 equinox, and the zenithal hourly rate there.
struct MeteorShower {
    std::string_view name;
    double solarLongitude;
    int rate;
};
std::span<const MeteorShower> MajorMeteorShowers();

struct MeteorShowerPeak {
    UtInstant peak;
    const MeteorShower* shower;
    double moonLitFraction;  // at the peak, 0..1
};
std::vector<MeteorShowerPeak> MeteorShowerPeaksBetween(UtInstant from, UtInstant to);

}  // namespace dawn
