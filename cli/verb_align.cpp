// align: the dates on which the sun or the moon rises or sets at an azimuth.
#include <charconv>
#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/settings.h"
#include "present/alignment.h"
#include "present/texts.h"

namespace dawn::cli {

namespace {

constexpr Option kBodyOption{"body", "BODY", true, "sun or moon"};
constexpr Option kEventOption{"event", "EVENT", true, "rise or set"};
constexpr Option kAzimuthOption{"azimuth", "DEGREES", true,
                                "the azimuth to find, from north through east (0..360)"};
constexpr Option kToleranceOption{"tolerance", "DEGREES", true,
                                  "how far the event's azimuth may lie from it (0..180)"};
constexpr Option kMinIllumOption{"min-illum", "PERCENT", false,
                                 "with --body moon: only when at least this much of its disc is "
                                 "lit (0..100)"};
constexpr Option kOptions[] = {kLatitudeOrPlaceOption,
                               kLongitudeOrPlaceOption,
                               kTimeZoneOrZoneOption,
                               kBodyOption,
                               kEventOption,
                               kAzimuthOption,
                               kToleranceOption,
                               kFromOption,
                               kToOption,
                               kMinIllumOption,
                               kZoneOption,
                               kPlaceOption};

// A decimal number from `min` to `max`, the whole text.
std::optional<double> ParseDecimal(const std::string& text, double min, double max) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !(value >= min && value <= max))
        return std::nullopt;
    return value;
}

std::string ReadDecimal(const Command& command, const Option& option, double min, double max,
                        std::string_view what, double& out) {
    const std::string& text = *command.Value(option.name);
    const std::optional<double> value = ParseDecimal(text, min, max);
    if (!value)
        return "--" + std::string(option.name) + ": " + QuotedArgument(text) + " is not " +
               std::string(what);
    out = *value;
    return {};
}

std::string ReadQuery(const Command& command, AlignmentQuery& query) {
    const std::string& body = *command.Value(kBodyOption.name);
    if (body == "sun") {
        query.body = Body::Sun;
    } else if (body == "moon") {
        query.body = Body::Moon;
    } else {
        return "--body: " + QuotedArgument(body) + " is not a body (sun or moon)";
    }
    const std::string& event = *command.Value(kEventOption.name);
    if (event == "rise") {
        query.event = EventKind::Rise;
    } else if (event == "set") {
        query.event = EventKind::Set;
    } else {
        return "--event: " + QuotedArgument(event) + " is not an event (rise or set)";
    }
    if (auto e = ReadDecimal(command, kAzimuthOption, 0, 360, "an azimuth in degrees from 0 to 360",
                             query.azimuthDegrees);
        !e.empty())
        return e;
    if (auto e = ReadDecimal(command, kToleranceOption, 0, 180,
                             "a tolerance in degrees from 0 to 180", query.toleranceDegrees);
        !e.empty())
        return e;
    if (command.Value(kMinIllumOption.name) != nullptr) {
        if (query.body != Body::Moon) return "--min-illum goes with --body moon";
        double percent = 0;
        if (auto e = ReadDecimal(command, kMinIllumOption, 0, 100, "a percentage from 0 to 100",
                                 percent);
            !e.empty())
            return e;
        query.minLitPercent = percent;
    }
    return {};
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    SiteSettings settings;
    std::chrono::year_month_day from{};
    std::chrono::year_month_day to{};
    if (auto failed = ReadPlaceOptions(command, settings)) return *failed;
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);
    AlignmentQuery query;
    if (auto e = ReadQuery(command, query); !e.empty()) return VerbOutcome::Usage(e);

    std::string buffer;
    bool failed = false;
    ForEachAlignment(
        settings, query, DayNumber::FromDate(from), DayNumber::FromDate(to),
        AlignmentDays::Standard, [&](const Alignment& a) {
            buffer += FormatIsoDate(a.date.ToDate());
            buffer += ';';
            AppendClock(buffer, a.time, ":");
            buffer += ';';
            AppendAzimuth(buffer, a.azimuthDegrees);
            buffer += ';';
            if (a.moonLitPercent) {
                char digits[32];
                buffer.append(digits, std::to_chars(digits, digits + sizeof digits,
                                                    *a.moonLitPercent, std::chars_format::fixed, 1)
                                          .ptr);
            }
            buffer += '\n';
            if (buffer.size() >= (1 << 16)) {
                out << buffer;
                buffer.clear();
                if (!out) failed = true;
            }
            return !failed;
        });
    out << buffer;
    if (failed || !out) return VerbOutcome::Failure("cannot write the output");
    return {};
}

}  // namespace

const Verb& AlignVerb() {
    static const Verb verb{
        "align",
        "the dates on which the sun or the moon rises or sets at an azimuth",
        "Prints one line per date found, oldest first, in UTF-8:\n"
        "    YYYY-MM-DD;HH:MM;AZIMUTH;ILLUMINATED_PERCENT\n"
        "A date is found when its rise (or set) azimuth as events lists it, in degrees and\n"
        "arc minutes, lies within --tolerance of --azimuth, measured the short way round\n"
        "north. The time is the event's own, in the zone's standard time as events gives it\n"
        "(no summer time), and the azimuth is written as events writes it. ILLUMINATED_PERCENT is "
        "the moon's lit percentage of its\n"
        "disc at that moment, with one decimal; it is empty for the sun.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
