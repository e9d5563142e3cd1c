// The --settings option of the verbs that compute day records: the settings
// file is read exactly as the program reads its own, a missing file meaning
// the defaults of this year.
#pragma once

#include <ctime>
#include <iostream>
#include <string>

#include "cli/command_line.h"
#include "cli/program_state.h"
#include "core/settings.h"
#include "present/placechoice.h"

namespace dawn::cli {

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

// Loads the file named by --settings and opens the zone of its line 20.
// Problems the program would show in a message box (a line that is no number,
// an unreadable file, a zone the system does not know) are written to stderr
// as warnings and the defaults or the manual rules serve, as in the program.
inline std::string ReadSettingsOption(const Command& command, SiteSettings& out) {
    const std::string* path = command.Value(kSettingsOption.name);
    if (path == nullptr) return "missing --settings";
    if (path->empty()) return "--settings: the file name is empty";
    SettingsLoadResult loaded = LoadSettingsFile(*path, TodayYear());
    for (const std::string& m : loaded.messages)
        std::cerr << "dawnhelm-cli: warning: " << m << '\n';
    out = std::move(loaded.settings);
    if (auto m = OpenSettingsZone(out, Today()))
        std::cerr << "dawnhelm-cli: warning: " << *m << '\n';
    return {};
}

}  // namespace dawn::cli
