// The program's state for the verbs that write what the windows show
// (view, export, graph): the files named by --settings and --labels, the
// user's locale and today's date.
#pragma once

#include <optional>
#include <string>

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
// to stderr as warnings; the outcome is returned when a file cannot be used
// or --place or --zone cannot.
std::optional<VerbOutcome> LoadProgramState(const Command& command, DayNumber shown, Body panel,
                                            AppState& state);

}  // namespace dawn::cli
