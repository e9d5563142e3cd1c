// The positions against an independent ephemeris (data/tools/
// make_position_reference.py), and the refraction.
#include "astro/precise/position.h"

#include <gtest/gtest.h>

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

constexpr double kPi = 3.14159265358979323846;

struct Row {
    std::string place;
    int latitudeMinutes = 0;
    int longitudeMinutes = 0;
    UtInstant at;
    HorizonPosition sun, moon;
    double litPercent = 0, distanceKm = 0;
};

std::vector<Row> ReadReference(const std::string& path) {
    std::vector<Row> rows;
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        for (char& c : line)
            if (c == ';') c = ' ';
        std::istringstream fields(line);
        Row r;
        int y, mo, d, h, mi, s;
        char dash, colon;
        fields >> r.place >> r.latitudeMinutes >> r.longitudeMinutes >> y >> dash >> mo >> dash >>
            d >> h >> colon >> mi >> colon >> s >> r.sun.altitudeDegrees >> r.sun.azimuthDegrees >>
            r.moon.altitudeDegrees >> r.moon.azimuthDegrees >> r.litPercent >> r.distanceKm;
        EXPECT_TRUE(fields) << line;
        using namespace std::chrono;
        r.at = UtInstant{sys_days{year{y} / mo / d}} + hours{h} + minutes{mi} + seconds{s};
        rows.push_back(r);
    }
    return rows;
}

// The angle between two directions on the sky, degrees.
double Separation(const HorizonPosition& a, const HorizonPosition& b) {
    const auto unit = [](const HorizonPosition& p) {
        const double h = p.altitudeDegrees * kPi / 180, z = p.azimuthDegrees * kPi / 180;
        return Vector3{std::cos(h) * std::cos(z), std::cos(h) * std::sin(z), std::sin(h)};
    };
    return AngleBetween(unit(a), unit(b)) * 180 / kPi;
}

// Sun within 0.05°, moon within 0.2° (both as the angle between our
// direction and the reference's, so that an azimuth near the zenith does not
// count its meridian's squeeze), the lit fraction within one point, the
// distance within 20 km. Rows in the file: a spread of instants from 1900
// to 2100 at five places of both hemispheres and the tropics, and the
// moon's centre on the horizon as it rises and sets.
TEST(Positions, AgreeWithAnIndependentEphemeris) {
    const char* other = std::getenv("DAWN_POSITION_REFERENCE");
    const std::string path =
        other ? other : DAWN_SOURCE_DIR "/astro/precise/testdata/position_reference.txt";
    const std::vector<Row> rows = ReadReference(path);
    ASSERT_GE(rows.size(), 50u);
    double worstSun = 0, worstMoon = 0, worstLit = 0, worstDistance = 0, worstHorizon = 0;
    int nearHorizon = 0;
    for (const Row& r : rows) {
        const SkyPositions p =
            SkyPositionsAt(GeoPlace::FromArcMinutes(r.latitudeMinutes, r.longitudeMinutes), r.at);
        const double sun = Separation(p.sun, r.sun), moon = Separation(p.moon, r.moon);
        const double lit = std::fabs(p.moonLitFraction * 100 - r.litPercent);
        const double distance = std::fabs(p.moonDistanceKm - r.distanceKm);
        EXPECT_LT(sun, 0.05) << r.place << " sun";
        EXPECT_LT(moon, 0.2) << r.place << " moon";
        EXPECT_LT(lit, 1.0) << r.place;
        EXPECT_LT(distance, 20.0) << r.place;
        worstSun = std::fmax(worstSun, sun);
        worstMoon = std::fmax(worstMoon, moon);
        worstLit = std::fmax(worstLit, lit);
        worstDistance = std::fmax(worstDistance, distance);
        if (std::fabs(r.moon.altitudeDegrees) < 3) {
            ++nearHorizon;
            worstHorizon = std::fmax(worstHorizon, moon);
        }
    }
    // The moon on the horizon is in the table: without the parallax these
    // rows would be a degree off.
    EXPECT_GE(nearHorizon, 10);
    std::printf(
        "%zu rows: sun %.4f°, moon %.4f° (%.4f° within 3° of the horizon), lit %.3f "
        "points, distance %.1f km at most\n",
        rows.size(), worstSun, worstMoon, worstHorizon, worstLit, worstDistance);
}

// The paths of a day from the short tracks are the positions of each
// instant, to a few arc seconds; a span too long for them falls back to the
// series.
TEST(Positions, PathsAlongADayMatchEachInstant) {
    using namespace std::chrono;
    const GeoPlace place = GeoPlace::FromArcMinutes(3047, 328);
    const UtInstant first{sys_days{year{2024} / March / 10}};
    for (const double stepDays : {5.0 / 1440.0, 0.25}) {
        std::vector<SkyPositions> path(stepDays < 0.1 ? 289 : 13);
        SkyPositionsAlong(place, first, UtInstant::duration{stepDays}, path);
        for (std::size_t i = 0; i < path.size(); i += 8) {
            const SkyPositions one =
                SkyPositionsAt(place, first + UtInstant::duration{stepDays * i});
            EXPECT_LT(Separation(path[i].sun, one.sun), 0.001) << i;
            EXPECT_LT(Separation(path[i].moon, one.moon), 0.001) << i;
            EXPECT_NEAR(path[i].moonLitFraction, one.moonLitFraction, 1e-6);
        }
    }
}

TEST(Refraction, StandardAirLiftsTheHorizonBy34ArcMinutes) {
    const struct {
        double geometric, apparent, within;
    } cases[] = {
        {-34.0 / 60.0, 0.0, 0.01},         // the rise and set convention
        {10.0, 10.0 + 5.4 / 60.0, 0.005},  // almanac tables: 5.3'..5.4'
        {45.0, 45.0 + 1.0 / 60.0, 0.003},
        {90.0, 90.0, 1e-9},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ApparentAltitudeDegrees(c.geometric), c.apparent, c.within) << c.geometric;
    // Rising with the geometric altitude everywhere, never below it.
    double before = ApparentAltitudeDegrees(-90.0);
    for (double h = -89.9; h <= 90.0; h += 0.1) {
        const double a = ApparentAltitudeDegrees(h);
        EXPECT_GT(a, before) << h;
        EXPECT_GE(a, h) << h;
        before = a;
    }
}

}  // namespace
}  // namespace dawn
