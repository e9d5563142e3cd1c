#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "cli/testsupport_verbs.h"
#include "core/testsupport_tempdir.h"

namespace dawn::cli {
namespace {

using ::testing::HasSubstr;

TEST(EventsVerb, SunAndMoonLines) {
    const CliRun sun = RunCli({"events", "--lat", "3047", "--lon", "328", "--tz", "60", "--from",
                               "1999-12-31", "--to", "2000-01-01"});
    EXPECT_EQ(sun.code, 0) << sun.err;
    EXPECT_EQ(sun.err, "");
    EXPECT_EQ(sun.out,
              "1999-12-31;Rise;4;08:40;127°06'\n"
              "1999-12-31;Set;4;16:42;232°57'\n"
              "2000-01-01;Rise;4;08:40;126°58'\n"
              "2000-01-01;Set;4;16:43;233°06'\n");

    const CliRun moon = RunCli({"events", "--moon", "--lat=3047", "--lon=328", "--tz=60",
                                "--from=2000-01-13", "--to=2000-01-13"});
    EXPECT_EQ(moon.code, 0) << moon.err;
    EXPECT_EQ(moon.out,
              "2000-01-13;Rise;1;00:00;91°38'\n"
              "2000-01-13;Set;1;23:59;\n");

    const CliRun polar = RunCli({"events", "--lat", "-5400", "--lon", "-10800", "--tz", "-720",
                                 "--from", "2024-06-21", "--to", "2024-06-21"});
    EXPECT_EQ(polar.out, "2024-06-21;Rise;2;12:00;\n2024-06-21;Set;2;12:00;\n");
}

std::string ReadGolden(const std::string& name) {
    std::ifstream in(std::string(DAWN_SOURCE_DIR) + "/cli/testdata/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Whole ranges byte for byte: a month of the moon with a day without a
// moonrise and one without a moonset, and the sun near the polar circle
// going into the midnight sun. The reference days inside them (2000-01-01,
// -13, -27; 2024-05-20) agree with the astronomy's own reference cases.
// Each kind at the equator at an equinox: the dawns and dusks in their
// order around sunrise and sunset, and the sun near the zenith at noon;
// "--kind sun" and "--kind moon" are the plain lists.
TEST(EventsVerb, KindsAtTheEquator) {
    const std::vector<std::string> place = {"--lat", "0",      "--lon",      "0",    "--tz",
                                            "0",     "--from", "2024-03-20", "--to", "2024-03-20"};
    auto run = [&](std::vector<std::string> kind) {
        std::vector<std::string> args = {"events"};
        args.insert(args.end(), kind.begin(), kind.end());
        args.insert(args.end(), place.begin(), place.end());
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, 0) << r.err;
        return r.out;
    };
    EXPECT_EQ(run({"--kind", "sun"}), run({}));
    EXPECT_EQ(run({"--kind", "moon"}), run({"--moon"}));
    EXPECT_EQ(run({"--kind", "civil"}), "2024-03-20;Rise;4;05:43;\n2024-03-20;Set;4;18:31;\n");
    EXPECT_EQ(run({"--kind", "nautical"}), "2024-03-20;Rise;4;05:19;\n2024-03-20;Set;4;18:55;\n");
    EXPECT_EQ(run({"--kind", "astronomical"}),
              "2024-03-20;Rise;4;04:55;\n2024-03-20;Set;4;19:19;\n");
    EXPECT_EQ(run({"--kind", "noon"}), "2024-03-20;Noon;4;12:07;89°51'\n");
}

TEST(EventsVerb, GoldenRanges) {
    const struct {
        std::vector<std::string> args;
        const char* golden;
    } cases[] = {
        {{"events", "--moon", "--lat", "3047", "--lon", "328", "--tz", "60", "--from", "2000-01-01",
          "--to", "2000-01-31"},
         "events_moon_2000-01.txt"},
        {{"events", "--lat", "4140", "--lon", "1200", "--tz", "60", "--from", "2024-05-10", "--to",
          "2024-05-25"},
         "events_sun_69N_2024-05.txt"},
        // Nautical twilight at 59°N into the nights that never get that dark,
        // through a day with a dawn but no dusk.
        {{"events", "--kind", "nautical", "--lat", "3540", "--lon", "1080", "--tz", "60", "--from",
          "2024-05-01", "--to", "2024-05-20"},
         "events_nautical_59N_2024-05.txt"},
        // Solar noon at 78°S in the polar day, across the year's end.
        {{"events", "--kind=noon", "--lat", "-4680", "--lon", "-4200", "--tz", "-180", "--from",
          "2024-12-25", "--to", "2025-01-05"},
         "events_noon_78S_2024-12.txt"},
    };
    for (const auto& c : cases) {
        const std::string expected = ReadGolden(c.golden);
        ASSERT_FALSE(expected.empty()) << c.golden;
        const CliRun r = RunCli(c.args);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, expected) << c.golden;
    }
}

TEST(EventsVerb, WholeRangeOldestFirst) {
    const CliRun r = RunCli({"events", "--lat", "0", "--lon", "0", "--tz", "0", "--from",
                             "2023-12-30", "--to", "2024-03-01"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> dates;
    while (std::getline(lines, line)) dates.push_back(line.substr(0, 10));
    ASSERT_EQ(dates.size(), 2u * 63);
    for (std::size_t i = 0; i + 2 < dates.size(); i += 2) {
        EXPECT_EQ(dates[i], dates[i + 1]);
        EXPECT_LT(dates[i], dates[i + 2]);
    }
    EXPECT_EQ(dates.front(), "2023-12-30");
    EXPECT_EQ(dates[2 * 61], "2024-02-29");
    EXPECT_EQ(dates.back(), "2024-03-01");
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

TEST(EventsVerb, BadArgumentsLeaveStdoutEmpty) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"events", "--lat", "3047", "--lon", "328", "--tz", "60", "--from", "2024-01-02", "--to",
          "2024-01-01"},
         "is after --to"},
        {{"events", "--lat", "5401", "--lon", "328", "--tz", "60", "--from", "2024-01-01", "--to",
          "2024-01-01"},
         "--lat: '5401' is out of range"},
        {{"events", "--lat", "3047", "--lon", "328", "--tz", "60", "--from", "2024-1-1", "--to",
          "2024-01-01"},
         "--from: '2024-1-1' is not a date"},
        {{"events", "--lat", "3047", "--lon", "328", "--tz", "60", "--from", "2024-01-01"},
         "missing --to"},
        {{"events", "--lat", "3047", "--lon", "328", "--tz", "60", "--from", "2024-01-01", "--to",
          "2024-01-01", "--sun"},
         "unknown option '--sun'"},
        {{"events", "--lat", "0", "--lon", "0", "--tz", "0", "--from", "2024-01-01", "--to",
          "2024-01-01", "--kind", "dusk"},
         "--kind: 'dusk' is not a kind"},
        {{"events", "--moon", "--kind", "civil", "--lat", "0", "--lon", "0", "--tz", "0", "--from",
          "2024-01-01", "--to", "2024-01-01"},
         "--moon and --kind civil do not go together"},
        {{"sunrise"}, "unknown verb 'sunrise'"},
    };
    for (const auto& c : cases) {
        const CliRun r = RunCli(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_THAT(r.err, HasSubstr(c.message));
        EXPECT_THAT(r.err, ::testing::StartsWith("dawnhelm-cli: "));
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
}

// --height moves the sun's rise earlier and its set later and leaves the
// other lines alone; --horizon adds the visible rise and set behind the
// skyline (here the sun vanishes behind a ridge at 17:04 and shows again at
// 17:15 before its last set). Without the options the output is the
// designed one.
TEST(EventsVerb, HeightAndHorizon) {
    const std::string jagged = std::string(DAWN_SOURCE_DIR) + "/astro/testdata/jagged_horizon.txt";
    auto run = [](std::vector<std::string> extra) {
        std::vector<std::string> args = {"events",     "--lat", "3000",      "--lon",
                                         "840",        "--tz",  "60",        "--from",
                                         "2024-03-11", "--to",  "2024-03-11"};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    };
    const CliRun plain = run({});
    EXPECT_EQ(plain.out,
              "2024-03-11;Rise;4;06:25;94°28'\n"
              "2024-03-11;Set;4;18:03;265°50'\n");
    const CliRun high = run({"--height", "2000"});
    EXPECT_EQ(high.code, 0) << high.err;
    EXPECT_EQ(high.out,
              "2024-03-11;Rise;4;06:17;92°54'\n"
              "2024-03-11;Set;4;18:11;267°23'\n");
    const CliRun seen = run({"--horizon", jagged});
    EXPECT_EQ(seen.code, 0) << seen.err;
    EXPECT_EQ(seen.err, "");
    EXPECT_EQ(seen.out, plain.out +
                            "2024-03-11;Visible rise;4;07:13;103°35'\n"
                            "2024-03-11;Visible set;4;17:40;261°27'\n");

    // A profile that cannot be read is the flat horizon, with a warning.
    const CliRun missing = run({"--horizon", "/nonexistent/horizon.txt"});
    EXPECT_EQ(missing.code, 0);
    EXPECT_THAT(missing.err, HasSubstr("warning: The horizon profile /nonexistent/horizon.txt "
                                       "was not found; the horizon is taken as flat."));
    EXPECT_THAT(missing.out, HasSubstr("2024-03-11;Visible rise;4;06:25;"));

    // With --event they give the visible sunrise an offset counts from.
    dawn::testing::TempDir dir;
    dir.Write("Dawnevents.txt", "Ridge;offset;0;visible sunrise\n");
    for (const auto& [extra, line] :
         {std::pair{std::vector<std::string>{}, "2024-03-11;Rise;4;06:25;\n"},
          {{"--height", "2000"}, "2024-03-11;Rise;4;06:17;\n"},
          {{"--height", "2000", "--horizon", jagged}, "2024-03-11;Rise;4;07:13;\n"}}) {
        std::vector<std::string> args = {"--event", "Ridge", "--events-file",
                                         dir.file("Dawnevents.txt")};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliRun ridge = run(args);
        EXPECT_EQ(ridge.code, 0) << ridge.err;
        EXPECT_EQ(ridge.out, line);
    }

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--height", "-1"},
                                                {"--height", "10001"},
                                                {"--height", "high"},
                                                {"--height", "100", "--moon"},
                                                {"--horizon", jagged, "--kind", "civil"},
                                                {"--height", "100", "--elevation", "6"}}) {
        const CliRun r = run(bad);
        EXPECT_EQ(r.code, 2) << bad[0] << " " << bad[1];
        EXPECT_EQ(r.out, "");
    }
}

// --event lists one of the user's events with its own sides: both for an
// elevation, one for an offset from sunset; a bad line of the file is a
// warning, an unknown name a failure.
TEST(EventsVerb, OwnEvents) {
    dawn::testing::TempDir dir;
    dir.Write("Dawnevents.txt",
              "Photo;elevation;10;both\n"
              "Before sunset;offset;-30;sunset\n"
              "Broken;elevation;100;both\n");
    const std::string file = dir.file("Dawnevents.txt");
    auto run = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {
            "events", "--lat",      "3047", "--lon",      "328",           "--tz", "60",
            "--from", "2024-06-21", "--to", "2024-06-21", "--events-file", file};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    };
    const CliRun photo = run({"--event", "Photo"});
    EXPECT_EQ(photo.code, 0) << photo.err;
    EXPECT_EQ(photo.out, RunCli({"events", "--lat", "3047", "--lon", "328", "--tz", "60", "--from",
                                 "2024-06-21", "--to", "2024-06-21", "--elevation", "10"})
                             .out);
    EXPECT_THAT(photo.err, HasSubstr("line 3 \"100\" is not an altitude"));
    const CliRun before = run({"--event", "Before sunset"});
    EXPECT_EQ(before.code, 0);
    EXPECT_EQ(before.out, "2024-06-21;Set;4;20:25;\n");  // sunset 20:55 standard time

    const CliRun unknown = run({"--event", "Broken"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_EQ(unknown.out, "");
    EXPECT_THAT(unknown.err, HasSubstr("--event: 'Broken' is not an event of"));
    EXPECT_EQ(run({"--event", "Photo", "--kind", "civil"}).code, 2);
}

TEST(EventsVerb, HelpListsEveryVerb) {
    const CliRun r = RunCli({"--help"});
    EXPECT_EQ(r.code, 0);
    for (const Verb* verb : AllVerbs()) {
        EXPECT_THAT(r.out, HasSubstr("dawnhelm-cli " + std::string(verb->name))) << verb->name;
    }
    EXPECT_THAT(r.out, HasSubstr("--moon"));
    EXPECT_EQ(RunCli({"help", "events"}).out.find("Usage: dawnhelm-cli events [--lat MINUTES]"),
              0u);
}

}  // namespace
}  // namespace dawn::cli
