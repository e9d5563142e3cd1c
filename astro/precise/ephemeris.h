// A precise ephemeris of the sun and the moon, beside the one that rise and
// set use.
//
// The Earth's position comes from ERFA's eraEpv00 (the sun is the Earth's
// heliocentric position turned round), the moon's from its lunar series
// eraMoon98, precession and nutation from the IAU 2000B model (eraPn00b) and
// the Earth's rotation from Greenwich apparent sidereal time (eraGmst00 and
// the equation of the equinoxes). Both bodies are apparent places seen from
// the centre of the Earth: the geometric vector less the body's geocentric
// motion during the light time, which takes in the annual aberration.
//
// Time. Instants are Universal Time (UtInstant); the ephemerides run on
// Terrestrial Time, TT = UT + ΔT, with ΔT from the Espenak–Meeus
// polynomials (DeltaTSeconds in astro/moonphase.h).
//
// Frames. Vectors are geocentric, in kilometres, in the GCRS (the J2000
// equator within a few milliarcseconds) unless a function says otherwise.
// Angles between two vectors, which is all an eclipse needs, do not depend
// on the frame.
#pragma once

#include <array>
#include <cstdint>

#include "astro/moonphase.h"

namespace dawn {

using Vector3 = std::array<double, 3>;

inline constexpr double kSunRadiusKm = 695700.0;  // IAU 2015 nominal
inline constexpr double kMoonRadiusKm = 1737.4;   // mean radius
inline constexpr double kEarthMeanRadiusKm = 6371.0;

// A place on the WGS84 ellipsoid, at sea level, in radians (north and east
// positive).
struct GeoPlace {
    double latitude = 0.0;
    double longitude = 0.0;
    static GeoPlace FromArcMinutes(std::int32_t latitudeMinutes, std::int32_t longitudeMinutes);
};

double JulianDayUt(UtInstant t);
UtInstant InstantOfJulianDayUt(double jd);
// TT as a two-part Julian date (whole part, fraction), for ERFA.
struct TwoPartDate {
    double whole;
    double part;
};
TwoPartDate TerrestrialTimeOf(UtInstant t);

// The apparent geocentric sun and moon at one instant, GCRS, km.
struct SunAndMoon {
    Vector3 sun;
    Vector3 moon;
};
SunAndMoon SunAndMoonAt(UtInstant t);

// The sun over a day or two around one instant, from one evaluation of the
// Earth's position and velocity: the Earth's heliocentric path continued
// with the pulls of the sun and the moon (a third-order Taylor step).
// Within a day of the centre it is good to a few hundredths of an arc
// second, and spares
// the ephemeris's long series in the searches, which ask for the sun at
// many instants close together.
class SunTrack {
public:
    explicit SunTrack(UtInstant center);
    // The apparent geocentric sun at `t`, GCRS, km.
    Vector3 ApparentAt(UtInstant t) const;

private:
    double center_;         // UT, days since 1970
    Vector3 position_;      // geometric geocentric sun, km
    Vector3 velocity_;      // km/day
    Vector3 acceleration_;  // km/day²
    Vector3 jerk_;          // km/day³, of the sun's pull alone
};

// The apparent moon over a stretch of time, from a few evaluations of its
// series: a Chebyshev polynomial of degree 8 through them. Over the 1.6 days
// it spans it follows the series to well under a metre; the eclipse searches,
// which ask for the moon hundreds of times within a few hours, use it.
class MoonTrack {
public:
    static constexpr double kHalfSpanDays = 0.8;
    explicit MoonTrack(UtInstant center);
    // The apparent geocentric moon at `t` (within the span; beyond it the
    // polynomial is continued), GCRS, km.
    Vector3 ApparentAt(UtInstant t) const;

private:
    static constexpr int kDegree = 8;
    double center_;
    std::array<Vector3, kDegree + 1> coefficients_;
};

// The sun of a track and the moon of its own series (or of a track) at `t`.
SunAndMoon SunAndMoonAt(const SunTrack& sun, UtInstant t);
SunAndMoon SunAndMoonAt(const SunTrack& sun, const MoonTrack& moon, UtInstant t);

// The moon alone, geometric (no light time): position and velocity in km and
// km per day, GCRS. The apsides use it.
struct MoonState {
    Vector3 position;
    Vector3 velocity;
};
MoonState MoonStateAt(UtInstant t);

// The Earth's orientation around one instant: precession and nutation held
// fixed (they move by less than a hundredth of an arc second in an hour),
// the rotation taken at each instant asked for. Good for a day around
// `around`.
class EarthOrientation {
public:
    explicit EarthOrientation(UtInstant around);

    // Greenwich apparent sidereal time at `t`, radians.
    double SiderealAngle(UtInstant t) const;
    // The place's position on the ellipsoid (km) and its zenith (a unit
    // vector along the ellipsoid's normal), GCRS, at `t`.
    Vector3 PlacePosition(const GeoPlace& place, UtInstant t) const;
    Vector3 Zenith(const GeoPlace& place, UtInstant t) const;
    // The unit vector that points north along the place's horizon, GCRS.
    Vector3 North(const GeoPlace& place, UtInstant t) const;
    // The ecliptic longitude of date (true equinox) of a geocentric GCRS
    // vector, radians 0..2π.
    double EclipticLongitude(const Vector3& v) const;

private:
    Vector3 FromDate(const Vector3& v) const;  // true equator of date -> GCRS
    Vector3 ToDate(const Vector3& v) const;

    double rbpn_[3][3];
    double equationOfEquinoxes_;
    double trueObliquity_;
};

// Vector helpers.
double Length(const Vector3& v);
Vector3 Minus(const Vector3& a, const Vector3& b);
double AngleBetween(const Vector3& a, const Vector3& b);  // radians, 0..π

// The altitude in degrees of `body` (geocentric, km) seen from the place at
// `t`: the angle of the topocentric direction above the plane normal to the
// zenith, without refraction.
double TopocentricAltitudeDegrees(const EarthOrientation& earth, const GeoPlace& place, UtInstant t,
                                  const Vector3& body);

// The sun's apparent geocentric ecliptic longitude of date, degrees 0..360.
double SunApparentLongitudeDegrees(UtInstant t);
// The moon's apparent geocentric ecliptic longitude less the sun's, degrees
// 0..360: 0 at new moon, 180 at full moon. Measured on the J2000 ecliptic,
// which puts the instants of the phases at most a few seconds from those
// on the ecliptic of date from 1900 to 2100; the phases only start the
// searches for eclipses and supermoons.
double MoonElongationDegrees(const SunTrack& sun, UtInstant t);
double MoonElongationDegrees(UtInstant t);

// The moon's distance from the centre of the Earth and the angle its disc
// fills there, for any instant.
struct MoonDistanceAndSize {
    double distanceKm;
    double apparentDiameterDegrees;
};
MoonDistanceAndSize MoonDistanceAndSizeAt(UtInstant t);

// The moon's mean distance, the semi-major axis of its orbit round the
// Earth, where its disc fills 31.1 arc minutes.
inline constexpr double kMoonMeanDistanceKm = 384400.0;
// The apparent diameter in percent of the one at the mean distance: about
// 107 at a close perigee (a "supermoon"), 94.5 at a far apogee.
double PercentOfMeanDiameter(const MoonDistanceAndSize& moon);

// The lit fraction of the moon's disc seen from the centre of the Earth,
// 0..1, from the angle sun–moon–Earth.
double MoonLitFraction(const SunAndMoon& bodies);

}  // namespace dawn
