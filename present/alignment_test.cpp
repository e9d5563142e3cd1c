// The alignment finder: the tolerance the short way round north, and the
// clock days of the window beside the standard days of `events`.
#include "present/alignment.h"

#include <gtest/gtest.h>

#include <vector>

#include "places/zone.h"

namespace dawn {
namespace {

TEST(AzimuthMatches, ShownAzimuthWithinTheToleranceTheShortWayRound) {
    const struct {
        double target, tolerance, azimuth;
        bool matches;
    } cases[] = {
        {90, 1, 91.0, true},    {90, 1, 91.02, false},   {90, 1, 88.992, true},  // shown as 89°00'
        {90, 0, 90.008, true},                                                   // shown as 90°00'
        {90, 0, 90.009, false},                                                  // shown as 90°01'
        {359, 2, 0.5, true},    {1, 2, 359.2, true},     {1, 2, 358.9, false},
        {0, 0, 359.995, true},  // shown as 0°00'
        {180, 180, 3.0, true},  {90, 0.5, 270.0, false},
    };
    for (const auto& c : cases) {
        AlignmentQuery q;
        q.azimuthDegrees = c.target;
        q.toleranceDegrees = c.tolerance;
        EXPECT_EQ(AzimuthMatches(q, c.azimuth), c.matches)
            << c.target << " ± " << c.tolerance << ": " << c.azimuth;
    }
}

std::vector<Alignment> Find(const SiteSettings& s, const AlignmentQuery& q, AlignmentDays days) {
    std::vector<Alignment> found;
    ForEachAlignment(s, q, DayNumber::FromYmd(2024, 1, 1), DayNumber::FromYmd(2024, 12, 31), days,
                     [&](const Alignment& a) {
                         found.push_back(a);
                         return true;
                     });
    return found;
}

// The sun's sets at Velmoren never come near midnight: the window's clock
// days find the dates events does, at the same instants, the clock an hour
// ahead in summer time. The instant is the event's: the date's midnight,
// the time, less the offset in force.
TEST(ForEachAlignment, ClockDaysFindTheStandardDaysEventsOnTheClock) {
    SiteSettings s = DefaultSettings("/app", 2024);
    const ZoneOpenResult brussels = OpenZone("Europe/Brussels");
    ASSERT_TRUE(brussels.zone) << brussels.message;
    s.Zone = brussels.zone;
    AlignmentQuery q;
    q.event = EventKind::Set;
    q.azimuthDegrees = 265;  // February to April, September to November
    q.toleranceDegrees = 20;
    const std::vector<Alignment> clock = Find(s, q, AlignmentDays::Clock);
    const std::vector<Alignment> standard = Find(s, q, AlignmentDays::Standard);
    ASSERT_EQ(clock.size(), standard.size());
    ASSERT_GT(clock.size(), 40u);
    bool summer = false, winter = false;
    for (std::size_t i = 0; i < clock.size(); ++i) {
        EXPECT_EQ(clock[i].date, standard[i].date);
        EXPECT_EQ(clock[i].azimuthDegrees, standard[i].azimuthDegrees);
        EXPECT_EQ(clock[i].instant, standard[i].instant);
        const auto ahead = clock[i].time - standard[i].time;
        EXPECT_TRUE(ahead == std::chrono::minutes{0} || ahead == std::chrono::minutes{60});
        (ahead.count() ? summer : winter) = true;
        const UtInstant expected =
            UtInstant{standard[i].date.ToSysDays()} + standard[i].time - std::chrono::hours{1};
        EXPECT_NEAR(clock[i].instant.time_since_epoch().count(),
                    expected.time_since_epoch().count(), 1e-8);
        EXPECT_FALSE(clock[i].moonLitPercent);
    }
    EXPECT_TRUE(summer && winter);
}

// The moon's lit percentage comes with each moon date; a least percentage
// keeps those at or above it, and stopping early stops.
TEST(ForEachAlignment, MoonLitPercentageFiltersAndStops) {
    SiteSettings s = DefaultSettings("/app", 2024);
    AlignmentQuery q;
    q.body = Body::Moon;
    q.azimuthDegrees = 90;
    q.toleranceDegrees = 10;
    const std::vector<Alignment> all = Find(s, q, AlignmentDays::Clock);
    q.minLitPercent = 60;
    const std::vector<Alignment> bright = Find(s, q, AlignmentDays::Clock);
    std::vector<DayNumber> expected, got;
    for (const Alignment& a : all) {
        ASSERT_TRUE(a.moonLitPercent);
        if (*a.moonLitPercent >= 60) expected.push_back(a.date);
    }
    for (const Alignment& a : bright) got.push_back(a.date);
    EXPECT_EQ(got, expected);
    EXPECT_LT(bright.size(), all.size());
    EXPECT_FALSE(bright.empty());
    int calls = 0;
    ForEachAlignment(s, q, DayNumber::FromYmd(2024, 1, 1), DayNumber::FromYmd(2024, 12, 31),
                     AlignmentDays::Standard, [&](const Alignment&) { return ++calls < 2; });
    EXPECT_EQ(calls, 2);
}

TEST(AlignmentText, DateClockAzimuthAndTheMoonsLitPart) {
    LocaleFormats formats;
    Alignment sun{
        DayNumber::FromYmd(2024, 6, 21), std::chrono::minutes{4 * 60 + 25}, 49.7, {}, std::nullopt};
    EXPECT_EQ(AlignmentText(sun, formats), "21/06/2024  04:25  49°42'");
    Alignment moon = sun;
    moon.moonLitPercent = 96.6;
    EXPECT_EQ(AlignmentText(moon, formats), "21/06/2024  04:25  49°42'  97%");
}

}  // namespace
}  // namespace dawn
