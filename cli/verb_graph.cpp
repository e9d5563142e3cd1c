// dawnhelm-cli graph: the year graph of the sun, or the month graph of the
// moon, around a date, saved as a PDF page or a PNG picture. The chart is the
// one the program lays out in its print preview, drawn without a screen.
#include <QApplication>
#include <QLocale>
#include <QString>
#include <chrono>
#include <iostream>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/command_line.h"
#include "cli/values.h"
#include "ui/export/commandlinestate.h"
#include "ui/graph/dawnhelmgraph.h"
#include "ui/graph/yeargraph.h"
#include "ui/main/appstate.h"

namespace dawn::cli {
namespace {

constexpr Option kOptions[] = {
    {"settings", "FILE", true,
     "settings file (Dawncode.txt); a missing file means the default settings"},
    {"labels", "FILE", false,
     "label file (Dawnlabel.txt); the program's own labels when not given"},
    {"date", "YYYY-MM-DD", true,
     "the shown date the graph is drawn around (1900-01-01 .. 2500-12-31)"},
    {"moon", "", false, "the moon's month instead of the sun's year"},
    {"out", "FILE", true, "the picture to write: FILE.pdf (an A4 landscape page) or FILE.png"},
};

DayNumber Today() {
    return DayNumber::FromSysDays(
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
}

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
    std::unique_ptr<QApplication> app;
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "dawnhelm-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }

    CommandLineFiles files;
    files.settingsPath = *command.Value("settings");
    if (const std::string* labels = command.Value("labels")) files.labelsPath = *labels;
    AppState state;
    std::vector<std::string> warnings;
    const auto loadError =
        LoadCommandLineState(state, files, QLocale::system(), Today(), shown, &warnings);
    for (const std::string& w : warnings) std::cerr << "dawnhelm-cli: warning: " << w << '\n';
    if (loadError) return VerbOutcome::Failure(*loadError);

    QString error;
    bool saved = false;
    {
        DawnhelmGraph chart;
        chart.Load(BuildGraph(GraphInputsFor(state),
                              command.Flag("moon") ? GraphBody::Moon : GraphBody::Sun));
        saved =
            suffix == u"pdf" ? SaveGraphPdf(chart, out, &error) : SaveGraphPng(chart, out, &error);
    }
    if (!saved) return VerbOutcome::Failure(error.toStdString());
    return {};
}

}  // namespace

const Verb& GraphVerb() {
    static const Verb verb{
        "graph",
        "the sun's year graph or the moon's month graph around a date, as PDF or PNG",
        "Draws the chart of the program's graph window for the shown date --date: the rise and "
        "set\n"
        "times of 366 or 367 days around it (sun) or of 29 or 30 days (moon), with the date's own "
        "rise\n"
        "and set marked, and saves it as an A4 landscape PDF page or a 1600x1000 PNG picture. "
        "Needs no\n"
        "screen.",
        kOptions,
        Run,
    };
    return verb;
}

}  // namespace dawn::cli
