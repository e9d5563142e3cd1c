#include "core/clockday.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/settings.h"

namespace dawn {
namespace {

using std::chrono::minutes;
using Minute = std::optional<minutes>;

constexpr minutes HM(int h, int m) {
    return minutes(h * 60 + m);
}
DayNumber D(int y, unsigned m, unsigned d) {
    return DayNumber::FromYmd(y, m, d);
}

// One standard day with a set at noon and the rises given.
ScannedDay Day(const SiteSettings& s, DayNumber date, Minute lastRise, Minute earlierRise = {}) {
    ScannedDay day{date, ClockRulesOf(s, date), EventStatus::Normal, {}};
    day.crossings[IndexOf(EventKind::Rise)] = {lastRise, 90.0, earlierRise, 80.0};
    day.crossings[IndexOf(EventKind::Set)] = {HM(12, 0), 270.0, {}, {}};
    if (!lastRise) day.status = EventStatus::NoRise;
    return day;
}

// Velmoren's manual rules: UTC+1, summer time from 31 March to 27 October
// 2024, the clocks changing at 02:00 standard time.
TEST(ClockDayEvents, TakesEachRiseOnTheDateOfItsClock) {
    const SiteSettings velmoren = DefaultSettings("/app", 2024);
    SiteSettings noSummer = velmoren;
    noSummer.SummerTimeEnabled = false;
    struct Case {
        const char* name;
        const SiteSettings& settings;
        DayNumber date;
        Minute beforeRise, rise, earlierRise;
        EventStatus status;
        minutes clock, standard, offset;
    };
    const Case cases[] = {
        {"a rise late in the standard day before is early on the clock",
         velmoren,
         D(2024, 7, 5),
         HM(23, 10),
         HM(23, 50),
         {},
         EventStatus::Normal,
         HM(0, 10),
         HM(23, 10),
         HM(2, 0)},
        {"the last rise belongs to the next date, the one before it stays",
         velmoren,
         D(2024, 7, 5),
         {},
         HM(23, 30),
         HM(0, 20),
         EventStatus::Normal,
         HM(1, 20),
         HM(0, 20),
         HM(2, 0)},
        {"no rise on the clock day at all",
         velmoren,
         D(2024, 7, 5),
         HM(22, 40),
         HM(23, 30),
         {},
         EventStatus::NoRise,
         HM(1, 0),
         HM(0, 0),
         HM(0, 0)},
        {"first day of summer time, before 02:00",
         velmoren,
         D(2024, 3, 31),
         {},
         HM(1, 17),
         {},
         EventStatus::Normal,
         HM(1, 17),
         HM(1, 17),
         HM(1, 0)},
        {"first day of summer time, after 02:00",
         velmoren,
         D(2024, 3, 31),
         {},
         HM(2, 17),
         {},
         EventStatus::Normal,
         HM(3, 17),
         HM(2, 17),
         HM(2, 0)},
        {"first day of winter time, the first 02:30",
         velmoren,
         D(2024, 10, 27),
         {},
         HM(1, 30),
         {},
         EventStatus::Normal,
         HM(2, 30),
         HM(1, 30),
         HM(2, 0)},
        {"first day of winter time, the second 02:30",
         velmoren,
         D(2024, 10, 27),
         {},
         HM(2, 30),
         {},
         EventStatus::Normal,
         HM(2, 30),
         HM(2, 30),
         HM(1, 0)},
        {"first day of winter time takes the summer evening before",
         velmoren,
         D(2024, 10, 27),
         HM(23, 20),
         {},
         {},
         EventStatus::Normal,
         HM(0, 20),
         HM(23, 20),
         HM(2, 0)},
        {"the day after it does not",
         velmoren,
         D(2024, 10, 28),
         HM(23, 20),
         {},
         {},
         EventStatus::NoRise,
         HM(0, 0),
         HM(0, 0),
         HM(0, 0)},
        {"without summer time the clock day is the standard day",
         noSummer,
         D(2024, 7, 5),
         HM(23, 10),
         HM(23, 50),
         {},
         EventStatus::Normal,
         HM(23, 50),
         HM(23, 50),
         HM(1, 0)},
    };
    for (const Case& c : cases) {
        const ScannedDay before = Day(c.settings, c.date - 1, c.beforeRise);
        const ScannedDay today = Day(c.settings, c.date, c.rise, c.earlierRise);
        const EventValues rise = ClockDayEvents(before, today)[IndexOf(EventKind::Rise)];
        EXPECT_EQ(rise.Status, c.status) << c.name;
        EXPECT_EQ(rise.Clock, c.clock) << c.name;
        EXPECT_EQ(rise.Standard, c.standard) << c.name;
        if (c.status == EventStatus::Normal) {
            EXPECT_EQ(rise.CrossingClock, c.clock) << c.name;
            EXPECT_EQ(rise.CrossingOffset, c.offset) << c.name;
            EXPECT_EQ(rise.Azimuth, c.earlierRise && *c.earlierRise == c.standard ? 80.0 : 90.0)
                << c.name;
        } else {
            EXPECT_EQ(rise.CrossingClock, std::nullopt) << c.name;
        }
    }
}

TEST(ClockDayEvents, ADayWhoseCrossingsAllMoveOnKeepsTheSideItWasOn) {
    const SiteSettings s = DefaultSettings("/app", 2024);
    // The moon's only set of the standard day at 23:40, which is 00:40 of the
    // next date: the clock date had the moon up throughout.
    ScannedDay day{D(2024, 7, 5), ClockRulesOf(s, D(2024, 7, 5)), EventStatus::NoRise, {}};
    day.crossings[IndexOf(EventKind::Set)] = {HM(23, 40), 250.0, {}, {}};
    const auto up = ClockDayEvents(std::nullopt, day);
    EXPECT_EQ(up[0].Status, EventStatus::UpAllDay);
    EXPECT_EQ(up[1].Status, EventStatus::UpAllDay);
    EXPECT_EQ(up[1].Azimuth, std::nullopt);
    // Its only rise at 23:40: down throughout.
    day.crossings = {};
    day.status = EventStatus::NoSet;
    day.crossings[IndexOf(EventKind::Rise)] = {HM(23, 40), 110.0, {}, {}};
    const auto down = ClockDayEvents(std::nullopt, day);
    EXPECT_EQ(down[0].Status, EventStatus::DownAllDay);
    EXPECT_EQ(down[0].Clock, HM(13, 0));  // the fixed 12:00, on the summer clock
}

}  // namespace
}  // namespace dawn
