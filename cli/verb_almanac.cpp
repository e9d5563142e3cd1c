// almanac: the sky's events of a range of dates for one place, on the
// precise ephemeris: seasons, the moon's perigee and apogee, eclipses, the
// peaks of the major meteor showers and the changes of summer time.
#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/command_line.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/settings.h"
#include "present/almanac.h"
#include "present/texts.h"

namespace dawn::cli {

namespace {

using std::chrono::days;
using std::chrono::minutes;
using std::chrono::sys_days;
using std::chrono::sys_time;

constexpr Option kAlmanacKindOption{
    "kind", "KIND,...", false,
    "only these kinds: season, apsis, lunar-eclipse, solar-eclipse, meteor-shower, "
    "summer-time (all by default)"};
constexpr Option kOptions[] = {kLatitudeOrPlaceOption,
                               kLongitudeOrPlaceOption,
                               kTimeZoneOrZoneOption,
                               kFromOption,
                               kToOption,
                               kAlmanacKindOption,
                               kZoneOption,
                               kPlaceOption};

constexpr std::array<std::string_view, kAlmanacKindCount> kKindNames = {
    "season", "apsis", "lunar-eclipse", "solar-eclipse", "meteor-shower", "summer-time"};

std::string ReadKinds(const Command& command, AlmanacKinds& kinds) {
    const std::string* value = command.Value(kAlmanacKindOption.name);
    if (value == nullptr) {
        kinds = kAllAlmanacKinds;
        return {};
    }
    kinds.fill(false);
    std::string_view rest = *value;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view name = rest.substr(0, comma);
        const auto it = std::find(kKindNames.begin(), kKindNames.end(), name);
        if (it == kKindNames.end()) {
            return "--kind: " + QuotedArgument(name) +
                   " is not a kind (season, apsis, lunar-eclipse, solar-eclipse, meteor-shower "
                   "or summer-time)";
        }
        kinds[static_cast<std::size_t>(it - kKindNames.begin())] = true;
        if (comma == std::string_view::npos) return {};
        rest.remove_prefix(comma + 1);
    }
}

void AppendTwoDigits(std::string& out, long value) {
    out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

void AppendHourMinute(std::string& out, sys_time<minutes> clock) {
    const std::chrono::hh_mm_ss<minutes> hm{clock - std::chrono::floor<days>(clock)};
    AppendTwoDigits(out, hm.hours().count());
    out += ':';
    AppendTwoDigits(out, hm.minutes().count());
}

void AppendFixed(std::string& out, double value, int decimals) {
    char digits[32];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals)
            .ptr;
    out.append(digits, end);
}

constexpr std::string_view kSeasonNames[] = {";march equinox", ";june solstice",
                                             ";september equinox", ";december solstice"};
constexpr std::string_view kLunarKinds[] = {"penumbral", "partial", "total"};
constexpr std::string_view kSolarKinds[] = {"partial", "annular", "total"};

// One line of an item, after its "YYYY-MM-DD HH:MM".
class LineWriter {
public:
    LineWriter(const SiteSettings& settings, std::string& out) : settings_(settings), out_(out) {}

    void operator()(const SeasonEvent& e) { out_ += kSeasonNames[static_cast<int>(e.season)]; }
    void operator()(const ApsisEvent& e) {
        out_ += e.apsis == Apsis::Perigee ? ";perigee;" : ";apogee;";
        AppendFixed(out_, e.distanceKm, 0);
        if (e.supermoon) out_ += ";supermoon";
    }
    void operator()(const LunarEclipse& e) {
        out_.append(";lunar eclipse;").append(kLunarKinds[static_cast<int>(e.kind)]).append(";");
        AppendFixed(out_, e.magnitude, 3);
        for (const std::optional<UtInstant>& t :
             {std::optional{e.p1}, e.u1, e.u2, e.u3, e.u4, std::optional{e.p4}})
            Contact(t);
    }
    void operator()(const LocalSolarEclipse& e) {
        out_.append(";solar eclipse;").append(kSolarKinds[static_cast<int>(e.kind)]).append(";");
        AppendFixed(out_, e.magnitude, 3);
        out_ += ';';
        AppendFixed(out_, e.obscuration * 100.0, 1);
        for (const std::optional<UtInstant>& t :
             {std::optional{e.c1}, e.c2, e.c3, std::optional{e.c4}})
            Contact(t);
        out_ += ';';
        AppendAltitude(out_, e.sunAltitudeAtMaximum);
    }
    void operator()(const MeteorShowerPeak& e) {
        out_.append(";meteor shower;").append(e.shower->name).append(";");
        out_.append(std::to_string(e.shower->rate)).append(";");
        AppendFixed(out_, e.moonLitFraction * 100.0, 0);
    }
    void operator()(const SummerTimeChange& e) {
        out_ += e.starts ? ";summer time starts" : ";summer time ends";
    }

private:
    void Contact(const std::optional<UtInstant>& t) {
        out_ += ';';
        if (t) AppendHourMinute(out_, AlmanacClockOf(settings_, *t));
    }
    const SiteSettings& settings_;
    std::string& out_;
};

VerbOutcome Run(const Command& command, std::ostream& out) {
    SiteSettings settings;
    std::chrono::year_month_day from{}, to{};
    // Without a zone the clocks keep the offset of --tz all year.
    settings.SummerTimeEnabled = false;
    if (auto failed = ReadPlaceOptions(command, settings)) return *failed;
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);
    AlmanacKinds kinds{};
    if (auto e = ReadKinds(command, kinds); !e.empty()) return VerbOutcome::Usage(e);

    // Ten years at a time.
    constexpr days kBlock{3653};
    const sys_days last{to};
    for (sys_days first{from}; first <= last; first += kBlock) {
        const sys_days blockLast = std::min(last, first + kBlock - days{1});
        std::string buffer;
        for (const AlmanacItem& item : AlmanacOf(settings, first, blockLast, kinds)) {
            buffer.append(
                FormatIsoDate(std::chrono::year_month_day{std::chrono::floor<days>(item.clock)}));
            buffer += ' ';
            AppendHourMinute(buffer, item.clock);
            std::visit(LineWriter{settings, buffer}, item.event);
            buffer += '\n';
        }
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        if (!out) return VerbOutcome::Failure("cannot write the output");
    }
    return {};
}

}  // namespace

const Verb& AlmanacVerb() {
    static const Verb verb{
        "almanac",
        "the sky's events of a range of dates: seasons, perigees, eclipses, meteor showers",
        "Prints one line per event whose time falls within the dates, oldest first, in\n"
        "UTF-8. TIME is YYYY-MM-DD HH:MM in the place's clock time: the zone's standard\n"
        "time and summer time with --zone or --place, the fixed offset of --tz otherwise\n"
        "(UT with --tz 0):\n"
        "    TIME;march equinox      (also june solstice, september equinox,\n"
        "                             december solstice)\n"
        "    TIME;perigee;DISTANCE_KM[;supermoon]\n"
        "    TIME;apogee;DISTANCE_KM\n"
        "    TIME;lunar eclipse;KIND;MAGNITUDE;P1;U1;U2;U3;U4;P4\n"
        "    TIME;solar eclipse;KIND;MAGNITUDE;OBSCURATION_PERCENT;C1;C2;C3;C4;SUN_ALTITUDE\n"
        "    TIME;meteor shower;NAME;RATE;MOON_PERCENT\n"
        "    TIME;summer time starts\n"
        "    TIME;summer time ends\n"
        "Distances are from the centre of the Earth in km. A perigee is a supermoon when a\n"
        "full moon lies within 24 hours of it. A lunar eclipse (KIND penumbral, partial or\n"
        "total) is listed at its greatest, with the umbral magnitude (the penumbral one for\n"
        "a penumbral eclipse) and its contacts with the penumbra (P1, P4) and the umbra (U1\n"
        "to U4) as HH:MM, empty where it has none; the moon may be down at the place. A\n"
        "solar eclipse (KIND partial, annular or total at the place) is listed at its\n"
        "maximum seen from the place, only when the sun is up there at some moment of it,\n"
        "with the fraction of the sun's diameter covered, the percentage of its disc\n"
        "covered, the contacts (C2 and C3 empty for a partial eclipse) and the sun's\n"
        "altitude at the maximum in degrees and arc minutes. A meteor shower is listed at\n"
        "its peak from the table of the major showers, with its zenithal hourly rate and\n"
        "the moon's lit percentage then. Summer time lines show what the clocks read when\n"
        "they change, and come only with a zone. --kind keeps only the kinds named.\n"
        "From 1900 to 2100 times agree with a high-precision ephemeris to within a minute;\n"
        "far from the present they rest on an extrapolation of the Earth's rotation.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
