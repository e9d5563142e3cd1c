// The program's state for the command line: the settings and label files
// named on the command line instead of those of the working folder, the
// locale and today's date, gathered into an AppState so that the command
// line builds its output with the very routines the windows use.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/dayephemeris.h"
#include "core/daynumber.h"
#include "present/appstate.h"
#include "present/locale.h"

namespace dawn {

struct CommandLineFiles {
    std::string settingsPath;  // a missing file, or none named, means the default settings
    std::string labelsPath;    // empty: the program's own copy of the labels
};

// Fills `state`; `shownDate` and `panel` become its shown date and panel,
// with the record of that date. Returns the message for the user when a file
// exists but cannot be used (unreadable, too large) or the label file named
// is missing. What was read with defaults (a settings line that is not a
// number, skipped label lines) is added to `warnings`.
std::optional<std::string> LoadCommandLineState(AppState& state, const CommandLineFiles& files,
                                                const LocaleFormats& locale, DayNumber today,
                                                DayNumber shownDate, Body panel,
                                                std::vector<std::string>* warnings = nullptr);

// The folder of a file named on the command line, absolute and without a
// trailing separator: it stands for the program's folder in the defaults.
std::string FolderOf(const std::string& path);

}  // namespace dawn
