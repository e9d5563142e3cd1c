#include "cli/zone_options.h"

#include <algorithm>
#include <iostream>

#include "cli/program_state.h"
#include "cli/settings_option.h"
#include "cli/values.h"
#include "places/citysearch.h"
#include "places/zone.h"
#include "places/zonetable.h"
#include "present/placechoice.h"

namespace dawn::cli {

void AddZonePlaces(std::string_view query, std::size_t limit, std::vector<City>& matches) {
    if (matches.size() >= limit) return;
    const ZoneTableResult table = ReadZoneTable();
    for (City& place : SearchZonePlaces(table.places, query, limit)) {
        if (matches.size() >= limit) break;
        const std::string name = FoldForSearch(place.name);
        const bool listed = std::any_of(matches.begin(), matches.end(), [&](const City& c) {
            return c.zone == place.zone && FoldForSearch(c.name) == name;
        });
        if (!listed) matches.push_back(std::move(place));
    }
}

bool HasPlaceOrZone(const Command& command) {
    return command.Value(kPlaceOption.name) != nullptr ||
           command.Value(kZoneOption.name) != nullptr;
}

std::optional<VerbOutcome> ApplyPlaceAndZone(const Command& command, SiteSettings& settings,
                                             DayNumber today) {
    const std::string* query = command.Value(kPlaceOption.name);
    const std::string* zoneName = command.Value(kZoneOption.name);
    const int year = today.Year();
    if (query != nullptr) {
        const CityIndexOpenResult opened = OpenCityIndex();
        std::vector<City> matches;
        if (opened.index) matches = opened.index->Search(*query, 1);
        // A zone's own place where no city matches ("Lord Howe").
        AddZonePlaces(*query, 1, matches);
        if (matches.empty() && !opened.index) return VerbOutcome::Failure(opened.error);
        if (matches.empty())
            return VerbOutcome::Usage("--place: no place matches " + QuotedArgument(*query));
        std::shared_ptr<const Zone> zone;
        if (zoneName == nullptr) {
            const ZoneOpenResult z = OpenZone(matches.front().zone);
            if (!z.zone) return VerbOutcome::Failure("--place: " + z.message);
            zone = z.zone;
        }
        DropZone(settings);
        ChoosePlace(settings, matches.front(), zone, today, year);
    }
    if (zoneName != nullptr) {
        const ZoneOpenResult z = OpenZone(*zoneName);
        if (!z.zone) {
            const std::string message = "--zone: " + z.message;
            return z.error == ZoneError::UnknownZone ? VerbOutcome::Usage(message)
                                                     : VerbOutcome::Failure(message);
        }
        SetZone(settings, z.zone, today, year);
    }
    return std::nullopt;
}

std::optional<VerbOutcome> ReadPlaceOptions(const Command& command, SiteSettings& s) {
    const bool place = command.Value(kPlaceOption.name) != nullptr;
    const bool zone = command.Value(kZoneOption.name) != nullptr;
    const bool coordinates = command.Value(kLatitudeOption.name) != nullptr ||
                             command.Value(kLongitudeOption.name) != nullptr;
    const bool tz = command.Value(kTimeZoneOption.name) != nullptr;
    if (place && coordinates) return VerbOutcome::Usage("give either --place or --lat and --lon");
    if ((place || zone) && tz) return VerbOutcome::Usage("give either --tz or --zone and --place");
    if (!place) {
        if (auto e = ReadInteger(command, kLatitudeOption.name, -5400, 5400, s.LatitudeMinutes);
            !e.empty())
            return VerbOutcome::Usage(e + " (or --place)");
        if (auto e = ReadInteger(command, kLongitudeOption.name, -10800, 10800, s.LongitudeMinutes);
            !e.empty())
            return VerbOutcome::Usage(e + " (or --place)");
    }
    if (!place && !zone) {
        if (auto e = ReadInteger(command, kTimeZoneOption.name, -1439, 1439, s.TimeZoneMinutes);
            !e.empty())
            return VerbOutcome::Usage(e + " (or --zone)");
    }
    return ApplyPlaceAndZone(command, s, Today());
}

std::optional<VerbOutcome> ReadSettingsWithPlace(const Command& command, SiteSettings& settings) {
    const DayNumber today = Today();
    if (command.Value(kSiteOption.name) != nullptr &&
        command.Value(kSettingsOption.name) == nullptr)
        return VerbOutcome::Usage("--site needs --settings");
    if (command.Value(kSettingsOption.name) == nullptr && HasPlaceOrZone(command)) {
        settings = DefaultSettings(".", today.Year());
    } else {
        if (command.Value(kSettingsOption.name) == nullptr)
            return VerbOutcome::Usage("missing --settings (or --place or --zone)");
        if (auto e = ReadSettingsOption(command, settings)) return e;
    }
    return ApplyPlaceAndZone(command, settings, today);
}

}  // namespace dawn::cli
