// The day and table verbs: the record and the table of the program's own
// settings file, and their agreement with the day computation.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "cli/testsupport_verbs.h"
#include "core/dayephemeris.h"
#include "core/settings.h"
#include "core/testsupport_tempdir.h"
#include "core/textfile.h"
#include "present/texts.h"

namespace dawn::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// A settings file of the southern hemisphere (33°52' S, 151°12' E, UTC+10,
// summer time from the first Sunday of October to the first Sunday of April).
std::string WriteSouthernSettings(const testing::TempDir& dir) {
    SiteSettings s = DefaultSettings(dir.str(), 2024);
    s.LatitudeMinutes = -2032;
    s.LongitudeMinutes = 9072;
    s.TimeZoneMinutes = 600;
    s.SummerRule = 900;
    s.WinterRule = 300;
    EXPECT_TRUE(SaveSettings(s, dir.str()).ok);
    return dir.file("Dawncode.txt");
}

std::string TableLine(const BodyDay& b) {
    const EventValues& rise = b[EventKind::Rise];
    const EventValues& set = b[EventKind::Set];
    auto clock = [](const EventValues& e) {
        return e.CrossingClock ? FormatClock(*e.CrossingClock, ":") : std::string();
    };
    return FormatIsoDate(b.Date) + ";" + clock(rise) + ";" + clock(set) + ";" +
           FormatAzimuth(rise.Azimuth) + ";" + FormatAzimuth(set.Azimuth) + "\n";
}

std::string PlainTable(const SiteSettings& s, DayNumber from, DayNumber to, Body body) {
    std::string text;
    for (DayNumber d = from; d <= to; ++d) text += TableLine(BodyDayOf(ComputeDay(s, d), body));
    return text;
}

// --height and --horizon add the sun as it is seen after the record, on the
// local clock (summer time at the default place in June: an hour after the
// standard times `events` lists), and leave the record as it is.
TEST(DayVerb, HeightAndHorizonFollowTheRecord) {
    const std::string jagged = std::string(DAWN_SOURCE_DIR) + "/astro/testdata/jagged_horizon.txt";
    const std::vector<std::string> day = {"day", "--settings", "/nonexistent/Dawncode.txt",
                                          "--date", "2024-06-21"};
    std::vector<std::string> args = day;
    args.insert(args.end(), {"--height", "100", "--horizon", jagged});
    const CliRun plain = RunCli(day);
    const CliRun seen = RunCli(args);
    ASSERT_EQ(seen.code, 0) << seen.err;
    EXPECT_EQ(seen.out, plain.out +
                            "HeightSunRiseStatus=4\nHeightSunRiseTime=05:22\n"
                            "HeightSunSetStatus=4\nHeightSunSetTime=21:58\n"
                            "VisibleSunRiseStatus=4\nVisibleSunRiseTime=05:42\n"
                            "VisibleSunSetStatus=4\nVisibleSunSetTime=21:07\n");
    const CliRun events =
        RunCli({"events", "--lat", "3047", "--lon", "328", "--tz", "60", "--from", "2024-06-21",
                "--to", "2024-06-21", "--height", "100", "--horizon", jagged});
    EXPECT_EQ(events.out,
              "2024-06-21;Rise;4;04:22;49°13'\n2024-06-21;Set;4;20:58;310°46'\n"
              "2024-06-21;Visible rise;4;04:42;53°06'\n2024-06-21;Visible set;4;20:07;301°02'\n");
    args = day;
    args.insert(args.end(), {"--height", "-5"});
    EXPECT_EQ(RunCli(args).code, 2);
}

// table --height: the same dates with the sun rising earlier and setting
// later (from 2,000 m by 6 to 11 minutes at Velmoren); --horizon adds the
// visible rise and set, which the jagged skyline holds back.
TEST(TableVerb, HeightAndHorizon) {
    const std::string jagged = std::string(DAWN_SOURCE_DIR) + "/astro/testdata/jagged_horizon.txt";
    const std::vector<std::string> table = {"table",     "--settings", "/nonexistent/Dawncode.txt",
                                            "--from",    "2024-03-01", "--to",
                                            "2024-12-31"};
    auto lines = [](const std::string& text) {
        std::vector<std::vector<std::string>> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string> fields;
            std::istringstream f(line);
            for (std::string field; std::getline(f, field, ';');) fields.push_back(field);
            out.push_back(std::move(fields));
        }
        return out;
    };
    std::vector<std::string> args = table;
    args.insert(args.end(), {"--height", "2000"});
    const CliRun plain = RunCli(table);
    const CliRun high = RunCli(args);
    ASSERT_EQ(high.code, 0) << high.err;
    const auto low = lines(plain.out), up = lines(high.out);
    ASSERT_EQ(up.size(), low.size());
    auto minutesOf = [](const std::string& hhmm) {
        return std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(3, 2));
    };
    for (std::size_t i = 0; i < up.size(); ++i) {
        ASSERT_EQ(up[i].size(), 5u) << high.out;
        EXPECT_EQ(up[i][0], low[i][0]);
        const int earlier = minutesOf(low[i][1]) - minutesOf(up[i][1]);
        const int later = minutesOf(up[i][2]) - minutesOf(low[i][2]);
        EXPECT_TRUE(earlier >= 6 && earlier <= 11) << up[i][0] << " " << earlier;
        EXPECT_TRUE(later >= 6 && later <= 11) << up[i][0] << " " << later;
    }

    args.insert(args.end(), {"--horizon", jagged});
    const CliRun seen = RunCli(args);
    ASSERT_EQ(seen.code, 0) << seen.err;
    const auto both = lines(seen.out);
    ASSERT_EQ(both.size(), up.size());
    for (std::size_t i = 0; i < both.size(); ++i) {
        ASSERT_EQ(both[i].size(), 7u);
        EXPECT_TRUE(std::equal(up[i].begin(), up[i].end(), both[i].begin()));
        EXPECT_GT(minutesOf(both[i][5]), minutesOf(up[i][1])) << both[i][0];
        EXPECT_LT(minutesOf(both[i][6]), minutesOf(up[i][2])) << both[i][0];
    }
    // Midsummer as the day verb gives it from 100 m and behind the skyline.
    const CliRun midsummer =
        RunCli({"table", "--settings", "/nonexistent/Dawncode.txt", "--from", "2024-06-21", "--to",
                "2024-06-21", "--height", "100", "--horizon", jagged});
    EXPECT_THAT(midsummer.out, StartsWith("2024-06-21;05:22;21:58;"));
    EXPECT_THAT(midsummer.out, ::testing::EndsWith(";05:42;21:07\n"));
}

TEST(DayVerb, PrintsTheRecordFieldByField) {
    const CliRun r =
        RunCli({"day", "--settings", "/nonexistent/Dawncode.txt", "--date", "2024-03-31"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<std::string> names;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);)
        names.push_back(line.substr(0, line.find('=')));
    const std::vector<std::string> expected = {"Date",
                                               "PrevDate",
                                               "SunRiseStatus",
                                               "SunSetStatus",
                                               "SunRiseText",
                                               "SunSetText",
                                               "SunRiseTime",
                                               "SunSetTime",
                                               "SunRiseClock",
                                               "SunSetClock",
                                               "SunRiseAzimuth",
                                               "SunSetAzimuth",
                                               "DayLength",
                                               "MoonRiseStatus",
                                               "MoonSetStatus",
                                               "MoonRiseText",
                                               "MoonSetText",
                                               "MoonRiseTime",
                                               "MoonSetTime",
                                               "MoonRiseClock",
                                               "MoonSetClock",
                                               "MoonRiseAzimuth",
                                               "MoonSetAzimuth",
                                               "MoonLightLength",
                                               "PrevSunRiseStatus",
                                               "PrevSunSetStatus",
                                               "PrevMoonRiseStatus",
                                               "PrevMoonSetStatus",
                                               "PrevSunRiseText",
                                               "PrevSunSetText",
                                               "PrevMoonRiseText",
                                               "PrevMoonSetText",
                                               "PrevSunRiseTime",
                                               "PrevSunSetTime",
                                               "PrevMoonRiseTime",
                                               "PrevMoonSetTime",
                                               "PrevDayLength",
                                               "PrevMoonLightLength",
                                               "SunRiseDelta",
                                               "SunSetDelta",
                                               "MoonRiseDelta",
                                               "MoonSetDelta",
                                               "DayLengthDelta",
                                               "MoonLightDelta",
                                               "JulianDay",
                                               "SummerStart",
                                               "WinterStart",
                                               "SunRiseCrossing",
                                               "SunSetCrossing",
                                               "MoonRiseCrossing",
                                               "MoonSetCrossing"};
    // The record's own fields come first; the sky's values follow.
    ASSERT_GE(names.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + expected.size()), expected);
    std::vector<std::string> sky;
    for (const char* twilight : {"Civil", "Nautical", "Astronomical"})
        for (const char* event : {"Dawn", "Dusk"})
            for (const char* field : {"Status", "Text", "Time"})
                sky.push_back(std::string(twilight) + event + field);
    for (const char* name : {"SolarNoonText", "SolarNoonTime", "SolarNoonAltitude", "MoonPhase",
                             "MoonIlluminated", "MoonAge", "MoonLitSide"})
        sky.push_back(name);
    EXPECT_EQ(std::vector<std::string>(names.begin() + expected.size(), names.end()), sky);
    // The first day of summer time at the default place.
    for (const char* line :
         {"Date=2024-03-31\n", "SunRiseText=06:15\n", "SunRiseClock=07:15\n",
          "PrevSunRiseTime=06:18\n", "SunRiseDelta=00:57\n", "DayLength=12:55\n",
          "JulianDay=2460400.5\n", "SummerStart=2024-03-31\n", "WinterStart=2024-10-27\n",
          // The sky's times move with summer time as the record's do.
          "CivilDawnText=05:42\n", "CivilDawnTime=06:42\n", "SolarNoonText=12:42\n",
          "SolarNoonTime=13:42\n", "SolarNoonAltitude=43°40'\n", "MoonPhase=waning gibbous\n",
          "MoonLitSide=left\n"}) {
        EXPECT_THAT(r.out, HasSubstr(line));
    }
    // A moon that rises and does not set, in summer time: the record keeps the
    // status's placeholder, the crossing gives the moonrise that happened.
    // Its set at 23:13 standard time falls on the next date's clock.
    const CliRun noSet =
        RunCli({"day", "--settings", "/nonexistent/Dawncode.txt", "--date", "2027-07-09"});
    ASSERT_EQ(noSet.code, 0) << noSet.err;
    EXPECT_THAT(noSet.out, HasSubstr("MoonRiseStatus=1\n"));
    EXPECT_THAT(noSet.out, HasSubstr("MoonRiseClock=01:00\n"));
    EXPECT_THAT(noSet.out, HasSubstr("\nMoonRiseCrossing=12:44\nMoonSetCrossing=\n"));
}

TEST(DayVerb, ReadsTheSettingsFileAndWarnsAboutBadLines) {
    testing::TempDir dir;
    const std::string path = WriteSouthernSettings(dir);
    const CliRun r = RunCli({"day", "--settings", path, "--date", "2025-01-15"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("SummerStart=2024-10-06\nWinterStart=2025-04-06\n"));

    std::vector<std::string> lines = ReadTextFile(path).lines;
    lines[13] = "south";
    ASSERT_TRUE(WriteTextFileAtomic(path, lines).ok());
    // The reader's warning goes to standard error (RunCli collects it in err).
    const CliRun bad = RunCli({"day", "--settings", path, "--date", "2025-01-15"});
    EXPECT_EQ(bad.code, 0);
    EXPECT_THAT(bad.err, HasSubstr("line 14: 'south' is not a valid integer value"));
    // The latitude falls back to the default place in the north; the rules'
    // months, not the latitude, make summer time span the turn of the year.
    EXPECT_THAT(bad.out, HasSubstr("SummerStart=2024-10-06\nWinterStart=2025-04-06\n"));
}

TEST(TableVerb, MatchesTheDayRecords) {
    testing::TempDir dir;
    const std::string south = WriteSouthernSettings(dir);
    const SiteSettings southSettings = LoadSettingsFile(south, 2024).settings;
    const SiteSettings velmoren = DefaultSettings("/nonexistent", 2024);
    struct Case {
        std::string settingsFile;
        const SiteSettings& settings;
        std::string from, to;
        bool moon;
    };
    const Case cases[] = {
        {"/nonexistent/Dawncode.txt", velmoren, "2024-03-25", "2024-04-05", false},
        {"/nonexistent/Dawncode.txt", velmoren, "2024-10-20", "2024-11-10", true},
        {south, southSettings, "2024-09-25", "2024-10-15", false},
        {south, southSettings, "2025-03-25", "2025-04-15", true},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"table", "--settings", c.settingsFile, "--from", c.from,
                                         "--to",  c.to};
        if (c.moon) args.push_back("--moon");
        const CliRun r = RunCli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, PlainTable(c.settings, *ParseIsoDate(c.from), *ParseIsoDate(c.to),
                                    c.moon ? Body::Moon : Body::Sun))
            << c.from << " moon " << c.moon;
    }
}

// Golden months made by bench/table_interpreted.py, an independent
// interpreted version of the same method: March 2024 (summer time starts on
// the 31st) for the sun, October 2024 (it ends on the 27th) and July 2027 for
// the moon. Both moon months hold a day without a moonset and one without a
// moonrise inside summer time: the event that happened keeps its clock time,
// the other is empty.
TEST(TableVerb, GoldenMonths) {
    struct Case {
        const char* file;
        const char* from;
        const char* to;
        bool moon;
    };
    const Case cases[] = {
        {"table_velmoren_2024-03_sun.txt", "2024-03-01", "2024-03-31", false},
        {"table_velmoren_2024-10_moon.txt", "2024-10-01", "2024-10-31", true},
        {"table_velmoren_2027-07_moon.txt", "2027-07-01", "2027-07-31", true},
    };
    for (const auto& c : cases) {
        std::ifstream in(std::string(DAWN_SOURCE_DIR) + "/cli/testdata/" + c.file,
                         std::ios::binary);
        ASSERT_TRUE(in) << c.file;
        const std::string golden((std::istreambuf_iterator<char>(in)), {});
        std::vector<std::string> args = {
            "table", "--settings", "/nonexistent/Dawncode.txt", "--from", c.from, "--to", c.to};
        if (c.moon) args.push_back("--moon");
        const CliRun r = RunCli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, golden) << c.file;
    }
}

// The export file of the same moon month, in the C locale: its data lines
// are the table's, with the locale's date.
TEST(ExportVerb, GoldenMonth) {
    std::ifstream in(
        std::string(DAWN_SOURCE_DIR) + "/cli/testdata/export_velmoren_2027-07_moon.txt",
        std::ios::binary);
    ASSERT_TRUE(in);
    const std::string golden((std::istreambuf_iterator<char>(in)), {});
    const char* was = std::getenv("LC_ALL");
    const std::string saved = was ? was : "";
    ::setenv("LC_ALL", "C", 1);
    const CliRun r = RunCli({"export", "--settings", "/nonexistent/Dawncode.txt", "--from",
                             "2027-07-01", "--to", "2027-07-31", "--moon"});
    if (was) {
        ::setenv("LC_ALL", saved.c_str(), 1);
    } else {
        ::unsetenv("LC_ALL");
    }
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, golden);
    EXPECT_THAT(r.out, HasSubstr(";12:44;;95\xC2\xB0"
                                 "58';\r\n"));
}

// --light on export and ics takes the height and the skyline of the
// settings file and the events file beside it, as the export dialog does;
// a bad line of the events file is a warning, the rest is written. A
// relative profile path is read beside the settings file, whatever the
// current folder. The options replace what the settings hold (a height of 0
// is the plain sunrise).
TEST(ExportVerb, LightFromTheSettingsFolder) {
    testing::TempDir dir;
    SiteSettings s = DefaultSettings(dir.str(), 2024);
    s.ObserverHeightMetres = 100;
    s.HorizonProfilePath = "ridge.txt";
    ASSERT_TRUE(SaveSettings(s, dir.str()).ok);
    std::filesystem::copy_file(std::string(DAWN_SOURCE_DIR) + "/astro/testdata/jagged_horizon.txt",
                               dir.file("ridge.txt"));
    dir.Write("Dawnevents.txt", "Photo;elevation;10;setting\nBroken;elevation;100;both\n");
    const std::vector<std::string> range = {
        "--settings", dir.file("Dawncode.txt"), "--from", "2024-06-21", "--to", "2024-06-21",
        "--light"};
    std::vector<std::string> args = {"export"};
    args.insert(args.end(), range.begin(), range.end());
    const CliRun exported = RunCli(args);
    ASSERT_EQ(exported.code, 0) << exported.err;
    EXPECT_THAT(exported.err, HasSubstr("Dawnevents.txt, line 2"));
    EXPECT_THAT(exported.err, Not(HasSubstr("ridge.txt")));
    const std::vector<std::string> lines = Lines(exported.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_THAT(lines[3],
                ::testing::EndsWith(";Sun Rise From Height;Sun Set From Height;Visible Sun Rise;"
                                    "Visible Sun Set;Photo Setting\r"));
    EXPECT_THAT(lines[4], HasSubstr(";05:22;21:58;05:42;21:07;"));

    args = {"ics"};
    args.insert(args.end(), range.begin(), range.end());
    args.insert(args.end(), {"--height", "0", "--events-file", dir.file("none.txt")});
    const CliRun ics = RunCli(args);
    ASSERT_EQ(ics.code, 0) << ics.err;
    EXPECT_THAT(ics.out, HasSubstr("UID:20240621-visiblesunrise-3047N-328E@dawnhelm\r\n"));
    EXPECT_THAT(ics.out, HasSubstr("SUMMARY:Sunrise from height 05:25 ("));
    EXPECT_THAT(ics.out, Not(HasSubstr("ownsetting")));
}

// A range of several blocks, computed two at a time, still comes out whole
// and in date order (the single-threaded range routine is checked against the
// day records in the core tests).
TEST(TableVerb, LongRangesStayInOrder) {
    const SiteSettings velmoren = DefaultSettings("/nonexistent", 2024);
    const DayNumber from = DayNumber::FromYmd(1990, 1, 1), to = DayNumber::FromYmd(2060, 12, 31);
    std::string expected;
    ForEachBodyDay(velmoren, Body::Sun, from, to, [&](const BodyDay& b) {
        expected += TableLine(b);
        return true;
    });
    const CliRun r = RunCli(
        {"table", "--settings", "/nonexistent/x", "--from", "1990-01-01", "--to", "2060-12-31"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, expected);
}

// The view verb prints the main window's day view: one Name=value line per
// text (the texts themselves are tested with the day view).
TEST(ViewVerb, PrintsEveryTextOfTheMainWindowOnce) {
    const CliRun r = RunCli(
        {"view", "--settings", "/nonexistent/Dawncode.txt", "--date", "2024-03-31", "--lang", "3"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<std::string> names;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        ASSERT_NE(line.find('='), std::string::npos) << line;
        names.push_back(line.substr(0, line.find('=')));
    }
    // The designed texts end with the tray's hint; the twilight panel and the
    // phase follow.
    EXPECT_EQ(names.size(), 93u);
    ASSERT_GE(names.size(), 70u);
    EXPECT_EQ(names[69], "TrayHint");
    EXPECT_EQ(names[70], "PnTwilight.hint");
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_THAT(r.out, StartsWith("lbWeek=Woche\n"));
    EXPECT_THAT(r.out, HasSubstr("\nlbZomerduur=210\n"));
    EXPECT_THAT(r.out, HasSubstr("\nlbStartZomerUur.colour=black\n"));
    // A line break inside a text stays on its line.
    EXPECT_THAT(r.out, HasSubstr("\nlbSunSetSymbol.hint=Deutsch\\ndouble clic to translator\n"));
    EXPECT_THAT(r.out, HasSubstr("\nlbSolarNoonHour=13:42\nlbSolarNoonAltitude=43°40'\n"));
    EXPECT_THAT(r.out, HasSubstr("\nlbMoonPhase=Abnehmender Mond\n"));
}

TEST(DayVerbs, BadArgumentsGiveOneLineAndExitCode2) {
    const std::vector<std::vector<std::string>> cases = {
        {"day", "--date", "2024-01-01"},
        {"day", "--settings", "x", "--date", "2024-02-30"},
        {"day", "--settings", "", "--date", "2024-01-01"},
        {"table", "--settings", "x", "--from", "2024-01-02", "--to", "2024-01-01"},
        {"table", "--settings", "x", "--from", "2024-01-01"},
        {"table", "--settings", "x", "--from", "2024-01-01", "--to", "2024-01-02", "--sun"},
        {"view", "--settings", "x", "--date", "2024-03-31", "--lang", "7"},
        {"view", "--settings", "x", "--date", "1899-12-31"},
        {"view", "--date", "2024-03-31"},
        {"table", "--settings", "x", "--from", "2024-01-01", "--to", "2024-01-02", "--moon",
         "--height", "10"},
        {"table", "--settings", "x", "--from", "2024-01-01", "--to", "2024-01-02", "--height",
         "high"},
        {"export", "--settings", "x", "--from", "2024-01-01", "--to", "2024-01-02", "--height",
         "10"},
        {"export", "--settings", "x", "--from", "2024-01-01", "--to", "2024-01-02", "--events-file",
         "e.txt"},
        {"export", "--settings", "x", "--from", "2024-01-01", "--to", "2024-01-02", "--light",
         "--events-file", ""},
    };
    for (const auto& args : cases) {
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, 2) << args[1];
        EXPECT_EQ(r.out, "");
        EXPECT_THAT(r.err, StartsWith("dawnhelm-cli: "));
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

}  // namespace
}  // namespace dawn::cli
