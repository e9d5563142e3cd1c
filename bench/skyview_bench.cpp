// The sky view of a date: its values (the paths every five minutes of the
// clock day and the day record) and, with the windows built, its drawing
// into a 1000-pixel picture.
#include <benchmark/benchmark.h>

#include <memory>

#include "present/skyview.h"

#ifdef DAWN_BENCH_WINDOWS
#include <QApplication>
#include <QImage>
#include <QPainter>

#include "core/settings.h"
#include "ui/skyview/skyviewpainter.h"
#endif

namespace dawn {
namespace {

SkyView Build() {
    CurrentLabels labels;
    labels.texts[label::kSkyViewTitle] = "Sky view";
    labels.hemisphere = {"N", "E", "S", "W"};
    return BuildSkyView(DefaultSettings("/app", 2024), labels, DayNumber::FromYmd(2024, 6, 21),
                        "21/06/2024", std::nullopt);
}

void BM_SkyViewValues(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Build());
}
BENCHMARK(BM_SkyViewValues)->Unit(benchmark::kMillisecond);

#ifdef DAWN_BENCH_WINDOWS
void BM_SkyViewDrawing(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "dawn_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    }
    const SkyView view = Build();
    QImage image(1000, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintSkyView(painter, QRectF(0, 0, 1000, 1000), view, QApplication::font());
    }
}
BENCHMARK(BM_SkyViewDrawing)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace dawn
