// distance: the moon's distance and apparent size at one clock time of the
// place on each date of a range, on the precise ephemeris.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "astro/precise/ephemeris.h"
#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/settings.h"
#include "present/almanac.h"
#include "present/skyview.h"

namespace dawn::cli {

namespace {

using std::chrono::days;
using std::chrono::minutes;
using std::chrono::sys_days;

constexpr Option kClockOption{"at", "HH:MM", false,
                              "the clock time of each date (the start of the date by default): "
                              "standard time with --tz, the place's clock with --zone, --place "
                              "or --settings"};
constexpr Option kOptions[] = {kLatitudeOrPlaceOption,
                               kLongitudeOrPlaceOption,
                               kTimeZoneOrZoneOption,
                               kFromOption,
                               kToOption,
                               kClockOption,
                               kZoneOption,
                               kPlaceOption,
                               kSettingsOrPlaceOption,
                               kSiteOption};

std::optional<minutes> ParseClock(std::string_view text) {
    if (text.size() != 5 || text[2] != ':') return std::nullopt;
    const auto digits = [&](std::size_t at) -> int {
        const char a = text[at], b = text[at + 1];
        if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
        return (a - '0') * 10 + (b - '0');
    };
    const int hours = digits(0), mins = digits(3);
    if (hours < 0 || hours > 23 || mins < 0 || mins > 59) return std::nullopt;
    return minutes{hours * 60 + mins};
}

// The place: from --settings (with --site, --place and --zone over it), or
// from --lat, --lon and --tz, or --place and --zone as almanac takes them.
std::optional<VerbOutcome> ReadPlace(const Command& command, SiteSettings& settings) {
    if (command.Value(kSettingsOrPlaceOption.name) == nullptr &&
        command.Value(kSiteOption.name) == nullptr) {
        // Without a zone the clocks keep the offset of --tz all year.
        settings.SummerTimeEnabled = false;
        return ReadPlaceOptions(command, settings);
    }
    for (const Option* o :
         {&kLatitudeOrPlaceOption, &kLongitudeOrPlaceOption, &kTimeZoneOrZoneOption}) {
        if (command.Value(o->name) != nullptr)
            return VerbOutcome::Usage("give either --settings or --" + std::string(o->name));
    }
    return ReadSettingsWithPlace(command, settings);
}

void AppendFixed(std::string& out, double value, int decimals) {
    char digits[32];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value,
                                     std::chars_format::fixed, decimals)
                           .ptr);
}

void AppendTwoDigits(std::string& out, long value) {
    out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    SiteSettings settings;
    if (auto failed = ReadPlace(command, settings)) return *failed;
    std::chrono::year_month_day from{}, to{};
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);
    // Without --at, the start of each clock day: 00:00, or where the clocks
    // skip midnight, their first reading that day.
    std::optional<minutes> clock;
    const std::string* at = command.Value(kClockOption.name);
    if (at != nullptr) {
        clock = ParseClock(*at);
        if (!clock)
            return VerbOutcome::Usage("--at: " + QuotedArgument(*at) +
                                      " is not a clock time written HH:MM (00:00..23:59)");
    }
    const DayNumber first = DayNumber::FromDate(from);
    const DayNumber last = DayNumber::FromDate(to);

    // Every date's instant first, so that a clock time summer time skips
    // fails the whole range before a line is written.
    if (clock) {
        for (DayNumber date = first; date <= last; date = date + 1) {
            if (!InstantOfClockReading(settings, date, *clock))
                return VerbOutcome::Usage("--at: " + *at + " is not on the clock on " +
                                          FormatIsoDate(date) + " (summer time skips it)");
        }
    }

    // A year at a time.
    constexpr int kBlock = 366;
    for (DayNumber blockFirst = first; blockFirst <= last; blockFirst = blockFirst + kBlock) {
        const DayNumber blockLast = std::min(last, blockFirst + (kBlock - 1));
        std::string buffer;
        for (DayNumber date = blockFirst; date <= blockLast; date = date + 1) {
            const UtInstant instant = clock ? *InstantOfClockReading(settings, date, *clock)
                                            : ClockDayStart(settings, date);
            const minutes shown =
                clock ? *clock : minutes{AlmanacClockOf(settings, instant) - date.ToSysDays()};
            const MoonDistanceAndSize moon = MoonDistanceAndSizeAt(instant);
            buffer.append(FormatIsoDate(date)).append(" ");
            AppendTwoDigits(buffer, shown.count() / 60);
            buffer += ':';
            AppendTwoDigits(buffer, shown.count() % 60);
            buffer += ';';
            AppendFixed(buffer, moon.distanceKm, 0);
            buffer += ';';
            AppendFixed(buffer, moon.apparentDiameterDegrees * 60.0, 1);
            buffer += ';';
            AppendFixed(buffer, PercentOfMeanDiameter(moon), 1);
            buffer += '\n';
        }
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        if (!out) return VerbOutcome::Failure("cannot write the output");
    }
    return {};
}

}  // namespace

const Verb& DistanceVerb() {
    static const Verb verb{
        "distance",
        "the moon's distance and apparent size at one clock time of each date",
        "Prints one line per date, oldest first:\n"
        "    YYYY-MM-DD HH:MM;DISTANCE_KM;DIAMETER_ARCMIN;PERCENT_OF_MEAN\n"
        "the moon at that clock time of the place: the distance of its centre from the\n"
        "centre of the Earth in whole km (as almanac gives a perigee's), the diameter\n"
        "its disc fills seen from there in arc minutes, and that diameter in percent of\n"
        "the one at the mean distance, 384,400 km (about 107 at a close perigee, 94.5 at\n"
        "a far apogee), both with one decimal. --at is read in standard time with --tz,\n"
        "and on the place's clock (summer time applied) with --zone, --place or\n"
        "--settings; where the clocks go back the first of the two moments counts, and\n"
        "a time the clocks skip on any date of the range is an error. Without --at each\n"
        "line is the start of the date on the clock: 00:00, or where the clocks skip\n"
        "midnight, their first reading that day. From 1900 to 2100 distances agree with\n"
        "a high-precision ephemeris to within 20 km.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
