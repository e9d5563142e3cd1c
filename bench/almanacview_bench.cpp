// What the windows pay for the almanac: the hints of one month, computed when
// the month calendar turns to a month, and a year's rows of the almanac
// window. Dallas in its own zone, 2024 (with its total solar eclipse).
#include <benchmark/benchmark.h>

#include <chrono>

#include "places/zone.h"
#include "present/almanacview.h"
#include "present/appstate.h"

namespace dawn {
namespace {

AppState Dallas() {
    AppState state;
    state.Settings = DefaultSettings("/nowhere", 2024);
    state.Settings.LatitudeMinutes = 1967;
    state.Settings.LongitudeMinutes = -5808;
    state.Settings.TimeZoneMinutes = -360;
    state.Settings.Zone = OpenZone("America/Chicago").zone;
    state.Settings.LanguageIndex = 4;
    state.Labels = ParseLabelLines(SplitLines(BuiltInLabelFile())).table;
    state.ApplyLanguage();
    return state;
}

void BM_AlmanacMonthHints(benchmark::State& bench) {
    const AppState state = Dallas();
    unsigned month = 1;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(AlmanacHintsOfMonth(state, std::chrono::year{2024} / month));
        month = month % 12 + 1;
    }
}
BENCHMARK(BM_AlmanacMonthHints)->Unit(benchmark::kMillisecond);

void BM_AlmanacYearRows(benchmark::State& bench) {
    const AppState state = Dallas();
    for (auto _ : bench) benchmark::DoNotOptimize(AlmanacRowsOf(state, 2024));
}
BENCHMARK(BM_AlmanacYearRows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dawn
