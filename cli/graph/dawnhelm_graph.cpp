// dawnhelm-graph: the drawing helper of `dawnhelm-cli graph`. It carries the
// windows' chart library, which the other verbs never load, and draws the
// chart of the program's graph window without a screen.
//   dawnhelm-graph graph --settings FILE --date YYYY-MM-DD [--moon [--phases] | --twilight]
//                        [--light] [--height METRES] [--horizon FILE]
//                        [--event NAME [--events-file FILE]] --out FILE [--format pdf|png]
//   dawnhelm-graph skyview --settings FILE --date YYYY-MM-DD --out FILE [--format pdf|png]
#include <QApplication>
#include <QByteArray>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "cli/graph_options.h"
#include "cli/program_state.h"
#include "cli/sight_options.h"
#include "cli/skyview_options.h"
#include "cli/values.h"
#include "core/textfile.h"
#include "present/graph.h"
#include "present/skyview.h"
#include "ui/graph/yearchartview.h"
#include "ui/graph/yeargraph.h"
#include "ui/skyview/skyviewpainter.h"

namespace dawn::cli {
namespace {

std::string Lowercase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// --out and --format: the picture's kind, from --format or the file's
// ending. The name is used as the bytes given, whatever their encoding.
std::string ReadPictureFormat(const Command& command, std::string& format) {
    const std::string& out = *command.Value("out");
    if (out.empty()) return "--out: the file name is empty";
    if (const std::string* given = command.Value("format")) {
        format = Lowercase(*given);
        if (format != "pdf" && format != "png") return "--format must be pdf or png";
    } else if (out == "-") {
        format = "pdf";
    } else {
        format = Lowercase(std::filesystem::path(out).extension().string());
        if (format != ".pdf" && format != ".png")
            return "--out must name a .pdf or a .png file (or give --format)";
        format.erase(0, 1);
    }
    return {};
}

// Writes the picture to standard output or to the file, beside it and
// renamed over it; the target may only be a regular file (or the user's
// link to one): see core/textfile.h.
VerbOutcome WritePicture(const QByteArray& bytes, const std::string& out, std::ostream& output) {
    if (out == "-") {
        output.write(bytes.constData(), bytes.size());
        if (!output.flush()) return VerbOutcome::Failure("Cannot write to standard output");
        return {};
    }
    const TextFileResult written =
        WriteFileAtomic(out, std::string_view(bytes.constData(), bytes.size()));
    if (!written.ok()) return VerbOutcome::Failure(written.error);
    return {};
}

VerbOutcome Run(const Command& command, std::ostream& output) {
    std::chrono::year_month_day date{};
    if (std::string error = ReadDate(command, "date", date); !error.empty())
        return VerbOutcome::Usage(error);
    const DayNumber shown = DayNumber::FromDate(date);
    if (shown < DayNumber::FromYmd(1900, 1, 1) || shown > DayNumber::FromYmd(2500, 12, 31)) {
        return VerbOutcome::Usage("--date must lie between 1900-01-01 and 2500-12-31");
    }
    const std::string& out = *command.Value("out");
    std::string format;
    if (auto e = ReadPictureFormat(command, format); !e.empty()) return VerbOutcome::Usage(e);

    if (command.Flag("moon") && command.Flag("twilight"))
        return VerbOutcome::Usage("--twilight shades the sun's graph only, not with --moon");
    if (command.Flag("moon") && command.Flag("light"))
        return VerbOutcome::Usage("--light shades the sun's graph only, not with --moon");
    for (const char* option : {"height", "horizon", "event", "events-file"})
        if (command.Flag("moon") && command.Value(option) != nullptr)
            return VerbOutcome::Usage("--" + std::string(option) +
                                      " draws on the sun's graph only, not with --moon");
    if (command.Value("events-file") != nullptr && command.Value("event") == nullptr)
        return VerbOutcome::Usage("--events-file goes with --event");
    if (command.Flag("phases") && !command.Flag("moon"))
        return VerbOutcome::Usage("--phases marks the moon's graph only: give --moon too");

    // The chart needs an application object, never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "dawnhelm-cli";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    const Body body = command.Flag("moon") ? Body::Moon : Body::Sun;
    AppState state;
    if (auto failed = LoadProgramState(command, shown, body, state)) return *failed;
    Sight sight;
    if (std::string error = ReadSight(command, sight); !error.empty())
        return VerbOutcome::Usage(error);
    const std::optional<double> linesFromHeight = sight.heightMetres;
    const bool visibleCurves = sight.horizon.has_value();
    std::vector<UserEvent> events;
    std::optional<std::size_t> drawn;
    if (const std::string* name = command.Value("event")) {
        const std::string* file = command.Value("events-file");
        const std::string path =
            file != nullptr ? *file : BesideSettings(command, kUserEventsFileName);
        if (path.empty()) return VerbOutcome::Usage("--event needs --events-file or --settings");
        UserEventsRead read = ReadUserEvents(path);
        for (const std::string& m : read.messages) std::cerr << WarningLines(m);
        events = std::move(read.events);
        for (std::size_t i = 0; i < events.size() && !drawn; ++i)
            if (events[i].name == *name) drawn = i;
        if (!drawn)
            return VerbOutcome::Usage("--event: " + QuotedArgument(*name) + " is not an event of " +
                                      path);
        AddSettingsSight(command, state.Settings, sight);
    }

    QByteArray bytes;
    {
        YearChartView chart;
        GraphInputs inputs = GraphInputsFor(state);
        inputs.twilightBands = command.Flag("twilight");
        inputs.principalPhases = command.Flag("phases");
        inputs.lightBands = command.Flag("light");
        inputs.linesFromHeight = linesFromHeight;
        inputs.visibleCurves = visibleCurves;
        inputs.sightHeightMetres = sight.heightMetres.value_or(0.0);
        if (sight.horizon) inputs.horizon = *sight.horizon;
        inputs.ownEvents = events;
        if (drawn) inputs.drawnOwnEvents = {*drawn};
        chart.Load(BuildGraph(inputs, body));
        bytes = format == "pdf" ? GraphPdfBytes(chart) : GraphPngBytes(chart);
    }
    if (bytes.isEmpty()) return VerbOutcome::Failure("cannot draw the " + format + " picture");
    return WritePicture(bytes, out, output);
}

VerbOutcome RunSkyview(const Command& command, std::ostream& output) {
    std::chrono::year_month_day date{};
    if (std::string error = ReadDate(command, "date", date); !error.empty())
        return VerbOutcome::Usage(error);
    const DayNumber shown = DayNumber::FromDate(date);
    if (shown < DayNumber::FromYmd(1900, 1, 1) || shown > DayNumber::FromYmd(2500, 12, 31))
        return VerbOutcome::Usage("--date must lie between 1900-01-01 and 2500-12-31");
    const std::string& out = *command.Value("out");
    std::string format;
    if (auto e = ReadPictureFormat(command, format); !e.empty()) return VerbOutcome::Usage(e);

    // The painting needs an application object, never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "dawnhelm-cli";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    AppState state;
    if (auto failed = LoadProgramState(command, shown, Body::Sun, state)) return *failed;
    Sight sight;
    if (std::string error = ReadSight(command, sight); !error.empty())
        return VerbOutcome::Usage(error);
    const std::vector<HorizonPoint> noProfile;
    const SkyView view =
        BuildSkyView(state.Settings, state.Current, shown, state.Locale.DateText(shown),
                     std::nullopt, sight.horizon ? *sight.horizon : noProfile);
    const QByteArray bytes = format == "pdf" ? SkyViewPdfBytes(view, QApplication::font())
                                             : SkyViewPngBytes(view, QApplication::font());
    if (bytes.isEmpty()) return VerbOutcome::Failure("cannot draw the " + format + " picture");
    return WritePicture(bytes, out, output);
}

const Verb& DrawingSkyviewVerb() {
    static const Verb verb{"skyview", kSkyviewSummary, kSkyviewDescription, kSkyviewOptions,
                           RunSkyview};
    return verb;
}

const Verb& DrawingGraphVerb() {
    static const Verb verb{"graph", kGraphSummary, kGraphDescription, kGraphOptions, Run};
    return verb;
}

}  // namespace
}  // namespace dawn::cli

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const dawn::cli::Verb* const verbs[] = {&dawn::cli::DrawingGraphVerb(),
                                            &dawn::cli::DrawingSkyviewVerb()};
    return dawn::cli::RunCommandLine(args, std::cout, std::cerr, verbs);
}
