#include "present/almanac.h"

#include <algorithm>

#include "places/zone.h"

namespace dawn {

namespace {

using std::chrono::days;
using std::chrono::minutes;
using std::chrono::sys_days;
using std::chrono::sys_time;

bool Wanted(const AlmanacKinds& kinds, AlmanacKind kind) {
    return kinds[static_cast<std::size_t>(kind)];
}

}  // namespace

sys_time<minutes> AlmanacClockOf(const Site& site, UtInstant instant) {
    const sys_time<minutes> ut = std::chrono::round<minutes>(instant);
    if (const auto* zone = dynamic_cast<const Zone*>(site.Zone.get()))
        return ut + zone->ClockOffsetAt(ut);
    const sys_time<minutes> standard = ut + minutes{site.TimeZoneMinutes};
    const DayNumber date = DayNumber::FromSysDays(std::chrono::floor<days>(standard));
    const ClockRules rules = ClockRulesOf(site, date);
    return rules.InSummer(date) ? standard + rules.shift : standard;
}

std::vector<AlmanacItem> AlmanacOf(const Site& site, sys_days first, sys_days last,
                                   const AlmanacKinds& kinds) {
    std::vector<AlmanacItem> items;
    const GeoPlace place = GeoPlace::FromArcMinutes(site.LatitudeMinutes, site.LongitudeMinutes);
    // The clocks are less than a day from UT: two days more on each side.
    const UtInstant from{first - days{2}}, to{last + days{3}};
    const auto add = [&](AlmanacKind kind, UtInstant instant, const auto& event) {
        const sys_time<minutes> clock = AlmanacClockOf(site, instant);
        const sys_days date = std::chrono::floor<days>(clock);
        if (date < first || date > last) return;
        items.push_back(
            {kind, instant, clock, clock - std::chrono::round<minutes>(instant), event});
    };
    if (Wanted(kinds, AlmanacKind::Season))
        for (const SeasonEvent& e : SeasonsBetween(from, to))
            add(AlmanacKind::Season, e.instant, e);
    if (Wanted(kinds, AlmanacKind::Apsis))
        for (const ApsisEvent& e : LunarApsidesBetween(from, to))
            add(AlmanacKind::Apsis, e.instant, e);
    if (Wanted(kinds, AlmanacKind::LunarEclipse))
        for (const LunarEclipse& e : LunarEclipsesBetween(from, to, place))
            add(AlmanacKind::LunarEclipse, e.greatest, e);
    if (Wanted(kinds, AlmanacKind::SolarEclipse))
        for (const LocalSolarEclipse& e : LocalSolarEclipsesBetween(from, to, place))
            add(AlmanacKind::SolarEclipse, e.maximum, e);
    if (Wanted(kinds, AlmanacKind::MeteorShower))
        for (const MeteorShowerPeak& e : MeteorShowerPeaksBetween(from, to))
            add(AlmanacKind::MeteorShower, e.peak, e);
    const auto* zone = dynamic_cast<const Zone*>(site.Zone.get());
    if (zone != nullptr && Wanted(kinds, AlmanacKind::SummerTime)) {
        for (const Zone::SummerTimeChange& change : zone->SummerTimeChangesBetween(
                 DayNumber::FromSysDays(first), DayNumber::FromSysDays(last))) {
            const sys_time<minutes> clock{sys_days{change.reading.date.ToDate()} +
                                          change.reading.time};
            items.push_back({AlmanacKind::SummerTime, UtInstant{change.ut}, clock,
                             clock - change.ut, SummerTimeChange{change.starts}});
        }
    }
    std::stable_sort(items.begin(), items.end(), [](const AlmanacItem& a, const AlmanacItem& b) {
        return a.instant < b.instant;
    });
    return items;
}

}  // namespace dawn
