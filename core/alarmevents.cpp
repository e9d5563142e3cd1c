#include "core/alarmevents.h"

#include "core/dayephemeris.h"

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
    const Twilight civil =
        ComputeSunDayEvents(date.ToDate(), PlaceOf(settings, date)).Of(TwilightKind::Civil);
    const EventMinutes& e = kind == AlarmEvent::CivilDawn ? civil.dawn : civil.dusk;
    const EventStatus status = e.crossing ? EventStatus::Normal : e.status;
    const std::chrono::minutes standard = e.crossing.value_or(e.minute);
    const std::chrono::minutes clock = ClockRulesOf(settings, date).ClockTime(date, standard);
    return {AlarmEventTime{date, status, static_cast<int>(std::chrono::seconds(clock).count())},
            std::nullopt};
}

AlarmEventLookup AlarmEventsAt(const SiteSettings& settings) {
    return [&settings](AlarmEvent kind, DayNumber date) -> std::optional<AlarmEventTime> {
        if (static_cast<std::size_t>(kind) >= kAlarmEventCount) return std::nullopt;
        return AlarmEventAt(settings, kind, date).time;
    };
}

std::vector<DueAlarm> SettingsAlarmsOn(const SiteSettings& settings, DayNumber day) {
    const std::vector<AlarmSetup> alarms = ActiveAlarms(settings.Alarms);
    return AlarmsOn(day, alarms, AlarmEventsAt(settings));
}

}  // namespace dawn
