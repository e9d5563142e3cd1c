#include "core/alarm.h"

namespace dawn {

bool AlarmDue(EventStatus status, int eventSecondOfDay, const std::optional<TickMoment>& previous,
              TickMoment now) {
    if (status != EventStatus::Normal) return false;
    if (eventSecondOfDay == now.secondOfDay) return true;
    if (!previous || previous->date != now.date) return false;
    return previous->secondOfDay < eventSecondOfDay && eventSecondOfDay <= now.secondOfDay &&
           now.secondOfDay - eventSecondOfDay <= kAlarmCatchUpSeconds;
}

std::optional<TickMoment> AlarmState::BeginTick(TickMoment now) {
    std::optional<TickMoment> before = lastTick_;
    lastTick_ = now;
    return before;
}

bool AlarmState::Fire(AlarmEvent event, EventStatus status, int eventSecondOfDay,
                      const std::optional<TickMoment>& previous, TickMoment now) {
    if (!AlarmDue(status, eventSecondOfDay, previous, now)) return false;
    std::optional<DayNumber>& fired = firedOn_[static_cast<std::size_t>(event)];
    if (fired == now.date) return false;
    fired = now.date;
    return true;
}

}  // namespace dawn
