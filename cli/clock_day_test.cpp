// Every verb that shows clock times shows the user's clock day: each event
// on the date the place's clock shows it on, read with the offset in force
// at its instant, also on the nights the clocks change.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/testsupport_verbs.h"
#include "core/testsupport_tempdir.h"
#include "core/textfile.h"

namespace dawn::cli {
namespace {

using ::testing::HasSubstr;

// A settings file of a place by its coordinates and zone, with civil dawn
// three hours early and civil dusk three hours late as alarms.
std::string WriteSettings(const testing::TempDir& dir, const std::string& name, int latitude,
                          int longitude, int standardOffset, const std::string& zone) {
    std::vector<std::string> lines = {"4",  "204", "903", "0", "1", "",     "",  "1",   "",  "1",
                                      "",   "1",   "",    "",  "",  "1",    "1", "1",   "1", zone,
                                      name, "0",   "3",   "0", "3", "-180", "0", "180", "0"};
    lines[12] = std::to_string(longitude);
    lines[13] = std::to_string(latitude);
    lines[14] = std::to_string(standardOffset);
    const std::string path = dir.file(name + ".txt");
    EXPECT_TRUE(WriteTextFileAtomic(path, lines).ok());
    return path;
}

CliRun Table(const std::vector<std::string>& place, const std::string& from,
             const std::string& to) {
    std::vector<std::string> args = {"table", "--moon", "--from", from, "--to", to};
    args.insert(args.end(), place.begin(), place.end());
    return RunCli(args);
}

// The moon around midnight in summer, and on the nights the clocks change
// (Brussels forward on 29 March and back on 25 October 2026, Sydney and Lord
// Howe Island, half an hour, forward on 4 October). Lines of `table --moon`.
TEST(ClockDay, MoonTimesFallOnTheDateOfTheirClock) {
    testing::TempDir dir;
    const std::vector<std::string> brussels = {"--place", "Brussels"};
    const std::vector<std::string> sydney = {"--place", "Sydney"};
    const std::vector<std::string> lordHowe = {
        "--settings",
        WriteSettings(dir, "lordhowe", -(31 * 60 + 33), 159 * 60 + 5, 630, "Australia/Lord_Howe")};
    const struct {
        const char* what;
        const std::vector<std::string>& place;
        const char* line;
    } cases[] = {
        // 23:15 standard time on 1 June is 00:15 of the 2nd on the clock,
        // which is the 1st's; the 2nd has no moonrise.
        {"a date without a moonrise", brussels, "2026-06-02;;06:24;;222°06'"},
        {"a moonrise just after midnight", brussels, "2026-07-05;00:09;11:22;102°41';261°38'"},
        {"the day before it has none", brussels, "2026-07-04;;10:07;;252°00'"},
        {"a moonset at 01:03", brussels, "2026-06-20;12:05;01:03;79°35';284°57'"},
        {"forward at 02:00", brussels, "2026-03-29;16:05;06:14;68°32';295°18'"},
        {"back at 03:00", brussels, "2026-10-25;16:45;06:27;68°20';287°31'"},
        {"a moonrise before the clocks go forward", sydney,
         "2026-10-04;01:17;12:04;57°03';301°40'"},
        {"half an hour forward", lordHowe, "2026-10-04;01:07;11:38;57°57';300°50'"},
    };
    for (const auto& c : cases) {
        const std::string date(c.line, 10);
        const CliRun r = Table(c.place, date, date);
        ASSERT_EQ(r.code, 0) << c.what << ": " << r.err;
        EXPECT_EQ(r.out, std::string(c.line) + "\n") << c.what;
    }
}

// The window's record (`day`), the table and the calendar file of a summer
// with the moon near midnight agree event by event.
TEST(ClockDay, RecordTableAndCalendarFileAgree) {
    testing::TempDir dir;
    const std::string brussels =
        WriteSettings(dir, "brussels", 50 * 60 + 51, 4 * 60 + 21, 60, "Europe/Brussels");
    const CliRun table = Table({"--settings", brussels}, "2026-06-01", "2026-07-31");
    const CliRun ics = RunCli({"ics", "--settings", brussels, "--moon", "--from", "2026-06-01",
                               "--to", "2026-07-31", "--out", "-"});
    ASSERT_EQ(table.code, 0) << table.err;
    ASSERT_EQ(ics.code, 0) << ics.err;
    // The calendar's moon events by date: "HHMM" of DTSTART.
    std::multimap<std::string, std::string> moonStarts;
    std::string start;
    for (const std::string& line : Lines(ics.out)) {
        if (line.rfind("DTSTART;TZID=Europe/Brussels:", 0) == 0) start = line.substr(29);
        if (line.rfind("SUMMARY:Moon", 0) == 0) {
            const std::string date =
                start.substr(0, 4) + "-" + start.substr(4, 2) + "-" + start.substr(6, 2);
            moonStarts.emplace(date, start.substr(9, 2) + ":" + start.substr(11, 2));
        }
    }
    const std::vector<std::string> rows = Lines(table.out);
    ASSERT_EQ(rows.size(), 61u);
    std::size_t events = 0;
    for (const std::string& row : rows) {
        const std::string date = row.substr(0, 10);
        const std::string rise = row.substr(11, row.find(';', 11) - 11);
        const std::size_t setAt = 12 + rise.size();
        const std::string set = row.substr(setAt, row.find(';', setAt) - setAt);
        const CliRun day = RunCli({"day", "--settings", brussels, "--date", date});
        ASSERT_EQ(day.code, 0) << day.err;
        EXPECT_THAT(day.out, HasSubstr("\nMoonRiseCrossing=" + rise + "\n")) << date;
        EXPECT_THAT(day.out, HasSubstr("\nMoonSetCrossing=" + set + "\n")) << date;
        std::multiset<std::string> inTable, inFile;
        for (const std::string& t : {rise, set})
            if (!t.empty()) inTable.insert(t);
        const auto [first, last] = moonStarts.equal_range(date);
        for (auto it = first; it != last; ++it) inFile.insert(it->second);
        EXPECT_EQ(inFile, inTable) << date;
        events += inTable.size();
    }
    EXPECT_EQ(events, moonStarts.size());
}

// Without summer time in the year the rows say so instead of naming the first
// and the last day of the year.
TEST(ClockDay, PlacesWithoutSummerTimeSayTheyHaveNone) {
    for (const char* place : {"Quito", "Reykjavik", "Tokyo"}) {
        const CliRun r = RunCli({"view", "--place", place, "--date", "2026-08-01"});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_THAT(r.out, HasSubstr("\nlbStartZomerUur=none\n")) << place;
        EXPECT_THAT(r.out, HasSubstr("\nlbStartWinterUur=all year\n")) << place;
        EXPECT_THAT(r.out, HasSubstr("\nlbDaysSummerTime=No clock changes\nlbZomerduur=\n"))
            << place;
    }
}

// Alarm offsets are elapsed time: three hours before the civil dawn of the
// morning Warsaw's clocks go forward is 01:38, not 02:38, which that night
// never shows; on the morning they go back the alarm rings once, in the
// repeated hour.
TEST(ClockDay, AlarmOffsetsAreElapsedTimeAcrossTheChanges) {
    testing::TempDir dir;
    const std::string warsaw =
        WriteSettings(dir, "warsaw", 52 * 60 + 14, 21 * 60 + 1, 60, "Europe/Warsaw");
    const struct {
        const char* date;
        std::vector<std::string> lines;
    } cases[] = {
        {"2024-03-30",
         {"01:40:00;CivilDawn;-180;Picture;2024-03-30;04:40:00",
          "21:42:00;CivilDusk;+180;Picture;2024-03-30;18:42:00"}},
        {"2024-03-31",
         {"01:38:00;CivilDawn;-180;Picture;2024-03-31;05:38:00",
          "22:44:00;CivilDusk;+180;Picture;2024-03-31;19:44:00"}},
        {"2024-10-27",
         {"02:48:00;CivilDawn;-180;Picture;2024-10-27;05:48:00",
          "19:51:00;CivilDusk;+180;Picture;2024-10-27;16:51:00"}},
    };
    for (const auto& c : cases) {
        const CliRun r = RunCli({"alarms", "--settings", warsaw, "--date", c.date});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(Lines(r.out), c.lines) << c.date;
    }
}

}  // namespace
}  // namespace dawn::cli
