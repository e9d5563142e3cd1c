// The calendar file from 1 January 2000, four events a day (sunrise, sunset,
// moonrise, moonset): a century is 146,096 events.
//
//   BM_IcsFile/0/100   a century, times in UTC
//   BM_IcsFile/1/100   a century, local times in Europe/Helsinki with its VTIMEZONE
//   BM_IcsFile/1/1     one year of the same (its peak memory, against the century's,
//                      shows that the writer's memory does not grow with the range)
//   BM_IcsMonth/YEAR   the January of YEAR in Europe/Brussels, two events a day: the
//                      head with its VTIMEZONE counts, and must cost the same in
//                      every year (2024, 2585, 3500, 9999)
//
// The sink only counts bytes: the figure is the writer's own cost per event.
#include <benchmark/benchmark.h>

#include "reminders/icswriter.h"

namespace dawn {
namespace {

void BM_IcsFile(benchmark::State& state) {
    const DayNumber first = DayNumber::FromYmd(2000, 1, 1);
    const DayNumber last = DayNumber::FromYmd(2000 + static_cast<int>(state.range(1)), 1, 1) - 1;
    CalendarHeader header;
    header.place = {3047, 328, "Velmoren"};
    header.zone = state.range(0) ? "Europe/Helsinki" : "";
    header.from = first;
    header.to = last;
    header.stamp = std::chrono::sys_seconds(first.ToSysDays());
    std::size_t bytes = 0;
    std::int64_t events = 0;
    for (auto _ : state) {
        bytes = 0;
        IcsWriter writer(header, [&bytes](std::string_view piece) {
            bytes += piece.size();
            return true;
        });
        writer.Begin();
        for (DayNumber d = first; d <= last; ++d) {
            const int shift = d.Value() % 120;
            for (SkyEvent kind :
                 {SkyEvent::Sunrise, SkyEvent::Sunset, SkyEvent::Moonrise, SkyEvent::Moonset}) {
                const auto k = static_cast<int>(kind);
                writer.Add({kind, d, std::chrono::minutes(300 + 240 * k + shift),
                            std::chrono::minutes(120), 60.0 + 60 * k});
                ++events;
            }
        }
        writer.Finish();
    }
    state.SetItemsProcessed(events);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_IcsFile)->Args({0, 100})->Args({1, 100})->Args({1, 1})->Unit(benchmark::kMillisecond);

void BM_IcsMonth(benchmark::State& state) {
    const int year = static_cast<int>(state.range(0));
    const DayNumber first = DayNumber::FromYmd(year, 1, 1);
    const DayNumber last = DayNumber::FromYmd(year, 1, 31);
    CalendarHeader header;
    header.place = {3047, 328, "Velmoren"};
    header.zone = "Europe/Brussels";
    header.from = first;
    header.to = last;
    header.stamp = std::chrono::sys_seconds(DayNumber::FromYmd(2024, 1, 1).ToSysDays());
    for (auto _ : state) {
        std::size_t bytes = 0;
        IcsWriter writer(header, [&bytes](std::string_view piece) {
            bytes += piece.size();
            return true;
        });
        writer.Begin();
        for (DayNumber d = first; d <= last; ++d) {
            writer.Add({SkyEvent::Sunrise, d, std::chrono::minutes(8 * 60 + 30),
                        std::chrono::minutes(60), 125.0});
            writer.Add({SkyEvent::Sunset, d, std::chrono::minutes(16 * 60 + 50),
                        std::chrono::minutes(60), 235.0});
        }
        writer.Finish();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_IcsMonth)->Arg(2024)->Arg(2585)->Arg(3500)->Arg(9999)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dawn
