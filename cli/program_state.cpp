#include "cli/program_state.h"

#include <chrono>
#include <iostream>
#include <vector>

#include "cli/settings_option.h"
#include "cli/systemlocale.h"
#include "cli/zone_options.h"
#include "present/commandline.h"

namespace dawn::cli {

DayNumber Today() {
    return DayNumber::FromSysDays(
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
}

std::optional<VerbOutcome> EmptyFileName(const Command& command, std::string_view option) {
    const std::string* value = command.Value(option);
    if (value == nullptr || !value->empty()) return std::nullopt;
    return VerbOutcome::Usage("--" + std::string(option) + ": the file name is empty");
}

std::optional<VerbOutcome> LoadProgramState(const Command& command, DayNumber shown, Body panel,
                                            AppState& state) {
    for (const std::string_view option : {"settings", "labels"}) {
        if (auto empty = EmptyFileName(command, option)) return empty;
    }
    CommandLineFiles files;
    if (const std::string* settings = command.Value("settings")) {
        if (settings->empty()) return VerbOutcome::Usage("--settings: the file name is empty");
        files.settingsPath = *settings;
    } else if (!HasPlaceOrZone(command)) {
        return VerbOutcome::Usage("missing --settings (or --place or --zone)");
    }
    if (const std::string* labels = command.Value("labels")) files.labelsPath = *labels;
    std::vector<std::string> warnings;
    const DayNumber today = Today();
    const auto error =
        LoadCommandLineState(state, files, SystemLocaleFormats(), today, shown, panel, &warnings);
    for (const std::string& w : warnings) std::cerr << WarningLines(w);
    if (error) return VerbOutcome::Failure(*error);
    const std::string* site = command.Value(kSiteOption.name);
    if (site != nullptr) {
        if (files.settingsPath.empty()) return VerbOutcome::Usage("--site needs --settings");
        if (auto failed = ApplySavedPlace(files.settingsPath, *site, state.Settings)) return failed;
    }
    if (!HasPlaceOrZone(command)) {
        if (site != nullptr) state.Day = ComputeDay(state.Settings, shown);
        return std::nullopt;
    }
    if (auto failed = ApplyPlaceAndZone(command, state.Settings, today)) return failed;
    state.Day = ComputeDay(state.Settings, shown);
    return std::nullopt;
}

}  // namespace dawn::cli
