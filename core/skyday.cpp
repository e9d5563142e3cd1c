#include "core/skyday.h"

#include <cstdint>
#include <vector>

#include "core/calendar.h"
#include "core/clockday.h"

namespace dawn {
namespace {

DatePhase PhaseOf(const Site& site, DayNumber date, const ClockRules& clocks) {
    return MoonPhaseOfDate(date.ToDate(), site.LatitudeMinutes / 60.0,
                           static_cast<std::int32_t>(clocks.standardOffset.count()));
}

// The sun's standard day with its clocks.
struct SunStandardDay {
    DayNumber date;
    ClockRules clocks;
    SunDayEvents events;
};

SunStandardDay SunStandardDayOf(const Site& site, DayNumber date) {
    return {date, ClockRulesOf(site, date),
            ComputeSunDayEvents(date.ToDate(), PlaceOf(site, date))};
}

// The noon of a standard day when the clock keeps it on `clockDate`.
std::optional<NoonEntry> NoonOn(DayNumber clockDate, const SunStandardDay& day) {
    if (!day.events.noon) return std::nullopt;
    const std::chrono::minutes standard = day.events.noon->minute;
    const ClockMoment read = day.clocks.ClockAt(day.date, standard);
    if (read.date != clockDate) return std::nullopt;
    return NoonEntry{standard, read.time, day.events.noon->altitudeDegrees};
}

// The sky day of `today.date` on the user's clock, from its standard day and
// the one before (none when the clock of that one never runs into the date).
SkyDay SkyDayOf(const Site& site, const std::optional<SunStandardDay>& before,
                const SunStandardDay& today) {
    SkyDay day;
    day.Date = today.date;
    for (TwilightKind kind : kTwilightKinds) {
        std::optional<ScannedDay> scannedBefore;
        if (before)
            scannedBefore = ScannedDayOf(before->date, before->clocks, before->events.Of(kind));
        day.Twilight[IndexOf(kind)].Events = ClockDayEvents(
            scannedBefore, ScannedDayOf(today.date, today.clocks, today.events.Of(kind)));
    }
    day.Noon = NoonOn(today.date, today);
    if (!day.Noon && before) day.Noon = NoonOn(today.date, *before);
    day.Phase = PhaseOf(site, today.date, today.clocks);
    return day;
}

std::optional<SunStandardDay> BeforeOf(const Site& site, DayNumber date) {
    const DayNumber d = date - 1;
    if (!MayRunIntoNextDate(ClockRulesOf(site, d), d)) return std::nullopt;
    return SunStandardDayOf(site, d);
}

}  // namespace

SkyDay ComputeSkyDay(const Site& site, DayNumber date) {
    return SkyDayOf(site, BeforeOf(site, date), SunStandardDayOf(site, date));
}

DatePhase MoonPhaseOfDay(const Site& site, DayNumber date) {
    return PhaseOf(site, date, ClockRulesOf(site, date));
}

void ForEachSkyDay(const Site& site, DayNumber from, DayNumber to,
                   const std::function<bool(const SkyDay&)>& onDay) {
    if (to < from) return;
    std::optional<SunStandardDay> before = BeforeOf(site, from);
    for (DayNumber d = from;; ++d) {
        SunStandardDay today = SunStandardDayOf(site, d);
        if (!onDay(SkyDayOf(site, before, today)) || d == to) return;
        before = std::move(today);
    }
}

std::chrono::sys_time<std::chrono::minutes> StandardMinuteOf(const Site& site, UtInstant instant) {
    using namespace std::chrono;
    // An offset is less than a day either way, so the date whose offset is
    // in force is the UT date or one of its neighbours: the first of them
    // whose own midnight is still to come.
    const sys_days utDate = floor<days>(instant);
    for (sys_days date = utDate - days{1};; date += days{1}) {
        const auto offset = static_cast<std::int32_t>(
            StandardOffsetOf(site, DayNumber::FromDate(year_month_day{date})).count());
        const sys_time<minutes> minute = LocalMinute(instant, offset);
        if (minute < date + days{1} || date > utDate) return minute;
    }
}

NextMoons NextFullAndNewMoon(const Site& site, DayNumber date) {
    using namespace std::chrono;
    // From a minute before local midnight of the date (a phase in the last
    // half minute of the day before is listed at the date's 00:00); a
    // lunation and a little more always holds both phases.
    const sys_days day{date.ToDate()};
    const int offset = static_cast<int>(ClockRulesOf(site, date).standardOffset.count());
    const UtInstant from = UtInstant(day) - minutes(offset + 1) - hours(3);
    const std::vector<PhaseEvent> phases = PrincipalPhasesBetween(from, from + days(31));
    NextMoons next{date, date};
    bool full = false;
    bool fresh = false;
    for (const PhaseEvent& p : phases) {
        // Each phase on the date its own clock gives it.
        const sys_time<minutes> standard = StandardMinuteOf(site, p.instant);
        const sys_days standardDate = floor<days>(standard);
        const DayNumber standardDay = DayNumber::FromDate(year_month_day{standardDate});
        const DayNumber d =
            ClockRulesOf(site, standardDay).ClockAt(standardDay, standard - standardDate).date;
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
