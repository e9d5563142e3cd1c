// The saved places as the program shows them: a saved place put into the
// settings, and the rows of the places window (each place's sunrise, sunset
// and day length on its own clock, as a world clock shows them).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/daynumber.h"
#include "core/savedplaces.h"
#include "core/settings.h"

namespace dawn {

// Puts a saved place into `settings`: its name, coordinates and zone, the
// zone's summer time resolved for `today` as a chosen city's is. A place saved
// without a zone keeps the settings' own manual rules. Returns the message
// when its zone cannot be opened (the settings are then unchanged).
std::optional<std::string> UseSavedPlace(const SavedPlace& place, SiteSettings& settings,
                                         DayNumber today);

// The shown place as a saved place: the settings' place name (or, without one,
// "LATITUDE LONGITUDE" as the coordinates read), coordinates and zone.
SavedPlace SavedPlaceOf(const SiteSettings& settings);

struct PlaceRow {
    std::string name;
    std::string zone;
    // HH:MM on the place's own clock, empty when the sun does not cross the
    // horizon that way on the date; the day length when it both rises and sets.
    std::string sunrise, sunset, dayLength;
    // The morning's and the evening's golden hour as "START–END" on the same
    // clock; a bound the sun does not cross that day is left out ("–04:57"),
    // and a period without either is empty.
    std::string morningGolden, eveningGolden;
    // The place's zone could not be opened: the message, and empty times.
    std::string problem;
};

// One row per place, in the list's order, for `date`; `settings` gives what a
// place does not (the manual rules of a place without a zone).
std::vector<PlaceRow> PlaceRowsOf(const SiteSettings& settings,
                                  const std::vector<SavedPlace>& places, DayNumber date,
                                  DayNumber today);

// "NAME;ZONE;SUNRISE;SUNSET;DAY_LENGTH".
std::string PlaceRowLine(const PlaceRow& row);

}  // namespace dawn
