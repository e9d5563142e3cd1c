#include "core/alarmevents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/dayephemeris.h"
#include "core/horizonprofile.h"
#include "core/seenday.h"

namespace dawn {
namespace {

using std::chrono::minutes;

int SecondOf(minutes m) {
    return static_cast<int>(std::chrono::seconds(m).count());
}

TEST(AlarmEventAt, SunriseAndSunsetAreTheDayRecordsAndTwilightTakesSummerTime) {
    SiteSettings s = DefaultSettings("/app", 2024);
    for (const DayNumber date : {DayNumber::FromYmd(2024, 1, 15), DayNumber::FromYmd(2024, 6, 21),
                                 DayNumber::FromYmd(2024, 3, 31)}) {
        SCOPED_TRACE(date.Value());
        const DayEphemeris day = ComputeDay(s, date);
        for (const AlarmEvent kind : {AlarmEvent::SunRise, AlarmEvent::SunSet}) {
            const EventEntry& e = day.Event(
                Body::Sun, kind == AlarmEvent::SunRise ? EventKind::Rise : EventKind::Set);
            const AlarmEventDetail got = AlarmEventAt(s, kind, date);
            EXPECT_EQ(got.time,
                      (AlarmEventTime{date, e.Status, SecondOf(e.Clock), e.CrossingOffset}));
            EXPECT_EQ(got.azimuth, e.Azimuth);
        }
        // Civil dawn and dusk on the same clock as the sunrise.
        const Twilight civil =
            ComputeSunDayEvents(date.ToDate(), PlaceOf(s, date)).Of(TwilightKind::Civil);
        const minutes shift = day.Event(Body::Sun, EventKind::Rise).Clock -
                              day.Event(Body::Sun, EventKind::Rise).Standard;
        EXPECT_EQ(AlarmEventAt(s, AlarmEvent::CivilDawn, date).time.secondOfDay,
                  SecondOf(civil.dawn.minute + shift));
        EXPECT_EQ(AlarmEventAt(s, AlarmEvent::CivilDusk, date).time.secondOfDay,
                  SecondOf(civil.dusk.minute + shift));
        EXPECT_FALSE(AlarmEventAt(s, AlarmEvent::CivilDusk, date).azimuth.has_value());
    }
}

TEST(SettingsAlarmsOn, RingsTheAlarmsThatAreOnWithTheirOffsets) {
    SiteSettings s = DefaultSettings("/app", 2024);
    const DayNumber day = DayNumber::FromYmd(2024, 6, 21);
    const int sunrise = AlarmEventAt(s, AlarmEvent::SunRise, day).time.secondOfDay;
    const int sunset = AlarmEventAt(s, AlarmEvent::SunSet, day).time.secondOfDay;
    const int dusk = AlarmEventAt(s, AlarmEvent::CivilDusk, day).time.secondOfDay;

    // The designed alarms: sunrise and sunset, at their events.
    std::vector<DueAlarm> due = SettingsAlarmsOn(s, day);
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].secondOfDay, sunrise);
    EXPECT_EQ(due[1].secondOfDay, sunset);

    s.Alarms[0] = {true, minutes(-15), AlarmChannel::Notification};
    s.Alarms[1] = {true, minutes(30), AlarmChannel::Both};
    s.Alarms[3] = {true, minutes(0), AlarmChannel::Picture};
    due = SettingsAlarmsOn(s, day);
    ASSERT_EQ(due.size(), 3u);
    EXPECT_EQ(due[0].secondOfDay, sunrise - 15 * 60);
    EXPECT_EQ(due[0].channel, AlarmChannel::Notification);
    EXPECT_EQ(due[1].secondOfDay, sunset + 30 * 60);
    EXPECT_EQ(due[1].channel, AlarmChannel::Both);
    EXPECT_EQ(due[2].kind, AlarmEvent::CivilDusk);
    EXPECT_EQ(due[2].secondOfDay, dusk);

    // Three hours after the sunset of midsummer lies after midnight: that
    // alarm rings the next day, and midsummer rings the one of the day before.
    s.Alarms = DefaultAlarmChoices();
    s.Alarms[0].On = false;
    s.Alarms[1].Offset = minutes(180);
    due = SettingsAlarmsOn(s, day + 1);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].event.date, day);
    EXPECT_EQ(due[0].secondOfDay, sunset + 180 * 60 - 24 * 3600);
    due = SettingsAlarmsOn(s, day);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].event.date, day - 1);

    // Far north the sun and civil twilight stay all day: no alarm at all.
    s.Alarms = DefaultAlarmChoices();
    for (AlarmChoice& a : s.Alarms) a.On = true;
    s.LatitudeMinutes = 69 * 60 + 40;
    EXPECT_TRUE(SettingsAlarmsOn(s, day).empty());
}

// An own event's alarm rings at its side's minute plus its offset, once,
// beside the designed alarms; an event without an alarm field rings nothing.
TEST(SettingsAlarmsOn, OwnEventsRingWithTheirOffsetsAndWays) {
    SiteSettings s = DefaultSettings("/app", 2024);
    const DayNumber day = DayNumber::FromYmd(2024, 6, 21);
    const std::vector<UserEvent> events = {
        {"Photo", UserEventKind::Elevation, 10, UserEventSide::Both, false, "",
         UserEventAlarm{minutes(-15), AlarmChannel::Both}},
        {"Prayer", UserEventKind::Elevation, -10, UserEventSide::Rising, false, "",
         UserEventAlarm{minutes(5), AlarmChannel::Notification}},
        {"Quiet", UserEventKind::Elevation, 20, UserEventSide::Both, false, "", std::nullopt},
        {"Before", UserEventKind::Offset, -30, UserEventSide::Both, false, "sunset",
         UserEventAlarm{minutes(0), AlarmChannel::Picture}},
    };
    auto at = [&](const char* name, AlarmEvent side) {
        const std::optional<AlarmEventTime> e = OwnAlarmEventAt(s, events, name, side, day);
        EXPECT_TRUE(e && e->status == EventStatus::Normal) << name;
        return e ? e->secondOfDay : -1;
    };
    const int sunset = AlarmEventAt(s, AlarmEvent::SunSet, day).time.secondOfDay;
    EXPECT_EQ(at("Before", AlarmEvent::SunSet), sunset - 30 * 60);
    EXPECT_FALSE(OwnAlarmEventAt(s, events, "Nobody", AlarmEvent::SunRise, day));

    struct Expected {
        const char* own;
        AlarmEvent side;
        int second;
        AlarmChannel channel;
    };
    std::vector<Expected> want = {
        {"", AlarmEvent::SunRise, AlarmEventAt(s, AlarmEvent::SunRise, day).time.secondOfDay,
         AlarmChannel::Picture},
        {"", AlarmEvent::SunSet, sunset, AlarmChannel::Picture},
        {"Photo", AlarmEvent::SunRise, at("Photo", AlarmEvent::SunRise) - 15 * 60,
         AlarmChannel::Both},
        {"Photo", AlarmEvent::SunSet, at("Photo", AlarmEvent::SunSet) - 15 * 60,
         AlarmChannel::Both},
        {"Prayer", AlarmEvent::SunRise, at("Prayer", AlarmEvent::SunRise) + 5 * 60,
         AlarmChannel::Notification},
        {"Before", AlarmEvent::SunSet, sunset - 30 * 60, AlarmChannel::Picture},
    };
    std::stable_sort(want.begin(), want.end(),
                     [](const Expected& a, const Expected& b) { return a.second < b.second; });
    const std::vector<DueAlarm> due = SettingsAlarmsOn(s, day, events);
    ASSERT_EQ(due.size(), want.size());
    for (std::size_t i = 0; i < due.size(); ++i) {
        SCOPED_TRACE(want[i].own);
        EXPECT_EQ(due[i].own, want[i].own);
        EXPECT_EQ(due[i].kind, want[i].side);
        EXPECT_EQ(due[i].secondOfDay, want[i].second);
        EXPECT_EQ(due[i].channel, want[i].channel);
    }

    // The clock rings the morning photo alarm in its own second and only once,
    // while the designed sunrise alarm keeps a memory of its own.
    const std::vector<AlarmSetup> alarms = OwnEventAlarms(events);
    ASSERT_EQ(alarms.size(), 4u);
    const int photo = at("Photo", AlarmEvent::SunRise) - 15 * 60;
    AlarmState state;
    const AlarmEventLookup designed = AlarmEventsAt(s);
    const OwnAlarmEventLookup own = OwnAlarmEventsAt(s, events);
    const WallClockOf wall = WallClockAt(s);
    std::vector<std::string> rung;
    for (int second = photo - 2; second <= photo + 2; ++second) {
        const TickMoment now{day, second};
        const std::optional<TickMoment> previous = state.BeginTick(now);
        for (const DueAlarm& a : state.FireDue(alarms, designed, previous, now, wall, own)) {
            EXPECT_EQ(second, photo);
            rung.push_back(a.own);
        }
    }
    EXPECT_EQ(rung, std::vector<std::string>{"Photo"});
    const TickMoment again{day, photo};
    EXPECT_TRUE(state.FireDue(alarms, designed, state.BeginTick(again), again, wall, own).empty());
}

// An alarm ten minutes before the sun shows over the ridge rings ten minutes
// before the visible rise behind the skyline, not before the sunrise, and
// the sight the lookup was made with is the one it keeps.
TEST(SettingsAlarmsOn, RingsBeforeTheVisibleRise) {
    SiteSettings s = DefaultSettings("/app", 2024);
    const DayNumber day = DayNumber::FromYmd(2024, 6, 21);
    const std::vector<HorizonPoint> jagged =
        ReadHorizonProfile(std::string(DAWN_SOURCE_DIR) + "/astro/testdata/jagged_horizon.txt")
            .points;
    const std::vector<UserEvent> events = {{"Sun over the ridge", UserEventKind::Offset, 0,
                                            UserEventSide::Both, false, "visible sunrise",
                                            UserEventAlarm{minutes(-10), AlarmChannel::Both}}};
    int visibleRise = -1;
    ForEachVisibleDay(s, jagged, day, day, [&](const SeenDay& d) {
        visibleRise = SecondOf(*d[EventKind::Rise].CrossingClock);
        return false;
    });
    const int sunrise = AlarmEventAt(s, AlarmEvent::SunRise, day).time.secondOfDay;
    ASSERT_GT(visibleRise, sunrise + 10 * 60);

    for (const auto& [sight, event] :
         {std::pair{EventSight{0, jagged}, visibleRise}, {EventSight{}, sunrise}}) {
        SCOPED_TRACE(event);
        const std::vector<DueAlarm> due = SettingsAlarmsOn(s, day, events, sight);
        const auto own =
            std::find_if(due.begin(), due.end(), [](const DueAlarm& a) { return !a.own.empty(); });
        ASSERT_NE(own, due.end());
        EXPECT_EQ(own->own, "Sun over the ridge");
        EXPECT_EQ(own->kind, AlarmEvent::SunRise);
        EXPECT_EQ(own->event.secondOfDay, event);
        EXPECT_EQ(own->secondOfDay, event - 10 * 60);
        EXPECT_EQ(
            std::count_if(due.begin(), due.end(), [](const DueAlarm& a) { return !a.own.empty(); }),
            1);
    }
}

}  // namespace
}  // namespace dawn
