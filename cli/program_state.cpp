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

std::optional<std::string> LoadProgramState(const Command& command, DayNumber shown, Body panel,
                                            AppState& state) {
    CommandLineFiles files;
    files.settingsPath = *command.Value("settings");
    if (const std::string* labels = command.Value("labels")) files.labelsPath = *labels;
    std::vector<std::string> warnings;
    const auto error =
        LoadCommandLineState(state, files, SystemLocaleFormats(), Today(), shown, panel, &warnings);
    for (const std::string& w : warnings) std::cerr << "dawnhelm-cli: warning: " << w << '\n';
    return error;
}

}  // namespace dawn::cli
