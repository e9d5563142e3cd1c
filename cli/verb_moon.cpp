// moon: the moon's phase at local noon for every date of a range.
#include <charconv>
#include <cstdint>
#include <ostream>
#include <string>

#include "astro/moonphase.h"
#include "cli/command_line.h"
#include "cli/moon_names.h"
#include "cli/place_or_settings.h"
#include "cli/values.h"
#include "core/daynumber.h"
#include "core/settings.h"

namespace dawn::cli {

namespace {

constexpr Option kOptions[] = {kLatitudeOrSettingsOption,
                               kLongitudeOrSettingsOption,
                               kTimeZoneOrSettingsOption,
                               kOptionalSettingsOption,
                               kSiteOption,
                               kFromOption,
                               kToOption,
                               kZoneOption,
                               kPlaceOption};

void AppendOneDecimal(std::string& out, double value) {
    char digits[32];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 1).ptr;
    out.append(digits, end);
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::chrono::year_month_day from{}, to{};
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);
    SiteSettings settings;
    if (auto e = ReadPlaceOrSettings(command, PlaceParts::Whole, settings)) return *e;
    const double latitude = settings.LatitudeMinutes / 60.0;

    std::string buffer;
    constexpr std::size_t kChunk = 1 << 16;
    buffer.reserve(kChunk + 256);
    const std::chrono::sys_days last{to};
    for (std::chrono::sys_days day{from}; day <= last; day += std::chrono::days{1}) {
        const std::chrono::year_month_day date{day};
        // Noon of the date's own standard time, as the day record takes it.
        const auto zone = static_cast<std::int32_t>(
            StandardOffsetOf(settings, DayNumber::FromDate(date)).count());
        const DatePhase phase = MoonPhaseOfDate(date, latitude, zone);
        buffer.append(FormatIsoDate(date)).append(";").append(PhaseNameText(phase.name));
        buffer.append(";");
        AppendOneDecimal(buffer, phase.atNoon.illuminatedFraction * 100.0);
        buffer.append(";");
        AppendOneDecimal(buffer, phase.atNoon.ageDays);
        buffer.append("\n");
        if (buffer.size() >= kChunk) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            if (!out) return VerbOutcome::Failure("cannot write the output");
            buffer.clear();
        }
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    if (!out) return VerbOutcome::Failure("cannot write the output");
    return {};
}

}  // namespace

const Verb& MoonVerb() {
    static const Verb verb{
        "moon",
        "the moon's phase at local noon for every date of a range",
        "Prints one line per date, oldest date first, in UTF-8:\n"
        "    YYYY-MM-DD;PHASE;LIT;AGE\n"
        "PHASE is one of new, waxing crescent, first quarter, waxing gibbous, full, waning\n"
        "gibbous, last quarter, waning crescent. A date is named new, first quarter, full or\n"
        "last quarter when it holds the minute of that phase as the phases verb lists it.\n"
        "LIT is the lit part of the moon's disc in percent and AGE the days since the last\n"
        "new moon, both at noon of the zone's standard time, with one decimal. The place\n"
        "and zone come from --lat, --lon and --tz, or from the settings file; --place and\n"
        "--zone stand in for them or override the file. A time zone named there, or by\n"
        "--zone or --place, gives every date the standard offset it had on that date.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
