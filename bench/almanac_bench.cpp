// The almanac of 1900-2100 for one place: every kind at once through
// `dawnhelm-cli almanac` (Dallas in its own zone, so the summer-time changes
// and the clocks of each instant are in), and each kind of the precise
// ephemeris alone.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "astro/precise/almanac.h"
#include "cli/frame.h"

namespace dawn {
namespace {

struct NullBuf : std::streambuf {
    int_type overflow(int_type c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_AlmanacVerb(benchmark::State& state) {
    const std::vector<std::string> args = {
        "almanac",         "--lat",  "1967",       "--lon", "-5808",     "--zone",
        "America/Chicago", "--from", "1900-01-01", "--to",  "2100-12-31"};
    for (auto _ : state) {
        NullBuf buf;
        std::ostream out(&buf);
        std::ostream err(&buf);
        if (cli::RunCommandLine(args, out, err) != 0) state.SkipWithError("almanac failed");
    }
}
BENCHMARK(BM_AlmanacVerb)->Unit(benchmark::kMillisecond)->UseRealTime();

UtInstant Year(int y) {
    using namespace std::chrono;
    return UtInstant{sys_days{year{y} / January / 1}};
}

void BM_AlmanacKind(benchmark::State& state) {
    const UtInstant from = Year(1900), to = Year(2101);
    const GeoPlace dallas = GeoPlace::FromArcMinutes(1967, -5808);
    std::size_t n = 0;
    for (auto _ : state) {
        switch (state.range(0)) {
            case 0:
                n = SeasonsBetween(from, to).size();
                break;
            case 1:
                n = LunarApsidesBetween(from, to).size();
                break;
            case 2:
                n = LunarEclipsesBetween(from, to, dallas).size();
                break;
            case 3:
                n = LocalSolarEclipsesBetween(from, to, dallas).size();
                break;
            default:
                n = MeteorShowerPeaksBetween(from, to).size();
                break;
        }
        benchmark::DoNotOptimize(n);
    }
    const char* names[] = {"seasons", "apsides", "lunar eclipses", "solar eclipses",
                           "meteor showers"};
    state.SetLabel(names[state.range(0)]);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * n));
}
BENCHMARK(BM_AlmanacKind)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace dawn
