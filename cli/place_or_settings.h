// The place and zone of the moon verbs: given as --lat, --lon and --tz, or
// read from the program's settings file with --settings. Either way they
// come as settings, so that each date takes its own standard offset
// (PlaceOf, StandardOffsetOf) when the file names a time zone; the options
// give the same offset on every date.
#pragma once

#include <optional>
#include <string>

#include "astro/astro.h"
#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/values.h"
#include "core/settings.h"

namespace dawn::cli {

// The place options without which --settings serves.
inline constexpr Option kLatitudeOrSettingsOption{
    "lat", "MINUTES", false,
    "latitude in arc minutes, north positive (-5400..5400); or --settings"};
inline constexpr Option kLongitudeOrSettingsOption{
    "lon", "MINUTES", false,
    "longitude in arc minutes, east positive (-10800..10800); or --settings"};
inline constexpr Option kTimeZoneOrSettingsOption{
    "tz", "MINUTES", false, "standard time ahead of UT in minutes (-1439..1439); or --settings"};
inline constexpr Option kOptionalSettingsOption{kSettingsOption.name, kSettingsOption.valueName,
                                                false, kSettingsOption.help};

enum class PlaceParts : bool { ZoneOnly, Whole };

// Reads the place (or only its zone) from the options or from the settings
// file, never from both. Returns the outcome to report on a problem (a usage
// error, or the failure of a settings file that cannot be read), or nothing.
// Of the options' settings only the coordinates and TimeZoneMinutes count.
inline std::optional<VerbOutcome> ReadPlaceOrSettings(const Command& command, PlaceParts parts,
                                                      SiteSettings& out) {
    const bool whole = parts == PlaceParts::Whole;
    const bool anyOption = command.Value(kTimeZoneOption.name) != nullptr ||
                           (whole && (command.Value(kLatitudeOption.name) != nullptr ||
                                      command.Value(kLongitudeOption.name) != nullptr));
    const std::string options = whole ? "--lat, --lon and --tz" : "--tz";
    if (command.Value(kSettingsOption.name) != nullptr) {
        if (anyOption)
            return VerbOutcome::Usage("give either --settings or " + options + ", not both");
        return ReadSettingsOption(command, out);
    }
    if (!anyOption) return VerbOutcome::Usage("missing " + options + " (or --settings FILE)");
    Place place{};
    if (whole) {
        std::string e = ReadPlace(command, place);
        if (!e.empty()) {
            if (e.rfind("missing", 0) == 0) e += " (or --settings FILE)";
            return VerbOutcome::Usage(e);
        }
    } else if (auto e =
                   ReadInteger(command, kTimeZoneOption.name, -1439, 1439, place.timeZoneMinutes);
               !e.empty()) {
        return VerbOutcome::Usage(e);
    }
    out = SiteSettings{};
    out.LatitudeMinutes = place.latitudeMinutes;
    out.LongitudeMinutes = place.longitudeMinutes;
    out.TimeZoneMinutes = place.timeZoneMinutes;
    return std::nullopt;
}

}  // namespace dawn::cli
