#include "core/skyday.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/testsupport_zone.h"

namespace dawn {
namespace {

using std::chrono::minutes;

DayNumber D(int y, unsigned m, unsigned d) {
    return DayNumber::FromYmd(y, m, d);
}

// The sky day carries the sun's whole day as astro gives it, with the local
// clock moved by the summer-time hour on the dates of summer time only.
TEST(SkyDay, TwilightAndNoonWithTheSummerTimeHour) {
    SiteSettings s = DefaultSettings("/nowhere", 2024);
    for (const DayNumber date : {D(2024, 3, 30), D(2024, 3, 31), D(2024, 10, 27)}) {
        SCOPED_TRACE(FormatIsoDate(date));
        const SkyDay sky = ComputeSkyDay(s, date);
        const SunDayEvents sun = ComputeSunDayEvents(date.ToDate(), PlaceOf(s, date));
        const bool summer = ComputeDay(s, date)[Body::Sun][EventKind::Rise].Clock !=
                            ComputeDay(s, date)[Body::Sun][EventKind::Rise].Standard;
        const minutes shift{summer ? 60 : 0};
        for (TwilightKind kind : kTwilightKinds) {
            const EventValues& dawn = sky[kind][EventKind::Rise];
            EXPECT_EQ(dawn.Status, sun.Of(kind).dawn.status);
            EXPECT_EQ(dawn.Standard, sun.Of(kind).dawn.minute);
            EXPECT_EQ(dawn.Clock, dawn.Standard + shift);
            if (dawn.Crossing) {
                EXPECT_EQ(dawn.CrossingClock, *dawn.Crossing + shift);
            }
            EXPECT_EQ(sky[kind][EventKind::Set].Standard, sun.Of(kind).dusk.minute);
        }
        ASSERT_TRUE(sky.Noon.has_value());
        EXPECT_EQ(sky.Noon->Standard, sun.noon->minute);
        EXPECT_EQ(sky.Noon->Clock, sun.noon->minute + shift);
    }
    EXPECT_EQ(ComputeSkyDay(s, D(2024, 3, 31)).Noon->Clock -
                  ComputeSkyDay(s, D(2024, 3, 31)).Noon->Standard,
              minutes(60));

    int days = 0;
    ForEachSkyDay(s, D(2024, 2, 27), D(2024, 3, 2), [&](const SkyDay& day) {
        EXPECT_EQ(day.Date, D(2024, 2, 27) + days);
        EXPECT_EQ(day.Noon, ComputeSkyDay(s, day.Date).Noon);
        return ++days < 3;
    });
    EXPECT_EQ(days, 3);
}

// Dated in the zone's standard time: the full moon of 2024-04-23 23:49 UT is
// the 23rd in UT and the 24th an hour east; a date that holds the phase is its
// own next one.
TEST(SkyDay, NextFullAndNewMoon) {
    SiteSettings s = DefaultSettings("/nowhere", 2024);
    const struct {
        std::int32_t zone;
        DayNumber from;
        DayNumber full;
        DayNumber fresh;
    } cases[] = {
        {0, D(2024, 4, 1), D(2024, 4, 23), D(2024, 4, 8)},
        {60, D(2024, 4, 1), D(2024, 4, 24), D(2024, 4, 8)},
        {60, D(2024, 4, 8), D(2024, 4, 24), D(2024, 4, 8)},
        {60, D(2024, 4, 9), D(2024, 4, 24), D(2024, 5, 8)},
        {60, D(2024, 4, 25), D(2024, 5, 23), D(2024, 5, 8)},
        {-600, D(2024, 12, 31), D(2025, 1, 13), D(2025, 1, 29)},
    };
    s.SummerTimeEnabled = false;
    for (const auto& c : cases) {
        s.TimeZoneMinutes = c.zone;
        const NextMoons next = NextFullAndNewMoon(s, c.from);
        EXPECT_EQ(next.FullMoon, c.full) << FormatIsoDate(c.from) << " " << c.zone;
        EXPECT_EQ(next.NewMoon, c.fresh) << FormatIsoDate(c.from) << " " << c.zone;
    }
    // With summer time the clock shows that full moon at 00:49 on the 24th.
    s.TimeZoneMinutes = 0;
    s.SummerTimeEnabled = true;
    EXPECT_EQ(NextFullAndNewMoon(s, D(2024, 4, 1)).FullMoon, D(2024, 4, 24));
}

// An instant is read in the standard offset of the date whose midnight is
// still to come: across a change the clocks jump forward or repeat the end
// of the date before at that midnight, and a jump of a whole day leaves the
// date of the change out. Every instant gets exactly one minute.
TEST(SkyDay, StandardMinuteAcrossAChangeOfTheOffset) {
    using namespace std::chrono;
    const DayNumber change = D(2024, 4, 9);
    const sys_days c{change.ToDate()};
    const struct {
        int before;
        int after;
        minutes ut;  // from midnight UT starting the date of the change
        minutes listed;
    } cases[] = {
        {60, 120, -90min, -30min},     // forward: still the old offset's day
        {60, 120, -50min, 70min},      // forward: 00:00 to 01:00 never shown
        {120, 60, -150min, -30min},    // back: the old offset up to its midnight
        {120, 60, -90min, -30min},     // back: the last hour again
        {120, 60, -30min, 30min},      // back: the new date
        {-660, 780, 659min, -1min},    // a whole day forward: the day before's last minute
        {-660, 780, 660min, 1440min},  // ... and then the day after
        {60, 60, -90min, -30min},      // no change
    };
    for (const auto& t : cases) {
        SiteSettings s = DefaultSettings("/nowhere", 2024);
        s.Zone = std::make_shared<testing::OneChangeZone>(change, t.before, t.after);
        EXPECT_EQ(StandardMinuteOf(s, UtInstant(c + t.ut)), c + t.listed)
            << t.before << " -> " << t.after << " at " << t.ut.count();
    }
    // The manual offset: the minute as LocalMinute gives it, rounded.
    SiteSettings manual = DefaultSettings("/nowhere", 2024);
    manual.TimeZoneMinutes = -600;
    const UtInstant instant = UtInstant(c) + seconds(40);
    EXPECT_EQ(StandardMinuteOf(manual, instant), LocalMinute(instant, -600));
    EXPECT_EQ(StandardMinuteOf(manual, instant), c - 599min);
}

// The next full and new moon are dated with the clocks of their own date: a
// zone ten hours ahead from 8 April 2024 on puts that day's new moon (18:21
// UT) on the 9th, where the clocks of 1 April put it on the 8th.
TEST(SkyDay, NextMoonsTakeTheClocksOfTheirOwnDate) {
    SiteSettings s = DefaultSettings("/nowhere", 2024);
    s.TimeZoneMinutes = 0;
    EXPECT_EQ(NextFullAndNewMoon(s, D(2024, 4, 1)).NewMoon, D(2024, 4, 8));
    s.Zone = std::make_shared<testing::OneChangeZone>(D(2024, 4, 8), 0, 600);
    EXPECT_EQ(NextFullAndNewMoon(s, D(2024, 4, 1)).NewMoon, D(2024, 4, 9));
}

}  // namespace
}  // namespace dawn
