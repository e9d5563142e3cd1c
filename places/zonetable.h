// The places of the time zones themselves: the tz database's zone table
// (zone1970.tab, or zone.tab on an older system) gives every zone the
// coordinates of its principal place, and iso3166.tab the names of the
// countries. A search by place name finds a zone whose place has no city of
// its own in the city list: "Lord Howe" is Australia/Lord_Howe, at 31°33' S
// 159°05' E.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "places/citysearch.h"

namespace dawn {

struct ZoneTableResult {
    // The zone table's places as cities: the name is the zone's last part
    // with blanks for underscores ("Lord Howe"), the region the table's
    // comment ("Lord Howe Island"), the country the first country's name,
    // no population.
    std::vector<City> places;
    std::string error;  // one line for the user when no table could be read
};

// Reads the zone table of a zoneinfo folder (the system's by default).
ZoneTableResult ReadZoneTable(const std::string& folder = "/usr/share/zoneinfo");

// The places whose name or region starts with `query`, folded as the city
// search folds it (citysearch.h), in the table's order, at most `limit`.
std::vector<City> SearchZonePlaces(const std::vector<City>& places, std::string_view query,
                                   std::size_t limit);

// Parses an ISO 6709 pair as the zone table writes it, "+DDMM+DDDMM" or
// "+DDMMSS+DDDMMSS", into degrees; false for any other text.
bool ParseZoneTableCoordinates(std::string_view text, double& latitude, double& longitude);

}  // namespace dawn
