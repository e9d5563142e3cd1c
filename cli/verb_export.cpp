// dawnhelm-cli export: the export file of a range of dates, exactly as the
// export dialog writes it for the same settings, labels, range and panel.
#include <chrono>
#include <iostream>
#include <ostream>
#include <vector>

#include "cli/command_line.h"
#include "cli/program_state.h"
#include "cli/settings_option.h"
#include "cli/sight_options.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/textfile.h"
#include "present/export.h"

namespace dawn::cli {
namespace {

constexpr Option kOptions[] = {
    {"settings", "FILE", false,
     "settings file (Dawncode.txt); a missing file means the default settings; without it the "
     "defaults with --place or --zone"},
    kSiteOption,
    {"labels", "FILE", false,
     "label file (Dawnlabel.txt); the program's own labels when not given"},
    {"from", "YYYY-MM-DD", true, "first date (1900-01-01 .. 2500-01-01)"},
    {"to", "YYYY-MM-DD", true, "last date, not before the first (1900-01-01 .. 2500-01-01)"},
    {"moon", "", false, "export the moon instead of the sun"},
    {"kind", "KIND", false,
     "sun (the default), moon, twilight (the sun's twilight and noon) or phase (the moon's phase)"},
    {"out", "FILE", false,
     "write the file (replaced atomically) instead of standard output; - is standard output"},
    kZoneOption,
    kPlaceOption,
    kLightOption,
    kLightEventsFileOption,
    kHeightOption,
    kHorizonOption,
};

class StreamSink final : public TextSink {
public:
    explicit StreamSink(std::ostream& out) : out_(out) {}
    bool Write(std::string_view bytes) override {
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out_);
    }

private:
    std::ostream& out_;
};

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::chrono::year_month_day from{};
    std::chrono::year_month_day to{};
    if (std::string error = ReadDateRange(command, from, to); !error.empty())
        return VerbOutcome::Usage(error);
    const DayNumber first = DayNumber::FromDate(from);
    const DayNumber last = DayNumber::FromDate(to);
    // The dates the export dialog's pickers accept.
    if (first < DayNumber::FromYmd(1900, 1, 1) || last > DayNumber::FromYmd(2500, 1, 1)) {
        return VerbOutcome::Usage("--from and --to must lie between 1900-01-01 and 2500-01-01");
    }
    Body body = command.Flag("moon") ? Body::Moon : Body::Sun;
    ExportKind kind = ExportKind::RiseSet;
    if (const std::string* name = command.Value("kind")) {
        if (*name == "twilight") {
            kind = ExportKind::Twilight;
        } else if (*name == "phase") {
            kind = ExportKind::MoonPhase;
        } else if (*name == "moon") {
            body = Body::Moon;
        } else if (*name != "sun") {
            return VerbOutcome::Usage("--kind: " + QuotedArgument(*name) +
                                      " is not a kind (sun, moon, twilight or phase)");
        }
        if (command.Flag("moon") && *name != "moon")
            return VerbOutcome::Usage("--moon and --kind " + *name + " do not go together");
    }
    // "-" is standard output, as for most command-line programs (./- names a
    // file of that name).
    const std::string* path = command.Value("out");
    if (path != nullptr && path->empty())
        return VerbOutcome::Usage("--out: the file name is empty");

    // The main window's captions are lined up for the date it shows; here
    // that is the first date of the range, with the exported body's panel.
    AppState state;
    if (auto failed = LoadProgramState(command, first, body, state)) return *failed;

    std::optional<LightOptions> light;
    if (auto e = ReadLight(command, state.Settings, light); !e.empty())
        return VerbOutcome::Usage(e);

    const ExportJob job{ExportHeaderFor(state), body, state.Settings,      first,           last,
                        state.Locale,           kind, PhaseNamesOf(state), std::move(light)};
    if (path != nullptr && *path != "-") {
        const TextFileResult written = WriteTextFileStreamed(
            *path, [&job](TextSink& sink) { return WriteExport(job, sink) == ExportEnd::Done; });
        if (!written.ok()) return VerbOutcome::Failure(written.error);
        return {};
    }
    StreamSink sink(out);
    if (WriteExport(job, sink) != ExportEnd::Done || !out.flush())
        return VerbOutcome::Failure("Cannot write to standard output");
    return {};
}

}  // namespace

const Verb& ExportVerb() {
    static const Verb verb{
        "export",
        "the export file of a range of dates (sun, moon, twilight or the moon's phase)",
        "Writes the file that the program's export dialog writes: four header lines, then one line "
        "per\n"
        "date \"date;rise;set;rise azimuth;set azimuth\", with the locale's date format and time "
        "separator,\n"
        "UTF-8, every line ended by CR LF. The header's coordinates caption is lined up as the "
        "main window\n"
        "shows it on the first date of the range.\n"
        "--kind twilight writes \"date;civil dawn;nautical dawn;astronomical dawn;civil "
        "dusk;nautical "
        "dusk;\n"
        "astronomical dusk;solar noon\" instead (a field is empty when that crossing did not "
        "happen),\n"
        "--kind phase \"date;phase name;lit part in percent;age in days\" at local noon of "
        "standard "
        "time,\n"
        "the name in the settings' language and the numbers with one decimal.\n"
        "--light appends, to every kind, the local clock times of the morning and evening blue "
        "and golden\n"
        "hours (start and end of each), then the sun's rise and set from the observer's height "
        "(the settings'\n"
        "or --height), its visible rise and set behind the horizon profile (the settings' or "
        "--horizon), and\n"
        "the rising and setting sides of your own events (Dawnevents.txt beside the settings file, "
        "or\n"
        "--events-file); the fourth line names the fields, see the README.",
        kOptions,
        Run,
    };
    return verb;
}

}  // namespace dawn::cli
