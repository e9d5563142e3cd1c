// events: the rise and set of the sun or the moon for every date of a range.
#include <ostream>
#include <string>

#include "astro/astro.h"
#include "cli/command_line.h"
#include "cli/values.h"
#include "present/texts.h"

namespace dawn::cli {

namespace {

constexpr Option kOptions[] = {kLatitudeOption, kLongitudeOption, kTimeZoneOption,
                               kFromOption,     kToOption,        kMoonOption};

void AppendLine(std::string& buffer, const std::string& date, std::string_view kind,
                const RiseSetResult& r) {
    buffer += date;
    buffer += ';';
    buffer += kind;
    buffer += ';';
    buffer += static_cast<char>('0' + static_cast<int>(r.status));
    buffer += ';';
    AppendClock(buffer, r.time, ":");
    buffer += ';';
    AppendAzimuth(buffer, r.azimuth);
    buffer += '\n';
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    Place place{};
    std::chrono::year_month_day from{};
    std::chrono::year_month_day to{};
    if (auto e = ReadPlace(command, place); !e.empty()) return VerbOutcome::Usage(e);
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);
    const bool moon = command.Flag(kMoonOption.name);

    std::string buffer;
    constexpr std::size_t kChunk = 1 << 16;
    buffer.reserve(kChunk + 256);
    const std::chrono::sys_days last{to};
    for (std::chrono::sys_days day{from}; day <= last; day += std::chrono::days{1}) {
        const std::chrono::year_month_day date{day};
        const DayEvents events = moon ? ComputeMoonDay(date, place) : ComputeSunDay(date, place);
        const std::string iso = FormatIsoDate(date);
        AppendLine(buffer, iso, "Rise", events.rise);
        AppendLine(buffer, iso, "Set", events.set);
        if (buffer.size() >= kChunk) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            if (!out) return VerbOutcome::Failure("cannot write the output");
            buffer.clear();
        }
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    return {};
}

}  // namespace

const Verb& EventsVerb() {
    static const Verb verb{
        "events",
        "rise and set of the sun (or the moon) for every date of a range",
        "Prints two lines per date, oldest date first, in UTF-8:\n"
        "    YYYY-MM-DD;Rise;STATUS;HH:MM;AZIMUTH\n"
        "    YYYY-MM-DD;Set;STATUS;HH:MM;AZIMUTH\n"
        "Times are in the zone's standard time (no summer time), azimuths in degrees and arc\n"
        "minutes from north through east. STATUS: 4 rise and set, 0 no rise, 1 no set,\n"
        "2 below the horizon all day, 3 above it all day. Without a time of its own a line\n"
        "shows 00:00 (rise) and 23:59 (set), or 12:00 for a day spent below; the azimuth is\n"
        "empty when no crossing of that kind happened that day.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
