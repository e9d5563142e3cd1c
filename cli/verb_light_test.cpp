// light, and events --elevation, which gives each of its bounds.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "astro/astro.h"
#include "cli/testsupport_verbs.h"

namespace dawn::cli {
namespace {

// The time of one line of `events --elevation`.
std::string CrossingAt(const char* elevation, bool rising) {
    const CliRun r = RunCli({"events", "--lat", "3047", "--lon", "328", "--tz", "60", "--from",
                             "2024-06-21", "--to", "2024-06-21", "--elevation", elevation});
    EXPECT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    EXPECT_EQ(lines.size(), 2u);
    const std::string& line = lines.at(rising ? 0 : 1);
    return line.substr(line.find(';', 16) + 1, 5);
}

// Each period runs between the crossings of its bounds that events lists:
// the blue hour from -6 to -4 degrees, the golden hour from -4 to +6.
TEST(LightVerb, PeriodsRunBetweenTheCrossingsOfTheirBounds) {
    const CliRun r = RunCli({"light", "--lat", "3047", "--lon", "328", "--tz", "60", "--from",
                             "2024-06-21", "--to", "2024-06-21"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string blueDawn = CrossingAt("-6", true), goldenDawn = CrossingAt("-4", true);
    const std::string goldenMorningEnd = CrossingAt("6", true);
    const std::string goldenEvening = CrossingAt("6", false), blueDusk = CrossingAt("-4", false);
    const std::string night = CrossingAt("-6", false);
    EXPECT_EQ(Lines(r.out),
              (std::vector<std::string>{
                  "2024-06-21;morning blue hour;" + blueDawn + ";" + goldenDawn,
                  "2024-06-21;morning golden hour;" + goldenDawn + ";" + goldenMorningEnd,
                  "2024-06-21;evening golden hour;" + goldenEvening + ";" + blueDusk,
                  "2024-06-21;evening blue hour;" + blueDusk + ";" + night}));
    EXPECT_EQ(Lines(r.out)[0], "2024-06-21;morning blue hour;03:39;03:57");
}

// Far north at midsummer the sun stays above -4 degrees: no blue hour, the
// morning golden hour has only its end and the evening one only its start.
// With a zone the times are on its clock, summer time applied.
TEST(LightVerb, EmptyWhereTheSunCrossesNoBoundAndOnTheZonesClock) {
    const struct {
        std::vector<std::string> place;
        std::vector<std::string> lines;
    } cases[] = {
        {{"--lat", "4140", "--lon", "1200", "--tz", "60"},
         {"2024-06-21;morning blue hour;;", "2024-06-21;morning golden hour;;02:05",
          "2024-06-21;evening golden hour;21:19;", "2024-06-21;evening blue hour;;"}},
        {{"--lat", "3047", "--lon", "328", "--zone", "Europe/Brussels"},
         {"2024-06-21;morning blue hour;04:39;04:57", "2024-06-21;morning golden hour;04:57;06:18",
          "2024-06-21;evening golden hour;21:02;22:23",
          "2024-06-21;evening blue hour;22:23;22:41"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"light", "--from", "2024-06-21", "--to", "2024-06-21"};
        args.insert(args.end(), c.place.begin(), c.place.end());
        const CliRun r = RunCli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(Lines(r.out), c.lines);
    }
}

TEST(EventsVerb, ElevationIsADegreeFromMinus90To90AloneOfItsKind) {
    const std::vector<std::string> base = {"events",     "--lat", "0",         "--lon",
                                           "0",          "--tz",  "0",         "--from",
                                           "2024-01-01", "--to",  "2024-01-01"};
    for (const std::vector<std::string>& extra : {std::vector<std::string>{"--elevation", "abc"},
                                                  {"--elevation", "90.5"},
                                                  {"--elevation", ""},
                                                  {"--elevation", "6x"},
                                                  {"--elevation", "nan"},
                                                  {"--elevation", "6", "--kind", "civil"},
                                                  {"--elevation", "6", "--moon"}}) {
        std::vector<std::string> args = base;
        args.insert(args.end(), extra.begin(), extra.end());
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, 2) << extra[1];
        EXPECT_TRUE(r.out.empty());
        EXPECT_THAT(r.err, ::testing::HasSubstr("--elevation")) << extra[1];
    }
    std::vector<std::string> args = base;
    args.insert(args.end(), {"--elevation", "-0.833"});
    const CliRun r = RunCli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Lines(r.out).size(), 2u);
}

// A shadow k times an object's height is the sun at atan(1 / k); beyond the
// noon shadow it is atan(1 / (k + cot(noon altitude))), each date by its own
// noon. Ratios 1 and 2 at two latitudes give exactly the lines of
// --elevation at those altitudes.
TEST(EventsVerb, ShadowRatiosAreTheirAltitudes) {
    constexpr double kDegrees = 180.0 / 3.14159265358979323846;
    const struct {
        const char* lat;
        const char* lon;
        const char* tz;
        int latitude, longitude, zone;
    } places[] = {{"3047", "328", "60", 3047, 328, 60}, {"1285", "2389", "180", 1285, 2389, 180}};
    const std::chrono::year_month_day date{std::chrono::year{2024}, std::chrono::month{3},
                                           std::chrono::day{20}};
    for (const auto& p : places) {
        auto events = [&](std::vector<std::string> extra) {
            std::vector<std::string> args = {"events",     "--lat", p.lat,       "--lon",
                                             p.lon,        "--tz",  p.tz,        "--from",
                                             "2024-03-20", "--to",  "2024-03-20"};
            args.insert(args.end(), extra.begin(), extra.end());
            const CliRun r = RunCli(args);
            EXPECT_EQ(r.code, 0) << r.err;
            return r.out;
        };
        const double noon =
            ComputeSunDayEvents(date, Place{p.latitude, p.longitude, p.zone}).noon->altitudeDegrees;
        for (const double k : {1.0, 2.0}) {
            char ratio[16], plain[32], beyond[32];
            std::snprintf(ratio, sizeof ratio, "%g", k);
            std::snprintf(plain, sizeof plain, "%.12f", std::atan(1.0 / k) * kDegrees);
            std::snprintf(beyond, sizeof beyond, "%.12f",
                          std::atan(1.0 / (k + 1.0 / std::tan(noon / kDegrees))) * kDegrees);
            EXPECT_EQ(events({"--shadow", ratio}), events({"--elevation", plain})) << p.lat << k;
            EXPECT_EQ(events({"--shadow", ratio, "--beyond-noon"}), events({"--elevation", beyond}))
                << p.lat << k;
            EXPECT_EQ(Lines(events({"--shadow", ratio, "--beyond-noon"})).size(), 2u);
        }
    }
    // In the polar night there is no noon shadow to count from.
    const CliRun polar =
        RunCli({"events", "--lat", "4680", "--lon", "940", "--tz", "60", "--from", "2024-12-21",
                "--to", "2024-12-21", "--shadow", "1", "--beyond-noon"});
    ASSERT_EQ(polar.code, 0) << polar.err;
    EXPECT_EQ(polar.out, "2024-12-21;Rise;2;12:00;\n2024-12-21;Set;2;12:00;\n");
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--shadow", "0"},
                                                {"--shadow", "-1"},
                                                {"--shadow", "x"},
                                                {"--beyond-noon"},
                                                {"--shadow", "1", "--kind", "civil"},
                                                {"--shadow", "1", "--elevation", "6"}}) {
        std::vector<std::string> args = {"events",     "--lat", "0",         "--lon",
                                         "0",          "--tz",  "0",         "--from",
                                         "2024-01-01", "--to",  "2024-01-01"};
        args.insert(args.end(), bad.begin(), bad.end());
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, 2) << bad[0];
        EXPECT_TRUE(r.out.empty());
    }
}

}  // namespace
}  // namespace dawn::cli
