// The moon and phases verbs: whole ranges byte for byte, the place from the
// options or the settings file, and the agreement of the two verbs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "cli/testsupport_verbs.h"
#include "core/settings.h"
#include "core/testsupport_tempdir.h"

namespace dawn::cli {
namespace {

using ::testing::HasSubstr;

std::string ReadGolden(const std::string& name) {
    std::ifstream in(std::string(DAWN_SOURCE_DIR) + "/cli/testdata/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// January 2000 one hour ahead of UT: its phases fell on the 6th 19:14, 14th
// 14:34, 21st 05:40 and 28th 08:57. The phases of 2024 agree with an
// independent ephemeris to within the minute's rounding.
TEST(MoonVerbs, GoldenRanges) {
    const struct {
        std::vector<std::string> args;
        const char* golden;
    } cases[] = {
        {{"moon", "--lat", "3047", "--lon", "328", "--tz", "60", "--from", "2000-01-01", "--to",
          "2000-01-31"},
         "moon_2000-01.txt"},
        {{"phases", "--tz", "60", "--from", "2024-01-01", "--to", "2024-12-31"}, "phases_2024.txt"},
    };
    for (const auto& c : cases) {
        const std::string expected = ReadGolden(c.golden);
        ASSERT_FALSE(expected.empty()) << c.golden;
        const CliRun r = RunCli(c.args);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, expected) << c.golden;
    }
}

// Every date that `phases` lists a phase on is named after it by `moon`, and
// no other date bears a principal name; also across the blocks `phases`
// works in and far from the present.
TEST(MoonVerbs, BothVerbsAgreeOnThePrincipalDates) {
    const struct {
        const char* tz;
        const char* from;
        const char* to;
    } cases[] = {{"-600", "2023-12-01", "2025-03-01"},
                 {"1439", "1583-01-01", "1583-06-30"},
                 {"0", "9999-07-01", "9999-12-31"}};
    for (const auto& c : cases) {
        const CliRun phases = RunCli({"phases", "--tz", c.tz, "--from", c.from, "--to", c.to});
        const CliRun moon = RunCli({"moon", "--lat", "-2032", "--lon", "9072", "--tz", c.tz,
                                    "--from", c.from, "--to", c.to});
        ASSERT_EQ(phases.code, 0) << phases.err;
        ASSERT_EQ(moon.code, 0) << moon.err;
        std::map<std::string, std::string> listed;  // date -> phase
        std::istringstream phaseLines(phases.out);
        for (std::string line; std::getline(phaseLines, line);)
            listed[line.substr(0, 10)] = line.substr(line.find(';') + 1);
        std::size_t named = 0;
        std::istringstream moonLines(moon.out);
        for (std::string line; std::getline(moonLines, line);) {
            const std::string date = line.substr(0, 10);
            const std::string name = line.substr(11, line.find(';', 11) - 11);
            const bool principal = name == "new" || name == "first quarter" || name == "full" ||
                                   name == "last quarter";
            named += principal;
            if (principal) {
                EXPECT_EQ(listed[date], name) << date;
            }
        }
        EXPECT_EQ(named, listed.size()) << c.from;
        EXPECT_GT(named, 4u) << c.from;
        EXPECT_EQ(listed.begin()->first.substr(0, 7), std::string(c.from).substr(0, 7));
    }
}

// The place from the settings file gives what the same place gives as
// options; a missing file means the default place.
TEST(MoonVerbs, PlaceFromTheSettingsFile) {
    const testing::TempDir dir;
    SiteSettings s = DefaultSettings(dir.str(), 2024);
    s.LatitudeMinutes = -2032;
    s.LongitudeMinutes = 9072;
    s.TimeZoneMinutes = 600;
    ASSERT_TRUE(SaveSettings(s, dir.str()).ok);
    const std::string file = dir.file("Dawncode.txt");
    const std::vector<std::string> range = {"--from", "2024-03-20", "--to", "2024-04-20"};
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.end(), range.begin(), range.end());
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, 0) << r.err;
        return r.out;
    };
    EXPECT_EQ(run({"moon", "--settings", file}),
              run({"moon", "--lat", "-2032", "--lon", "9072", "--tz", "600"}));
    EXPECT_EQ(run({"phases", "--settings", file}), run({"phases", "--tz", "600"}));
    EXPECT_EQ(run({"moon", "--settings", dir.file("none.txt")}),
              run({"moon", "--lat", "3047", "--lon", "328", "--tz", "60"}));
}

// With a time zone in the settings file every date takes the standard
// offset the zone had on it, also within one run across a change of that
// offset: each date's line is the one its own offset gives as --tz. A zone
// that kept its offset gives what --tz gives.
TEST(MoonVerbs, EachDateTakesTheZonesOffsetOfThatDate) {
    const struct {
        const char* zone;
        const char* from;
        const char* to;
        const char* change;  // the first date of the new offset
        int before;
        int after;
    } cases[] = {
        {"Europe/Moscow", "2011-03-01", "2011-04-20", "2011-03-27", 180, 240},
        {"Europe/Moscow", "2014-10-01", "2014-11-20", "2014-10-26", 240, 180},
        {"America/Caracas", "2007-11-20", "2007-12-31", "2007-12-09", -240, -270},
        {"America/Caracas", "2016-04-01", "2016-05-31", "2016-05-01", -270, -240},
        {"Europe/Helsinki", "2024-01-01", "2024-12-31", "2024-07-01", 120, 120},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + c.change);
        const testing::TempDir dir;
        SiteSettings s = DefaultSettings(dir.str(), 2024);
        s.LatitudeMinutes = 3345;
        s.LongitudeMinutes = 2256;
        s.ZoneName = c.zone;
        ASSERT_TRUE(SaveSettings(s, dir.str()).ok);
        const std::vector<std::string> range = {"--from", c.from, "--to", c.to};
        const auto run = [&](std::vector<std::string> args) {
            args.insert(args.end(), range.begin(), range.end());
            const CliRun r = RunCli(args);
            EXPECT_EQ(r.code, 0) << r.err;
            EXPECT_EQ(r.err, "");
            return r.out;
        };
        const std::string file = dir.file("Dawncode.txt");
        std::map<int, std::string> byOffset[2];  // moon, phases
        for (const int tz : {c.before, c.after}) {
            byOffset[0][tz] =
                run({"moon", "--lat", "3345", "--lon", "2256", "--tz", std::to_string(tz)});
            byOffset[1][tz] = run({"phases", "--tz", std::to_string(tz)});
        }
        const std::string zoned[2] = {run({"moon", "--settings", file}),
                                      run({"phases", "--settings", file})};
        for (int verb = 0; verb < 2; ++verb) {
            std::size_t before = 0, after = 0;
            std::istringstream lines(zoned[verb]);
            for (std::string line; std::getline(lines, line);) {
                const bool old = line.substr(0, 10) < c.change;
                (old ? before : after) += 1;
                const std::string& own = byOffset[verb][old ? c.before : c.after];
                EXPECT_NE(own.find(line + "\n"), std::string::npos) << line;
            }
            EXPECT_GT(before, 1u) << verb;
            EXPECT_GT(after, 1u) << verb;
        }
        if (c.before == c.after) {
            EXPECT_EQ(zoned[0], byOffset[0][c.before]);
            EXPECT_EQ(zoned[1], byOffset[1][c.before]);
        }
    }
}

// --place and --zone stand in for the options as in the other verbs, or
// override the settings file: each gives what a settings file with the same
// place and zone gives, Moscow's change of offset in 2011 included.
TEST(MoonVerbs, PlaceAndZoneOptions) {
    const testing::TempDir dir;
    SiteSettings s = DefaultSettings(dir.str(), 2024);
    s.LatitudeMinutes = 3345;
    s.LongitudeMinutes = 3737;
    s.ZoneName = "Europe/Moscow";
    ASSERT_TRUE(SaveSettings(s, dir.str()).ok);
    const std::string file = dir.file("Dawncode.txt");
    const std::vector<std::string> range = {"--from", "2011-03-01", "--to", "2011-04-20"};
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.end(), range.begin(), range.end());
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        return r.out;
    };
    const std::string moon = run({"moon", "--settings", file});
    const std::string phases = run({"phases", "--settings", file});
    EXPECT_EQ(run({"moon", "--lat", "3345", "--lon", "3737", "--zone", "Europe/Moscow"}), moon);
    EXPECT_EQ(run({"phases", "--zone", "Europe/Moscow"}), phases);
    EXPECT_EQ(run({"phases", "--place", "Moscow"}), phases);
    EXPECT_EQ(run({"phases", "--settings", dir.file("none.txt"), "--zone", "Europe/Moscow"}),
              phases);
    // --place brings the city's own coordinates: only the phases' names and
    // dates, which do not depend on the latitude's hemisphere, agree.
    const std::string byPlace = run({"moon", "--place", "Moscow"});
    EXPECT_EQ(byPlace.size(), moon.size());
    EXPECT_NE(run({"moon", "--settings", file, "--zone", "Asia/Tokyo"}), moon);
    // A zone's own place: Lord Howe Island, half an hour off its neighbours.
    EXPECT_EQ(run({"phases", "--place", "Lord Howe"}),
              run({"phases", "--zone", "Australia/Lord_Howe"}));
}

TEST(MoonVerbs, BadArgumentsLeaveStdoutEmpty) {
    const std::vector<std::string> range = {"--from", "2024-01-01", "--to", "2024-01-31"};
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"moon"}, "missing --lat, --lon and --tz (or --settings FILE)"},
        {{"moon", "--lat", "3047", "--tz", "60"}, "missing --lon (or --settings FILE)"},
        {{"moon", "--lat", "3047", "--lon", "328", "--tz", "60", "--settings", "x"},
         "either --settings or --lat, --lon and --tz"},
        {{"moon", "--lat", "5401", "--lon", "328", "--tz", "60"}, "--lat: '5401' is out of range"},
        {{"phases"}, "missing --tz (or --settings FILE)"},
        {{"phases", "--tz", "60", "--settings", "x"}, "either --settings or --tz"},
        {{"phases", "--tz", "1440"}, "--tz: '1440' is out of range"},
        {{"phases", "--tz", "60", "--lat", "3047"}, "unknown option '--lat'"},
        {{"moon", "--place", "Moscow", "--lat", "3047"}, "either --place or --lat and --lon"},
        {{"phases", "--zone", "Europe/Moscow", "--tz", "60"}, "either --tz or --zone and --place"},
        {{"phases", "--zone", "Mars/Olympus"}, "--zone: "},
        {{"moon", "--place", "Xqzwv"}, "--place: no place matches 'Xqzwv'"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), range.begin(), range.end());
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_THAT(r.err, HasSubstr(c.message));
    }
    const CliRun reversed =
        RunCli({"phases", "--tz", "0", "--from", "2024-02-01", "--to", "2024-01-01"});
    EXPECT_EQ(reversed.code, 2);
    EXPECT_THAT(reversed.err, HasSubstr("is after --to"));
}

}  // namespace
}  // namespace dawn::cli
