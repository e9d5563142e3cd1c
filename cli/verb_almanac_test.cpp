// dawnhelm-cli almanac: the lines, the place's clocks, the range and --kind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/testsupport_verbs.h"

namespace dawn::cli {
namespace {

using ::testing::HasSubstr;

const std::vector<std::string> kDallas = {"almanac", "--lat", "1967", "--lon", "-5808"};

CliRun Almanac(std::vector<std::string> more) {
    std::vector<std::string> args = kDallas;
    args.insert(args.end(), more.begin(), more.end());
    return RunCli(args);
}

// Spring 2024 in Dallas in its own clocks: summer time from 10 March, the
// total eclipse of 8 April (C1 17:23, maximum 18:42:37, C4 20:02:37 UT), the
// penumbral lunar eclipse whose greatest falls after midnight of the 25th
// (07:12 UT) and the perigee of 10 March just before the clocks go forward.
TEST(AlmanacVerb, ASpringInDallasInItsOwnClocks) {
    const CliRun r =
        Almanac({"--zone", "America/Chicago", "--from", "2024-03-01", "--to", "2024-04-30"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Lines(r.out),
              (std::vector<std::string>{
                  "2024-03-10 01:03;perigee;356894",
                  "2024-03-10 02:00;summer time starts",
                  "2024-03-19 22:06;march equinox",
                  "2024-03-23 10:43;apogee;406295",
                  "2024-03-25 02:13;lunar eclipse;penumbral;0.960;23:53;;;;;04:33",
                  "2024-04-07 12:50;perigee;358851",
                  "2024-04-08 13:43;solar eclipse;total;1.015;100.0;12:23;13:41;13:45;15:03;64°37'",
                  "2024-04-19 21:09;apogee;405623",
                  "2024-04-22 02:23;meteor shower;Lyrids;18;97",
              }));
}

// An event belongs to the date of its clock time: the equinox of 03:06 UT on
// 20 March is on the 19th four hours behind UT.
TEST(AlmanacVerb, TheRangeIsOfTheClocksDates) {
    struct Case {
        const char* tz;
        const char* date;
        std::vector<std::string> lines;
    } cases[] = {
        {"0", "2024-03-20", {"2024-03-20 03:06;march equinox"}},
        {"-240", "2024-03-20", {}},
        {"-240", "2024-03-19", {"2024-03-19 23:06;march equinox"}},
        {"600", "2024-03-20", {"2024-03-20 13:06;march equinox"}},
    };
    for (const Case& c : cases) {
        const CliRun r =
            Almanac({"--tz", c.tz, "--from", c.date, "--to", c.date, "--kind", "season"});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(Lines(r.out), c.lines) << c.tz << " " << c.date;
    }
}

// Every kind of a year, oldest first; --kind picks; the supermoons of 2024;
// with --tz there is no summer time.
TEST(AlmanacVerb, KindsOfAYear) {
    const CliRun all = Almanac({"--tz", "0", "--from", "2024-01-01", "--to", "2024-12-31"});
    ASSERT_EQ(all.code, 0) << all.err;
    const auto lines = Lines(all.out);
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
    int seasons = 0, apsides = 0, supermoons = 0, lunar = 0, solar = 0, showers = 0, other = 0;
    for (const std::string& l : lines) {
        const std::string what = l.substr(17);
        if (what.find("equinox") != std::string::npos || what.find("solstice") != std::string::npos)
            ++seasons;
        else if (what.rfind("perigee;", 0) == 0 || what.rfind("apogee;", 0) == 0)
            ++apsides, supermoons += what.find(";supermoon") != std::string::npos;
        else if (what.rfind("lunar eclipse;", 0) == 0)
            ++lunar;
        else if (what.rfind("solar eclipse;", 0) == 0)
            ++solar;
        else if (what.rfind("meteor shower;", 0) == 0)
            ++showers;
        else
            ++other;
    }
    EXPECT_EQ(seasons, 4);
    EXPECT_EQ(apsides, 27);  // 13 perigees and 14 apogees (1 January and 24 December)
    EXPECT_EQ(supermoons, 2);
    EXPECT_EQ(lunar, 2);
    EXPECT_EQ(solar, 1);
    EXPECT_EQ(showers, 9);
    EXPECT_EQ(other, 0);

    const CliRun some = Almanac({"--tz", "0", "--from", "2024-01-01", "--to", "2024-12-31",
                                 "--kind", "lunar-eclipse,season"});
    ASSERT_EQ(some.code, 0) << some.err;
    EXPECT_EQ(Lines(some.out).size(), 6u);
    EXPECT_THAT(
        some.out,
        HasSubstr("2024-09-18 02:44;lunar eclipse;partial;0.089;00:41;02:12;;;03:16;04:48\n"));
}

TEST(AlmanacVerb, UsageErrorsLeaveTheOutputEmpty) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--tz", "0", "--from", "2024-01-01", "--to", "2024-12-31", "--kind", "eclipse"},
         "--kind: 'eclipse' is not a kind"},
        {{"--tz", "0", "--from", "2024-01-01", "--to", "2024-12-31", "--kind", "season,"},
         "--kind: '' is not a kind"},
        {{"--tz", "0", "--from", "2024-12-31", "--to", "2024-01-01"}, "--to"},
        {{"--from", "2024-01-01", "--to", "2024-12-31"}, "--tz"},
        {{"--tz", "0", "--zone", "Europe/Helsinki", "--from", "2024-01-01", "--to", "2024-12-31"},
         "give either --tz or --zone"},
    };
    for (const Case& c : cases) {
        const CliRun r = Almanac(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_THAT(r.err, HasSubstr(c.message));
    }
}

}  // namespace
}  // namespace dawn::cli
