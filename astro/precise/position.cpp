#include "astro/precise/position.h"

#include <algorithm>
#include <cmath>

namespace dawn {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegrees = 180.0 / kPi;

double Dot(const Vector3& a, const Vector3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

SkyPositions PositionsOf(const EarthOrientation& earth, const GeoPlace& place, UtInstant t,
                         const SunAndMoon& bodies) {
    SkyPositions p;
    p.sun = TopocentricHorizonPosition(earth, place, t, bodies.sun);
    p.moon = TopocentricHorizonPosition(earth, place, t, bodies.moon);
    p.moonLitFraction = MoonLitFraction(bodies);
    p.moonDistanceKm = Length(Minus(bodies.moon, earth.PlacePosition(place, t)));
    return p;
}

}  // namespace

HorizonPosition TopocentricHorizonPosition(const EarthOrientation& earth, const GeoPlace& place,
                                           UtInstant t, const Vector3& body) {
    const Vector3 seen = Minus(body, earth.PlacePosition(place, t));
    const Vector3 up = earth.Zenith(place, t);
    const Vector3 north = earth.North(place, t);
    // East, a quarter turn clockwise from north seen from above: north × up.
    const Vector3 east{north[1] * up[2] - north[2] * up[1], north[2] * up[0] - north[0] * up[2],
                       north[0] * up[1] - north[1] * up[0]};
    const double length = Length(seen);
    const double sine = std::clamp(Dot(seen, up) / length, -1.0, 1.0);
    double azimuth = std::atan2(Dot(seen, east), Dot(seen, north)) * kDegrees;
    if (azimuth < 0.0) azimuth += 360.0;
    if (azimuth >= 360.0) azimuth -= 360.0;
    return {std::asin(sine) * kDegrees, azimuth};
}

SkyPositions SkyPositionsAt(const GeoPlace& place, UtInstant t) {
    return PositionsOf(EarthOrientation{t}, place, t, SunAndMoonAt(t));
}

void SkyPositionsAlong(const GeoPlace& place, UtInstant first, UtInstant::duration step,
                       std::span<SkyPositions> out) {
    if (out.empty()) return;
    const UtInstant::duration span = step * static_cast<double>(out.size() - 1);
    const UtInstant middle = first + span / 2.0;
    if (std::fabs(span.count()) > 2.0 * MoonTrack::kHalfSpanDays) {
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = SkyPositionsAt(place, first + step * static_cast<double>(i));
        return;
    }
    const EarthOrientation earth{middle};
    const SunTrack sun{middle};
    const MoonTrack moon{middle};
    for (std::size_t i = 0; i < out.size(); ++i) {
        const UtInstant t = first + step * static_cast<double>(i);
        out[i] = PositionsOf(earth, place, t, SunAndMoonAt(sun, moon, t));
    }
}

double ApparentAltitudeDegrees(double geometricDegrees) {
    const double h = std::max(geometricDegrees, -1.0);
    const double arcMinutes = 1.02 / std::tan((h + 10.3 / (h + 5.11)) / kDegrees);
    return geometricDegrees + std::max(arcMinutes, 0.0) / 60.0;
}

}  // namespace dawn
