// Places by name and zones.
//
//   BM_CitySearch/N        one search as a keystroke starts it, for the queries below
//   BM_OpenCityIndex       building the index from libgeonames (once per program run)
//   BM_OpenZone            opening a zone: its changes from 1800, and one 400-year
//                          cycle of its later rule
//   BM_ZoneDays            the standard offset and summer time of every date
//                          1900-01-01 .. 2500-12-31, as the table asks for them
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "places/citysearch.h"
#include "places/zone.h"

namespace dawn {
namespace {

const CityIndex& Index() {
    static const CityIndexOpenResult opened = OpenCityIndex();
    if (!opened.index) std::abort();
    return *opened.index;
}

const std::string kQueries[] = {
    "H", "He", "Hel", "Helsinki", "sao paulo", "Xqzwv", std::string(10000, 'a')};

void BM_CitySearch(benchmark::State& state) {
    const CityIndex& index = Index();
    const std::string& query = kQueries[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) benchmark::DoNotOptimize(index.Search(query, 20));
    state.SetLabel(query.size() > 20 ? "10,000 characters" : query);
}
BENCHMARK(BM_CitySearch)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

void BM_OpenCityIndex(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(OpenCityIndex());
}
BENCHMARK(BM_OpenCityIndex)->Unit(benchmark::kMillisecond);

void BM_OpenZone(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(OpenZone("Europe/Helsinki"));
}
BENCHMARK(BM_OpenZone)->Unit(benchmark::kMillisecond);

void BM_ZoneDays(benchmark::State& state) {
    const ZoneOpenResult opened = OpenZone("Europe/Helsinki");
    if (!opened.zone) std::abort();
    const DayNumber first = DayNumber::FromYmd(1900, 1, 1);
    const DayNumber last = DayNumber::FromYmd(2500, 12, 31);
    for (auto _ : state) {
        for (DayNumber d = first; d <= last; ++d) benchmark::DoNotOptimize(opened.zone->Day(d));
    }
    state.SetItemsProcessed(state.iterations() * (last - first + 1));
}
BENCHMARK(BM_ZoneDays)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dawn
