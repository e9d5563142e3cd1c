#include "core/alarmevents.h"

#include <algorithm>

#include "core/dayephemeris.h"
#include "core/seenday.h"
#include "core/skyday.h"

namespace dawn {

AlarmEventDetail AlarmEventAt(const SiteSettings& settings, AlarmEvent kind, DayNumber date) {
    if (kind == AlarmEvent::SunRise || kind == AlarmEvent::SunSet) {
        // Exactly what the day record says, as the window shows it.
        const DayEphemeris day = ComputeDay(settings, date);
        const EventKind k = kind == AlarmEvent::SunRise ? EventKind::Rise : EventKind::Set;
        return {*AlarmEventOf(day, kind), day.Event(Body::Sun, k).Azimuth};
    }
    // A twilight that happened, also on a day without the other one (a dusk
    // on a day the sky never got light enough for a dawn), rings at its time;
    // otherwise the day's status says why not.
    const SkyDay sky = ComputeSkyDay(settings, date);
    const EventValues& e =
        sky[TwilightKind::Civil][kind == AlarmEvent::CivilDawn ? EventKind::Rise : EventKind::Set];
    auto secondOf = [](std::chrono::minutes m) {
        return static_cast<int>(std::chrono::seconds(m).count());
    };
    if (e.CrossingClock)
        return {
            AlarmEventTime{date, EventStatus::Normal, secondOf(*e.CrossingClock), e.CrossingOffset},
            std::nullopt};
    return {AlarmEventTime{date, e.Status, secondOf(e.Clock), std::nullopt}, std::nullopt};
}

WallClockOf WallClockAt(const SiteSettings& settings) {
    return [&settings](std::chrono::sys_seconds instant) {
        using namespace std::chrono;
        const sys_time<minutes> standard = StandardMinuteOf(settings, floor<minutes>(instant));
        const sys_days standardDate = floor<days>(standard);
        const DayNumber day = DayNumber::FromDate(year_month_day{standardDate});
        const ClockMoment clock = ClockRulesOf(settings, day).ClockAt(day, standard - standardDate);
        const seconds within = instant - floor<minutes>(instant);
        return TickMoment{clock.date, static_cast<int>(duration_cast<seconds>(clock.time).count() +
                                                       within.count())};
    };
}

AlarmEventLookup AlarmEventsAt(const SiteSettings& settings) {
    return [&settings](AlarmEvent kind, DayNumber date) -> std::optional<AlarmEventTime> {
        if (static_cast<std::size_t>(kind) >= kAlarmEventCount) return std::nullopt;
        return AlarmEventAt(settings, kind, date).time;
    };
}

std::vector<AlarmSetup> OwnEventAlarms(const std::vector<UserEvent>& events) {
    std::vector<AlarmSetup> alarms;
    for (const UserEvent& e : events) {
        if (!e.alarm) continue;
        const UserEventSide sides = SidesOf(events, e.name).value_or(UserEventSide::Both);
        for (const AlarmEvent side : {AlarmEvent::SunRise, AlarmEvent::SunSet}) {
            if (sides ==
                (side == AlarmEvent::SunRise ? UserEventSide::Setting : UserEventSide::Rising))
                continue;
            alarms.push_back({side, e.alarm->offset, e.alarm->channel, e.name});
        }
    }
    return alarms;
}

std::optional<AlarmEventTime> OwnAlarmEventAt(const SiteSettings& settings,
                                              const std::vector<UserEvent>& events,
                                              const std::string& name, AlarmEvent side,
                                              DayNumber date, const EventSight& sight) {
    const auto at = std::find_if(events.begin(), events.end(),
                                 [&name](const UserEvent& e) { return e.name == name; });
    if (at == events.end() || (side != AlarmEvent::SunRise && side != AlarmEvent::SunSet))
        return std::nullopt;
    std::optional<AlarmEventTime> time;
    ForEachOwnEventDay(
        settings, events, static_cast<std::size_t>(at - events.begin()), date, date,
        [&](const SeenDay& day) {
            const EventValues& e =
                day[side == AlarmEvent::SunRise ? EventKind::Rise : EventKind::Set];
            auto secondOf = [](std::chrono::minutes m) {
                return static_cast<int>(std::chrono::seconds(m).count());
            };
            if (e.CrossingClock)
                time = AlarmEventTime{date, EventStatus::Normal, secondOf(*e.CrossingClock),
                                      e.CrossingOffset};
            else
                time = AlarmEventTime{date, e.Status, secondOf(e.Clock), std::nullopt};
            return false;
        },
        sight);
    return time;
}

OwnAlarmEventLookup OwnAlarmEventsAt(const SiteSettings& settings,
                                     const std::vector<UserEvent>& events,
                                     const EventSight& sight) {
    return [&settings, &events, sight](const std::string& name, AlarmEvent side, DayNumber date) {
        return OwnAlarmEventAt(settings, events, name, side, date, sight);
    };
}

std::vector<DueAlarm> SettingsAlarmsOn(const SiteSettings& settings, DayNumber day,
                                       const std::vector<UserEvent>& events,
                                       const EventSight& sight) {
    std::vector<AlarmSetup> alarms = ActiveAlarms(settings.Alarms);
    for (AlarmSetup& own : OwnEventAlarms(events)) alarms.push_back(std::move(own));
    return AlarmsOn(day, alarms, AlarmEventsAt(settings), WallClockAt(settings),
                    OwnAlarmEventsAt(settings, events, sight));
}

}  // namespace dawn
