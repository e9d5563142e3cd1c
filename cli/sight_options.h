// --height METRES and --horizon FILE: the sun's rise and set seen from a
// height above the land around, and its visible rise and set behind the
// skyline of a horizon profile. Shared by the verbs that offer them.
#pragma once

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "astro/horizon.h"
#include "cli/command_line.h"
#include "cli/values.h"
#include "core/horizonprofile.h"
#include "core/settings.h"
#include "core/textfile.h"
#include "core/userevents.h"
#include "present/export.h"

namespace dawn::cli {

inline constexpr Option kHeightOption{"height", "METRES", false,
                                      "the sun's rise and set seen from this height above the "
                                      "land around (0..10000)"};
inline constexpr Option kHorizonOption{"horizon", "FILE", false,
                                       "adds the sun's visible rise and set behind the skyline "
                                       "of FILE (azimuth and altitude pairs)"};

struct Sight {
    std::optional<double> heightMetres;
    std::optional<std::vector<HorizonPoint>> horizon;
};

// Reads both options. A profile that cannot be read, or its bad lines, are
// written to stderr as warnings and the run goes on with what was read (the
// flat horizon at worst). Returns the usage error, or an empty text.
inline std::string ReadSight(const Command& command, Sight& out) {
    if (const std::string* height = command.Value(kHeightOption.name)) {
        double metres = 0;
        if ((!height->empty() && height->front() == '+') ||
            !ParseNumberInRange(*height, 0.0, kMaxObserverHeightMetres, metres))
            return "--height: " + QuotedArgument(*height) +
                   " is not a height in metres from 0 to 10000";
        out.heightMetres = metres;
    }
    if (const std::string* horizon = command.Value(kHorizonOption.name)) {
        HorizonProfileRead read = ReadHorizonProfile(*horizon);
        for (const std::string& m : read.messages) std::cerr << WarningLines(m);
        out.horizon = std::move(read.points);
    }
    return {};
}

// The file beside the settings file (--settings) named `name`, or an empty
// text without --settings.
inline std::string BesideSettings(const Command& command, const std::string& name) {
    const std::string* file = command.Value("settings");
    if (file == nullptr) return {};
    return (std::filesystem::path(*file).parent_path() / name).string();
}

// Fills what `out` (as ReadSight read it) lacks from the settings: their
// height, and their horizon profile (a relative path taken from the settings
// file's folder, as the window takes it from its own). The profile's
// messages go to stderr as warnings.
inline void AddSettingsSight(const Command& command, const SiteSettings& settings, Sight& out) {
    if (!out.heightMetres) out.heightMetres = settings.ObserverHeightMetres;
    const std::string& path = settings.HorizonProfilePath;
    if (!out.horizon && !path.empty()) {
        const std::string file = path.front() == '/' || command.Value("settings") == nullptr
                                     ? path
                                     : BesideSettings(command, path);
        HorizonProfileRead read = ReadHorizonProfile(file);
        for (const std::string& m : read.messages) std::cerr << WarningLines(m);
        out.horizon = std::move(read.points);
    }
}

// The sight as the core computations take it; `sight` must outlive it.
inline EventSight EventSightOf(const Sight& sight) {
    EventSight out;
    out.heightMetres = sight.heightMetres.value_or(0.0);
    if (sight.horizon) out.profile = *sight.horizon;
    return out;
}

// --light and what goes with it on the verbs that write files (export, ics).
inline constexpr Option kLightOption{"light", "", false,
                                     "the blue and golden hours too, the rise and set from the "
                                     "settings' height and behind its horizon profile, and your "
                                     "own events"};
inline constexpr Option kLightEventsFileOption{
    "events-file", "FILE", false,
    "with --light: your own events (default: Dawnevents.txt beside the settings file)"};

// The light options of a run: none without --light (--height, --horizon and
// --events-file then are usage errors). With it, those of the settings
// (LightOptionsOf: its height, its horizon profile, whose relative path lies
// beside the settings file, and the events file beside that file), each
// replaced by its option when given. The files' messages go to stderr as
// warnings. Returns the usage error, or an empty text.
inline std::string ReadLight(const Command& command, const SiteSettings& settings,
                             std::optional<LightOptions>& out) {
    const std::string* events = command.Value(kLightEventsFileOption.name);
    if (!command.Flag(kLightOption.name)) {
        for (const Option* o : {&kHeightOption, &kHorizonOption, &kLightEventsFileOption})
            if (command.Value(o->name) != nullptr)
                return "--" + std::string(o->name) + " goes with --light";
        return {};
    }
    if (events != nullptr && events->empty()) return "--events-file: the file name is empty";
    Sight sight;
    if (std::string e = ReadSight(command, sight); !e.empty()) return e;
    std::string eventsPath;
    if (events != nullptr) {
        eventsPath = *events;
    } else if (const std::string* file = command.Value("settings")) {
        eventsPath = (std::filesystem::path(*file).parent_path() / kUserEventsFileName).string();
    }
    SiteSettings own = settings;
    if (sight.horizon) {
        own.HorizonProfilePath.clear();
    } else if (!own.HorizonProfilePath.empty() && own.HorizonProfilePath.front() != '/' &&
               command.Value("settings") != nullptr) {
        // A relative path is the settings file's neighbour, as in the window.
        own.HorizonProfilePath = BesideSettings(command, own.HorizonProfilePath);
    }
    std::vector<std::string> messages;
    LightOptions options = LightOptionsOf(own, eventsPath, messages);
    for (const std::string& m : messages) std::cerr << WarningLines(m);
    if (sight.heightMetres) options.heightMetres = sight.heightMetres;
    if (sight.horizon) options.horizon = std::move(sight.horizon);
    out = std::move(options);
    return {};
}

}  // namespace dawn::cli
