// events: the rise and set of the sun or the moon for every date of a range.
#include <ostream>
#include <string>

#include "astro/astro.h"
#include "cli/command_line.h"
#include "cli/program_state.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/dayephemeris.h"
#include "present/texts.h"

namespace dawn::cli {

namespace {

constexpr Option kLatitudeOrPlaceOption{
    "lat", "MINUTES", false, "latitude in arc minutes, north positive (-5400..5400); or --place"};
constexpr Option kLongitudeOrPlaceOption{
    "lon", "MINUTES", false, "longitude in arc minutes, east positive (-10800..10800); or --place"};
constexpr Option kTimeZoneOrZoneOption{
    "tz", "MINUTES", false,
    "standard time ahead of UT in minutes (-1439..1439); or --zone or --place"};
constexpr Option kOptions[] = {kLatitudeOrPlaceOption,
                               kLongitudeOrPlaceOption,
                               kTimeZoneOrZoneOption,
                               kFromOption,
                               kToOption,
                               kMoonOption,
                               kZoneOption,
                               kPlaceOption};

// The place and zone of the options: --lat and --lon or --place, --tz or
// --zone (or the zone of --place), kept in settings so that each date takes
// its standard offset as the day records do.
std::optional<VerbOutcome> ReadPlaceOptions(const Command& command, SiteSettings& s) {
    const bool place = command.Value(kPlaceOption.name) != nullptr;
    const bool zone = command.Value(kZoneOption.name) != nullptr;
    const bool coordinates = command.Value(kLatitudeOption.name) != nullptr ||
                             command.Value(kLongitudeOption.name) != nullptr;
    const bool tz = command.Value(kTimeZoneOption.name) != nullptr;
    if (place && coordinates) return VerbOutcome::Usage("give either --place or --lat and --lon");
    if ((place || zone) && tz) return VerbOutcome::Usage("give either --tz or --zone and --place");
    if (!place) {
        if (auto e = ReadInteger(command, kLatitudeOption.name, -5400, 5400, s.LatitudeMinutes);
            !e.empty())
            return VerbOutcome::Usage(e + " (or --place)");
        if (auto e = ReadInteger(command, kLongitudeOption.name, -10800, 10800, s.LongitudeMinutes);
            !e.empty())
            return VerbOutcome::Usage(e + " (or --place)");
    }
    if (!place && !zone) {
        if (auto e = ReadInteger(command, kTimeZoneOption.name, -1439, 1439, s.TimeZoneMinutes);
            !e.empty())
            return VerbOutcome::Usage(e + " (or --zone)");
    }
    return ApplyPlaceAndZone(command, s, Today());
}

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
    SiteSettings settings;
    std::chrono::year_month_day from{};
    std::chrono::year_month_day to{};
    if (auto failed = ReadPlaceOptions(command, settings)) return *failed;
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);
    const bool moon = command.Flag(kMoonOption.name);

    std::string buffer;
    constexpr std::size_t kChunk = 1 << 16;
    buffer.reserve(kChunk + 256);
    const std::chrono::sys_days last{to};
    for (std::chrono::sys_days day{from}; day <= last; day += std::chrono::days{1}) {
        const std::chrono::year_month_day date{day};
        const Place place = PlaceOf(settings, DayNumber::FromDate(date));
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
