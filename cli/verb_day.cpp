// day: every field of the day record of one date, as the main window gets it.
#include <charconv>
#include <cstdio>
#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "cli/moon_names.h"
#include "cli/settings_option.h"
#include "cli/sight_options.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/dayephemeris.h"
#include "core/seenday.h"
#include "core/skyday.h"
#include "present/texts.h"

namespace dawn::cli {

namespace {

constexpr Option kDateOption{"date", "YYYY-MM-DD", true, "the date"};
constexpr Option kOptions[] = {kSettingsOrPlaceOption, kSiteOption,   kDateOption,   kZoneOption,
                               kPlaceOption,           kHeightOption, kHorizonOption};

class FieldWriter {
public:
    explicit FieldWriter(std::string& out) : out_(out) {}
    void operator()(std::string_view name, std::string_view value) {
        out_.append(name).append("=").append(value).append("\n");
    }
    void operator()(std::string_view name, EventStatus s) {
        (*this)(name, std::to_string(static_cast<int>(s)));
    }
    void operator()(std::string_view name, std::chrono::minutes m) {
        (*this)(name, FormatClock(m, ":"));
    }
    void operator()(std::string_view name, DayNumber d) { (*this)(name, FormatIsoDate(d)); }

private:
    std::string& out_;
};

// The record's names: Sun or Moon, Rise or Set, and the length's.
constexpr const char* kBodyNames[] = {"Sun", "Moon"};
constexpr const char* kKindNames[] = {"Rise", "Set"};
constexpr const char* kLengthNames[] = {"DayLength", "MoonLightLength"};
constexpr const char* kLengthDeltaNames[] = {"DayLengthDelta", "MoonLightDelta"};

std::string Name(Body body, EventKind kind, std::string_view what) {
    return std::string(kBodyNames[IndexOf(body)]) + kKindNames[IndexOf(kind)] + std::string(what);
}

constexpr const char* kTwilightNames[] = {"Civil", "Nautical", "Astronomical"};
constexpr const char* kTwilightEventNames[] = {"Dawn", "Dusk"};

std::string OneDecimal(double value) {
    char digits[32];
    return {digits,
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 1).ptr};
}

// The values beside the record, after its own fields.
void DescribeSky(const SkyDay& sky, FieldWriter& f) {
    for (TwilightKind t : kTwilightKinds) {
        for (EventKind k : kEventKinds) {
            const EventValues& e = sky[t][k];
            const std::string name =
                std::string(kTwilightNames[IndexOf(t)]) + kTwilightEventNames[IndexOf(k)];
            f(name + "Status", e.Status);
            f(name + "Text", e.Standard);
            f(name + "Time", e.Clock);
        }
    }
    f("SolarNoonText", sky.Noon ? FormatClock(sky.Noon->Standard, ":") : "");
    f("SolarNoonTime", sky.Noon ? FormatClock(sky.Noon->Clock, ":") : "");
    f("SolarNoonAltitude", sky.Noon ? FormatAltitude(sky.Noon->AltitudeDegrees) : "");
    const DatePhase& p = sky.Phase;
    f("MoonPhase", PhaseNameText(p.name));
    f("MoonIlluminated", OneDecimal(p.atNoon.illuminatedFraction * 100.0));
    f("MoonAge", OneDecimal(p.atNoon.ageDays));
    f("MoonLitSide", p.litSide == LitSide::Right ? "right" : "left");
}

std::string DescribeDay(const DayEphemeris& e, const SkyDay& sky) {
    std::string out;
    FieldWriter f(out);
    f("Date", e.Date);
    f("PrevDate", e.PrevDate);
    for (Body body : kBodies) {
        const BodyEntry& b = e[body];
        for (EventKind k : kEventKinds) f(Name(body, k, "Status"), b[k].Status);
        for (EventKind k : kEventKinds) f(Name(body, k, "Text"), b[k].Standard);
        for (EventKind k : kEventKinds) f(Name(body, k, "Time"), b[k].Clock);
        for (EventKind k : kEventKinds) f(Name(body, k, "Clock"), b[k].Clock);
        for (EventKind k : kEventKinds) f(Name(body, k, "Azimuth"), FormatAzimuth(b[k].Azimuth));
        f(kLengthNames[IndexOf(body)], b.Length);
    }
    for (Body body : kBodies)
        for (EventKind k : kEventKinds)
            f("Prev" + Name(body, k, "Status"), e[body][k].Before.Status);
    for (Body body : kBodies)
        for (EventKind k : kEventKinds)
            f("Prev" + Name(body, k, "Text"), e[body][k].Before.Standard);
    for (Body body : kBodies)
        for (EventKind k : kEventKinds) f("Prev" + Name(body, k, "Time"), e[body][k].Before.Clock);
    for (Body body : kBodies)
        f(std::string("Prev") + kLengthNames[IndexOf(body)], e[body].LengthBefore);
    for (Body body : kBodies)
        for (EventKind k : kEventKinds) f(Name(body, k, "Delta"), e[body][k].Delta);
    for (Body body : kBodies) f(kLengthDeltaNames[IndexOf(body)], e[body].LengthDelta);
    char jd[32];
    std::snprintf(jd, sizeof jd, "%.1f", e.JulianDay);
    f("JulianDay", jd);
    f("SummerStart", e.Clocks.window.SummerStart);
    f("WinterStart", e.Clocks.window.WinterStart);
    // The clock time of each crossing that happened, as the window shows it;
    // empty for an event that did not happen on the date.
    for (Body body : kBodies) {
        for (EventKind k : kEventKinds) {
            const std::optional<std::chrono::minutes>& crossing = e[body][k].CrossingClock;
            f(Name(body, k, "Crossing"), crossing ? FormatClock(*crossing, ":") : std::string());
        }
    }
    DescribeSky(sky, f);
    return out;
}

// The sun as it is seen, after the record, only when asked for: its rise
// and set from the height, and its visible rise and set behind the profile,
// each with its status and the local clock time of the crossing (empty when
// none happened on the date).
void DescribeSight(const SiteSettings& settings, DayNumber day, const Sight& sight,
                   std::string& out) {
    FieldWriter f(out);
    auto describe = [&](const char* prefix, const SeenDay& seen) {
        for (EventKind k : kEventKinds) {
            const EventValues& e = seen[k];
            const std::string name = std::string(prefix) + kKindNames[IndexOf(k)];
            f(name + "Status", e.Status);
            f(name + "Time", e.CrossingClock ? FormatClock(*e.CrossingClock, ":") : "");
        }
    };
    if (sight.heightMetres) {
        SiteSettings high = settings;
        high.ObserverHeightMetres = *sight.heightMetres;
        ForEachDayFromHeight(high, day, day, [&](const SeenDay& seen) {
            describe("HeightSun", seen);
            return true;
        });
    }
    if (sight.horizon) {
        ForEachVisibleDay(settings, *sight.horizon, day, day, [&](const SeenDay& seen) {
            describe("VisibleSun", seen);
            return true;
        });
    }
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::chrono::year_month_day date{};
    if (auto e = ReadDate(command, kDateOption.name, date); !e.empty())
        return VerbOutcome::Usage(e);
    SiteSettings settings;
    if (auto failed = ReadSettingsWithPlace(command, settings)) return *failed;
    Sight sight;
    if (auto e = ReadSight(command, sight); !e.empty()) return VerbOutcome::Usage(e);
    const DayNumber day = DayNumber::FromDate(date);
    std::string text = DescribeDay(ComputeDay(settings, day), ComputeSkyDay(settings, day));
    DescribeSight(settings, day, sight, text);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) return VerbOutcome::Failure("cannot write the output");
    return {};
}

}  // namespace

const Verb& DayVerb() {
    static const Verb verb{
        "day",
        "every value the program computes for one date (the day record)",
        "Reads the settings file as the program does and prints the record of the date,\n"
        "one Name=value line per field in the record's order. Times of day, lengths and\n"
        "changes are HH:MM (local clock, summer time applied for the ...Time and ...Clock\n"
        "fields; the ...Text fields are the zone's standard time). Statuses: 4 rise and set,\n"
        "0 no rise, 1 no set, 2 below the horizon all day, 3 above it all day; a length or\n"
        "change whose events are not all status 4 is 00:00 and means nothing. SummerStart\n"
        "and WinterStart are the summer-time changes around the date. The ...Crossing\n"
        "fields close the list: the local clock time of each rise and set that happened on\n"
        "the date, also on a day without the other event; empty for one that did not.\n"
        "After them: the dawn and dusk of the civil, nautical and astronomical twilight\n"
        "(the sun's centre at -6, -12 and -18 degrees; statuses as above, 2 the sky never\n"
        "that bright, 3 never that dark), solar noon and the sun's altitude then (empty on a\n"
        "date without a transit), and the moon's phase at local noon of standard time: its\n"
        "name, the lit part in percent, the age in days and the side of the disc that is lit.\n"
        "--height METRES adds HeightSunRiseStatus, HeightSunRiseTime, HeightSunSetStatus and\n"
        "HeightSunSetTime: the sun's rise and set seen from that height above the land around\n"
        "(the horizon lower by its dip); --horizon FILE adds VisibleSunRise... and\n"
        "VisibleSunSet...: the sun's first appearance over the skyline of FILE and its last\n"
        "disappearance. The times are the local clock's, empty when the crossing did not\n"
        "happen on the date.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
