// Rise and set computations per second. The dates walk through a year so
// that every branch of the scan (days with and without crossings) is met.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <tuple>
#include <utility>
#include <vector>

#include "astro/astro.h"
#include "astro/horizon.h"
#include "astro/moonphase.h"

namespace {

using namespace std::chrono;

std::vector<year_month_day> YearOfDates() {
    std::vector<year_month_day> dates;
    for (sys_days d = sys_days{2024y / 1 / 1}; d < sys_days{2025y / 1 / 1}; d += days{1})
        dates.emplace_back(d);
    return dates;
}

const dawn::Place kPlaces[] = {
    {3047, 328, 60},   // mid-latitude
    {4140, 1200, 60},  // near the polar circle: days without a rise or a set
};

template <typename Compute>
void Run(benchmark::State& state, Compute compute) {
    const std::vector<year_month_day> dates = YearOfDates();
    const dawn::Place& place = kPlaces[state.range(0)];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(compute(dates[i], place));
        if (++i == dates.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SunEvent(benchmark::State& state) {
    Run(state, [](year_month_day d, const dawn::Place& p) {
        return dawn::ComputeSunEvent(dawn::EventKind::Rise, d, p);
    });
}

void BM_MoonEvent(benchmark::State& state) {
    Run(state, [](year_month_day d, const dawn::Place& p) {
        return dawn::ComputeMoonEvent(dawn::EventKind::Set, d, p);
    });
}

// Both events of a day from one scan.
void BM_SunDay(benchmark::State& state) {
    Run(state, [](year_month_day d, const dawn::Place& p) { return dawn::ComputeSunDay(d, p); });
}

void BM_MoonDay(benchmark::State& state) {
    Run(state, [](year_month_day d, const dawn::Place& p) { return dawn::ComputeMoonDay(d, p); });
}

// Rise and set, the three twilights and the noon from one sampling.
void BM_SunDayEvents(benchmark::State& state) {
    Run(state,
        [](year_month_day d, const dawn::Place& p) { return dawn::ComputeSunDayEvents(d, p); });
}

// The same with the bounds of the blue and golden hours (-6, -4 and +6
// degrees) from the same samples: the difference is what the light periods
// add to a day.
void BM_SunDayEventsWithLight(benchmark::State& state) {
    static constexpr std::array<double, 3> kBounds = {-6.0, -4.0, 6.0};
    Run(state, [](year_month_day d, const dawn::Place& p) {
        std::array<dawn::Twilight, 3> light;
        const dawn::SunDayEvents day = dawn::ComputeSunDayEvents(d, p, kBounds, light);
        return std::pair(day, light);
    });
}

// Rise and set seen from 100 m above the land around: one more crossing
// search of the same samples.
void BM_SunDayFromHeight(benchmark::State& state) {
    Run(state, [](year_month_day d, const dawn::Place& p) {
        return dawn::ComputeSunDayFromHeight(d, p, 100.0);
    });
}

// The visible rise and set behind a jagged skyline (the points of
// astro/testdata/jagged_horizon.txt, from 0.5 to 9 degrees high): the
// minutes of the hours in which the sun may meet the skyline are searched.
void BM_VisibleSunDay(benchmark::State& state) {
    static const std::vector<dawn::HorizonPoint> kSkyline = {
        {0, 2},   {45, 3},    {60, 1},  {70, 6},  {75, 7},  {78, 1.5},  {90, 2},
        {100, 8}, {103, 8.5}, {106, 1}, {120, 3}, {150, 1}, {180, 0.5}, {210, 2},
        {240, 4}, {255, 9},   {260, 3}, {270, 5}, {285, 2}, {300, 6},   {330, 1}};
    Run(state, [](year_month_day d, const dawn::Place& p) {
        return dawn::ComputeVisibleSunDay(d, p, kSkyline);
    });
}

// The sun's whole day, the moon's rise and set and the moon's phase of the
// date: what a day view needs of the sky.
void BM_SunAndMoonDay(benchmark::State& state) {
    Run(state, [](year_month_day d, const dawn::Place& p) {
        return std::tuple(dawn::ComputeSunDayEvents(d, p), dawn::ComputeMoonDay(d, p),
                          dawn::MoonPhaseOfDate(d, p.latitudeMinutes / 60.0, p.timeZoneMinutes));
    });
}

BENCHMARK(BM_SunEvent)->Arg(0)->Arg(1);
BENCHMARK(BM_MoonEvent)->Arg(0)->Arg(1);
BENCHMARK(BM_SunDay)->Arg(0)->Arg(1);
BENCHMARK(BM_MoonDay)->Arg(0)->Arg(1);
BENCHMARK(BM_SunDayEvents)->Arg(0)->Arg(1);
BENCHMARK(BM_SunDayEventsWithLight)->Arg(0)->Arg(1);
BENCHMARK(BM_SunDayFromHeight)->Arg(0)->Arg(1);
BENCHMARK(BM_VisibleSunDay)->Arg(0)->Arg(1);
BENCHMARK(BM_SunAndMoonDay)->Arg(0)->Arg(1);

}  // namespace
