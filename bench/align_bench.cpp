// The alignment finder over 600 years (1700-2299): `dawnhelm-cli align` for
// the moon with a landmark 4 degrees wide, every lit percentage, with a zone;
// and the sun and the moon positions of one instant and of a day's paths.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "astro/precise/position.h"
#include "cli/frame.h"

namespace dawn {
namespace {

struct NullBuf : std::streambuf {
    int_type overflow(int_type c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_AlignVerb600Years(benchmark::State& state) {
    const std::vector<std::string> args = {"align",
                                           "--lat",
                                           "3047",
                                           "--lon",
                                           "328",
                                           "--zone",
                                           "Europe/Brussels",
                                           "--body",
                                           state.range(0) ? "moon" : "sun",
                                           "--event",
                                           "rise",
                                           "--azimuth",
                                           "100",
                                           "--tolerance",
                                           "2",
                                           "--from",
                                           "1700-01-01",
                                           "--to",
                                           "2299-12-31"};
    for (auto _ : state) {
        NullBuf buf;
        std::ostream out(&buf);
        std::ostream err(&buf);
        if (cli::RunCommandLine(args, out, err) != 0) state.SkipWithError("align failed");
    }
}
BENCHMARK(BM_AlignVerb600Years)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SkyPositionsAt(benchmark::State& state) {
    const GeoPlace place = GeoPlace::FromArcMinutes(3047, 328);
    UtInstant t{std::chrono::sys_days{std::chrono::year{2024} / 6 / 21}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(SkyPositionsAt(place, t));
        t += std::chrono::minutes{1};
    }
}
BENCHMARK(BM_SkyPositionsAt);

// A day's paths every five minutes, as the sky view draws them.
void BM_SkyPathsOfADay(benchmark::State& state) {
    const GeoPlace place = GeoPlace::FromArcMinutes(3047, 328);
    const UtInstant t{std::chrono::sys_days{std::chrono::year{2024} / 6 / 21}};
    std::array<SkyPositions, 289> path;
    for (auto _ : state) {
        SkyPositionsAlong(place, t, std::chrono::minutes{5}, path);
        benchmark::DoNotOptimize(path);
    }
}
BENCHMARK(BM_SkyPathsOfADay)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dawn
