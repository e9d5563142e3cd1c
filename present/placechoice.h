// Places chosen by name and the time zone of the settings, without widgets:
// what the configuration dialog's place search and the command line's
// --place and --zone do to the settings.
//
// A zone is kept in the settings as its name (line 20) and, once opened, as
// SiteSettings::Zone, which gives every date its own standard offset and
// summer time. The manual fields stay filled in as well as they can for the
// zone, so that a copy of the program that knows only the manual rules still
// reads the file sensibly: TimeZoneMinutes the zone's standard offset today,
// the summer-time rule that of the reference year where the month, weekday
// and occurrence can express it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/daynumber.h"
#include "core/settings.h"
#include "places/citysearch.h"
#include "places/zone.h"

namespace dawn {

// How many matches the place search lists.
inline constexpr std::size_t kPlaceMatchCount = 20;

// Opens the zone named on line 20, if any. On success the zone serves every
// date and TimeZoneMinutes becomes its standard offset of `today`. On
// failure (the zone is unknown, the database is missing) the manual rules
// serve, ZoneName stays as it was read so that the line is written back
// unchanged, and the message for the user is returned.
std::optional<std::string> OpenSettingsZone(SiteSettings& s, DayNumber today,
                                            const std::string& zoneFolder = kSystemZoneFolder);

// Makes `zone` the zone of the settings: its name, the standard offset of
// `today` on TimeZoneMinutes (and its whole hours on line 3), and its summer
// time of `referenceYear` on the manual controls (ManualFormOfZone).
void SetZone(SiteSettings& s, std::shared_ptr<const Zone> zone, DayNumber today, int referenceYear);

// A chosen city: its coordinates to the nearest arc minute, its zone as
// SetZone sets it, and its name as the place name.
void ChoosePlace(SiteSettings& s, const City& city, std::shared_ptr<const Zone> zone,
                 DayNumber today, int referenceYear);

// Back to the manual rules, as after an edit of the time zone or the summer
// time by hand: no zone and no place name.
void DropZone(SiteSettings& s);

// The zone's summer time of `year` on the manual controls: with one start and
// one end on a first, second, third or last weekday, the rules (stored with
// occurrence 3 for the last) and summer time on; without summer time in the
// year, summer time off and the rules as they were; anything else (several
// changes, a date such as the fourth of five Fridays) leaves the rules and
// turns summer time on. Returns false in that last case.
bool ManualFormOfZone(SiteSettings& s, const Zone& zone, int year);

// One line of the search's list of matches: "name, region, country (zone)",
// an empty region left out.
std::string PlaceMatchText(const City& city);

// The place name and zone shown beside the coordinates: "Helsinki
// (Europe/Helsinki)", the name or the zone alone when only one is set, and
// empty for manual settings.
std::string PlaceLabelOf(const SiteSettings& s);

}  // namespace dawn
