// phases: the instants of new moon, first quarter, full moon and last quarter
// over a range of dates.
#include <algorithm>
#include <ostream>
#include <string>

#include "astro/moonphase.h"
#include "cli/command_line.h"
#include "cli/moon_names.h"
#include "cli/place_or_settings.h"
#include "cli/values.h"
#include "core/settings.h"
#include "core/skyday.h"

namespace dawn::cli {

namespace {

constexpr Option kOptions[] = {kTimeZoneOrSettingsOption,
                               kOptionalSettingsOption,
                               kSiteOption,
                               kFromOption,
                               kToOption,
                               kZoneOption,
                               kPlaceOption};

void AppendTwoDigits(std::string& out, long value) {
    out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    using namespace std::chrono;
    year_month_day from{}, to{};
    if (auto e = ReadDateRange(command, from, to); !e.empty()) return VerbOutcome::Usage(e);
    SiteSettings settings;
    if (auto e = ReadPlaceOrSettings(command, PlaceParts::ZoneOnly, settings)) return *e;

    // A year of dates at a time. A phase belongs to the date of its minute in
    // the zone; a day more on each side catches every phase that rounds or
    // shifts into the block.
    constexpr days kBlock{366};
    const sys_days last{to};
    for (sys_days first{from}; first <= last; first += kBlock) {
        const sys_days blockLast = std::min(last, first + kBlock - days{1});
        std::string buffer;
        for (const PhaseEvent& e :
             PrincipalPhasesBetween(UtInstant{first - days{1}}, UtInstant{blockLast + days{2}})) {
            const sys_time<minutes> minute = StandardMinuteOf(settings, e.instant);
            const sys_days date = floor<days>(minute);
            if (date < first || date > blockLast) continue;
            const hh_mm_ss<minutes> clock{minute - date};
            buffer.append(FormatIsoDate(year_month_day{date})).append(" ");
            AppendTwoDigits(buffer, clock.hours().count());
            buffer.append(":");
            AppendTwoDigits(buffer, clock.minutes().count());
            buffer.append(";").append(PhaseNameText(NameOf(e.phase))).append("\n");
        }
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        if (!out) return VerbOutcome::Failure("cannot write the output");
    }
    return {};
}

}  // namespace

const Verb& PhasesVerb() {
    static const Verb verb{
        "phases",
        "new moon, first quarter, full moon and last quarter over a range of dates",
        "Prints one line per principal phase of the moon whose minute falls within the\n"
        "dates, oldest first, in UTF-8:\n"
        "    YYYY-MM-DD HH:MM;PHASE\n"
        "PHASE is new, first quarter, full or last quarter. Times are the zone's standard\n"
        "time (no summer time), rounded to the minute; the zone comes from --tz, --zone or\n"
        "--place, or from the settings file (which --zone and --place override). A time\n"
        "zone named gives each date the standard offset it had on that date, taking over\n"
        "at the midnight that ends the date before. From 1900 to 2100 they agree with a\n"
        "high-precision ephemeris to within a minute; far from the present they rest on an\n"
        "extrapolation of the Earth's irregular rotation and grow uncertain.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
