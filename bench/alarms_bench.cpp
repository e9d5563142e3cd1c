// A year of alarms with one of the user's events counting from a base, as
// `dawnhelm-cli alarms` lists them day by day.
//
//   BM_YearOfOwnAlarms/0   ten minutes before the sunrise
//   BM_YearOfOwnAlarms/1   ten minutes before the visible sunrise from 100 m
//   BM_YearOfOwnAlarms/2   ten minutes before the visible sunrise behind the jagged
//                          skyline of astro/testdata (from 0.5 to 9 degrees high)
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "astro/horizon.h"
#include "core/alarmevents.h"
#include "core/settings.h"

namespace dawn {
namespace {

// The points of astro/testdata/jagged_horizon.txt, as BM_VisibleSunDay
// takes them.
std::vector<HorizonPoint> JaggedSkyline() {
    return {{0, 2},   {45, 3},    {60, 1},  {70, 6},  {75, 7},  {78, 1.5},  {90, 2},
            {100, 8}, {103, 8.5}, {106, 1}, {120, 3}, {150, 1}, {180, 0.5}, {210, 2},
            {240, 4}, {255, 9},   {260, 3}, {270, 5}, {285, 2}, {300, 6},   {330, 1}};
}

void BM_YearOfOwnAlarms(benchmark::State& state) {
    const SiteSettings settings = DefaultSettings("/nonexistent", 2024);
    const std::vector<HorizonPoint> skyline = JaggedSkyline();
    const std::string base = state.range(0) == 0 ? "sunrise" : "visible sunrise";
    const std::vector<UserEvent> events = {
        {"Ridge", UserEventKind::Offset, 0, UserEventSide::Both, false, base,
         UserEventAlarm{std::chrono::minutes(-10), AlarmChannel::Both}}};
    EventSight sight;
    if (state.range(0) == 1) sight.heightMetres = 100;
    if (state.range(0) == 2) sight.profile = skyline;
    const DayNumber first = DayNumber::FromYmd(2024, 1, 1);
    for (auto _ : state) {
        std::size_t rung = 0;
        for (DayNumber d = first; d < first + 366; ++d)
            rung += SettingsAlarmsOn(settings, d, events, sight).size();
        benchmark::DoNotOptimize(rung);
    }
}
BENCHMARK(BM_YearOfOwnAlarms)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dawn
