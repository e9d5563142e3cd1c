#include "core/alarm.h"

#include <algorithm>

#include "core/dayephemeris.h"

namespace dawn {
namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

// Whole days, rounded down, in a number of seconds.
std::int64_t FloorDays(std::int64_t seconds) {
    std::int64_t days = seconds / kSecondsPerDay;
    if (seconds % kSecondsPerDay < 0) --days;
    return days;
}

std::size_t IndexOf(AlarmEvent kind) {
    return static_cast<std::size_t>(kind);
}

// False for an alarm of no known kind, and for one whose kind an earlier
// alarm of the list already has.
bool Counts(std::span<const AlarmSetup> alarms, std::size_t i) {
    if (IndexOf(alarms[i].kind) >= kAlarmEventCount) return false;
    return std::none_of(
        alarms.begin(), alarms.begin() + static_cast<std::ptrdiff_t>(i),
        [&](const AlarmSetup& a) { return a.kind == alarms[i].kind && a.own == alarms[i].own; });
}

// The event an alarm follows on `date`.
std::optional<AlarmEventTime> EventOf(const AlarmSetup& a, DayNumber date,
                                      const AlarmEventLookup& eventOf,
                                      const OwnAlarmEventLookup& ownOf) {
    if (a.own.empty()) return eventOf ? eventOf(a.kind, date) : std::nullopt;
    if (!ownOf || (a.kind != AlarmEvent::SunRise && a.kind != AlarmEvent::SunSet))
        return std::nullopt;
    return ownOf(a.own, a.kind, date);
}

}  // namespace

TickMoment AlarmMoment(DayNumber eventDate, int eventSecondOfDay, std::chrono::minutes offset) {
    const std::int64_t second =
        eventSecondOfDay + std::chrono::duration_cast<std::chrono::seconds>(offset).count();
    const std::int64_t days = FloorDays(second);
    return {eventDate + static_cast<std::int32_t>(days),
            static_cast<int>(second - days * kSecondsPerDay)};
}

TickMoment AlarmMoment(const AlarmEventTime& event, std::chrono::minutes offset,
                       const WallClockOf& wall) {
    if (!wall || !event.utcOffset) return AlarmMoment(event.date, event.secondOfDay, offset);
    using namespace std::chrono;
    const sys_seconds instant = sys_days{event.date.ToDate()} + seconds{event.secondOfDay} -
                                duration_cast<seconds>(*event.utcOffset);
    return wall(instant + duration_cast<seconds>(offset));
}

std::vector<DayNumber> AlarmEventDates(DayNumber day, std::chrono::minutes offset) {
    // An event at second s of date E rings on E + floor((s + offset) / day);
    // s runs over one day, so the shift takes one or two neighbouring values.
    const std::int64_t shift = std::chrono::duration_cast<std::chrono::seconds>(offset).count();
    const std::int64_t first = FloorDays(shift);
    const std::int64_t last = FloorDays(shift + kSecondsPerDay - 1);
    std::vector<DayNumber> dates;
    for (std::int64_t k = last; k >= first; --k)
        dates.push_back(day - static_cast<std::int32_t>(k));
    return dates;
}

bool AlarmDue(EventStatus status, TickMoment alarm, const std::optional<TickMoment>& previous,
              TickMoment now) {
    if (status != EventStatus::Normal) return false;
    if (alarm == now) return true;
    if (alarm.date != now.date || !previous || previous->date != now.date) return false;
    return previous->secondOfDay < alarm.secondOfDay && alarm.secondOfDay <= now.secondOfDay &&
           now.secondOfDay - alarm.secondOfDay <= kAlarmCatchUpSeconds;
}

bool AlarmDue(EventStatus status, int eventSecondOfDay, const std::optional<TickMoment>& previous,
              TickMoment now) {
    return AlarmDue(status, TickMoment{now.date, eventSecondOfDay}, previous, now);
}

std::optional<TickMoment> AlarmState::BeginTick(TickMoment now) {
    std::optional<TickMoment> before = lastTick_;
    lastTick_ = now;
    return before;
}

bool AlarmState::Fire(AlarmEvent kind, const AlarmEventTime& event, std::chrono::minutes offset,
                      const std::optional<TickMoment>& previous, TickMoment now,
                      const WallClockOf& wall) {
    if (IndexOf(kind) >= kAlarmEventCount) return false;
    if (!AlarmDue(event.status, AlarmMoment(event, offset, wall), previous, now)) return false;
    return FireOnce(fired_[IndexOf(kind)], event, now);
}

bool AlarmState::Fire(const AlarmSetup& alarm, const AlarmEventTime& event,
                      const std::optional<TickMoment>& previous, TickMoment now,
                      const WallClockOf& wall) {
    if (alarm.own.empty()) return Fire(alarm.kind, event, alarm.offset, previous, now, wall);
    if (IndexOf(alarm.kind) >= kAlarmEventCount) return false;
    if (!AlarmDue(event.status, AlarmMoment(event, alarm.offset, wall), previous, now))
        return false;
    return FireOnce(ownFired_[{alarm.own, alarm.kind}], event, now);
}

bool AlarmState::FireOnce(Fired& fired, const AlarmEventTime& event, TickMoment now) {
    if (fired.lastEvent == event.date) return false;
    if (fired.ringDay == now.date) {
        if (std::find(fired.eventsRungOn.begin(), fired.eventsRungOn.end(), event.date) !=
            fired.eventsRungOn.end())
            return false;
    } else {
        fired.ringDay = now.date;
        fired.eventsRungOn.clear();
    }
    fired.lastEvent = event.date;
    fired.eventsRungOn.push_back(event.date);
    return true;
}

bool AlarmState::Fire(AlarmEvent kind, EventStatus status, int eventSecondOfDay,
                      const std::optional<TickMoment>& previous, TickMoment now) {
    return Fire(kind, AlarmEventTime{now.date, status, eventSecondOfDay, std::nullopt},
                std::chrono::minutes{0}, previous, now);
}

std::vector<DueAlarm> AlarmState::FireDue(std::span<const AlarmSetup> alarms,
                                          const AlarmEventLookup& eventOf,
                                          const std::optional<TickMoment>& previous, TickMoment now,
                                          const WallClockOf& wall,
                                          const OwnAlarmEventLookup& ownOf) {
    std::vector<DueAlarm> raised;
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        const AlarmSetup& a = alarms[i];
        if (!Counts(alarms, i)) continue;
        for (DayNumber date : AlarmEventDates(now.date, a.offset)) {
            const std::optional<AlarmEventTime> event = EventOf(a, date, eventOf, ownOf);
            if (!event || !Fire(a, *event, previous, now, wall)) continue;
            const TickMoment at = AlarmMoment(*event, a.offset, wall);
            raised.push_back({at.secondOfDay, a.kind, a.offset, a.channel, *event, a.own});
        }
    }
    return raised;
}

std::vector<DueAlarm> AlarmsOn(DayNumber day, std::span<const AlarmSetup> alarms,
                               const AlarmEventLookup& eventOf, const WallClockOf& wall,
                               const OwnAlarmEventLookup& ownOf) {
    std::vector<DueAlarm> due;
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        const AlarmSetup& a = alarms[i];
        if (!Counts(alarms, i)) continue;
        for (DayNumber date : AlarmEventDates(day, a.offset)) {
            const std::optional<AlarmEventTime> event = EventOf(a, date, eventOf, ownOf);
            if (!event || event->status != EventStatus::Normal) continue;
            const TickMoment at = AlarmMoment(*event, a.offset, wall);
            if (at.date == day)
                due.push_back({at.secondOfDay, a.kind, a.offset, a.channel, *event, a.own});
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const DueAlarm& x, const DueAlarm& y) {
        return x.secondOfDay < y.secondOfDay;
    });
    return due;
}

std::optional<AlarmEventTime> AlarmEventOf(const DayEphemeris& day, AlarmEvent kind) {
    auto secondOf = [](std::chrono::minutes m) {
        return static_cast<int>(std::chrono::seconds(m).count());
    };
    switch (kind) {
        case AlarmEvent::SunRise:
        case AlarmEvent::SunSet: {
            const EventEntry& e = day.Event(
                Body::Sun, kind == AlarmEvent::SunRise ? EventKind::Rise : EventKind::Set);
            if (e.CrossingClock)
                return AlarmEventTime{day.Date, EventStatus::Normal, secondOf(*e.CrossingClock),
                                      e.CrossingOffset};
            return AlarmEventTime{day.Date, e.Status, secondOf(e.Clock), std::nullopt};
        }
        default:
            return std::nullopt;
    }
}

}  // namespace dawn
