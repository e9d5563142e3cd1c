// ics: the calendar file of a range of dates, as the export dialog writes it.
#include <chrono>
#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/values.h"
#include "core/textfile.h"
#include "reminders/calendarfile.h"

namespace dawn::cli {
namespace {

constexpr Option kOptions[] = {
    kSettingsOption,
    kFromOption,
    kToOption,
    {"moon", "", false, "moonrise and moonset too"},
    {"twilight", "", false, "civil dawn and dusk too"},
    {"out", "FILE", false,
     "write the file (replaced atomically) instead of standard output; - is standard output"},
};

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::chrono::year_month_day from{};
    std::chrono::year_month_day to{};
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);
    const std::string* path = command.Value("out");
    if (path != nullptr && path->empty())
        return VerbOutcome::Usage("--out: the file name is empty");
    SiteSettings settings;
    if (auto e = ReadSettingsOption(command, settings)) return *e;

    const CalendarJob job{
        settings,
        DayNumber::FromDate(from),
        DayNumber::FromDate(to),
        command.Flag("moon"),
        command.Flag("twilight"),
        std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()),
        {}};
    CalendarResult result;
    if (path != nullptr && *path != "-") {
        const TextFileResult written = WriteTextFileStreamed(*path, [&](TextSink& sink) {
            result = WriteCalendarFile(
                job, [&sink](std::string_view piece) { return sink.Write(piece); });
            return result.status == IcsStatus::Ok;
        });
        if (result.status != IcsStatus::Ok) return VerbOutcome::Failure(result.error);
        if (!written.ok()) return VerbOutcome::Failure(written.error);
        return {};
    }
    result = WriteCalendarFile(job, [&out](std::string_view piece) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        return static_cast<bool>(out);
    });
    if (result.status == IcsStatus::Stopped) return VerbOutcome::Failure("cannot write the output");
    if (result.status != IcsStatus::Ok) return VerbOutcome::Failure(result.error);
    return {};
}

}  // namespace

const Verb& IcsVerb() {
    static const Verb verb{
        "ics",
        "the calendar file (.ics) of a range of dates",
        "Writes an iCalendar file (RFC 5545) with one event per sunrise and sunset of every date "
        "in the\n"
        "range, and moonrise and moonset (--moon) and civil dawn and dusk (--twilight) on "
        "request. Each\n"
        "event's summary is like \"Sunrise 07:15 (82°)\" and its UID is made from the date, the "
        "kind and the\n"
        "place, so that a calendar that imports the file again updates its events. The start "
        "time is in\n"
        "the settings' time zone, with its VTIMEZONE, when the settings name one, else in UTC. "
        "The file\n"
        "holds no alarms. A day without an event (midnight sun, polar night) has no event for "
        "it.",
        kOptions,
        Run,
    };
    return verb;
}

}  // namespace dawn::cli
