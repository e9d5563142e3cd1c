// The sun as it is seen, on each clock day of the settings' place (as the
// blue and golden hours, core/light.h): the rise and set from the
// observer's height, the visible rise and set behind a horizon profile, and
// the user's own events (core/userevents.h). Each comes as the rise (or
// rising side) and the set (or setting side) of the clock day, with the
// clock times the windows, the export and the alarms show.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <vector>

#include "astro/horizon.h"
#include "core/dayephemeris.h"
#include "core/settings.h"
#include "core/userevents.h"

namespace dawn {

struct SeenDay {
    DayNumber date;
    std::array<EventValues, kEventKindCount> events;  // by IndexOf(EventKind)

    const EventValues& operator[](EventKind k) const { return events[IndexOf(k)]; }
};

using SeenDayCallback = std::function<bool(const SeenDay&)>;

// Sunrise and sunset from the settings' ObserverHeightMetres, every date
// from `from` to `to`, oldest first; `onDay` returns false to stop.
void ForEachDayFromHeight(const SiteSettings& settings, DayNumber from, DayNumber to,
                          const SeenDayCallback& onDay);

// The visible rise (the first appearance) and set (the last disappearance)
// behind `profile`.
void ForEachVisibleDay(const SiteSettings& settings, std::span<const HorizonPoint> profile,
                       DayNumber from, DayNumber to, const SeenDayCallback& onDay);

// Event `index` of the user's `events`: its rising side as the rise, its
// setting side as the set; `sight` gives the visible sunrise and sunset an
// offset may count from (not the settings' height, which a caller may
// replace).
void ForEachOwnEventDay(const SiteSettings& settings, const std::vector<UserEvent>& events,
                        std::size_t index, DayNumber from, DayNumber to,
                        const SeenDayCallback& onDay, const EventSight& sight = {});

}  // namespace dawn
