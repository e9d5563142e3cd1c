// places: today's sunrise, sunset and day length of every saved place, each
// on its own clock, as a world clock shows them.
#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/values.h"
#include "present/placelist.h"

namespace dawn::cli {
namespace {

constexpr Option kDateOption{"date", "YYYY-MM-DD", true, "the date"};
constexpr Option kOptions[] = {kSettingsOption, kDateOption};

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::chrono::year_month_day date{};
    if (auto e = ReadDate(command, kDateOption.name, date); !e.empty())
        return VerbOutcome::Usage(e);
    SiteSettings settings;
    if (auto e = ReadSettingsOption(command, settings)) return *e;
    std::vector<SavedPlace> places;
    if (auto e = ReadSavedPlacesBeside(*command.Value(kSettingsOption.name), places)) return *e;
    std::string text;
    for (const PlaceRow& row : PlaceRowsOf(settings, places, DayNumber::FromDate(date), Today())) {
        if (!row.problem.empty()) std::cerr << WarningLines(row.problem);
        text.append(PlaceRowLine(row)).append("\n");
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) return VerbOutcome::Failure("cannot write the output");
    return {};
}

}  // namespace

const Verb& PlacesVerb() {
    static const Verb verb{
        "places",
        "sunrise, sunset and day length of every saved place (Dawnplaces.txt) on a date",
        "Reads the saved places of Dawnplaces.txt beside the settings file and prints\n"
        "one line per place, in the file's order, in UTF-8:\n"
        "    NAME;ZONE;SUNRISE;SUNSET;DAY_LENGTH\n"
        "SUNRISE and SUNSET are the place's own clock times, as table gives them for\n"
        "that place; DAY_LENGTH is HH:MM. A time is empty when the sun does not cross\n"
        "the horizon that way on the date, the day length when it does not both rise\n"
        "and set. A place without a zone keeps the settings' summer-time rules.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
