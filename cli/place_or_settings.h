// The place and zone of the moon verbs: given as --lat, --lon and --tz (or
// --place and --zone), or read from the program's settings file with
// --settings. Either way they
// come as settings, so that each date takes its own standard offset
// (PlaceOf, StandardOffsetOf) when the file names a time zone; the options
// give the same offset on every date.
#pragma once

#include <optional>
#include <string>

#include "astro/astro.h"
#include "cli/command_line.h"
#include "cli/program_state.h"
#include "cli/settings_option.h"
#include "cli/values.h"
#include "cli/zone_options.h"
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
// file, never from both, then applies --place and --zone as the verbs that
// compute day records do (zone_options.h): --place stands in for --lat and
// --lon and brings its zone, --zone stands in for --tz, and either may also
// override the settings file. Returns the outcome to report on a problem (a
// usage error, or the failure of a settings file that cannot be read), or
// nothing. Of the options' settings only the coordinates, TimeZoneMinutes
// and the zone of --place or --zone count.
inline std::optional<VerbOutcome> ReadPlaceOrSettings(const Command& command, PlaceParts parts,
                                                      SiteSettings& out) {
    const bool whole = parts == PlaceParts::Whole;
    const bool place = command.Value(kPlaceOption.name) != nullptr;
    const bool zone = command.Value(kZoneOption.name) != nullptr;
    const bool coordinates = whole && (command.Value(kLatitudeOption.name) != nullptr ||
                                       command.Value(kLongitudeOption.name) != nullptr);
    const bool tz = command.Value(kTimeZoneOption.name) != nullptr;
    const bool anyOption = tz || coordinates;
    const std::string options = whole ? "--lat, --lon and --tz" : "--tz";
    if (command.Value(kSiteOption.name) != nullptr &&
        command.Value(kSettingsOption.name) == nullptr)
        return VerbOutcome::Usage("--site needs --settings");
    if (command.Value(kSettingsOption.name) != nullptr) {
        if (anyOption)
            return VerbOutcome::Usage("give either --settings or " + options + ", not both");
        if (auto e = ReadSettingsOption(command, out)) return e;
        return ApplyPlaceAndZone(command, out, Today());
    }
    if (!anyOption && !place && !zone)
        return VerbOutcome::Usage("missing " + options + " (or --settings FILE)");
    if (place && coordinates) return VerbOutcome::Usage("give either --place or --lat and --lon");
    if ((place || zone) && tz) return VerbOutcome::Usage("give either --tz or --zone and --place");
    const auto usage = [](std::string e) {
        if (e.rfind("missing", 0) == 0) e += " (or --settings FILE)";
        return VerbOutcome::Usage(e);
    };
    out = SiteSettings{};
    out.TimeZoneMinutes = 0;
    if (whole && !place) {
        if (auto e = ReadInteger(command, kLatitudeOption.name, -5400, 5400, out.LatitudeMinutes);
            !e.empty())
            return usage(e);
        if (auto e =
                ReadInteger(command, kLongitudeOption.name, -10800, 10800, out.LongitudeMinutes);
            !e.empty())
            return usage(e);
    }
    if (!place && !zone) {
        if (auto e = ReadInteger(command, kTimeZoneOption.name, -1439, 1439, out.TimeZoneMinutes);
            !e.empty())
            return usage(e);
    }
    return ApplyPlaceAndZone(command, out, Today());
}

}  // namespace dawn::cli
