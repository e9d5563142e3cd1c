// The saved places as the program shows them: a saved place put into the
// settings, and the rows of the places window (each place's sunrise, sunset
// and day length on its own clock, as a world clock shows them).
#pragma once

#include <optional>
#include <string>
#include <string_view>
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

// The saved places file as a window edits it: the places, the lines that
// could not be read (written back after the places, so nothing is lost), and
// whether the next save keeps the old file as .bak first. Every edit is
// saved at once, atomically.
struct PlaceList {
    std::string path;
    std::vector<SavedPlace> places;
    std::vector<std::string> kept;
    bool backUp = false;
};

// Whether `row` is a row of the list.
bool IsRowOf(const PlaceList& list, int row);

// Reads the list at `path` again. Returns the messages for the user: one per
// line that could not be read, or the file's problem (the list is then
// empty).
std::vector<std::string> ReadPlaceList(PlaceList& list);

// What an edit did: the row to choose afterwards (-1 for none), the message
// for the user when it was refused or could not be saved, and whether the
// file was written. After a failed save the list is read again from the
// file.
struct PlaceListEdit {
    int chosen = -1;
    std::optional<std::string> message;
    bool saveFailed = false;
    bool written = false;
};

// Adds the shown place (SavedPlaceOf) at the end; a place of that name
// already in the list is chosen instead.
PlaceListEdit AddShownPlace(PlaceList& list, const SiteSettings& settings);
// Renames the place at `chosen` to `asked`, trimmed; refused for a name that
// is empty, holds a line break or is taken.
PlaceListEdit RenamePlace(PlaceList& list, int chosen, std::string_view asked);
PlaceListEdit RemovePlace(PlaceList& list, int chosen);
// Swaps the place at `chosen` with its neighbour `by` rows away (-1 up, 1
// down); nothing at either end.
PlaceListEdit MovePlace(PlaceList& list, int chosen, int by);

}  // namespace dawn
