#include "core/skyday.h"

#include <cstdint>
#include <vector>

#include "core/calendar.h"

namespace dawn {
namespace {

EventValues ValuesOf(const EventMinutes& e, const ClockRules& clocks, DayNumber date) {
    EventValues v{e.status,     e.minute,   clocks.ClockTime(date, e.minute),
                  std::nullopt, e.crossing, std::nullopt};
    if (e.crossing) v.CrossingClock = clocks.ClockTime(date, *e.crossing);
    return v;
}

DatePhase PhaseOf(const SiteSettings& settings, DayNumber date, const ClockRules& clocks) {
    return MoonPhaseOfDate(date.ToDate(), settings.LatitudeMinutes / 60.0,
                           static_cast<std::int32_t>(clocks.standardOffset.count()));
}

SkyDay SkyDayOf(const SiteSettings& settings, DayNumber date) {
    const auto ymd = date.ToDate();
    const ClockRules clocks = ClockRulesOf(settings, date);
    const SunDayEvents sun = ComputeSunDayEvents(ymd, PlaceOf(settings, date));
    SkyDay day;
    day.Date = date;
    for (TwilightKind kind : kTwilightKinds) {
        const Twilight& t = sun.Of(kind);
        day.Twilight[IndexOf(kind)].Events = {ValuesOf(t.dawn, clocks, date),
                                              ValuesOf(t.dusk, clocks, date)};
    }
    if (sun.noon) {
        day.Noon = NoonEntry{sun.noon->minute, clocks.ClockTime(date, sun.noon->minute),
                             sun.noon->altitudeDegrees};
    }
    day.Phase = PhaseOf(settings, date, clocks);
    return day;
}

}  // namespace

SkyDay ComputeSkyDay(const SiteSettings& settings, DayNumber date) {
    return SkyDayOf(settings, date);
}

DatePhase MoonPhaseOfDay(const SiteSettings& settings, DayNumber date) {
    return PhaseOf(settings, date, ClockRulesOf(settings, date));
}

void ForEachSkyDay(const SiteSettings& settings, DayNumber from, DayNumber to,
                   const std::function<bool(const SkyDay&)>& onDay) {
    if (to < from) return;
    for (DayNumber d = from;; ++d) {
        if (!onDay(SkyDayOf(settings, d)) || d == to) return;
    }
}

std::chrono::sys_time<std::chrono::minutes> StandardMinuteOf(const SiteSettings& settings,
                                                             UtInstant instant) {
    using namespace std::chrono;
    // An offset is less than a day either way, so the date whose offset is
    // in force is the UT date or one of its neighbours: the first of them
    // whose own midnight is still to come.
    const sys_days utDate = floor<days>(instant);
    for (sys_days date = utDate - days{1};; date += days{1}) {
        const auto offset = static_cast<std::int32_t>(
            StandardOffsetOf(settings, DayNumber::FromDate(year_month_day{date})).count());
        const sys_time<minutes> minute = LocalMinute(instant, offset);
        if (minute < date + days{1} || date > utDate) return minute;
    }
}

NextMoons NextFullAndNewMoon(const SiteSettings& settings, DayNumber date) {
    using namespace std::chrono;
    // From a minute before local midnight of the date (a phase in the last
    // half minute of the day before is listed at the date's 00:00); a
    // lunation and a little more always holds both phases.
    const sys_days day{date.ToDate()};
    const int offset = static_cast<int>(ClockRulesOf(settings, date).standardOffset.count());
    const UtInstant from = UtInstant(day) - minutes(offset + 1);
    const std::vector<PhaseEvent> phases = PrincipalPhasesBetween(from, from + days(31));
    NextMoons next{date, date};
    bool full = false;
    bool fresh = false;
    for (const PhaseEvent& p : phases) {
        // Each phase on the date its own clocks give it.
        const auto local = floor<days>(StandardMinuteOf(settings, p.instant));
        const DayNumber d = DayNumber::FromDate(year_month_day{local});
        if (d < date) continue;
        if (p.phase == PrincipalPhase::FullMoon && !full) {
            next.FullMoon = d;
            full = true;
        } else if (p.phase == PrincipalPhase::NewMoon && !fresh) {
            next.NewMoon = d;
            fresh = true;
        }
    }
    return next;
}

}  // namespace dawn
