// --zone and --place: the time zone and the place of the verbs that compute
// day records, overriding what the settings file says.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "core/daynumber.h"
#include "core/settings.h"
#include "places/citysearch.h"

namespace dawn::cli {

inline constexpr Option kZoneOption{
    "zone", "ZONE", false,
    "IANA time zone (Europe/Helsinki): every date's standard offset and summer time from the "
    "system's time-zone database"};
inline constexpr Option kPlaceOption{
    "place", "QUERY", false,
    "the biggest city whose name starts with QUERY: its coordinates and time zone"};
// --settings where --place or --zone may stand in for it.
inline constexpr Option kSettingsOrPlaceOption{
    "settings", "FILE", false,
    "settings file as the program keeps it (Dawncode.txt); a missing file means the default "
    "place; without it the defaults with --place or --zone"};

// The place options of the verbs that take a place by its coordinates or by
// name: --lat and --lon or --place, --tz or --zone.
inline constexpr Option kLatitudeOrPlaceOption{
    "lat", "MINUTES", false, "latitude in arc minutes, north positive (-5400..5400); or --place"};
inline constexpr Option kLongitudeOrPlaceOption{
    "lon", "MINUTES", false, "longitude in arc minutes, east positive (-10800..10800); or --place"};
inline constexpr Option kTimeZoneOrZoneOption{
    "tz", "MINUTES", false,
    "standard time ahead of UT in minutes (-1439..1439); or --zone or --place"};

// The place and zone of those options, kept in settings so that each date
// takes its standard offset as the day records do. Returns the outcome to
// report on a problem, or nothing.
std::optional<VerbOutcome> ReadPlaceOptions(const Command& command, SiteSettings& settings);

// Appends to `matches`, up to `limit` lines in all, the places of the zone
// table (places/zonetable.h) that match `query` and that no city of
// `matches` with the same folded name and zone stands for already.
void AddZonePlaces(std::string_view query, std::size_t limit, std::vector<City>& matches);

// True when --place or --zone was given.
bool HasPlaceOrZone(const Command& command);

// Applies --place (coordinates, zone and place name of the first match) and
// then --zone (which wins over the place's zone) to `settings`; `today`
// gives the standard offset kept on TimeZoneMinutes and the reference year
// of the manual rules. A zone the system does not know or a query that
// matches no city is a usage error (exit 2) naming it; a missing database a
// failure (exit 1).
std::optional<VerbOutcome> ApplyPlaceAndZone(const Command& command, SiteSettings& settings,
                                             DayNumber today);

// The settings of a verb: the file of --settings read as the program reads
// it, with its zone of line 20 opened (an unknown one is a warning on stderr
// and the manual rules serve), or the defaults when only --place or --zone
// is given; then --place and --zone.
std::optional<VerbOutcome> ReadSettingsWithPlace(const Command& command, SiteSettings& settings);

}  // namespace dawn::cli
