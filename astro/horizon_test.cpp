// The sun from a height and behind a skyline, against an independent
// high-precision ephemeris (astro/testdata/horizon_reference.txt, from
// PyEphem; data/tools/make_horizon_reference.py remakes it), and the rules of
// the skyline and of days without a visible rise or set.
#include "astro/horizon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace dawn {
namespace {

using namespace std::chrono;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
    return parts;
}

std::vector<double> MinutesList(const std::string& field) {
    std::vector<double> out;
    if (field == "-") return out;
    for (const std::string& m : Split(field, ' ')) out.push_back(std::stod(m));
    return out;
}

year_month_day DateOf(const std::string& iso) {
    int y = 0;
    unsigned m = 0;
    unsigned d = 0;
    std::sscanf(iso.c_str(), "%d-%u-%u", &y, &m, &d);
    return year{y} / month{m} / d;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

std::vector<std::vector<std::string>> ReferenceRows(const std::string& kind) {
    std::ifstream in(std::string(DAWN_SOURCE_DIR) + "/astro/testdata/horizon_reference.txt");
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f = Split(line, ';');
        if (f[0] == kind) rows.push_back(std::move(f));
    }
    return rows;
}

// The test skyline, read plainly (the program's reader lives in core/).
std::vector<HorizonPoint> JaggedHorizon() {
    std::ifstream in(std::string(DAWN_SOURCE_DIR) + "/astro/testdata/jagged_horizon.txt");
    std::vector<HorizonPoint> points;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        HorizonPoint p{};
        std::istringstream(line) >> p.azimuthDegrees >> p.altitudeDegrees;
        points.push_back(p);
    }
    return points;
}

TEST(HorizonDip, GrowsWithTheRootOfTheHeight) {
    const struct {
        double metres;
        double arcMinutes;
    } kCases[] = {
        {0, 0},
        {100, 17.6},
        {2000, 78.71},
        {-30, 0},  // below the land around: no dip
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.metres);
        EXPECT_NEAR(HorizonDipDegrees(c.metres) * 60.0, c.arcMinutes, 0.01);
    }
}

// The shift of rise and set from a height agrees with the reference's shift
// within a minute, and no height changes the designed events at 0 m.
TEST(SunDayFromHeight, ShiftsAsTheReferenceDoes) {
    const auto rows = ReferenceRows("height");
    ASSERT_GE(rows.size(), 50u);
    std::vector<double> errors;
    for (const auto& f : rows) {
        SCOPED_TRACE(f[1] + " " + f[2] + " " + f[5]);
        const year_month_day date = DateOf(f[1]);
        const Place place{std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4])};
        const double metres = std::stod(f[5]);
        const DayEvents flat = ComputeSunDayFromHeight(date, place, 0.0);
        EXPECT_EQ(flat, ComputeSunDay(date, place));
        const DayEvents high = ComputeSunDayFromHeight(date, place, metres);
        const double theirs[2] = {std::stod(f[8]) - std::stod(f[6]),
                                  std::stod(f[9]) - std::stod(f[7])};
        const double mine[2] = {
            static_cast<double>(high.rise.crossing->count() - flat.rise.crossing->count()),
            static_cast<double>(high.set.crossing->count() - flat.set.crossing->count())};
        EXPECT_LT(mine[0], 0.0);  // earlier rise
        EXPECT_GT(mine[1], 0.0);  // later set
        for (int k = 0; k < 2; ++k) errors.push_back(std::fabs(mine[k] - theirs[k]));
    }
    // Both times are rounded to the minute, which alone may put the shift of
    // whole minutes a minute off the exact one.
    EXPECT_LE(Median(errors), 1.0);
    EXPECT_LE(*std::max_element(errors.begin(), errors.end()), 1.0);
}

TEST(ProfileAltitudeAt, RunsStraightBetweenThePointsAndPastNorth) {
    const std::vector<HorizonPoint> profile = {{10, 2}, {90, 4}, {350, 0}};
    const struct {
        double azimuth;
        double altitude;
    } kCases[] = {
        {10, 2},  {50, 3},    {90, 4}, {220, 2},  // 130 of the 260 degrees to 350
        {350, 0}, {355, 0.5}, {0, 1},  {360, 1}, {5, 1.5}, {-10, 0}, {370, 2},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.azimuth);
        EXPECT_NEAR(ProfileAltitudeAt(profile, c.azimuth), c.altitude, 1e-12);
    }
    const std::vector<HorizonPoint> one = {{123, 3.5}};
    EXPECT_EQ(ProfileAltitudeAt(one, 0), 3.5);
    EXPECT_EQ(ProfileAltitudeAt({}, 77), 0.0);
}

TEST(Refraction, StandardValues) {
    EXPECT_NEAR(RefractionDegrees(0) * 60.0, 34.5, 0.1);
    EXPECT_NEAR(RefractionDegrees(10) * 60.0, 5.3, 0.1);
    EXPECT_NEAR(RefractionDegrees(90), 0.0, 1e-9);
    EXPECT_EQ(RefractionDegrees(-5), RefractionDegrees(-1));
}

// Behind the jagged skyline, every appearance and disappearance of the sun
// over a year at five latitudes is within two minutes of the reference's,
// with as many of each; some days have two (the sun passing behind a peak).
TEST(VisibleSunDay, AgreesWithTheReferenceBehindAJaggedSkyline) {
    const std::vector<HorizonPoint> profile = JaggedHorizon();
    ASSERT_EQ(profile.size(), 21u);
    const auto rows = ReferenceRows("profile");
    ASSERT_GE(rows.size(), 40u);
    std::vector<double> errors;
    int daysWithTwoRises = 0;
    for (const auto& f : rows) {
        SCOPED_TRACE(f[1] + " " + f[2]);
        const Place place{std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4])};
        const VisibleSunDay day = ComputeVisibleSunDay(DateOf(f[1]), place, profile);
        const std::vector<double> rises = MinutesList(f[5]);
        const std::vector<double> sets = MinutesList(f[6]);
        ASSERT_EQ(day.rises.size(), rises.size());
        ASSERT_EQ(day.sets.size(), sets.size());
        for (std::size_t i = 0; i < rises.size(); ++i)
            errors.push_back(std::fabs(day.rises[i].count() - rises[i]));
        for (std::size_t i = 0; i < sets.size(); ++i)
            errors.push_back(std::fabs(day.sets[i].count() - sets[i]));
        ASSERT_FALSE(rises.empty());
        ASSERT_FALSE(sets.empty());
        EXPECT_EQ(day.rise.status, EventStatus::Normal);
        EXPECT_EQ(day.rise.minute, day.rises.front());
        EXPECT_EQ(day.set.minute, day.sets.back());
        EXPECT_TRUE(day.riseAzimuth && day.setAzimuth);
        if (rises.size() > 1) ++daysWithTwoRises;
    }
    EXPECT_GE(daysWithTwoRises, 2);
    EXPECT_LE(Median(errors), 1.0);
    EXPECT_LE(*std::max_element(errors.begin(), errors.end()), 2.0);
}

// A skyline of one altitude all round keeps the statuses of the designed
// day: a flat one gives (within a minute) the designed rise and set, a wall
// higher than the sun ever climbs hides it all day, and the midnight sun
// stays visible.
TEST(VisibleSunDay, StatusesOfWholeDays) {
    const std::vector<HorizonPoint> flat = {{0, 0}};
    const std::vector<HorizonPoint> wall = {{0, 60}};
    const Place berlin{3150, 800, 60};
    const Place svalbard{4680, 940, 60};
    for (sys_days d = sys_days{2024y / 1 / 5}; d < sys_days{2025y / 1 / 1}; d += days{29}) {
        const year_month_day date{d};
        const DayEvents designed = ComputeSunDay(date, berlin);
        const VisibleSunDay seen = ComputeVisibleSunDay(date, berlin, flat);
        EXPECT_LE(std::abs((seen.rise.minute - designed.rise.time).count()), 1);
        EXPECT_LE(std::abs((seen.set.minute - designed.set.time).count()), 1);
        EXPECT_EQ(seen.rises.size(), 1u);
        EXPECT_EQ(seen.sets.size(), 1u);
    }
    const struct {
        year_month_day date;
        const std::vector<HorizonPoint>* profile;
        EventStatus status;
        minutes riseTime;
        minutes setTime;
    } kCases[] = {
        {2024y / 6 / 21, &flat, EventStatus::UpAllDay, 0min, 1439min},
        {2024y / 12 / 21, &flat, EventStatus::DownAllDay, 720min, 720min},
        {2024y / 6 / 21, &wall, EventStatus::DownAllDay, 720min, 720min},
    };
    for (const auto& c : kCases) {
        const VisibleSunDay seen = ComputeVisibleSunDay(c.date, svalbard, *c.profile);
        EXPECT_EQ(seen.rise.status, c.status);
        EXPECT_EQ(seen.set.status, c.status);
        EXPECT_EQ(seen.rise.minute, c.riseTime);
        EXPECT_EQ(seen.set.minute, c.setTime);
        EXPECT_FALSE(seen.rise.crossing || seen.set.crossing || seen.riseAzimuth);
    }
}

}  // namespace
}  // namespace dawn
