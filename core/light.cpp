#include "core/light.h"

#include "core/clockday.h"

namespace dawn {
namespace {

// The three bounds, scanned together.
constexpr std::array<double, 3> kBounds = {kBlueHourLowest, kGoldenHourLowest, kGoldenHourHighest};
enum Bound : std::size_t { kBlue = 0, kGoldenLow = 1, kGoldenHigh = 2 };

struct ScannedBounds {
    std::array<ScannedDay, kBounds.size()> bounds;
};

ScannedBounds Scan(const Site& site, DayNumber date) {
    std::array<Twilight, kBounds.size()> crossings;
    ComputeSunAltitudeCrossings(date.ToDate(), PlaceOf(site, date), kBounds, crossings);
    const ClockRules clocks = ClockRulesOf(site, date);
    ScannedBounds out;
    for (std::size_t i = 0; i < kBounds.size(); ++i)
        out.bounds[i] = ScannedDayOf(date, clocks, crossings[i]);
    return out;
}

}  // namespace

void ForEachLightDay(const Site& site, DayNumber from, DayNumber to,
                     const std::function<bool(const LightDay&)>& onDay) {
    if (to < from) return;
    std::optional<ScannedBounds> before;
    if (MayRunIntoNextDate(ClockRulesOf(site, from - 1), from - 1)) before = Scan(site, from - 1);
    for (DayNumber d = from;; ++d) {
        ScannedBounds today = Scan(site, d);
        std::array<std::array<EventValues, kEventKindCount>, kBounds.size()> at;
        for (std::size_t i = 0; i < kBounds.size(); ++i) {
            std::optional<ScannedDay> b;
            if (before) b = before->bounds[i];
            at[i] = ClockDayEvents(b, today.bounds[i]);
        }
        auto crossing = [&](Bound bound, EventKind kind) {
            return at[bound][IndexOf(kind)].CrossingClock;
        };
        LightDay day{d, {}};
        day.periods = {
            LightPeriod{crossing(kBlue, EventKind::Rise), crossing(kGoldenLow, EventKind::Rise)},
            LightPeriod{crossing(kGoldenLow, EventKind::Rise),
                        crossing(kGoldenHigh, EventKind::Rise)},
            LightPeriod{crossing(kGoldenHigh, EventKind::Set),
                        crossing(kGoldenLow, EventKind::Set)},
            LightPeriod{crossing(kGoldenLow, EventKind::Set), crossing(kBlue, EventKind::Set)},
        };
        if (!onDay(day) || d == to) return;
        before = std::move(today);
    }
}

}  // namespace dawn
