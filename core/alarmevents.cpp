#include "core/alarmevents.h"

#include "core/dayephemeris.h"

namespace dawn {

AlarmEventDetail AlarmEventAt(const SiteSettings& settings, AlarmEvent kind, DayNumber date) {
    const SunDayEvents sun = ComputeSunDayEvents(date.ToDate(), PlaceOf(settings));
    EventStatus status = EventStatus::Normal;
    std::chrono::minutes standard{0};
    std::optional<double> azimuth;
    switch (kind) {
        case AlarmEvent::SunRise:
        case AlarmEvent::SunSet: {
            const RiseSetResult& r =
                kind == AlarmEvent::SunRise ? sun.riseSet.rise : sun.riseSet.set;
            status = r.status;
            standard = r.time;
            azimuth = r.azimuth;
            break;
        }
        default: {
            const Twilight& civil = sun.Of(TwilightKind::Civil);
            const EventMinutes& e = kind == AlarmEvent::CivilDawn ? civil.dawn : civil.dusk;
            status = e.status;
            standard = e.minute;
            break;
        }
    }
    const std::chrono::minutes clock = ApplySummerTime(ComputeDstWindow(settings, date),
                                                       settings.SummerTimeEnabled, date, standard);
    return {AlarmEventTime{date, status, static_cast<int>(std::chrono::seconds(clock).count())},
            azimuth};
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
