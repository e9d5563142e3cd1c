#include "core/seenday.h"

#include <optional>

#include "core/clockday.h"

namespace dawn {

namespace {

// Any day's scan in standard time, laid on the clock days as the sky day's
// twilights are: a crossing the clock carries into the next date is taken
// from the standard day before.
template <typename Scan>
void ForEachClockDay(const SiteSettings& settings, DayNumber from, DayNumber to, Scan scan,
                     const SeenDayCallback& onDay) {
    if (to < from) return;
    auto scanned = [&](DayNumber date) {
        return ScannedDayOf(date, ClockRulesOf(settings, date),
                            scan(date.ToDate(), PlaceOf(settings, date)));
    };
    std::optional<ScannedDay> before;
    if (MayRunIntoNextDate(ClockRulesOf(settings, from - 1), from - 1)) before = scanned(from - 1);
    for (DayNumber d = from;; ++d) {
        ScannedDay today = scanned(d);
        if (!onDay(SeenDay{d, ClockDayEvents(before, today)}) || d == to) return;
        before = std::move(today);
    }
}

}  // namespace

void ForEachDayFromHeight(const SiteSettings& settings, DayNumber from, DayNumber to,
                          const SeenDayCallback& onDay) {
    const double metres = settings.ObserverHeightMetres;
    ForEachClockDay(
        settings, from, to,
        [metres](std::chrono::year_month_day date, const Place& place) {
            return ComputeSunDayFromHeight(date, place, metres);
        },
        onDay);
}

void ForEachVisibleDay(const SiteSettings& settings, std::span<const HorizonPoint> profile,
                       DayNumber from, DayNumber to, const SeenDayCallback& onDay) {
    ForEachClockDay(
        settings, from, to,
        [profile](std::chrono::year_month_day date, const Place& place) {
            const VisibleSunDay seen = ComputeVisibleSunDay(date, place, profile);
            return Twilight{seen.rise, seen.set};
        },
        onDay);
}

void ForEachOwnEventDay(const SiteSettings& settings, const std::vector<UserEvent>& events,
                        std::size_t index, DayNumber from, DayNumber to,
                        const SeenDayCallback& onDay, const EventSight& sight) {
    ForEachClockDay(
        settings, from, to,
        [&events, index, &sight](std::chrono::year_month_day date, const Place& place) {
            return ComputeUserEvent(events, index, date, place, sight);
        },
        onDay);
}

}  // namespace dawn
