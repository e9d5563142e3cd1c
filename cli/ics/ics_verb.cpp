#include "cli/ics/ics_verb.h"

#include <chrono>
#include <ostream>
#include <string>

#include "cli/ics_options.h"
#include "cli/interrupts.h"
#include "cli/sight_options.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/textfile.h"
#include "reminders/calendarfile.h"

namespace dawn::cli {
namespace {

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::chrono::year_month_day from{};
    std::chrono::year_month_day to{};
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);
    const std::string* path = command.Value("out");
    if (path != nullptr && path->empty())
        return VerbOutcome::Usage("--out: the file name is empty");
    SiteSettings settings;
    if (auto e = ReadSettingsWithPlace(command, settings)) return *e;

    std::optional<LightOptions> light;
    if (auto e = ReadLight(command, settings, light); !e.empty()) return VerbOutcome::Usage(e);

    const CalendarJob job{
        settings,
        DayNumber::FromDate(from),
        DayNumber::FromDate(to),
        command.Flag("moon"),
        command.Flag("twilight"),
        std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()),
        {},
        command.Flag("almanac"),
        std::move(light)};
    CalendarResult result;
    // An interrupt stops the writing; the program's end says the rest.
    const auto interrupted = [] { return CaughtInterrupt() != 0; };
    if (path != nullptr && *path != "-") {
        const TextFileResult written = WriteTextFileStreamed(*path, [&](TextSink& sink) {
            result = WriteCalendarFile(job, [&sink, &interrupted](std::string_view piece) {
                return !interrupted() && sink.Write(piece);
            });
            return result.status == IcsStatus::Ok && !interrupted();
        });
        if (interrupted()) return VerbOutcome::Failure({});
        if (result.status != IcsStatus::Ok) return VerbOutcome::Failure(result.error);
        if (!written.ok()) return VerbOutcome::Failure(written.error);
        return {};
    }
    result = WriteCalendarFile(job, [&out, &interrupted](std::string_view piece) {
        if (interrupted()) return false;
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        return static_cast<bool>(out);
    });
    if (interrupted()) return VerbOutcome::Failure({});
    if (result.status == IcsStatus::Stopped) return VerbOutcome::Failure("cannot write the output");
    if (result.status != IcsStatus::Ok) return VerbOutcome::Failure(result.error);
    return {};
}

}  // namespace

const Verb& WritingIcsVerb() {
    static const Verb verb{"ics", kIcsSummary, kIcsDescription, kIcsOptions, Run};
    return verb;
}

}  // namespace dawn::cli
