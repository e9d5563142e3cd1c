// dawnhelm-graph: the drawing helper of `dawnhelm-cli graph`. It carries the
// windows' chart library, which the other verbs never load, and draws the
// chart of the program's graph window without a screen.
//   dawnhelm-graph graph --settings FILE --date YYYY-MM-DD [--moon] --out FILE
#include <QApplication>
#include <QString>
#include <chrono>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "cli/graph_options.h"
#include "cli/program_state.h"
#include "cli/values.h"
#include "present/graph.h"
#include "ui/graph/dawnhelmgraph.h"
#include "ui/graph/yeargraph.h"

namespace dawn::cli {
namespace {

VerbOutcome Run(const Command& command, std::ostream&) {
    std::chrono::year_month_day date{};
    if (std::string error = ReadDate(command, "date", date); !error.empty())
        return VerbOutcome::Usage(error);
    const DayNumber shown = DayNumber::FromDate(date);
    if (shown < DayNumber::FromYmd(1900, 1, 1) || shown > DayNumber::FromYmd(2500, 12, 31)) {
        return VerbOutcome::Usage("--date must lie between 1900-01-01 and 2500-12-31");
    }
    const QString out = QString::fromStdString(*command.Value("out"));
    const QString suffix = out.section(QLatin1Char('.'), -1).toLower();
    if (!out.contains(QLatin1Char('.')) || (suffix != u"pdf" && suffix != u"png")) {
        return VerbOutcome::Usage("--out must name a .pdf or a .png file");
    }

    // The chart needs an application object, never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "dawnhelm-cli";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    const Body body = command.Flag("moon") ? Body::Moon : Body::Sun;
    AppState state;
    if (auto failed = LoadProgramState(command, shown, body, state)) return *failed;

    QString error;
    bool saved = false;
    {
        DawnhelmGraph chart;
        chart.Load(BuildGraph(GraphInputsFor(state), body));
        saved =
            suffix == u"pdf" ? SaveGraphPdf(chart, out, &error) : SaveGraphPng(chart, out, &error);
    }
    if (!saved) return VerbOutcome::Failure(error.toStdString());
    return {};
}

const Verb& DrawingGraphVerb() {
    static const Verb verb{"graph", kGraphSummary, kGraphDescription, kGraphOptions, Run};
    return verb;
}

}  // namespace
}  // namespace dawn::cli

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const dawn::cli::Verb* const verbs[] = {&dawn::cli::DrawingGraphVerb()};
    return dawn::cli::RunCommandLine(args, std::cout, std::cerr, verbs);
}
