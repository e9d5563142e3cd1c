#include "core/alarm.h"

#include <gtest/gtest.h>

namespace dawn {
namespace {

constexpr DayNumber kDay = DayNumber::FromYmd(2024, 6, 21);
constexpr int At(int h, int m, int s) {
    return (h * 60 + m) * 60 + s;
}
constexpr int kSunrise = At(7, 23, 0);

TEST(AlarmDue, ComparesTheTickWithTheEventSecond) {
    struct Case {
        const char* what;
        EventStatus status;
        std::optional<TickMoment> previous;
        TickMoment now;
        bool due;
    };
    const Case cases[] = {
        {"the event second",
         EventStatus::Normal,
         TickMoment{kDay, At(7, 22, 59)},
         {kDay, kSunrise},
         true},
        {"a second early",
         EventStatus::Normal,
         TickMoment{kDay, At(7, 22, 58)},
         {kDay, At(7, 22, 59)},
         false},
        {"a second late",
         EventStatus::Normal,
         TickMoment{kDay, kSunrise},
         {kDay, At(7, 23, 1)},
         false},
        {"first tick of the run", EventStatus::Normal, std::nullopt, {kDay, kSunrise}, true},
        {"first tick, late", EventStatus::Normal, std::nullopt, {kDay, At(7, 23, 1)}, false},
        {"skipped second",
         EventStatus::Normal,
         TickMoment{kDay, At(7, 22, 59)},
         {kDay, At(7, 23, 1)},
         true},
        {"a minute late",
         EventStatus::Normal,
         TickMoment{kDay, At(7, 22, 0)},
         {kDay, At(7, 24, 0)},
         true},
        {"over a minute late",
         EventStatus::Normal,
         TickMoment{kDay, At(7, 22, 0)},
         {kDay, At(7, 24, 1)},
         false},
        {"previous tick on another date",
         EventStatus::Normal,
         TickMoment{kDay - 1, At(7, 22, 59)},
         {kDay, At(7, 23, 1)},
         false},
        {"clock set back",
         EventStatus::Normal,
         TickMoment{kDay, At(8, 0, 0)},
         {kDay, At(7, 23, 30)},
         false},
        {"no sunrise that day",
         EventStatus::NoRise,
         TickMoment{kDay, At(7, 22, 59)},
         {kDay, kSunrise},
         false},
        {"sun down all day",
         EventStatus::DownAllDay,
         TickMoment{kDay, At(7, 22, 59)},
         {kDay, kSunrise},
         false},
        {"sun up all day",
         EventStatus::UpAllDay,
         TickMoment{kDay, At(7, 22, 59)},
         {kDay, kSunrise},
         false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AlarmDue(c.status, kSunrise, c.previous, c.now), c.due) << c.what;
    }
}

TEST(AlarmState, FiresOncePerEventAndDate) {
    AlarmState state;
    auto tick = [&](DayNumber date, int second, AlarmEvent event, int eventSecond) {
        TickMoment now{date, second};
        std::optional<TickMoment> before = state.BeginTick(now);
        return state.Fire(event, EventStatus::Normal, eventSecond, before, now);
    };
    EXPECT_FALSE(tick(kDay, At(7, 22, 58), AlarmEvent::SunRise, kSunrise));
    // A late tick catches the missed second up, and only once.
    EXPECT_TRUE(tick(kDay, At(7, 23, 1), AlarmEvent::SunRise, kSunrise));
    EXPECT_FALSE(tick(kDay, At(7, 23, 2), AlarmEvent::SunRise, kSunrise));
    // The calendar moved to a date whose sunrise is a minute later: same day, no repeat.
    EXPECT_FALSE(tick(kDay, At(7, 24, 0), AlarmEvent::SunRise, At(7, 24, 0)));
    // The sunset is a separate alarm.
    EXPECT_TRUE(tick(kDay, At(21, 40, 0), AlarmEvent::SunSet, At(21, 40, 0)));
    // The next day fires again.
    EXPECT_TRUE(tick(kDay + 1, At(7, 24, 0), AlarmEvent::SunRise, At(7, 24, 0)));
}

TEST(AlarmState, NestedTicksCompareWithTheirOwnPredecessor) {
    AlarmState state;
    const int sunset = At(21, 40, 0);
    state.BeginTick({kDay, At(7, 22, 59)});
    TickMoment outerNow{kDay, kSunrise};
    std::optional<TickMoment> outerBefore = state.BeginTick(outerNow);
    ASSERT_TRUE(
        state.Fire(AlarmEvent::SunRise, EventStatus::Normal, kSunrise, outerBefore, outerNow));
    // Ticks nested in the open picture window run on; the sunrise does not fire again.
    for (int s = 1; s <= 5; ++s) {
        TickMoment now{kDay, kSunrise + s};
        std::optional<TickMoment> before = state.BeginTick(now);
        EXPECT_EQ(before->secondOfDay, kSunrise + s - 1);
        EXPECT_FALSE(state.Fire(AlarmEvent::SunRise, EventStatus::Normal, kSunrise, before, now));
    }
    // Back in the outer tick, the sunset is compared with the outer tick's own time.
    EXPECT_FALSE(
        state.Fire(AlarmEvent::SunSet, EventStatus::Normal, sunset, outerBefore, outerNow));
}

}  // namespace
}  // namespace dawn
