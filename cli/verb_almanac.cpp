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
#include <vector>

#include "astro/precise/almanac.h"
#include "cli/command_line.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/settings.h"
#include "places/zone.h"
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

enum class Kind { Season, Apsis, LunarEclipse, SolarEclipse, MeteorShower, SummerTime };
constexpr std::array<std::string_view, 6> kKindNames = {
    "season", "apsis", "lunar-eclipse", "solar-eclipse", "meteor-shower", "summer-time"};

using KindSet = std::array<bool, kKindNames.size()>;

std::string ReadKinds(const Command& command, KindSet& kinds) {
    const std::string* value = command.Value(kAlmanacKindOption.name);
    if (value == nullptr) {
        kinds.fill(true);
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

bool Wanted(const KindSet& kinds, Kind kind) {
    return kinds[static_cast<std::size_t>(kind)];
}

// The place's clock reading of an instant, to the nearest minute: the zone's
// standard offset and summer time at that very minute, or the fixed offset
// of --tz.
sys_time<minutes> ClockMinuteOf(const SiteSettings& settings, UtInstant t) {
    const sys_time<minutes> ut = std::chrono::round<minutes>(t);
    if (const auto* zone = dynamic_cast<const Zone*>(settings.Zone.get()))
        return ut + zone->ClockOffsetAt(ut);
    return ut + minutes{settings.TimeZoneMinutes};
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

// One line and the instant it sorts by.
struct Line {
    UtInstant instant;
    sys_time<minutes> clock;
    std::string text;  // after "YYYY-MM-DD HH:MM"
};

class Collector {
public:
    Collector(const SiteSettings& settings, sys_days first, sys_days last)
        : settings_(settings), first_(first), last_(last) {}

    sys_time<minutes> Clock(UtInstant t) const { return ClockMinuteOf(settings_, t); }
    std::string ClockText(UtInstant t) const {
        std::string s;
        AppendHourMinute(s, Clock(t));
        return s;
    }
    std::string ClockText(const std::optional<UtInstant>& t) const {
        return t ? ClockText(*t) : std::string{};
    }
    void Add(UtInstant instant, sys_time<minutes> clock, std::string text) {
        const sys_days date = std::chrono::floor<days>(clock);
        if (date < first_ || date > last_) return;
        lines_.push_back({instant, clock, std::move(text)});
    }
    void Add(UtInstant instant, std::string text) { Add(instant, Clock(instant), std::move(text)); }

    void WriteTo(std::string& out) {
        std::stable_sort(lines_.begin(), lines_.end(),
                         [](const Line& a, const Line& b) { return a.instant < b.instant; });
        for (const Line& l : lines_) {
            const sys_days date = std::chrono::floor<days>(l.clock);
            out.append(FormatIsoDate(std::chrono::year_month_day{date})).append(" ");
            AppendHourMinute(out, l.clock);
            out.append(l.text).append("\n");
        }
    }

private:
    const SiteSettings& settings_;
    sys_days first_, last_;
    std::vector<Line> lines_;
};

constexpr std::string_view kSeasonNames[] = {";march equinox", ";june solstice",
                                             ";september equinox", ";december solstice"};
constexpr std::string_view kLunarKinds[] = {"penumbral", "partial", "total"};
constexpr std::string_view kSolarKinds[] = {"partial", "annular", "total"};

void CollectSky(Collector& c, const KindSet& kinds, const GeoPlace& place, UtInstant from,
                UtInstant to) {
    if (Wanted(kinds, Kind::Season)) {
        for (const SeasonEvent& e : SeasonsBetween(from, to))
            c.Add(e.instant, std::string{kSeasonNames[static_cast<int>(e.season)]});
    }
    if (Wanted(kinds, Kind::Apsis)) {
        for (const ApsisEvent& e : LunarApsidesBetween(from, to)) {
            std::string text = e.apsis == Apsis::Perigee ? ";perigee;" : ";apogee;";
            AppendFixed(text, e.distanceKm, 0);
            if (e.supermoon) text += ";supermoon";
            c.Add(e.instant, std::move(text));
        }
    }
    if (Wanted(kinds, Kind::LunarEclipse)) {
        for (const LunarEclipse& e : LunarEclipsesBetween(from, to, place)) {
            std::string text = ";lunar eclipse;";
            text.append(kLunarKinds[static_cast<int>(e.kind)]).append(";");
            AppendFixed(text, e.magnitude, 3);
            for (const std::optional<UtInstant>& t :
                 {std::optional{e.p1}, e.u1, e.u2, e.u3, e.u4, std::optional{e.p4}})
                text.append(";").append(c.ClockText(t));
            c.Add(e.greatest, std::move(text));
        }
    }
    if (Wanted(kinds, Kind::SolarEclipse)) {
        for (const LocalSolarEclipse& e : LocalSolarEclipsesBetween(from, to, place)) {
            std::string text = ";solar eclipse;";
            text.append(kSolarKinds[static_cast<int>(e.kind)]).append(";");
            AppendFixed(text, e.magnitude, 3);
            text += ';';
            AppendFixed(text, e.obscuration * 100.0, 1);
            for (const std::optional<UtInstant>& t :
                 {std::optional{e.c1}, e.c2, e.c3, std::optional{e.c4}})
                text.append(";").append(c.ClockText(t));
            text += ';';
            AppendAltitude(text, e.sunAltitudeAtMaximum);
            c.Add(e.maximum, std::move(text));
        }
    }
    if (Wanted(kinds, Kind::MeteorShower)) {
        for (const MeteorShowerPeak& e : MeteorShowerPeaksBetween(from, to)) {
            std::string text = ";meteor shower;";
            text.append(e.shower->name).append(";").append(std::to_string(e.shower->rate));
            text += ';';
            AppendFixed(text, e.moonLitFraction * 100.0, 0);
            c.Add(e.peak, std::move(text));
        }
    }
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    SiteSettings settings;
    std::chrono::year_month_day from{}, to{};
    // Without a zone the clocks keep the offset of --tz all year.
    settings.SummerTimeEnabled = false;
    if (auto failed = ReadPlaceOptions(command, settings)) return *failed;
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);
    KindSet kinds{};
    if (auto e = ReadKinds(command, kinds); !e.empty()) return VerbOutcome::Usage(e);
    const GeoPlace place =
        GeoPlace::FromArcMinutes(settings.LatitudeMinutes, settings.LongitudeMinutes);
    const auto* zone = dynamic_cast<const Zone*>(settings.Zone.get());

    // Ten years at a time, with two days more on each side: the clocks of
    // the place are less than a day from UT.
    constexpr days kBlock{3653};
    const sys_days last{to};
    for (sys_days first{from}; first <= last; first += kBlock) {
        const sys_days blockLast = std::min(last, first + kBlock - days{1});
        Collector collector{settings, first, blockLast};
        CollectSky(collector, kinds, place, UtInstant{first - days{2}},
                   UtInstant{blockLast + days{3}});
        if (zone != nullptr && Wanted(kinds, Kind::SummerTime)) {
            for (const Zone::SummerTimeChange& change : zone->SummerTimeChangesBetween(
                     DayNumber::FromSysDays(first), DayNumber::FromSysDays(blockLast))) {
                const sys_time<minutes> clock{sys_days{change.reading.date.ToDate()} +
                                              change.reading.time};
                collector.Add(UtInstant{change.ut}, clock,
                              change.starts ? ";summer time starts" : ";summer time ends");
            }
        }
        std::string buffer;
        collector.WriteTo(buffer);
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
