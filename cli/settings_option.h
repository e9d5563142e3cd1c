// The --settings option of the verbs that compute day records: the settings
// file is read exactly as the program reads its own, a missing file meaning
// the defaults of this year, a file that cannot be read an error.
#pragma once

#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/program_state.h"
#include "core/savedplaces.h"
#include "core/settings.h"
#include "present/placechoice.h"
#include "present/placelist.h"

namespace dawn::cli {

// --site NAME: a saved place of Dawnplaces.txt beside the settings file in
// place of the settings' own.
inline constexpr Option kSiteOption{
    "site", "NAME", false,
    "the saved place NAME of Dawnplaces.txt beside the settings file, in place of the settings' "
    "own place"};

inline constexpr Option kSettingsOption{"settings", "FILE", true,
                                        "settings file as the program keeps it (Dawncode.txt); "
                                        "a missing file means the default place"};

// Today's year from the system clock, which resolves the summer-time rules as
// at the program's start.
inline int TodayYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// The places file beside the settings file at `settingsPath`.
inline std::string PlacesFileBeside(const std::string& settingsPath) {
    return (std::filesystem::path(settingsPath).parent_path() / kPlacesFileName).string();
}

// The saved places beside the settings file, with the lines that could not be
// read written to stderr as warnings; a places file that cannot be read fails.
inline std::optional<VerbOutcome> ReadSavedPlacesBeside(const std::string& settingsPath,
                                                        std::vector<SavedPlace>& places) {
    SavedPlacesReadResult read = ReadSavedPlaces(PlacesFileBeside(settingsPath));
    if (!read.error.empty()) return VerbOutcome::Failure(read.error);
    for (const std::string& m : read.messages) std::cerr << WarningLines(m);
    places = std::move(read.places);
    return std::nullopt;
}

// --site: the saved place `name` of the places file beside `settingsPath`
// in place of the settings' own; a place that is not there fails.
inline std::optional<VerbOutcome> ApplySavedPlace(const std::string& settingsPath,
                                                  const std::string& name, SiteSettings& settings) {
    std::vector<SavedPlace> places;
    if (auto e = ReadSavedPlacesBeside(settingsPath, places)) return e;
    const SavedPlace* place = FindSavedPlace(places, name);
    if (place == nullptr)
        return VerbOutcome::Usage("--site: no saved place is named " + QuotedArgument(name) +
                                  " in " + PlacesFileBeside(settingsPath));
    if (auto m = UseSavedPlace(*place, settings, Today()))
        return VerbOutcome::Failure("--site " + place->name + ": " + *m);
    return std::nullopt;
}

// Loads the file named by --settings, read exactly as the program reads its
// own, and opens the zone of its line 20. Problems the program would show in
// a message box (a line that is no number, a value out of range, a zone the
// system does not know) are written to stderr as warnings and the
// defaults serve for those lines, as in the program. A file that is there but
// cannot be used fails the verb (exit 1): its values are not known, and
// computing with the defaults instead would print another place's times. An
// empty file name is a usage error. Returns the outcome to report, or nothing.
inline std::optional<VerbOutcome> ReadSettingsOption(const Command& command, SiteSettings& out) {
    const std::string* path = command.Value(kSettingsOption.name);
    if (path == nullptr) return VerbOutcome::Usage("missing --settings");
    if (path->empty()) return VerbOutcome::Usage("--settings: the file name is empty");
    SettingsReadResult read =
        ReadSettingsFile(*path, std::filesystem::path(*path).parent_path().string(), TodayYear());
    if (!read.error.empty()) return VerbOutcome::Failure(read.error);
    for (const std::string& m : read.messages) std::cerr << WarningLines(m);
    out = std::move(read.settings);
    if (const std::string* site = command.Value(kSiteOption.name))
        return ApplySavedPlace(*path, *site, out);
    if (auto m = OpenSettingsZone(out, Today())) std::cerr << WarningLines(*m);
    return std::nullopt;
}

}  // namespace dawn::cli
