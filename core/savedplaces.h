// The saved places: a list of places the user keeps beside the settings, in
// Dawnplaces.txt, one line per place:
//
//     NAME;LATMIN;LONMIN;ZONE
//
// LATMIN and LONMIN are signed whole arc minutes (north and east positive,
// as in the settings), ZONE a name of the system's time-zone database, or
// empty for a place that keeps the settings' own summer-time rules. The name
// is everything before the last three semicolons, so a name may hold a
// semicolon as it is ("Bar; the old harbour;2538;1140;Europe/Paris"); a line
// break is the one character a name cannot hold. The file is UTF-8 with CR LF;
// older files in Windows-1252 are read too.
//
// Reading never loses a place: a line that cannot be read is reported by its
// number and kept (`kept`), and the next save first keeps the file as
// Dawnplaces.txt.bak.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/textfile.h"

namespace dawn {

inline constexpr const char* kPlacesFileName = "Dawnplaces.txt";
// More places than anyone keeps; the lines after it are reported and kept.
inline constexpr std::size_t kMaxSavedPlaces = 1000;

struct SavedPlace {
    std::string name;
    std::int32_t latitudeMinutes = 0;
    std::int32_t longitudeMinutes = 0;
    std::string zone;  // empty: the settings' own summer-time rules

    bool operator==(const SavedPlace&) const = default;
};

struct SavedPlacesReadResult {
    std::vector<SavedPlace> places;
    // One message per line that could not be read, naming its number.
    std::vector<std::string> messages;
    // The lines that could not be read, as they were: a save writes them
    // back after the places, so nothing of the file is lost.
    std::vector<std::string> kept;
    // Set when the file is there but cannot be used (unreadable, too large,
    // not a regular file); a missing file is an empty list.
    std::string error;
    // The file had problems: keep a .bak copy before writing it again.
    bool backUpBeforeSaving = false;
};

// The line of one place, or nothing when the place cannot be written (an
// empty name, a line break in the name or the zone, a semicolon in the zone,
// a coordinate out of range).
std::optional<std::string> SavedPlaceLine(const SavedPlace& place);

// One line of the file, or nothing with `why` set to the reason.
std::optional<SavedPlace> ParseSavedPlaceLine(std::string_view line, std::string* why = nullptr);

// The places of the text of a whole file (already decoded to UTF-8).
SavedPlacesReadResult ParseSavedPlaces(const std::vector<std::string>& lines);

SavedPlacesReadResult ReadSavedPlaces(const std::string& path);

// Writes the places (and the kept lines of a file that had problems) with CR
// LF, atomically; with `backUp` the old file is first kept as PATH.bak.
TextFileResult WriteSavedPlaces(const std::string& path, const std::vector<SavedPlace>& places,
                                const std::vector<std::string>& kept = {}, bool backUp = false);

// The place of that name (exact, after trimming spaces), or nothing.
const SavedPlace* FindSavedPlace(const std::vector<SavedPlace>& places, std::string_view name);

}  // namespace dawn
