// The moon's phase: at an instant, for a civil date (with its name), and the
// principal phases of a year. The instants walk through several lunations at
// an hour that drifts, so that every stretch of the month is met.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "astro/moonphase.h"

namespace {

using namespace std::chrono;

std::vector<dawn::UtInstant> Instants() {
    std::vector<dawn::UtInstant> instants;
    const dawn::UtInstant start{sys_days{2024y / 1 / 1}};
    for (int i = 0; i < 1000; ++i) instants.push_back(start + i * dawn::UtInstant::duration{0.37});
    return instants;
}

void BM_MoonPhaseAt(benchmark::State& state) {
    const std::vector<dawn::UtInstant> instants = Instants();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dawn::MoonPhaseAt(instants[i]));
        if (++i == instants.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_MoonPhaseOfDate(benchmark::State& state) {
    std::vector<year_month_day> dates;
    for (sys_days d = sys_days{2024y / 1 / 1}; d < sys_days{2025y / 1 / 1}; d += days{1})
        dates.emplace_back(d);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dawn::MoonPhaseOfDate(dates[i], 50.8, 60));
        if (++i == dates.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_PrincipalPhasesOfAYear(benchmark::State& state) {
    const dawn::UtInstant from{sys_days{2024y / 1 / 1}};
    const dawn::UtInstant to{sys_days{2025y / 1 / 1}};
    for (auto _ : state) benchmark::DoNotOptimize(dawn::PrincipalPhasesBetween(from, to));
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_MoonPhaseAt);
BENCHMARK(BM_MoonPhaseOfDate);
BENCHMARK(BM_PrincipalPhasesOfAYear);

}  // namespace
