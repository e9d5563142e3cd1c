// The tracks the searches use against the series they stand in for, the
// topocentric altitude on a case worked by hand, and the moon's distance and
// size against an independent ephemeris (data/tools/
// make_moon_size_reference.py).
#include "astro/precise/ephemeris.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

struct MoonSizeRow {
    UtInstant at;
    double distanceKm = 0, diameterArcSeconds = 0;
};

std::vector<MoonSizeRow> ReadMoonSizeReference(const std::string& path) {
    std::vector<MoonSizeRow> rows;
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::replace(line.begin(), line.end(), ';', ' ');
        std::istringstream fields(line);
        int y, mo, d, h, mi, s;
        char dash, colon;
        MoonSizeRow r;
        fields >> y >> dash >> mo >> dash >> d >> h >> colon >> mi >> colon >> s >> r.distanceKm >>
            r.diameterArcSeconds;
        EXPECT_TRUE(fields) << line;
        using namespace std::chrono;
        r.at = UtInstant{sys_days{year{y} / mo / d}} + hours{h} + minutes{mi} + seconds{s};
        rows.push_back(r);
    }
    return rows;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// The distance within 20 km and the diameter within 0.01' of the reference.
// Its diameter takes a moon of radius 1740 km, ours the IAU mean radius, so
// it is scaled to ours first. The rows: every perigee and apogee of 2024
// (the supermoon of 17 October at 357,175 km), midnights of 2024 and
// instants every ten years from 1900 to 2100.
TEST(MoonSize, AgreesWithAnIndependentEphemeris) {
    const char* other = std::getenv("DAWN_MOON_SIZE_REFERENCE");
    const std::string path =
        other ? other : DAWN_SOURCE_DIR "/astro/precise/testdata/moon_size_reference.txt";
    const std::vector<MoonSizeRow> rows = ReadMoonSizeReference(path);
    ASSERT_GE(rows.size(), 50u);
    std::vector<double> km, arcMinutes;
    for (const MoonSizeRow& r : rows) {
        const MoonDistanceAndSize m = MoonDistanceAndSizeAt(r.at);
        const double theirs = r.diameterArcSeconds / 60.0 *
                              std::asin(kMoonRadiusKm / r.distanceKm) /
                              std::asin(1740.0 / r.distanceKm);
        km.push_back(std::fabs(m.distanceKm - r.distanceKm));
        arcMinutes.push_back(std::fabs(m.apparentDiameterDegrees * 60.0 - theirs));
        EXPECT_LT(km.back(), 20.0) << r.distanceKm;
        EXPECT_LT(arcMinutes.back(), 0.01) << r.distanceKm;
    }
    std::printf(
        "%zu rows: distance %.2f km median, %.2f km at most; diameter %.5f' median, "
        "%.5f' at most\n",
        rows.size(), Median(km), *std::max_element(km.begin(), km.end()), Median(arcMinutes),
        *std::max_element(arcMinutes.begin(), arcMinutes.end()));
}

}  // namespace
}  // namespace dawn
