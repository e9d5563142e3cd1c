// events: the rise and set of the sun or the moon, the sun's twilight or its
// noon for every date of a range.
#include <array>
#include <cmath>
#include <iostream>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "astro/astro.h"
#include "astro/horizon.h"
#include "cli/command_line.h"
#include "cli/program_state.h"
#include "cli/sight_options.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/dayephemeris.h"
#include "core/horizonprofile.h"
#include "core/textfile.h"
#include "core/userevents.h"
#include "present/texts.h"

namespace dawn::cli {

namespace {

constexpr Option kKindOption{"kind", "KIND", false,
                             "sun (the default), moon, civil, nautical, astronomical or noon"};
constexpr Option kElevationOption{"elevation", "DEGREES", false,
                                  "the sun's centre crossing this altitude (-90..90), instead "
                                  "of --kind"};
constexpr Option kShadowOption{"shadow", "RATIO", false,
                               "the sun where a vertical object's shadow is RATIO times its "
                               "height (0.01..1000), instead of --kind"};
constexpr Option kBeyondNoonOption{"beyond-noon", "", false,
                                   "with --shadow: RATIO times the height beyond the noon shadow"};
constexpr Option kEventOption{"event", "NAME", false,
                              "one of your own events (from --events-file), instead of --kind"};
constexpr Option kEventsFileOption{"events-file", "FILE", false,
                                   "your own events for --event (default: Dawnevents.txt in the "
                                   "current folder)"};
constexpr Option kOptions[] = {kLatitudeOrPlaceOption,
                               kLongitudeOrPlaceOption,
                               kTimeZoneOrZoneOption,
                               kFromOption,
                               kToOption,
                               kMoonOption,
                               kKindOption,
                               kZoneOption,
                               kPlaceOption,
                               kElevationOption,
                               kShadowOption,
                               kBeyondNoonOption,
                               kHeightOption,
                               kHorizonOption,
                               kEventOption,
                               kEventsFileOption};

// What a run lists: the rise and set of a body, the dawn and dusk of a
// twilight, or the sun's noon.
enum class Listing { Sun, Moon, Civil, Nautical, Astronomical, Noon };

struct ListingName {
    std::string_view name;
    Listing listing;
};
constexpr std::array<ListingName, 6> kListings = {{{"sun", Listing::Sun},
                                                   {"moon", Listing::Moon},
                                                   {"civil", Listing::Civil},
                                                   {"nautical", Listing::Nautical},
                                                   {"astronomical", Listing::Astronomical},
                                                   {"noon", Listing::Noon}}};

std::optional<Listing> ListingOf(std::string_view name) {
    for (const ListingName& l : kListings)
        if (l.name == name) return l.listing;
    return std::nullopt;
}

TwilightKind TwilightOf(Listing listing) {
    switch (listing) {
        case Listing::Nautical:
            return TwilightKind::Nautical;
        case Listing::Astronomical:
            return TwilightKind::Astronomical;
        default:
            return TwilightKind::Civil;
    }
}

void AppendHead(std::string& buffer, const std::string& date, std::string_view kind,
                EventStatus status) {
    buffer += date;
    buffer += ';';
    buffer += kind;
    buffer += ';';
    buffer += static_cast<char>('0' + static_cast<int>(status));
    buffer += ';';
}

void AppendLine(std::string& buffer, const std::string& date, std::string_view kind,
                const RiseSetResult& r) {
    AppendHead(buffer, date, kind, r.status);
    AppendClock(buffer, r.time, ":");
    buffer += ';';
    AppendAzimuth(buffer, r.azimuth);
    buffer += '\n';
}

// A twilight has no azimuth column of its own: the field stays empty.
void AppendLine(std::string& buffer, const std::string& date, std::string_view kind,
                const EventMinutes& e) {
    AppendHead(buffer, date, kind, e.status);
    AppendClock(buffer, e.minute, ":");
    buffer += ";\n";
}

// The sun's first appearance or last disappearance over the skyline, with
// the azimuth where it happens.
void AppendVisibleLine(std::string& buffer, const std::string& date, std::string_view kind,
                       const EventMinutes& e, const std::optional<double>& azimuth) {
    AppendHead(buffer, date, kind, e.status);
    AppendClock(buffer, e.minute, ":");
    buffer += ';';
    AppendAzimuth(buffer, azimuth);
    buffer += '\n';
}

// The noon line: status 4 and the sun's altitude; a date without a transit
// (the zone's noon lies near midnight and the transits fall just before and
// just after the date) has status 0 and empty fields.
void AppendNoonLine(std::string& buffer, const std::string& date,
                    const std::optional<SolarNoon>& noon) {
    if (!noon) {
        AppendHead(buffer, date, "Noon", EventStatus::NoRise);
        buffer += ";\n";
        return;
    }
    AppendHead(buffer, date, "Noon", EventStatus::Normal);
    AppendClock(buffer, noon->minute, ":");
    buffer += ';';
    AppendAltitude(buffer, noon->altitudeDegrees);
    buffer += '\n';
}

std::string ReadListing(const Command& command, Listing& out) {
    const bool moon = command.Flag(kMoonOption.name);
    const std::string* kind = command.Value(kKindOption.name);
    if (kind == nullptr) {
        out = moon ? Listing::Moon : Listing::Sun;
        return {};
    }
    const std::optional<Listing> listing = ListingOf(*kind);
    if (!listing) {
        return "--kind: " + QuotedArgument(*kind) +
               " is not a kind (sun, moon, civil, nautical, astronomical or noon)";
    }
    if (moon && *listing != Listing::Moon)
        return "--moon and --kind " + *kind + " do not go together";
    out = *listing;
    return {};
}

// A decimal number from `min` to `max`, the whole text, without a plus sign.
bool ParseDecimal(const std::string& text, double min, double max, double& out) {
    if (!text.empty() && text.front() == '+') return false;
    return ParseNumberInRange(text, min, max, out);
}

// --elevation: a number of degrees from -90 to 90.
std::string ReadElevation(const Command& command, std::optional<double>& out) {
    const std::string* text = command.Value(kElevationOption.name);
    if (text == nullptr) return {};
    double value = 0;
    if (!ParseDecimal(*text, -90.0, 90.0, value))
        return "--elevation: " + QuotedArgument(*text) +
               " is not an altitude in degrees from -90 to 90";
    if (command.Value(kKindOption.name) != nullptr || command.Flag(kMoonOption.name))
        return "--elevation goes with neither --kind nor --moon";
    out = value;
    return {};
}

// --shadow and --beyond-noon.
struct Shadow {
    double ratio = 1;
    bool beyondNoon = false;
};

std::string ReadShadow(const Command& command, std::optional<Shadow>& out) {
    const std::string* text = command.Value(kShadowOption.name);
    if (text == nullptr) {
        if (command.Flag(kBeyondNoonOption.name)) return "--beyond-noon goes with --shadow";
        return {};
    }
    double value = 0;
    if (!ParseDecimal(*text, 0.01, 1000.0, value))
        return "--shadow: " + QuotedArgument(*text) +
               " is not a ratio of shadow to height from 0.01 to 1000";
    if (command.Value(kKindOption.name) != nullptr || command.Flag(kMoonOption.name) ||
        command.Value(kElevationOption.name) != nullptr)
        return "--shadow goes with neither --kind, --moon nor --elevation";
    out = Shadow{value, command.Flag(kBeyondNoonOption.name)};
    return {};
}

// --height and --horizon go with the sun's rise and set only.
std::string ReadSeen(const Command& command, Sight& out) {
    const bool height = command.Value(kHeightOption.name) != nullptr;
    if (!height && command.Value(kHorizonOption.name) == nullptr) return {};
    if (command.Flag(kMoonOption.name) || command.Value(kKindOption.name) != nullptr ||
        command.Value(kElevationOption.name) != nullptr ||
        command.Value(kShadowOption.name) != nullptr)
        return std::string(height ? "--height" : "--horizon") +
               " goes with the sun's rise and set only, not with --moon, --kind, --elevation or "
               "--shadow";
    return ReadSight(command, out);
}

// --event NAME: the event of that name in the events file, which is read
// as the program reads it (bad lines are reported and left out).
struct OwnEvent {
    std::vector<UserEvent> events;
    std::size_t index = 0;
    UserEventSide sides = UserEventSide::Both;
};

std::optional<VerbOutcome> ReadOwnEvent(const Command& command, std::optional<OwnEvent>& out) {
    const std::string* name = command.Value(kEventOption.name);
    const std::string* file = command.Value(kEventsFileOption.name);
    if (name == nullptr) {
        if (file != nullptr) return VerbOutcome::Usage("--events-file goes with --event");
        return std::nullopt;
    }
    if (command.Flag(kMoonOption.name) || command.Value(kKindOption.name) != nullptr ||
        command.Value(kElevationOption.name) != nullptr ||
        command.Value(kShadowOption.name) != nullptr)
        return VerbOutcome::Usage(
            "--event goes with neither --moon, --kind, --elevation nor "
            "--shadow");
    const std::string path = file != nullptr ? *file : std::string(kUserEventsFileName);
    if (path.empty()) return VerbOutcome::Usage("--events-file: the file name is empty");
    UserEventsRead read = ReadUserEvents(path);
    for (const std::string& m : read.messages) std::cerr << WarningLines(m);
    for (std::size_t i = 0; i < read.events.size(); ++i) {
        if (read.events[i].name != *name) continue;
        OwnEvent own{std::move(read.events), i, UserEventSide::Both};
        own.sides = SidesOf(own.events, *name).value_or(UserEventSide::Both);
        out = std::move(own);
        return std::nullopt;
    }
    return VerbOutcome::Failure("--event: " + QuotedArgument(*name) + " is not an event of " +
                                path);
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    SiteSettings settings;
    std::chrono::year_month_day from{};
    std::chrono::year_month_day to{};
    if (auto failed = ReadPlaceOptions(command, settings)) return *failed;
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);
    std::optional<double> elevation;
    if (auto e = ReadElevation(command, elevation); !e.empty()) return VerbOutcome::Usage(e);
    std::optional<Shadow> shadow;
    if (auto e = ReadShadow(command, shadow); !e.empty()) return VerbOutcome::Usage(e);
    Listing listing = Listing::Sun;
    if (auto e = ReadListing(command, listing); !e.empty()) return VerbOutcome::Usage(e);
    Sight seen;
    if (auto e = ReadSeen(command, seen); !e.empty()) return VerbOutcome::Usage(e);
    std::optional<OwnEvent> own;
    if (auto failed = ReadOwnEvent(command, own)) return *failed;

    // With --event, --height and --horizon give its visible sunrise and sunset.
    EventSight sight;
    sight.heightMetres = seen.heightMetres.value_or(0.0);
    if (seen.horizon) sight.profile = *seen.horizon;

    std::string buffer;
    constexpr std::size_t kChunk = 1 << 16;
    buffer.reserve(kChunk + 256);
    const std::chrono::sys_days last{to};
    for (std::chrono::sys_days day{from}; day <= last; day += std::chrono::days{1}) {
        const std::chrono::year_month_day date{day};
        const Place place = PlaceOf(settings, DayNumber::FromDate(date));
        const std::string iso = FormatIsoDate(date);
        if (shadow) elevation = ShadowAltitude(shadow->ratio, shadow->beyondNoon, date, place);
        if (own) {
            const Twilight t = ComputeUserEvent(own->events, own->index, date, place, sight);
            if (own->sides != UserEventSide::Setting) AppendLine(buffer, iso, "Rise", t.dawn);
            if (own->sides != UserEventSide::Rising) AppendLine(buffer, iso, "Set", t.dusk);
        } else if (shadow && !elevation) {
            // No noon shadow: the sun stays below the horizon at noon.
            const EventMinutes none{EventStatus::DownAllDay, std::chrono::minutes(12 * 60), {}, {}};
            AppendLine(buffer, iso, "Rise", none);
            AppendLine(buffer, iso, "Set", none);
        } else if (elevation) {
            std::array<Twilight, 1> crossing;
            ComputeSunAltitudeCrossings(date, place, std::span<const double>(&*elevation, 1),
                                        crossing);
            AppendLine(buffer, iso, "Rise", crossing[0].dawn);
            AppendLine(buffer, iso, "Set", crossing[0].dusk);
        } else if (listing == Listing::Sun || listing == Listing::Moon) {
            const DayEvents events = listing == Listing::Moon ? ComputeMoonDay(date, place)
                                     : seen.heightMetres
                                         ? ComputeSunDayFromHeight(date, place, *seen.heightMetres)
                                         : ComputeSunDay(date, place);
            AppendLine(buffer, iso, "Rise", events.rise);
            AppendLine(buffer, iso, "Set", events.set);
            if (seen.horizon) {
                const VisibleSunDay visible = ComputeVisibleSunDay(date, place, *seen.horizon);
                AppendVisibleLine(buffer, iso, "Visible rise", visible.rise, visible.riseAzimuth);
                AppendVisibleLine(buffer, iso, "Visible set", visible.set, visible.setAzimuth);
            }
        } else if (listing == Listing::Noon) {
            AppendNoonLine(buffer, iso, ComputeSunDayEvents(date, place).noon);
        } else {
            const SunDayEvents sun = ComputeSunDayEvents(date, place);
            const Twilight& t = sun.Of(TwilightOf(listing));
            AppendLine(buffer, iso, "Rise", t.dawn);
            AppendLine(buffer, iso, "Set", t.dusk);
        }
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
        "rise and set of the sun (or the moon), twilight or solar noon for every date of a range",
        "Prints two lines per date, oldest date first, in UTF-8:\n"
        "    YYYY-MM-DD;Rise;STATUS;HH:MM;AZIMUTH\n"
        "    YYYY-MM-DD;Set;STATUS;HH:MM;AZIMUTH\n"
        "Times are in the zone's standard time (no summer time), azimuths in degrees and arc\n"
        "minutes from north through east. STATUS: 4 rise and set, 0 no rise, 1 no set,\n"
        "2 below the horizon all day, 3 above it all day. Without a time of its own a line\n"
        "shows 00:00 (rise) and 23:59 (set), or 12:00 for a day spent below; the azimuth is\n"
        "empty when no crossing of that kind happened that day.\n"
        "--kind civil, nautical or astronomical lists the sun's centre crossing -6, -12 or\n"
        "-18 degrees instead: dawn as Rise and dusk as Set, with the same statuses (2: the sky\n"
        "never gets that bright, 3: never that dark) and an empty azimuth field.\n"
        "--kind noon lists one line per date, the sun's upper transit and its altitude:\n"
        "    YYYY-MM-DD;Noon;4;HH:MM;ALTITUDE\n"
        "with status 0 and empty fields on a date without a transit (where the zone's noon\n"
        "lies near midnight).\n"
        "--elevation DEGREES lists the sun's centre crossing any altitude from -90 to 90\n"
        "degrees (no refraction; +6 is the top of the golden hour, -16 or -18 the dawn of\n"
        "some calendars) as --kind civil lists -6: rising as Rise, setting as Set.\n"
        "--shadow RATIO lists the same for the altitude at which the shadow of a vertical\n"
        "object is RATIO times its height, atan(1 / RATIO), before noon as Rise and after\n"
        "it as Set; with --beyond-noon the shadow is RATIO times the height longer than at\n"
        "that date's noon (the afternoon shadow of some prayer times: 1 or 2). A date whose\n"
        "sun stays below the horizon at noon has status 2 with --beyond-noon.\n"
        "--height METRES gives the sun's rise and set seen from that height above the land\n"
        "around: the horizon lies lower by the dip, 1.76 arc minutes times the square root of\n"
        "the height in metres, so the sun rises earlier and sets later.\n"
        "--horizon FILE adds two lines per date, the sun's visible rise and set behind the\n"
        "skyline of FILE (lines of azimuth and altitude in degrees, from north through east):\n"
        "    YYYY-MM-DD;Visible rise;STATUS;HH:MM;AZIMUTH\n"
        "    YYYY-MM-DD;Visible set;STATUS;HH:MM;AZIMUTH\n"
        "the first moment the sun's upper limb, with standard refraction, stands above the\n"
        "skyline and the last, with the statuses of the rise and set lines. Bad lines of FILE\n"
        "are reported and left out; a FILE that cannot be read gives the flat horizon.\n"
        "--event NAME lists one of your own events (see the README; --events-file FILE, by\n"
        "default Dawnevents.txt in the current folder) as --kind civil lists its twilight:\n"
        "its rising side as Rise and its setting side as Set, only the sides it has. With\n"
        "--event, --height and --horizon give the visible sunrise and sunset an offset counts\n"
        "from instead of adding lines.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
