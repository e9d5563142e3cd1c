// table: the local rise and set clock times and azimuths of the sun or the
// moon for every date of a range, one line per date.
#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/table_block.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/dayephemeris.h"
#include "core/seenday.h"
#include "present/texts.h"

namespace dawn::cli {

namespace {

using DayFields = std::array<EventValues, kEventKindCount>;

void AppendFields(std::string& text, const DayFields& events) {
    for (EventKind kind : kEventKinds) {
        text.append(";");
        if (events[IndexOf(kind)].CrossingClock)
            AppendClock(text, *events[IndexOf(kind)].CrossingClock, ":");
    }
    for (EventKind kind : kEventKinds)
        AppendAzimuth(text.append(";"), events[IndexOf(kind)].Azimuth);
}

}  // namespace

std::string TableBlock(const SiteSettings& settings, Body body, DayNumber from, DayNumber to) {
    std::string text;
    text.reserve(static_cast<std::size_t>(to - from + 1) * 40);
    ForEachBodyDay(settings, body, from, to, [&](const BodyDay& d) {
        text.append(FormatIsoDate(d.Date));
        AppendFields(text, d.Events);
        text.append("\n");
        return true;
    });
    return text;
}

std::string TableBlock(const SiteSettings& settings, const Sight& sight, DayNumber from,
                       DayNumber to) {
    std::vector<DayFields> visible;
    if (sight.horizon) {
        visible.reserve(static_cast<std::size_t>(to - from + 1));
        ForEachVisibleDay(settings, *sight.horizon, from, to, [&](const SeenDay& d) {
            visible.push_back(d.events);
            return true;
        });
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(to - from + 1) * (visible.empty() ? 40 : 64));
    auto line = [&](DayNumber date, const DayFields& events) {
        text.append(FormatIsoDate(date));
        AppendFields(text, events);
        if (!visible.empty()) {
            for (const EventValues& e : visible[static_cast<std::size_t>(date - from)]) {
                text.append(";");
                if (e.CrossingClock) AppendClock(text, *e.CrossingClock, ":");
            }
        }
        text.append("\n");
        return true;
    };
    if (sight.heightMetres) {
        SiteSettings high = settings;
        high.ObserverHeightMetres = *sight.heightMetres;
        ForEachDayFromHeight(high, from, to,
                             [&](const SeenDay& d) { return line(d.date, d.events); });
    } else {
        ForEachBodyDay(settings, Body::Sun, from, to,
                       [&](const BodyDay& d) { return line(d.Date, d.Events); });
    }
    return text;
}

namespace {

constexpr Option kOptions[] = {
    kSettingsOrPlaceOption, kSiteOption,   kFromOption,   kToOption, kMoonOption, kZoneOption,
    kPlaceOption,           kHeightOption, kHorizonOption};

// Dates per block. Two blocks are computed at a time, one on a helper thread,
// and written in date order; a block's text stays well under a megabyte.
constexpr std::int32_t kBlockDays = 8192;

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::chrono::year_month_day first{}, last{};
    if (auto e = ReadDateRange(command, first, last); !e.empty()) return VerbOutcome::Usage(e);
    SiteSettings settings;
    if (auto failed = ReadSettingsWithPlace(command, settings)) return *failed;
    const Body body = command.Flag(kMoonOption.name) ? Body::Moon : Body::Sun;
    Sight sight;
    const bool seen = command.Value(kHeightOption.name) != nullptr ||
                      command.Value(kHorizonOption.name) != nullptr;
    if (seen && body == Body::Moon)
        return VerbOutcome::Usage("--height and --horizon go with the sun only, not with --moon");
    if (auto e = ReadSight(command, sight); !e.empty()) return VerbOutcome::Usage(e);
    auto block = [&](DayNumber a, DayNumber b) {
        return seen ? TableBlock(settings, sight, a, b) : TableBlock(settings, body, a, b);
    };

    const DayNumber from = DayNumber::FromDate(first), to = DayNumber::FromDate(last);
    auto blockEnd = [&](DayNumber start) { return start + std::min(kBlockDays - 1, to - start); };
    for (DayNumber a = from; a <= to;) {
        const DayNumber aEnd = blockEnd(a);
        std::string textA, textB;
        if (aEnd < to) {
            const DayNumber b = aEnd + 1, bEnd = blockEnd(b);
            std::thread helper([&] { textB = block(b, bEnd); });
            textA = block(a, aEnd);
            helper.join();
            a = bEnd + 1;
        } else {
            textA = block(a, aEnd);
            a = aEnd + 1;
        }
        out.write(textA.data(), static_cast<std::streamsize>(textA.size()));
        out.write(textB.data(), static_cast<std::streamsize>(textB.size()));
        if (!out) return VerbOutcome::Failure("cannot write the output");
    }
    return {};
}

}  // namespace

const Verb& TableVerb() {
    static const Verb verb{
        "table",
        "local rise and set times and azimuths of the sun (or the moon) over a range of dates",
        "Reads the settings file as the program does and prints one line per date,\n"
        "oldest first, in UTF-8:\n"
        "    YYYY-MM-DD;RISE;SET;RISE AZIMUTH;SET AZIMUTH\n"
        "RISE and SET are the local clock times the main window shows (HH:MM, summer time\n"
        "applied). On a day without both events the one that did happen still gives its\n"
        "time; a time and its azimuth are empty when no crossing of that kind happened.\n"
        "--height METRES gives the sun's rise and set seen from that height above the land\n"
        "around (earlier and later than at the foot of it, as events --height gives them).\n"
        "--horizon FILE adds two fields to the sun's line, its visible rise and set behind\n"
        "the skyline of FILE (empty when that did not happen; events --horizon gives their\n"
        "azimuths):\n"
        "    YYYY-MM-DD;RISE;SET;RISE AZIMUTH;SET AZIMUTH;VISIBLE RISE;VISIBLE SET",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
