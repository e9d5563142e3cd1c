// The tracks the searches use against the series they stand in for, and the
// topocentric altitude on a case worked by hand.
#include "astro/precise/ephemeris.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

namespace dawn {
namespace {

UtInstant At(double daysFrom2024) {
    using namespace std::chrono;
    return UtInstant{sys_days{year{2024} / January / 1}} + UtInstant::duration{daysFrom2024};
}

TEST(Tracks, FollowTheSeriesOverTheirSpan) {
    // At perihelion, aphelion and in between, and a moon at perigee and
    // apogee: the sun's track within 0.05" over a day each way, the moon's
    // within a metre over its span.
    for (const double center : {2.6, 90.0, 185.6, 269.4, 67.3}) {
        const SunTrack sun{At(center)};
        const MoonTrack moon{At(center)};
        for (double h = -1.0; h <= 1.0; h += 0.125) {
            const SunAndMoon exact = SunAndMoonAt(At(center + h));
            const double arcseconds = AngleBetween(sun.ApparentAt(At(center + h)), exact.sun) *
                                      180.0 / 3.14159265358979323846 * 3600.0;
            EXPECT_LT(arcseconds, 0.02) << center << " " << h;
            if (std::fabs(h) <= MoonTrack::kHalfSpanDays) {
                EXPECT_LT(Length(Minus(moon.ApparentAt(At(center + h)), exact.moon)), 0.001)
                    << center << " " << h;
            }
        }
    }
}

TEST(Ephemeris, TopocentricAltitudeAndParallax) {
    // At the geocentric zenith distance z the moon is seen lower by its
    // parallax, about asin(R/d)·sin z: near 57' on the horizon, nothing at
    // the zenith; checked over a grid of places.
    const UtInstant t = At(100.25);
    const EarthOrientation earth{t};
    const Vector3 moon = SunAndMoonAt(t).moon;
    const double pi = 3.14159265358979323846;
    for (double lat = -1.2; lat <= 1.2; lat += 0.6) {
        for (double lon = -3.0; lon <= 3.0; lon += 1.5) {
            const GeoPlace place{lat, lon};
            const Vector3 up = earth.Zenith(place, t);
            const double geocentric = 90.0 - AngleBetween(up, moon) * 180.0 / pi;
            const double seen = TopocentricAltitudeDegrees(earth, place, t, moon);
            const double parallax =
                std::asin(6378.0 / Length(moon)) * std::cos(geocentric * pi / 180.0) * 180.0 / pi;
            EXPECT_NEAR(geocentric - seen, parallax, 0.05) << lat << " " << lon;
        }
    }
}

}  // namespace
}  // namespace dawn
