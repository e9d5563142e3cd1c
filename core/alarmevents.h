// The events the alarms follow, computed for the settings' place: sunrise and
// sunset as the day record holds them (AlarmEventOf), civil dawn and dusk from
// the sky day by the same rule (the crossing that happened, else the day's
// status), each on the user's clock day at the clock time of its instant.
#pragma once

#include <optional>
#include <vector>

#include "core/alarm.h"
#include "core/daynumber.h"
#include "core/settings.h"
#include "core/userevents.h"

namespace dawn {

struct AlarmEventDetail {
    AlarmEventTime time;
    std::optional<double> azimuth;  // none for a twilight, or without a crossing
};

// The event of `kind` on `date`. `settings` must have its rules resolved.
AlarmEventDetail AlarmEventAt(const SiteSettings& settings, AlarmEvent kind, DayNumber date);

// The lookup the alarm rules take, over AlarmEventAt. `settings` must outlive it.
AlarmEventLookup AlarmEventsAt(const SiteSettings& settings);

// The wall clock of the settings' place: an instant read with the standard
// offset of its date and the summer time in force at it. `settings` must
// outlive it.
WallClockOf WallClockAt(const SiteSettings& settings);

// The alarms the user's own events carry, in the order of the events: one
// per side the event has (rising first), `own` naming the event.
std::vector<AlarmSetup> OwnEventAlarms(const std::vector<UserEvent>& events);

// The side (SunRise or SunSet) of the user's event `name` on `date`, by the
// same rule as the twilights: the crossing that happened, else the status.
// Nullopt for a name the list does not hold. `sight` gives the visible
// sunrise and sunset (ForEachOwnEventDay).
std::optional<AlarmEventTime> OwnAlarmEventAt(const SiteSettings& settings,
                                              const std::vector<UserEvent>& events,
                                              const std::string& name, AlarmEvent side,
                                              DayNumber date, const EventSight& sight = {});

// The lookup the alarm rules take, over OwnAlarmEventAt. `settings`,
// `events` and the sight's profile must outlive it.
OwnAlarmEventLookup OwnAlarmEventsAt(const SiteSettings& settings,
                                     const std::vector<UserEvent>& events,
                                     const EventSight& sight = {});

// Every alarm of the settings, and of the user's `events` (their visible
// sunrise and sunset seen with `sight`), that rings on `day`, in the order
// they ring.
std::vector<DueAlarm> SettingsAlarmsOn(const SiteSettings& settings, DayNumber day,
                                       const std::vector<UserEvent>& events = {},
                                       const EventSight& sight = {});

}  // namespace dawn
