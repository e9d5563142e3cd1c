// dawnhelm-cli distance: the figures against an independent ephemeris, the
// place's clock, the range and the errors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "cli/testsupport_verbs.h"
#include "core/testsupport_tempdir.h"

namespace dawn::cli {
namespace {

using ::testing::HasSubstr;

constexpr double kPi = 3.14159265358979323846;

CliRun RunDistance(const std::vector<std::string>& more) {
    std::vector<std::string> args = {"distance"};
    args.insert(args.end(), more.begin(), more.end());
    return RunCli(args);
}

// At Velmoren's coordinates.
CliRun Distance(const std::vector<std::string>& more) {
    std::vector<std::string> args = {"--lat", "3047", "--lon", "328"};
    args.insert(args.end(), more.begin(), more.end());
    return RunDistance(args);
}

// The figures of a line after its time.
std::string Figures(const std::string& line) {
    return line.substr(line.find(';'));
}

// PyEphem 4.1.4's geocentric moon (astro/precise/testdata/
// moon_size_reference.txt), its diameter scaled from its lunar radius of
// 1740 km to ours of 1737.4 km: the perigee of 10 March 2024 (07:12 UT), the
// supermoon of 17 October (00:55 UT), the apogee of 2 October (19:48 UT), and
// 00:00 UT of 21 June, 02:00 on the summer clock of Brussels.
TEST(DistanceVerb, AgreesWithAnIndependentEphemerisOnThePlacesClock) {
    const struct {
        std::vector<std::string> args;
        const char* time;
        double km, arcSeconds;
    } cases[] = {
        {{"--tz", "0", "--from", "2024-03-10", "--to", "2024-03-10", "--at", "07:12"},
         "2024-03-10 07:12",
         356895.1,
         2011.25},
        {{"--tz", "0", "--from", "2024-10-17", "--to", "2024-10-17", "--at", "00:55"},
         "2024-10-17 00:55",
         357174.5,
         2009.67},
        {{"--tz", "-300", "--from", "2024-10-02", "--to", "2024-10-02", "--at", "14:48"},
         "2024-10-02 14:48",
         406515.5,
         1765.75},
        {{"--zone", "Europe/Brussels", "--from", "2024-06-21", "--to", "2024-06-21", "--at",
          "02:00"},
         "2024-06-21 02:00",
         384404.5,
         1867.31},
    };
    const std::regex line(R"((\d{4}-\d\d-\d\d \d\d:\d\d);(\d+);(\d+\.\d);(\d+\.\d))");
    const double meanArcMinutes = 2.0 * std::asin(1737.4 / 384400.0) * 10800.0 / kPi;
    for (const auto& c : cases) {
        const CliRun r = Distance(c.args);
        ASSERT_EQ(r.code, 0) << r.err;
        const std::vector<std::string> lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 1u) << r.out;
        const std::string& text = lines[0];
        std::smatch m;
        ASSERT_TRUE(std::regex_match(text, m, line)) << text;
        const double arcMinutes = c.arcSeconds / 60.0 * 1737.4 / 1740.0;
        EXPECT_EQ(m[1], c.time);
        EXPECT_NEAR(std::stod(m[2]), c.km, 20.0) << text;
        EXPECT_NEAR(std::stod(m[3]), arcMinutes, 0.06) << text;
        EXPECT_NEAR(std::stod(m[4]), arcMinutes / meanArcMinutes * 100.0, 0.1) << text;
    }
    // The supermoon is 7.6 % wider than the moon at its mean distance.
    EXPECT_EQ(Figures(Distance(cases[1].args).out), ";357172;33.4;107.6\n");
}

// One line a date, oldest first; an explicit --at is read on the zone's
// clock as position reads it: summer time an hour ahead of standard time,
// the first 02:30 of the night the clocks go back the summer one. --tz keeps
// one offset all year; a missing settings file is the default place, with
// its European summer time.
TEST(DistanceVerb, ReadsTheClockOfThePlace) {
    const CliRun week =
        Distance({"--tz", "0", "--from", "2024-10-14", "--to", "2024-10-20", "--at", "00:00"});
    ASSERT_EQ(week.code, 0) << week.err;
    const std::vector<std::string> lines = Lines(week.out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines.front().substr(0, 17), "2024-10-14 00:00;");
    EXPECT_EQ(lines.back().substr(0, 17), "2024-10-20 00:00;");
    // The default clock time is midnight.
    EXPECT_EQ(Distance({"--tz", "0", "--from", "2024-10-14", "--to", "2024-10-20"}).out, week.out);

    // Without --at each date starts at its first clock reading: Santiago's
    // clocks skip from 24:00 to 01:00 on 8 September 2024 (04:00 UT).
    const CliRun santiago =
        RunDistance({"--lat", "-2007", "--lon", "-4240", "--zone", "America/Santiago", "--from",
                     "2024-09-07", "--to", "2024-09-09"});
    ASSERT_EQ(santiago.code, 0) << santiago.err;
    const std::vector<std::string> days = Lines(santiago.out);
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0].substr(0, 17), "2024-09-07 00:00;");
    EXPECT_EQ(days[1].substr(0, 17), "2024-09-08 01:00;");
    EXPECT_EQ(days[2].substr(0, 17), "2024-09-09 00:00;");
    EXPECT_EQ(Figures(days[1]) + "\n", Figures(Distance({"--tz", "0", "--from", "2024-09-08",
                                                         "--to", "2024-09-08", "--at", "04:00"})
                                                   .out));

    testing::TempDir dir;
    const std::vector<std::string> brussels = {"--lat", "3047",   "--lon",
                                               "328",   "--zone", "Europe/Brussels"};
    const std::vector<std::string> tz60 = {"--lat", "3047", "--lon", "328", "--tz", "60"};
    const std::vector<std::string> settings = {"--settings", dir.file("Dawncode.txt")};
    const struct {
        std::vector<std::string> place;
        const char* date;
        const char* clock;
        const char* utDate;
        const char* ut;
    } cases[] = {
        {brussels, "2024-06-21", "13:00", "2024-06-21", "11:00"},
        {brussels, "2024-01-15", "00:00", "2024-01-14", "23:00"},
        {brussels, "2024-10-27", "02:30", "2024-10-27", "00:30"},
        {brussels, "2024-10-27", "03:30", "2024-10-27", "02:30"},
        {settings, "2024-06-21", "13:00", "2024-06-21", "11:00"},
        {tz60, "2024-06-21", "13:00", "2024-06-21", "12:00"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.place;
        args.insert(args.end(), {"--from", c.date, "--to", c.date, "--at", c.clock});
        const CliRun local = RunDistance(args);
        const CliRun ut =
            Distance({"--tz", "0", "--from", c.utDate, "--to", c.utDate, "--at", c.ut});
        ASSERT_EQ(local.code, 0) << local.err;
        EXPECT_EQ(local.out.substr(0, 17), std::string(c.date) + " " + c.clock + ";");
        EXPECT_EQ(Figures(local.out), Figures(ut.out)) << c.date << " " << c.clock;
    }
}

TEST(DistanceVerb, UsageErrorsLeaveTheOutputEmpty) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--tz", "0", "--from", "2024-01-01", "--to", "2024-01-02", "--at", "24:00"}, "--at:"},
        {{"--tz", "0", "--from", "2024-01-01", "--to", "2024-01-02", "--at", "7:00"}, "--at:"},
        {{"--tz", "0", "--from", "2024-01-01", "--to", "2024-01-02", "--at", "07:60"}, "--at:"},
        {{"--tz", "0", "--from", "2024-01-01", "--to", "2024-01-02", "--at", ""}, "--at:"},
        {{"--tz", "0", "--from", "2024-12-31", "--to", "2024-01-01"}, "--to"},
        {{"--tz", "0", "--from", "1582-12-31", "--to", "1583-01-01"}, "--from"},
        {{"--from", "2024-01-01", "--to", "2024-01-02"}, "--tz"},
        {{"--tz", "0", "--zone", "Europe/Brussels", "--from", "2024-01-01", "--to", "2024-01-02"},
         "give either --tz or --zone"},
        {{"--tz", "0", "--settings", "Dawncode.txt", "--from", "2024-01-01", "--to", "2024-01-02"},
         "give either --settings or --lat"},
        // The clocks of Brussels skip 02:30 on 31 March: nothing is written
        // for the dates before it either.
        {{"--zone", "Europe/Brussels", "--from", "2024-03-30", "--to", "2024-04-01", "--at",
          "02:30"},
         "--at: 02:30 is not on the clock on 2024-03-31 (summer time skips it)"},
    };
    for (const auto& c : cases) {
        const CliRun r = Distance(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_THAT(r.err, HasSubstr(c.message));
    }
}

}  // namespace
}  // namespace dawn::cli
