// The --settings option of the verbs that compute day records: the settings
// file is read exactly as the program reads its own, a missing file meaning
// the defaults of this year, a file that cannot be read an error.
#pragma once

#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
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
    if (auto m = OpenSettingsZone(out, Today())) std::cerr << WarningLines(*m);
    return std::nullopt;
}

}  // namespace dawn::cli
