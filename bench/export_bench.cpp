// The export of the longest range the dialog allows, 1 January 1900 to
// 1 January 2500 (219,146 dates).
//
//   BM_ExportLines/sun|moon   every line of the file, dates written the plain way
//   BM_ExportLinesLocale/...  the same with the locale's date format, as the dialog does
//   BM_ExportClick            the dialog's button, from the click to the save dialog
//                             (answered with cancel), through its real widgets
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/exportlines.h"
#include "core/settings.h"

#if __has_include(<QApplication>) && __has_include("ui/export/tdawnhelmdate.h")
#define DAWN_BENCH_WINDOWS 1
#include <QApplication>
#include <QDate>
#include <QDateEdit>
#include <QLocale>
#include <QPushButton>
#include <memory>

#include "core/textfile.h"
#include "ui/export/tdawnhelmdate.h"
#include "ui/main/appstate.h"
#endif

namespace dawn {
namespace {

const DayNumber kFirst = DayNumber::FromYmd(1900, 1, 1);
const DayNumber kLast = DayNumber::FromYmd(2500, 1, 1);

ExportHeader Header() {
    return ExportHeader{"1.1.0.0", "      Coordinates:", "50N47", "05E28", "Time zone", 60};
}

std::string DayMonthYear(DayNumber d) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d", d.Day(), d.Month(), d.Year());
    return text;
}

void BM_ExportLines(benchmark::State& state) {
    const ExportBody body = state.range(0) ? ExportBody::Moon : ExportBody::Sun;
    const SiteSettings settings = DefaultSettings("/nonexistent", 2024);
    for (auto _ : state) {
        auto lines = BuildExportLines(Header(), body, settings, kFirst, kLast, ":", DayMonthYear);
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations() * (kLast - kFirst + 1));
}
BENCHMARK(BM_ExportLines)->Arg(0)->Arg(1)->ArgNames({"moon"})->Unit(benchmark::kMillisecond);

#ifdef DAWN_BENCH_WINDOWS

QApplication& App() {
    static int argc = 1;
    static char name[] = "dawn_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

void BM_ExportLinesLocale(benchmark::State& state) {
    const ExportBody body = state.range(0) ? ExportBody::Moon : ExportBody::Sun;
    const SiteSettings settings = DefaultSettings("/nonexistent", 2024);
    const LocaleTexts locale = MakeLocaleTexts(QLocale(QStringLiteral("en_GB")));
    for (auto _ : state) {
        auto lines =
            BuildExportLines(Header(), body, settings, kFirst, kLast, ":", [&locale](DayNumber d) {
                return locale.DateText(QDate::fromJulianDay(d.Value() + 2415019)).toStdString();
            });
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations() * (kLast - kFirst + 1));
}
BENCHMARK(BM_ExportLinesLocale)->Arg(0)->Arg(1)->ArgNames({"moon"})->Unit(benchmark::kMillisecond);

class CancellingChooser final : public ExportFileChooser {
public:
    QString chooseSaveFile(QWidget*, const QString&) override { return {}; }
};

void BM_ExportClick(benchmark::State& state) {
    App();
    AppState app;
    app.AppDir = "/nonexistent";
    app.Locale = MakeLocaleTexts(QLocale(QStringLiteral("en_GB")));
    app.Today = DayNumber::FromYmd(2024, 6, 21);
    app.Settings = DefaultSettings(app.AppDir, 2024);
    app.Labels = ParseLabelLines(SplitLines(BuiltInLabelFile())).table;
    app.ApplyLanguage();
    app.ComputeShownDay(app.Today);
    TDawnhelmDate dialog(app);
    CancellingChooser chooser;
    dialog.setFileChooser(&chooser);
    dialog.DateTimePickerStart->setDate(QDate(1900, 1, 1));
    dialog.DateTimePickerStop->setDate(QDate(2500, 1, 1));
    for (auto _ : state) dialog.btnExport->click();
    state.SetItemsProcessed(state.iterations() * (kLast - kFirst + 1));
}
BENCHMARK(BM_ExportClick)->Unit(benchmark::kMillisecond);

#endif

}  // namespace
}  // namespace dawn
