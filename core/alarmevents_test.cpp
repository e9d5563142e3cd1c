#include "core/alarmevents.h"

#include <gtest/gtest.h>

#include "core/dayephemeris.h"

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

}  // namespace
}  // namespace dawn
