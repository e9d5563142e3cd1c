#include "core/alarm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "core/dayephemeris.h"
#include "core/settings.h"

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

using std::chrono::minutes;

TEST(AlarmMoment, MovesTheEventByTheOffsetAcrossMidnight) {
    struct Case {
        const char* what;
        int eventSecond;
        minutes offset;
        TickMoment ring;
    };
    const Case cases[] = {
        {"15 minutes before", At(21, 40, 0), minutes(-15), {kDay, At(21, 25, 0)}},
        {"at the event", At(21, 40, 0), minutes(0), {kDay, At(21, 40, 0)}},
        {"30 minutes after", At(21, 40, 0), minutes(30), {kDay, At(22, 10, 0)}},
        {"back over midnight", At(0, 10, 0), minutes(-15), {kDay - 1, At(23, 55, 0)}},
        {"on to midnight", At(23, 30, 0), minutes(30), {kDay + 1, 0}},
        {"on over midnight", At(23, 50, 0), minutes(30), {kDay + 1, At(0, 20, 0)}},
        {"three hours back from midnight", 0, kMinAlarmOffset, {kDay - 1, At(21, 0, 0)}},
        {"three hours on from the last minute",
         At(23, 59, 0),
         kMaxAlarmOffset,
         {kDay + 1, At(2, 59, 0)}},
    };
    for (const Case& c : cases) {
        const TickMoment ring = AlarmMoment(kDay, c.eventSecond, c.offset);
        EXPECT_EQ(ring, c.ring) << c.what;
        // The tick of the ringing date looks at this event's date.
        const std::vector<DayNumber> dates = AlarmEventDates(ring.date, c.offset);
        EXPECT_NE(std::find(dates.begin(), dates.end(), kDay), dates.end()) << c.what;
        EXPECT_EQ(dates.size(), c.offset == minutes(0) ? 1u : 2u) << c.what;
    }
}

// Events of made-up days: a table of (kind, date) -> event; any other date
// of a kind in the table has the kind's `usual` event.
class Sky {
public:
    void Set(AlarmEvent kind, DayNumber date, EventStatus status, int second) {
        events_[{kind, date.Value()}] = AlarmEventTime{date, status, second, std::nullopt};
    }
    void Usual(AlarmEvent kind, int second) { usual_[kind] = second; }
    AlarmEventLookup Lookup() const {
        return [this](AlarmEvent kind, DayNumber date) -> std::optional<AlarmEventTime> {
            if (auto it = events_.find({kind, date.Value()}); it != events_.end())
                return it->second;
            if (auto it = usual_.find(kind); it != usual_.end())
                return AlarmEventTime{date, EventStatus::Normal, it->second, std::nullopt};
            return std::nullopt;
        };
    }

private:
    std::map<std::pair<AlarmEvent, std::int32_t>, AlarmEventTime> events_;
    std::map<AlarmEvent, int> usual_;
};

struct Ring {
    int second;
    AlarmEvent kind;
    DayNumber eventDate;
    friend bool operator==(const Ring&, const Ring&) = default;
};

std::vector<Ring> RingsOf(const std::vector<DueAlarm>& due) {
    std::vector<Ring> rings;
    for (const DueAlarm& d : due) rings.push_back({d.secondOfDay, d.kind, d.event.date});
    return rings;
}

TEST(AlarmsOn, ListsTheAlarmsThatRingOnADate) {
    Sky sky;
    sky.Usual(AlarmEvent::SunRise, At(5, 0, 0));
    sky.Usual(AlarmEvent::SunSet, At(21, 40, 0));
    // Tomorrow's sunrise just after midnight; yesterday's sunset just before.
    sky.Set(AlarmEvent::SunRise, kDay + 1, EventStatus::Normal, At(0, 10, 0));
    sky.Set(AlarmEvent::SunSet, kDay - 1, EventStatus::Normal, At(23, 50, 0));
    // The next day and the one after: the sun stays up, so no sunset.
    sky.Set(AlarmEvent::SunSet, kDay + 1, EventStatus::UpAllDay, At(21, 40, 0));
    sky.Set(AlarmEvent::SunSet, kDay + 2, EventStatus::UpAllDay, At(21, 40, 0));

    struct Case {
        const char* what;
        DayNumber day;
        std::vector<AlarmSetup> alarms;
        std::vector<Ring> rings;
    };
    const Case cases[] = {
        {"offsets -15, 0 and +30",
         kDay - 2,
         {{AlarmEvent::SunRise, minutes(-15)}, {AlarmEvent::SunSet, minutes(30)}},
         {{At(4, 45, 0), AlarmEvent::SunRise, kDay - 2},
          {At(22, 10, 0), AlarmEvent::SunSet, kDay - 2}}},
        {"at the events",
         kDay - 2,
         {{AlarmEvent::SunSet}, {AlarmEvent::SunRise}},
         {{At(5, 0, 0), AlarmEvent::SunRise, kDay - 2},
          {At(21, 40, 0), AlarmEvent::SunSet, kDay - 2}}},
        {"tomorrow's early sunrise rings tonight",
         kDay,
         {{AlarmEvent::SunRise, minutes(-15)}},
         {{At(4, 45, 0), AlarmEvent::SunRise, kDay},
          {At(23, 55, 0), AlarmEvent::SunRise, kDay + 1}}},
        {"and none tomorrow", kDay + 1, {{AlarmEvent::SunRise, minutes(-15)}}, {}},
        {"yesterday's late sunset rings after midnight",
         kDay,
         {{AlarmEvent::SunSet, minutes(30)}},
         {{At(0, 20, 0), AlarmEvent::SunSet, kDay - 1}, {At(22, 10, 0), AlarmEvent::SunSet, kDay}}},
        {"a day the sun stays up has no sunset alarm", kDay + 2, {{AlarmEvent::SunSet}}, {}},
        {"no sunset, and the day before's alarm rang that day",
         kDay + 1,
         {{AlarmEvent::SunSet, minutes(30)}},
         {}},
        {"a kind the program does not compute", kDay, {{AlarmEvent::CivilDusk}}, {}},
        {"one alarm per kind",
         kDay - 2,
         {{AlarmEvent::SunSet, minutes(-15)}, {AlarmEvent::SunSet, minutes(0)}},
         {{At(21, 25, 0), AlarmEvent::SunSet, kDay - 2}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RingsOf(AlarmsOn(c.day, c.alarms, sky.Lookup())), c.rings) << c.what;
    }
}

// The tick and the list agree: a clock that runs through four days second by
// second raises on each date exactly the alarms listed for it.
TEST(AlarmState, TicksThroughTheDaysRaiseWhatTheListSays) {
    Sky sky;
    sky.Usual(AlarmEvent::SunRise, At(5, 0, 0));
    sky.Usual(AlarmEvent::SunSet, At(21, 40, 0));
    sky.Set(AlarmEvent::SunRise, kDay + 1, EventStatus::Normal, At(0, 10, 0));
    sky.Set(AlarmEvent::SunRise, kDay + 2, EventStatus::Normal, At(0, 5, 0));
    sky.Set(AlarmEvent::SunSet, kDay, EventStatus::Normal, At(23, 50, 0));
    sky.Set(AlarmEvent::SunSet, kDay + 1, EventStatus::UpAllDay, At(21, 40, 0));
    const std::vector<std::vector<AlarmSetup>> setups = {
        {{AlarmEvent::SunRise, minutes(-15)}, {AlarmEvent::SunSet, minutes(30)}},
        {{AlarmEvent::SunRise, kMinAlarmOffset}, {AlarmEvent::SunSet, kMaxAlarmOffset}},
        {{AlarmEvent::SunRise}, {AlarmEvent::SunSet}},
    };
    for (const std::vector<AlarmSetup>& alarms : setups) {
        AlarmState state;
        for (DayNumber day = kDay - 1; day <= kDay + 2; ++day) {
            std::vector<DueAlarm> raised;
            for (int second = 0; second < 86400; ++second) {
                const TickMoment now{day, second};
                const std::optional<TickMoment> before = state.BeginTick(now);
                for (const DueAlarm& d : state.FireDue(alarms, sky.Lookup(), before, now))
                    raised.push_back(d);
            }
            EXPECT_EQ(raised, AlarmsOn(day, alarms, sky.Lookup()))
                << FormatIsoDate(day) << " with offsets " << alarms[0].offset.count() << ", "
                << alarms[1].offset.count();
        }
    }
}

TEST(AlarmState, ShiftedAlarmsKeepTheRulesOfTheTick) {
    Sky sky;
    sky.Usual(AlarmEvent::SunSet, At(21, 40, 0));
    sky.Set(AlarmEvent::SunRise, kDay + 1, EventStatus::Normal, At(0, 10, 0));
    const AlarmSetup sunsetEarly[] = {{AlarmEvent::SunSet, minutes(-15)}};
    const AlarmSetup sunriseEarly[] = {{AlarmEvent::SunRise, minutes(-15)}};
    struct Case {
        const char* what;
        std::span<const AlarmSetup> alarms;
        std::optional<TickMoment> previous;
        TickMoment now;
        bool rings;
    };
    const Case cases[] = {
        {"caught up at the shifted second",
         sunsetEarly,
         TickMoment{kDay, At(21, 24, 30)},
         {kDay, At(21, 25, 20)},
         true},
        {"a minute late still rings",
         sunsetEarly,
         TickMoment{kDay, At(21, 24, 0)},
         {kDay, At(21, 26, 0)},
         true},
        {"over a minute late",
         sunsetEarly,
         TickMoment{kDay, At(21, 24, 0)},
         {kDay, At(21, 26, 1)},
         false},
        {"the unshifted second rings nothing",
         sunsetEarly,
         TickMoment{kDay, At(21, 39, 59)},
         {kDay, At(21, 40, 0)},
         false},
        {"tomorrow's sunrise, tonight",
         sunriseEarly,
         TickMoment{kDay, At(23, 54, 59)},
         {kDay, At(23, 55, 0)},
         true},
        {"its catch-up stays on tonight's date",
         sunriseEarly,
         TickMoment{kDay, At(23, 54, 50)},
         {kDay, At(23, 55, 10)},
         true},
    };
    for (const Case& c : cases) {
        AlarmState state;
        EXPECT_EQ(state.FireDue(c.alarms, sky.Lookup(), c.previous, c.now).size(),
                  c.rings ? 1u : 0u)
            << c.what;
    }
}

TEST(AlarmState, OnceForEachEventDate) {
    const AlarmEventTime tomorrowsSunrise{kDay + 1, EventStatus::Normal, At(0, 10, 0), {}};
    const AlarmEventTime todaysSunrise{kDay, EventStatus::Normal, At(0, 20, 0), {}};
    auto fire = [](AlarmState& state, const AlarmEventTime& event, minutes offset, TickMoment now) {
        return state.Fire(AlarmEvent::SunRise, event, offset, std::nullopt, now);
    };
    {
        // Rung tonight 15 minutes early; the offset then set to +15 does not
        // ring the same sunrise again after midnight.
        AlarmState state;
        EXPECT_TRUE(fire(state, tomorrowsSunrise, minutes(-15), {kDay, At(23, 55, 0)}));
        EXPECT_FALSE(fire(state, tomorrowsSunrise, minutes(15), {kDay + 1, At(0, 25, 0)}));
    }
    {
        // One day rings today's and tomorrow's sunrise; a clock set back over
        // both repeats neither.
        AlarmState state;
        EXPECT_TRUE(fire(state, todaysSunrise, minutes(-15), {kDay, At(0, 5, 0)}));
        EXPECT_TRUE(fire(state, tomorrowsSunrise, minutes(-15), {kDay, At(23, 55, 0)}));
        EXPECT_FALSE(fire(state, todaysSunrise, minutes(-15), {kDay, At(0, 5, 0)}));
        EXPECT_FALSE(fire(state, tomorrowsSunrise, minutes(-15), {kDay, At(23, 55, 0)}));
    }
}

// The day records of the program: the events that alarms follow, and none at
// a place where the sun does not set.
TEST(AlarmEventOf, FollowsTheDayRecord) {
    SiteSettings s = DefaultSettings("/app", 2024);
    const DayNumber midsummer = DayNumber::FromYmd(2024, 6, 21);
    const DayEphemeris day = ComputeDay(s, midsummer);
    const AlarmSetup alarms[] = {{AlarmEvent::SunRise, minutes(-15)},
                                 {AlarmEvent::SunSet, minutes(30)},
                                 {AlarmEvent::CivilDawn}};
    auto lookup = [&s](AlarmEvent kind, DayNumber date) {
        return AlarmEventOf(ComputeDay(s, date), kind);
    };
    const int sunrise =
        static_cast<int>(std::chrono::seconds(day.Event(Body::Sun, EventKind::Rise).Clock).count());
    const int sunset =
        static_cast<int>(std::chrono::seconds(day.Event(Body::Sun, EventKind::Set).Clock).count());
    EXPECT_EQ(RingsOf(AlarmsOn(midsummer, alarms, lookup)),
              (std::vector<Ring>{{sunrise - 15 * 60, AlarmEvent::SunRise, midsummer},
                                 {sunset + 30 * 60, AlarmEvent::SunSet, midsummer}}));

    s.LatitudeMinutes = 78 * 60;  // the sun stays up all of midsummer's day
    ASSERT_EQ(ComputeDay(s, midsummer).Event(Body::Sun, EventKind::Set).Status,
              EventStatus::UpAllDay);
    EXPECT_TRUE(AlarmsOn(midsummer, alarms, lookup).empty());
}

// Near the polar circle (69°00' N 20°00' E) around the midnight sun: an alarm
// rings for the sunrise or sunset that happened, also on a day without the
// other, at its clock time, and never for one that did not happen.
TEST(AlarmEventOf, RingsForTheEventsThatHappened) {
    SiteSettings s = DefaultSettings("/app", 2024);
    s.LatitudeMinutes = 4140;
    s.LongitudeMinutes = 1200;
    const AlarmSetup alarms[] = {{AlarmEvent::SunRise}, {AlarmEvent::SunSet}};
    auto lookup = [&s](AlarmEvent kind, DayNumber date) {
        return AlarmEventOf(ComputeDay(s, date), kind);
    };
    const struct {
        DayNumber date;
        EventStatus status;
        bool rise, set;
    } cases[] = {
        {DayNumber::FromYmd(2024, 5, 18), EventStatus::Normal, true, true},
        // The sunset at 23:09 standard time is 00:09 of the next date on the
        // summer clock, so the 19th has a sunrise and no sunset, and the 20th
        // a sunset at 00:09 and a sunrise at 01:00.
        {DayNumber::FromYmd(2024, 5, 19), EventStatus::NoSet, true, false},
        {DayNumber::FromYmd(2024, 5, 20), EventStatus::Normal, true, true},
        {DayNumber::FromYmd(2024, 6, 21), EventStatus::UpAllDay, false, false},
        // The first sunset after the midnight sun, 23:59 standard time, is
        // 00:59 of the 23rd on the clock.
        {DayNumber::FromYmd(2024, 7, 22), EventStatus::UpAllDay, false, false},
        {DayNumber::FromYmd(2024, 7, 23), EventStatus::Normal, true, true},
        {DayNumber::FromYmd(2024, 12, 21), EventStatus::DownAllDay, false, false},
    };
    for (const auto& c : cases) {
        const DayEphemeris day = ComputeDay(s, c.date);
        ASSERT_EQ(day.Event(Body::Sun, EventKind::Rise).Status, c.status) << FormatIsoDate(c.date);
        std::vector<Ring> expected;
        auto secondOf = [&](EventKind kind) {
            return static_cast<int>(
                std::chrono::seconds(*day.Event(Body::Sun, kind).CrossingClock).count());
        };
        if (c.rise) expected.push_back({secondOf(EventKind::Rise), AlarmEvent::SunRise, c.date});
        if (c.set) expected.push_back({secondOf(EventKind::Set), AlarmEvent::SunSet, c.date});
        std::sort(expected.begin(), expected.end(),
                  [](const Ring& a, const Ring& b) { return a.second < b.second; });
        EXPECT_EQ(RingsOf(AlarmsOn(c.date, alarms, lookup)), expected) << FormatIsoDate(c.date);
    }
}

}  // namespace
}  // namespace dawn
