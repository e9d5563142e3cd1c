// Where the sun and the moon stand in a place's sky at any instant.
//
// The bodies are the apparent places of the precise ephemeris
// (ephemeris.h) seen from the place on the WGS84 ellipsoid at sea level:
// topocentric, so the moon near the horizon sits up to a degree lower than
// seen from the centre of the Earth (its parallax). Altitudes are geometric,
// the angle above the plane normal to the ellipsoid's vertical, without
// refraction; ApparentAltitudeDegrees adds the standard refraction for the
// altitude the eye sees. Azimuths run from north through east, 0..360.
#pragma once

#include <span>

#include "astro/moonphase.h"
#include "astro/precise/ephemeris.h"

namespace dawn {

struct HorizonPosition {
    double altitudeDegrees = 0.0;  // geometric
    double azimuthDegrees = 0.0;   // from north through east, 0..360
};

struct SkyPositions {
    HorizonPosition sun;
    HorizonPosition moon;
    // The lit fraction of the moon's disc, 0..1 (seen from the centre of the
    // Earth; the place changes it by less than a hundredth of a point), and
    // the moon's distance from the place, km: up to an Earth's radius less
    // than from the centre of the Earth, when the moon stands overhead.
    double moonLitFraction = 0.0;
    double moonDistanceKm = 0.0;
};

// The altitude and azimuth of `body` (geocentric, GCRS, km) seen from the
// place at `t`.
HorizonPosition TopocentricHorizonPosition(const EarthOrientation& earth, const GeoPlace& place,
                                           UtInstant t, const Vector3& body);

// Both bodies at one instant.
SkyPositions SkyPositionsAt(const GeoPlace& place, UtInstant t);

// Both bodies at `first`, first + step, ... into `out` (one per element),
// from one evaluation of the series around the middle of the span: the
// paths across the sky of a day. Good to a few arc seconds within a day of
// the middle; longer spans fall back to the series at each instant.
void SkyPositionsAlong(const GeoPlace& place, UtInstant first, UtInstant::duration step,
                       std::span<SkyPositions> out);

// The altitude the eye sees for a geometric altitude, with the standard
// refraction of the air at 10 °C and 1010 hPa (Sæmundsson's formula): 34'
// for a body seen on the horizon (geometrically 34' below it, as rise and
// set take it), 5' at 10°, 1' at 45°, nothing at the zenith. Below one degree under
// the horizon the refraction of that altitude is kept, so the apparent
// altitude rises with the geometric one all the way down.
double ApparentAltitudeDegrees(double geometricDegrees);

}  // namespace dawn
