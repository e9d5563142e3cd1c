// The export of the longest range the dialog allows, 1 January 1900 to
// 1 January 2500 (219,146 dates).
//
//   BM_Export/moon:0|1   the whole file written as it is made, into a sink that
//                        counts the bytes (day/month/year dates)
//   BM_ExportVerb/...    `dawnhelm-cli export` as run from a terminal, into a file
//   BM_ExportClick       the dialog's button, from the click to the written file,
//                        through its real widgets
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "core/settings.h"
#include "present/export.h"

#ifdef DAWN_BENCH_WINDOWS
#include <QApplication>
#include <QDate>
#include <QDateEdit>
#include <QLocale>
#include <QPushButton>
#include <memory>

#include "ui/common/qtlocale.h"
#include "ui/export/exportdialog.h"
#endif

namespace dawn {
namespace {

const DayNumber kFirst = DayNumber::FromYmd(1900, 1, 1);
const DayNumber kLast = DayNumber::FromYmd(2500, 1, 1);

ExportHeader Header() {
    return ExportHeader{"1.1.0.0", "      Coordinates:", "50N47", "05E28", "Time zone", 60};
}

class CountingSink final : public TextSink {
public:
    bool Write(std::string_view bytes) override {
        count += bytes.size();
        return true;
    }
    std::size_t count = 0;
};

// A file in a fresh folder, removed at the end.
struct TempFile {
    TempFile() {
        dir = std::filesystem::temp_directory_path() / ("dawn_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    ~TempFile() { std::filesystem::remove_all(dir); }
    std::string Path(const char* name) const { return (dir / name).string(); }
    std::filesystem::path dir;
};

void BM_Export(benchmark::State& state) {
    const ExportJob job{Header(),
                        state.range(0) ? Body::Moon : Body::Sun,
                        DefaultSettings("/nonexistent", 2024),
                        kFirst,
                        kLast,
                        LocaleFormats{}};
    std::size_t bytes = 0;
    for (auto _ : state) {
        CountingSink sink;
        if (WriteExport(job, sink) != ExportEnd::Done) state.SkipWithError("export failed");
        bytes = sink.count;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetItemsProcessed(state.iterations() * (kLast - kFirst + 1));
}
BENCHMARK(BM_Export)->Arg(0)->Arg(1)->ArgNames({"moon"})->Unit(benchmark::kMillisecond);

void BM_ExportVerb(benchmark::State& state) {
    TempFile folder;
    std::vector<std::string> args = {"export",     "--settings", "/nonexistent/Dawncode.txt",
                                     "--from",     "1900-01-01", "--to",
                                     "2500-01-01", "--out",      folder.Path("out.txt")};
    if (state.range(0)) args.push_back("--moon");
    for (auto _ : state) {
        std::ostringstream out, err;
        if (cli::RunCommandLine(args, out, err) != 0) state.SkipWithError("export failed");
    }
    state.SetItemsProcessed(state.iterations() * (kLast - kFirst + 1));
}
BENCHMARK(BM_ExportVerb)->Arg(0)->Arg(1)->ArgNames({"moon"})->Unit(benchmark::kMillisecond);

#ifdef DAWN_BENCH_WINDOWS

QApplication& App() {
    static int argc = 1;
    static char name[] = "dawn_bench";
    static char* argv[] = {name, nullptr};
    // The sky view's benchmark may have made it already.
    if (auto* made = qobject_cast<QApplication*>(QCoreApplication::instance())) return *made;
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

class FileChooser final : public ExportFileChooser {
public:
    explicit FileChooser(QString path) : path_(std::move(path)) {}
    QString chooseSaveFile(QWidget*, const QString&) override { return path_; }

private:
    QString path_;
};

void BM_ExportClick(benchmark::State& state) {
    App();
    TempFile folder;
    AppState app;
    app.AppDir = folder.dir.string();
    app.Locale = MakeLocaleFormats(QLocale(QStringLiteral("en_GB")));
    app.Today = DayNumber::FromYmd(2024, 6, 21);
    app.Settings = DefaultSettings(app.AppDir, 2024);
    app.Labels = ParseLabelLines(SplitLines(BuiltInLabelFile())).table;
    app.ApplyLanguage();
    app.ShowDate(app.Today);
    ExportDialog dialog(app);
    FileChooser chooser(QString::fromStdString(folder.Path("out.txt")));
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
