#pragma once
// The program's records for the command line: the settings and label files
// named on the command line instead of those of the working folder, the
// system's locale and today's date, gathered into an AppState so that the
// command line builds its output with the very routines the windows use.
#include <QLocale>
#include <optional>
#include <string>
#include <vector>

#include "core/daynumber.h"

namespace dawn {

struct AppState;

struct CommandLineFiles {
    std::string settingsPath;  // a missing file means the default settings
    std::string labelsPath;    // empty: the program's own copy of the labels
};

// Fills `state`; `shownDate` becomes the date of its day record. Returns the
// message for the user when a file exists but cannot be used (unreadable,
// too large) or the label file named is missing. What was read with
// defaults (a settings line that is not a number, skipped label lines) is
// added to `warnings`.
std::optional<std::string> LoadCommandLineState(AppState& state, const CommandLineFiles& files,
                                                const QLocale& locale, DayNumber today,
                                                DayNumber shownDate,
                                                std::vector<std::string>* warnings = nullptr);

}  // namespace dawn
