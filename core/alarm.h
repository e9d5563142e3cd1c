// When the sunrise and sunset alarms fire.
//
// The clock ticks once a second and an alarm fires in the tick that falls in
// the second of its event (the events fall on whole minutes, so that is second
// 0 of the event's minute). Three rules keep this honest:
//  - Only an event that happens that day fires (status Normal). On a day
//    without a sunrise the record still holds a placeholder time (00:00,
//    23:59, or 12:00 for both events when the sun stays down), and that
//    placeholder is no sunrise.
//  - A late tick does not lose the alarm. A busy machine can skip a second;
//    when the event's second lies after the previous tick and at or before
//    this one, on the same date and at most a minute back, this tick fires it.
//  - An alarm fires at most once per event and date, so moving the calendar
//    back and forth over the event (or a clock set back) does not repeat it.
#pragma once

#include <array>
#include <optional>

#include "astro/astro.h"
#include "core/daynumber.h"

namespace dawn {

enum class AlarmEvent { SunRise = 0, SunSet = 1 };

// The wall-clock moment of one tick.
struct TickMoment {
    DayNumber date;
    int secondOfDay = 0;  // 0..86399
    friend constexpr bool operator==(const TickMoment&, const TickMoment&) = default;
};

// How far back a late tick still raises a missed alarm.
inline constexpr int kAlarmCatchUpSeconds = 60;

// Whether an event at `eventSecondOfDay` falls to the tick at `now`, given
// the tick before it (none for the first tick of the run). A tick on another
// date than the previous one, or one behind it (the clock was set back),
// fires only for its own second.
bool AlarmDue(EventStatus status, int eventSecondOfDay, const std::optional<TickMoment>& previous,
              TickMoment now);

// The alarm memory of a running program: the moment of the last tick and the
// date each alarm last fired on.
class AlarmState {
public:
    // Called at the start of every tick: remembers `now` and returns the moment
    // of the tick before (nullopt for the first). A tick that opens a modal
    // window keeps the returned moment, so the ticks nested inside it and the
    // rest of the outer tick each compare against their own predecessor.
    std::optional<TickMoment> BeginTick(TickMoment now);

    // True when the event's alarm is due at `now` and has not fired yet on
    // now's date; it then counts as fired (before any sound or picture, so a
    // tick nested in the alarm's own picture window cannot raise it again).
    bool Fire(AlarmEvent event, EventStatus status, int eventSecondOfDay,
              const std::optional<TickMoment>& previous, TickMoment now);

private:
    std::optional<TickMoment> lastTick_;
    std::array<std::optional<DayNumber>, 2> firedOn_{};
};

}  // namespace dawn
