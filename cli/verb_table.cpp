// table: the local rise and set clock times and azimuths of the sun or the
// moon for every date of a range, one line per date.
#include <algorithm>
#include <ostream>
#include <string>
#include <thread>

#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/table_block.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/dayephemeris.h"
#include "present/texts.h"

namespace dawn::cli {

std::string TableBlock(const SiteSettings& settings, Body body, DayNumber from, DayNumber to) {
    std::string text;
    text.reserve(static_cast<std::size_t>(to - from + 1) * 40);
    ForEachBodyDay(settings, body, from, to, [&](const BodyDay& d) {
        text.append(FormatIsoDate(d.Date));
        for (EventKind kind : kEventKinds) {
            text.append(";");
            if (d[kind].CrossingClock) AppendClock(text, *d[kind].CrossingClock, ":");
        }
        for (EventKind kind : kEventKinds) AppendAzimuth(text.append(";"), d[kind].Azimuth);
        text.append("\n");
        return true;
    });
    return text;
}

namespace {

constexpr Option kOptions[] = {kSettingsOrPlaceOption,
                               kSiteOption,
                               kFromOption,
                               kToOption,
                               kMoonOption,
                               kZoneOption,
                               kPlaceOption};

// Dates per block. Two blocks are computed at a time, one on a helper thread,
// and written in date order; a block's text stays well under a megabyte.
constexpr std::int32_t kBlockDays = 8192;

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::chrono::year_month_day first{}, last{};
    if (auto e = ReadDateRange(command, first, last); !e.empty()) return VerbOutcome::Usage(e);
    SiteSettings settings;
    if (auto failed = ReadSettingsWithPlace(command, settings)) return *failed;
    const Body body = command.Flag(kMoonOption.name) ? Body::Moon : Body::Sun;

    const DayNumber from = DayNumber::FromDate(first), to = DayNumber::FromDate(last);
    auto blockEnd = [&](DayNumber start) { return start + std::min(kBlockDays - 1, to - start); };
    for (DayNumber a = from; a <= to;) {
        const DayNumber aEnd = blockEnd(a);
        std::string textA, textB;
        if (aEnd < to) {
            const DayNumber b = aEnd + 1, bEnd = blockEnd(b);
            std::thread helper([&] { textB = TableBlock(settings, body, b, bEnd); });
            textA = TableBlock(settings, body, a, aEnd);
            helper.join();
            a = bEnd + 1;
        } else {
            textA = TableBlock(settings, body, a, aEnd);
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
        "time; a time and its azimuth are empty when no crossing of that kind happened.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
