// The place and zone of the moon verbs: given as --lat, --lon and --tz, or
// read from the program's settings file with --settings.
#pragma once

#include <optional>
#include <string>

#include "astro/astro.h"
#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/values.h"

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
inline std::optional<VerbOutcome> ReadPlaceOrSettings(const Command& command, PlaceParts parts,
                                                      Place& out) {
    const bool whole = parts == PlaceParts::Whole;
    const bool anyOption = command.Value(kTimeZoneOption.name) != nullptr ||
                           (whole && (command.Value(kLatitudeOption.name) != nullptr ||
                                      command.Value(kLongitudeOption.name) != nullptr));
    const std::string options = whole ? "--lat, --lon and --tz" : "--tz";
    if (command.Value(kSettingsOption.name) != nullptr) {
        if (anyOption)
            return VerbOutcome::Usage("give either --settings or " + options + ", not both");
        SiteSettings settings;
        if (auto e = ReadSettingsOption(command, settings)) return e;
        out = {settings.LatitudeMinutes, settings.LongitudeMinutes, settings.TimeZoneMinutes};
        return std::nullopt;
    }
    if (!anyOption) return VerbOutcome::Usage("missing " + options + " (or --settings FILE)");
    if (whole) {
        std::string e = ReadPlace(command, out);
        if (e.empty()) return std::nullopt;
        if (e.rfind("missing", 0) == 0) e += " (or --settings FILE)";
        return VerbOutcome::Usage(e);
    }
    Place place{};
    if (auto e = ReadInteger(command, kTimeZoneOption.name, -1439, 1439, place.timeZoneMinutes);
        !e.empty()) {
        return VerbOutcome::Usage(e);
    }
    out = place;
    return std::nullopt;
}

}  // namespace dawn::cli
