#include "cli/program_state.h"

#include <chrono>
#include <iostream>
#include <vector>

#include "cli/systemlocale.h"
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
    files.settingsPath = *command.Value("settings");
    if (const std::string* labels = command.Value("labels")) files.labelsPath = *labels;
    std::vector<std::string> warnings;
    const auto error =
        LoadCommandLineState(state, files, SystemLocaleFormats(), Today(), shown, panel, &warnings);
    for (const std::string& w : warnings) std::cerr << WarningLines(w);
    if (error) return VerbOutcome::Failure(*error);
    return std::nullopt;
}

}  // namespace dawn::cli
