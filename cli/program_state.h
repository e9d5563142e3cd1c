// The program's state for the verbs that write what the windows show
// (view, export, graph): the files named by --settings and --labels, the
// user's locale and today's date.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "core/dayephemeris.h"
#include "core/daynumber.h"
#include "present/appstate.h"

namespace dawn::cli {

// Today's date from the system clock.
DayNumber Today();

// Fills `state` with `shown` as its shown date and `panel` as its panel,
// with --place and --zone applied over the settings file (or over the
// defaults when only they are given). What was read with defaults is written
// to stderr as warnings. Returns the outcome to report when --settings or
// --labels names no file (a usage error), a file that cannot be used (a
// failure), or --place or --zone cannot be used; otherwise nothing.
std::optional<VerbOutcome> LoadProgramState(const Command& command, DayNumber shown, Body panel,
                                            AppState& state);

// The usage error of a file option given with an empty name, or nothing.
std::optional<VerbOutcome> EmptyFileName(const Command& command, std::string_view option);

}  // namespace dawn::cli
