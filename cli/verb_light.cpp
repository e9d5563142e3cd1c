// light: the blue and golden hours of the sun, morning and evening, for
// every date of a range.
#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/light.h"
#include "present/texts.h"

namespace dawn::cli {

namespace {

constexpr Option kOptions[] = {kLatitudeOrPlaceOption,
                               kLongitudeOrPlaceOption,
                               kTimeZoneOrZoneOption,
                               kFromOption,
                               kToOption,
                               kZoneOption,
                               kPlaceOption};

constexpr std::array<std::string_view, kLightPeriodCount> kPeriodNames = {
    "morning blue hour", "morning golden hour", "evening golden hour", "evening blue hour"};

void AppendTime(std::string& buffer, const std::optional<std::chrono::minutes>& time) {
    buffer += ';';
    if (time) AppendClock(buffer, *time, ":");
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    SiteSettings settings;
    if (auto failed = ReadPlaceOptions(command, settings)) return *failed;
    // --tz gives days of standard time; a zone its own clock.
    if (!settings.Zone) settings.SummerTimeEnabled = false;
    std::chrono::year_month_day from{};
    std::chrono::year_month_day to{};
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);

    std::string buffer;
    constexpr std::size_t kChunk = 1 << 16;
    buffer.reserve(kChunk + 512);
    bool written = true;
    ForEachLightDay(settings, DayNumber::FromDate(from), DayNumber::FromDate(to),
                    [&](const LightDay& day) {
                        const std::string iso = FormatIsoDate(day.date);
                        for (LightPeriodKind kind : kLightPeriods) {
                            const LightPeriod& p = day[kind];
                            buffer += iso;
                            buffer += ';';
                            buffer += kPeriodNames[static_cast<std::size_t>(kind)];
                            AppendTime(buffer, p.start);
                            AppendTime(buffer, p.end);
                            buffer += '\n';
                        }
                        if (buffer.size() >= kChunk) {
                            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                            buffer.clear();
                            written = static_cast<bool>(out);
                        }
                        return written;
                    });
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    if (!written || !out) return VerbOutcome::Failure("cannot write the output");
    return {};
}

}  // namespace

const Verb& LightVerb() {
    static const Verb verb{
        "light",
        "the blue and golden hours of the sun, morning and evening, for every date of a range",
        "Prints four lines per date, oldest date first, in UTF-8:\n"
        "    YYYY-MM-DD;morning blue hour;START;END\n"
        "    YYYY-MM-DD;morning golden hour;START;END\n"
        "    YYYY-MM-DD;evening golden hour;START;END\n"
        "    YYYY-MM-DD;evening blue hour;START;END\n"
        "The blue hour is the sun's centre between -6 and -4 degrees, the golden hour between\n"
        "-4 and +6 degrees (geometric altitudes, no refraction), rising through them in the\n"
        "morning and setting through them in the evening. Times are HH:MM in the zone's\n"
        "standard time with --tz, or on the zone's clock with --zone or --place (summer time\n"
        "applied, each time on the date the clock shows it). A time is empty when the sun did\n"
        "not cross that bound on the date (far north in summer the evening golden hour can\n"
        "start and not end).",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
