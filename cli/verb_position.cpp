// position: where the sun and the moon stand in the place's sky at one
// moment.
#include <charconv>
#include <chrono>
#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "astro/precise/position.h"
#include "cli/command_line.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/settings.h"
#include "present/skyview.h"

namespace dawn::cli {

namespace {

constexpr Option kAtOption{"at", "YYYY-MM-DD HH:MM", true,
                           "the moment: standard time with --tz, the zone's clock with --zone "
                           "or --place"};
constexpr Option kOptions[] = {kLatitudeOrPlaceOption,
                               kLongitudeOrPlaceOption,
                               kTimeZoneOrZoneOption,
                               kAtOption,
                               kZoneOption,
                               kPlaceOption};

struct LocalMoment {
    DayNumber date;
    std::chrono::minutes time{0};
};

std::optional<LocalMoment> ParseMoment(std::string_view text) {
    if (text.size() != 16 || text[10] != ' ' || text[13] != ':') return std::nullopt;
    const std::optional<std::chrono::year_month_day> date = ParseIsoDate(text.substr(0, 10));
    const auto digits = [&](std::size_t at) -> int {
        const char a = text[at], b = text[at + 1];
        if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
        return (a - '0') * 10 + (b - '0');
    };
    const int hours = digits(11), minutes = digits(14);
    if (!date || hours < 0 || hours > 23 || minutes < 0 || minutes > 59) return std::nullopt;
    if (*date < kFirstDate || *date > kLastDate) return std::nullopt;
    return LocalMoment{DayNumber::FromDate(*date), std::chrono::minutes{hours * 60 + minutes}};
}

// Three decimals, never "-0.000".
void AppendDegrees(std::string& out, double value) {
    char digits[32];
    if (std::fabs(value) < 0.0005) value = 0.0;
    const auto end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 3).ptr;
    out.append(digits, end);
}

void AppendAzimuthDegrees(std::string& out, double value) {
    // 359.9996 shows as north, 0.000, not 360.000.
    if (value >= 359.9995) value = 0.0;
    AppendDegrees(out, value);
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    SiteSettings settings;
    if (auto failed = ReadPlaceOptions(command, settings)) return *failed;
    const std::string& at = *command.Value(kAtOption.name);
    const std::optional<LocalMoment> moment = ParseMoment(at);
    if (!moment)
        return VerbOutcome::Usage("--at: " + QuotedArgument(at) +
                                  " is not a moment written YYYY-MM-DD HH:MM (years 1583..9999)");
    UtInstant instant;
    if (HasPlaceOrZone(command)) {
        const std::optional<UtInstant> found =
            InstantOfClockReading(settings, moment->date, moment->time);
        if (!found)
            return VerbOutcome::Usage("--at: " + QuotedArgument(at) +
                                      " is not on the zone's clock (summer time skips it)");
        instant = *found;
    } else {
        instant = UtInstant{moment->date.ToSysDays()} + moment->time -
                  std::chrono::minutes{settings.TimeZoneMinutes};
    }
    const SkyPositions p = SkyPositionsAt(
        GeoPlace::FromArcMinutes(settings.LatitudeMinutes, settings.LongitudeMinutes), instant);
    std::string text = "sun;";
    AppendDegrees(text, p.sun.altitudeDegrees);
    text += ';';
    AppendAzimuthDegrees(text, p.sun.azimuthDegrees);
    text += "\nmoon;";
    AppendDegrees(text, p.moon.altitudeDegrees);
    text += ';';
    AppendAzimuthDegrees(text, p.moon.azimuthDegrees);
    text += ';';
    char digits[32];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, p.moonLitFraction * 100.0,
                                      std::chars_format::fixed, 1)
                            .ptr);
    text += ';';
    text += std::to_string(std::lround(p.moonDistanceKm));
    text += '\n';
    out << text;
    if (!out) return VerbOutcome::Failure("cannot write the output");
    return {};
}

}  // namespace

const Verb& PositionVerb() {
    static const Verb verb{
        "position",
        "where the sun and the moon stand in the sky at one moment",
        "Prints two lines in UTF-8:\n"
        "    sun;ALTITUDE;AZIMUTH\n"
        "    moon;ALTITUDE;AZIMUTH;ILLUMINATED_PERCENT;DISTANCE_KM\n"
        "Degrees with three decimals: the altitude of the body's centre above the horizon,\n"
        "geometric (no refraction; the eye sees a body on the horizon 0.57 degrees higher)\n"
        "and topocentric (seen from the place at sea level, not from the centre of the\n"
        "Earth, which lowers the moon by up to a degree), and the azimuth from north through\n"
        "east. The moon's lit percentage of its disc has one decimal; its distance from the\n"
        "place in whole kilometres.\n"
        "--at is read in standard time with --tz, and on the zone's clock (summer time\n"
        "applied) with --zone or --place; where the clocks go back the first of the two\n"
        "moments counts, and a time the clocks skip is an error.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
