// Day records and the table verb.
//
//   BM_ComputeDay           one full day record the plain way (a scan of each body on the
//                           date and on the day before)
//   BM_ForEachDay/365       a year of full records through the range routine
//   BM_BodyTableOneThread   the table's lines for 1900-01-01 .. 2500-12-31 on one thread
//   BM_TableVerb            `dawnhelm-cli table` over the same range, as run from a terminal
// The second argument of the last two: 0 the manual rules of the default place
// (+1:00, European summer time), 1 the same place with the zone Europe/Brussels,
// whose clocks come date by date from the time-zone database.
#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "cli/table_block.h"
#include "core/dayephemeris.h"
#include "core/settings.h"
#include "present/placechoice.h"
#include "present/texts.h"

namespace dawn {
namespace {

const DayNumber kFirst = DayNumber::FromYmd(1900, 1, 1);
const DayNumber kLast = DayNumber::FromYmd(2500, 12, 31);

SiteSettings Velmoren() {
    return DefaultSettings("/nonexistent", 2024);
}

// Counts what is written and throws it away.
class CountingBuf : public std::streambuf {
public:
    std::size_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        bytes += static_cast<std::size_t>(n);
        return n;
    }
    int_type overflow(int_type c) override {
        ++bytes;
        return c;
    }
};

void BM_ComputeDay(benchmark::State& state) {
    const SiteSettings s = Velmoren();
    DayNumber d = DayNumber::FromYmd(2024, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeDay(s, d));
        d = d + 1;
    }
}
BENCHMARK(BM_ComputeDay);

void BM_ForEachDay(benchmark::State& state) {
    const SiteSettings s = Velmoren();
    const DayNumber from = DayNumber::FromYmd(2024, 1, 1);
    const DayNumber to = from + static_cast<std::int32_t>(state.range(0) - 1);
    for (auto _ : state) {
        ForEachDay(s, from, to, [](const DayEphemeris& e) {
            benchmark::DoNotOptimize(e[Body::Sun].Length);
            return true;
        });
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ForEachDay)->Arg(365)->Unit(benchmark::kMillisecond);

void BM_BodyTableOneThread(benchmark::State& state) {
    SiteSettings s = Velmoren();
    if (state.range(1)) {
        s.ZoneName = "Europe/Brussels";
        if (OpenSettingsZone(s, DayNumber::FromYmd(2024, 1, 1))) state.SkipWithError("no zone");
    }
    const Body body = state.range(0) ? Body::Moon : Body::Sun;
    for (auto _ : state) {
        const std::string text = cli::TableBlock(s, body, kFirst, kLast);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetLabel(std::string(body == Body::Moon ? "moon" : "sun") +
                   (state.range(1) ? ", zone" : ", manual"));
    state.SetItemsProcessed(state.iterations() * (kLast - kFirst + 1));
}
BENCHMARK(BM_BodyTableOneThread)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_TableVerb(benchmark::State& state) {
    std::vector<std::string> args = {"table",     "--settings", "/nonexistent/Dawncode.txt",
                                     "--from",    "1900-01-01", "--to",
                                     "2500-12-31"};
    if (state.range(0)) args.push_back("--moon");
    if (state.range(1)) args.insert(args.end(), {"--zone", "Europe/Brussels"});
    std::size_t bytes = 0;
    for (auto _ : state) {
        CountingBuf buf;
        std::ostream out(&buf);
        std::ostream err(&buf);
        if (cli::RunCommandLine(args, out, err) != 0) state.SkipWithError("table failed");
        bytes = buf.bytes;
    }
    state.SetLabel(std::string(state.range(0) ? "moon" : "sun") +
                   (state.range(1) ? ", zone" : ", manual"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetItemsProcessed(state.iterations() * (kLast - kFirst + 1));
}
BENCHMARK(BM_TableVerb)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace dawn
