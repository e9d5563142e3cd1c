#include "present/placechoice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/dayephemeris.h"
#include "core/testsupport_tempdir.h"
#include "present/appstate.h"
#include "present/dayview.h"
#include "present/testsupport_state.h"

namespace dawn {
namespace {

using std::chrono::minutes;
using ::testing::HasSubstr;

DayNumber D(int y, unsigned m, unsigned d) {
    return DayNumber::FromYmd(y, m, d);
}

std::shared_ptr<const Zone> Open(const char* name) {
    ZoneOpenResult opened = OpenZone(name);
    EXPECT_TRUE(opened.zone) << name << ": " << opened.message;
    return opened.zone;
}

SiteSettings WithZone(const char* name) {
    SiteSettings s = DefaultSettings("/nowhere", 2024);
    SetZone(s, Open(name), D(2024, 7, 1), 2024);
    return s;
}

// With a zone, each date's record takes the zone's standard offset of that
// date for its times and the zone's own shift for its clock times; the range
// routines agree with the single days across changes of either.
TEST(ZoneSettings, EveryDateTakesTheZonesClocks) {
    struct Case {
        const char* zone;
        DayNumber date;
        int standardOffset;
        int shift;  // clock time - standard time
    };
    const Case cases[] = {
        {"Europe/Helsinki", D(2026, 3, 28), 120, 0},
        {"Europe/Helsinki", D(2026, 3, 29), 120, 60},
        {"Europe/Helsinki", D(2027, 3, 28), 120, 60},
        {"Europe/Helsinki", D(2027, 10, 31), 120, 0},
        {"America/New_York", D(2006, 3, 20), -300, 0},
        {"America/New_York", D(2007, 3, 20), -300, 60},
        {"Australia/Sydney", D(2025, 1, 1), 600, 60},
        {"Australia/Sydney", D(2025, 6, 1), 600, 0},
        {"Asia/Kolkata", D(2024, 6, 1), 330, 0},
        {"America/Sao_Paulo", D(2018, 12, 1), -180, 60},
        {"America/Sao_Paulo", D(2019, 12, 1), -180, 0},
        {"Europe/Moscow", D(2010, 7, 1), 180, 60},
        {"Europe/Moscow", D(2012, 7, 1), 240, 0},
        {"Europe/Moscow", D(2015, 7, 1), 180, 0},
        {"Australia/Lord_Howe", D(2024, 1, 15), 630, 30},
        {"Africa/Casablanca", D(2020, 5, 1), 0, 0},
        {"Africa/Casablanca", D(2020, 7, 1), 0, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.date.Value()));
        const SiteSettings s = WithZone(c.zone);
        const DayEphemeris e = ComputeDay(s, c.date);
        EXPECT_EQ(e.Clocks.standardOffset, minutes(c.standardOffset));
        const EventEntry& rise = e.Event(Body::Sun, EventKind::Rise);
        // The standard time is the calculation's in the date's own offset.
        const Place place{s.LatitudeMinutes, s.LongitudeMinutes, c.standardOffset};
        EXPECT_EQ(rise.Standard, ComputeSunDay(c.date.ToDate(), place).rise.time);
        EXPECT_EQ((rise.Clock - rise.Standard + minutes(1440)) % minutes(1440), minutes(c.shift));
    }
    // Across Moscow's change of standard offset and Lord Howe's half hour.
    for (const char* zone : {"Europe/Moscow", "Australia/Lord_Howe"}) {
        const SiteSettings s = WithZone(zone);
        const DayNumber from = zone[0] == 'E' ? D(2011, 3, 20) : D(2024, 4, 1);
        std::vector<DayEphemeris> days;
        ForEachDay(s, from, from + 14, [&](const DayEphemeris& e) {
            days.push_back(e);
            return true;
        });
        for (const DayEphemeris& e : days) EXPECT_EQ(e, ComputeDay(s, e.Date)) << zone;
    }
}

// Choosing Helsinki: 60°10'N 24°56'E, +2:00 and the European rule on the
// controls, and the right summer-time dates from 2024 to 2030.
TEST(ZoneSettings, ChoosingHelsinki) {
    const CityIndexOpenResult index = OpenCityIndex();
    ASSERT_TRUE(index.index) << index.error;
    const std::vector<City> found = index.index->Search("Helsinki", 1);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(PlaceMatchText(found[0]), "Helsinki, Uusimaa, Finland (Europe/Helsinki)");
    SiteSettings s = DefaultSettings("/nowhere", 2024);
    s.TimeZoneMinutes = -300;
    ChoosePlace(s, found[0], Open(found[0].zone.c_str()), D(2024, 1, 10), 2024);
    EXPECT_EQ(s.LatitudeMinutes, 60 * 60 + 10);
    EXPECT_EQ(s.LongitudeMinutes, 24 * 60 + 56);
    EXPECT_EQ(s.TimeZoneMinutes, 120);
    EXPECT_EQ(s.TimeZoneHours, 2);
    EXPECT_EQ(s.ZoneName, "Europe/Helsinki");
    EXPECT_EQ(s.PlaceName, "Helsinki");
    EXPECT_TRUE(s.SummerTimeEnabled);
    EXPECT_EQ(s.SummerRule, 203);  // the last Sunday of March
    EXPECT_EQ(s.WinterRule, 903);  // and of October
    EXPECT_EQ(s.SummerWeekday, 1);
    const DayNumber starts[] = {D(2024, 3, 31), D(2025, 3, 30), D(2026, 3, 29), D(2027, 3, 28),
                                D(2028, 3, 26), D(2029, 3, 25), D(2030, 3, 31)};
    for (const DayNumber start : starts) {
        const DayNumber june = D(start.Year(), 6, 1);
        EXPECT_EQ(ClockRulesOf(s, june).window.SummerStart, start);
        // The manual form written for an older copy gives the same dates.
        SiteSettings manual = s;
        DropZone(manual);
        EXPECT_EQ(ClockRulesOf(manual, june), ClockRulesOf(s, june));
    }
    EXPECT_EQ(SettingsFileLines(s)[19], "Europe/Helsinki");
    EXPECT_EQ(SettingsFileLines(s)[20], "Helsinki");
}

// The manual form of a zone's year: rules where they can say it, summer time
// off in a year without it, the rules left alone where they cannot.
TEST(ZoneSettings, ManualFormOfTheReferenceYear) {
    struct Case {
        const char* zone;
        int year;
        bool expressible, summerTime;
        std::int32_t summerRule, winterRule;
    };
    const Case cases[] = {
        {"Australia/Sydney", 2024, true, true, 900, 300},   // first Sundays, southern
        {"America/New_York", 2006, true, true, 300, 903},   // first Sunday of April
        {"America/New_York", 2007, true, true, 201, 1000},  // second of March, first of November
        {"Asia/Kolkata", 2024, true, false, 204, 903},
        {"Africa/Casablanca", 2013, false, true, 204, 903},
    };
    for (const Case& c : cases) {
        SiteSettings s = DefaultSettings("/nowhere", 2024);
        EXPECT_EQ(ManualFormOfZone(s, *Open(c.zone), c.year), c.expressible) << c.zone;
        EXPECT_EQ(s.SummerTimeEnabled, c.summerTime) << c.zone;
        EXPECT_EQ(s.SummerRule, c.summerRule) << c.zone << " " << c.year;
        EXPECT_EQ(s.WinterRule, c.winterRule) << c.zone << " " << c.year;
    }
}

// Line 20 naming a zone the system does not know, or a system without the
// database: a message, the manual rules, and the line kept as it was.
TEST(ZoneSettings, AnUnknownZoneFallsBackToTheManualRules) {
    dawn::testing::TempDir empty;
    struct Case {
        const char* zone;
        std::string folder;
        const char* inMessage;
    };
    const Case cases[] = {
        {"Nowhere/Atlantis", kSystemZoneFolder, "unknown time zone \"Nowhere/Atlantis\""},
        {"../../etc/passwd", kSystemZoneFolder, "unknown time zone"},
        {"Europe/Helsinki", empty.str(), "no time-zone database"},
    };
    for (const Case& c : cases) {
        SiteSettings s = DefaultSettings("/nowhere", 2024);
        s.ZoneName = c.zone;
        const auto message = OpenSettingsZone(s, D(2024, 7, 1), c.folder);
        ASSERT_TRUE(message) << c.zone;
        EXPECT_THAT(*message, HasSubstr(c.inMessage));
        EXPECT_THAT(*message, HasSubstr("line 20"));
        EXPECT_EQ(s.Zone, nullptr);
        EXPECT_EQ(s.ZoneName, c.zone);
        EXPECT_EQ(SettingsFileLines(s)[19], c.zone);
        EXPECT_EQ(ClockRulesOf(s, D(2024, 7, 1)).standardOffset, minutes(60));
    }
    SiteSettings manual = DefaultSettings("/nowhere", 2024);
    EXPECT_FALSE(OpenSettingsZone(manual, D(2024, 7, 1)));
    EXPECT_EQ(manual.Zone, nullptr);
}

// The place's name goes beside the coordinates in the main window's hint,
// the tray hint and the graph title; the hint's offset is the shown date's.
TEST(ZoneSettings, ThePlaceIsNamed) {
    AppState state = test::EnglishState("/nowhere");
    state.Settings = WithZone("Europe/Moscow");
    state.Settings.PlaceName = "Moscow";
    state.ShowDate(D(2012, 7, 1));
    const DayView v = BuildDayView(state);
    EXPECT_EQ(v.coordinatesHint, "TimeZone = + 04:00\nMoscow (Europe/Moscow)");
    EXPECT_THAT(v.trayHint, HasSubstr(v.longitude + " Moscow "));
}

}  // namespace
}  // namespace dawn
