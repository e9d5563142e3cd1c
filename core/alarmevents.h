// The events the alarms follow, computed for the settings' place: sunrise and
// sunset as the day record holds them (AlarmEventOf), civil dawn and dusk from
// the sky day by the same rule (the crossing that happened, else the day's
// status), each on the user's clock day at the clock time of its instant.
#pragma once

#include <optional>

#include "core/alarm.h"
#include "core/daynumber.h"
#include "core/settings.h"

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

// Every alarm of the settings that rings on `day`, in the order they ring.
std::vector<DueAlarm> SettingsAlarmsOn(const SiteSettings& settings, DayNumber day);

}  // namespace dawn
