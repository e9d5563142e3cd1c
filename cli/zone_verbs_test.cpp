// --zone, --place and the zone of the settings file across the verbs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "cli/testsupport_verbs.h"
#include "cli/values.h"
#include "core/settings.h"
#include "core/testsupport_tempdir.h"
#include "core/textfile.h"
#include "present/texts.h"

namespace dawn::cli {
namespace {

using ::testing::HasSubstr;

int Minutes(const std::string& hhmm) {
    return std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(3, 2));
}

// The table's clock times are the events' standard times (in the zone's
// standard offset, -5:00) moved by one hour on exactly the days New York had
// summer time: from the first Sunday of April in 2006, from the second Sunday
// of March from 2007 on.
TEST(ZoneOptions, NewYorkTableAppliesSummerTimeOnExactlyTheZonesDays) {
    const std::vector<std::string> range = {"--place",    "New York", "--from",
                                            "2006-01-01", "--to",     "2008-12-31"};
    std::vector<std::string> tableArgs{"table"}, eventsArgs{"events"};
    tableArgs.insert(tableArgs.end(), range.begin(), range.end());
    eventsArgs.insert(eventsArgs.end(), range.begin(), range.end());
    const CliRun table = RunCli(tableArgs);
    const CliRun events = RunCli(eventsArgs);
    ASSERT_EQ(table.code, 0) << table.err;
    ASSERT_EQ(events.code, 0) << events.err;
    const auto tableLines = Lines(table.out);
    const auto eventLines = Lines(events.out);
    ASSERT_EQ(tableLines.size(), 1096u);
    ASSERT_EQ(eventLines.size(), 2 * tableLines.size());
    EXPECT_EQ(tableLines.front().substr(0, 17), "2006-01-01;07:20;");  // EST

    const std::pair<DayNumber, DayNumber> summers[] = {
        {DayNumber::FromYmd(2006, 4, 2), DayNumber::FromYmd(2006, 10, 29)},
        {DayNumber::FromYmd(2007, 3, 11), DayNumber::FromYmd(2007, 11, 4)},
        {DayNumber::FromYmd(2008, 3, 9), DayNumber::FromYmd(2008, 11, 2)},
    };
    for (std::size_t i = 0; i < tableLines.size(); ++i) {
        const std::string& t = tableLines[i];
        const std::string& e = eventLines[2 * i];  // YYYY-MM-DD;Rise;status;HH:MM;azimuth
        const DayNumber date = DayNumber::FromDate(*ParseIsoDate(t.substr(0, 10)));
        bool summer = false;
        for (const auto& [from, to] : summers) summer = summer || (from <= date && date < to);
        const int shift = (Minutes(t.substr(11, 5)) - Minutes(e.substr(18, 5)) + 1440) % 1440;
        ASSERT_EQ(shift, summer ? 60 : 0) << t << " / " << e;
    }
}

// An unknown zone or a place that matches nothing: exit 2, naming it.
TEST(ZoneOptions, AnUnknownZoneOrPlaceIsABadArgument) {
    const std::vector<std::vector<std::string>> commands = {
        {"events", "--from", "2024-01-01", "--to", "2024-01-02"},
        {"day", "--date", "2024-01-01"},
        {"table", "--from", "2024-01-01", "--to", "2024-01-02"},
        {"view", "--date", "2024-01-01"},
        {"export", "--from", "2024-01-01", "--to", "2024-01-02"},
        {"alarms", "--date", "2024-01-01"},
        {"ics", "--from", "2024-01-01", "--to", "2024-01-02"},
    };
    for (const auto& base : commands) {
        std::vector<std::string> zone = base, place = base;
        if (base[0] == "events") zone.insert(zone.end(), {"--lat", "3047", "--lon", "328"});
        zone.insert(zone.end(), {"--zone", "Nowhere/Atlantis"});
        place.insert(place.end(), {"--place", "Qqqzzx"});
        const CliRun z = RunCli(zone);
        EXPECT_EQ(z.code, 2) << base[0];
        EXPECT_THAT(z.err, HasSubstr("unknown time zone \"Nowhere/Atlantis\"")) << base[0];
        EXPECT_TRUE(z.out.empty()) << base[0];
        const CliRun p = RunCli(place);
        EXPECT_EQ(p.code, 2) << base[0];
        EXPECT_THAT(p.err, HasSubstr("no place matches 'Qqqzzx'")) << base[0];
        // Without --settings, --place or --zone, the settings are still needed.
        EXPECT_EQ(RunCli(base).code, 2) << base[0];
    }
}

// The zone on line 20 of the settings file serves every verb as --zone does;
// one the system does not know gives a warning naming it and the manual rules.
TEST(ZoneOptions, TheSettingsFilesZone) {
    testing::TempDir dir;
    SiteSettings s = DefaultSettings(dir.str(), 2024);
    ASSERT_TRUE(SaveSettings(s, dir.str()).ok);
    const std::string manual = dir.file("Dawncode.txt");
    const std::string date = "2012-07-01";
    auto day = [&](std::vector<std::string> extra) {
        std::vector<std::string> args{"day", "--date", date};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    };
    const CliRun byOption = day({"--settings", manual, "--zone", "Europe/Moscow"});
    ASSERT_EQ(byOption.code, 0) << byOption.err;
    const CliRun plain = day({"--settings", manual});

    testing::TempDir zoned;
    s.ZoneName = "Europe/Moscow";
    ASSERT_TRUE(SaveSettings(s, zoned.str()).ok);
    const CliRun byFile = day({"--settings", zoned.file("Dawncode.txt")});
    EXPECT_EQ(byFile.code, 0);
    EXPECT_EQ(byFile.out, byOption.out);
    EXPECT_NE(byFile.out, plain.out);
    // Moscow in 2012: +4:00 all year, no summer time; two hours after the
    // manual +1:00 with its summer hour.
    auto field = [](const std::string& out, const std::string& name) {
        const std::size_t at = out.find("\n" + name + "=");
        return at == std::string::npos ? -1 : Minutes(out.substr(at + name.size() + 2, 5));
    };
    EXPECT_EQ(field(byFile.out, "SunRiseText"), field(byFile.out, "SunRiseTime"));
    EXPECT_EQ(field(byFile.out, "SunRiseTime"), field(plain.out, "SunRiseTime") + 120);

    testing::TempDir unknown;
    s.ZoneName = "Nowhere/Atlantis";
    ASSERT_TRUE(SaveSettings(s, unknown.str()).ok);
    const CliRun fallback = day({"--settings", unknown.file("Dawncode.txt")});
    EXPECT_EQ(fallback.code, 0);
    EXPECT_THAT(fallback.err, HasSubstr("warning: Settings line 20: unknown time zone"));
    EXPECT_EQ(fallback.out, plain.out);
    EXPECT_EQ(ReadTextFile(unknown.file("Dawncode.txt")).lines.at(19), "Nowhere/Atlantis");
}

std::string WithoutStamps(std::string text) {
    for (std::size_t at = text.find("DTSTAMP:"); at != std::string::npos;
         at = text.find("DTSTAMP:", at + 1))
        text.erase(at, text.find("\r\n", at) - at);
    return text;
}

// alarms and ics take --zone and --place as the other verbs do: --zone over
// a settings file without a zone is that file with the zone on line 20, and
// --place stands in for the settings file.
TEST(ZoneOptions, AlarmsAndIcsTakeTheZoneAndThePlace) {
    testing::TempDir manualDir, zonedDir;
    SiteSettings s = DefaultSettings(manualDir.str(), 2024);
    ASSERT_TRUE(SaveSettings(s, manualDir.str()).ok);
    s.ZoneName = "Europe/Moscow";
    ASSERT_TRUE(SaveSettings(s, zonedDir.str()).ok);
    const std::string manual = manualDir.file("Dawncode.txt");
    const std::string zoned = zonedDir.file("Dawncode.txt");
    const std::vector<std::vector<std::string>> commands = {
        {"alarms", "--date", "2012-07-01"},
        {"ics", "--from", "2012-07-01", "--to", "2012-07-02", "--twilight"},
    };
    for (const auto& base : commands) {
        SCOPED_TRACE(base[0]);
        auto run = [&](std::vector<std::string> extra) {
            std::vector<std::string> args = base;
            args.insert(args.end(), extra.begin(), extra.end());
            CliRun r = RunCli(args);
            EXPECT_EQ(r.code, 0) << r.err;
            r.out = WithoutStamps(r.out);
            return r.out;
        };
        const std::string byFile = run({"--settings", zoned});
        EXPECT_EQ(run({"--settings", manual, "--zone", "Europe/Moscow"}), byFile);
        EXPECT_NE(run({"--settings", manual}), byFile);
        const std::string byPlace = run({"--place", "Moscow"});
        EXPECT_FALSE(byPlace.empty());
        EXPECT_NE(byPlace, byFile);  // Moscow's coordinates, not the default place's
        if (base[0] == "ics") {
            EXPECT_THAT(byPlace, HasSubstr("TZID:Europe/Moscow\r\n"));
            EXPECT_THAT(byPlace, HasSubstr("LOCATION:Moscow\r\n"));
        }
    }
}

}  // namespace
}  // namespace dawn::cli
