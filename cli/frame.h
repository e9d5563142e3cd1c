// The whole program behind main(): parse, dispatch to a verb, report.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace dawn::cli {

// Every verb of the program, in the order the help lists them.
std::span<const Verb* const> AllVerbs();

// Runs the arguments after the program name and returns the exit code.
// Results and help go to `out`; an error is one line on `err` and leaves
// `out` untouched when it is a usage error.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   std::span<const Verb* const> verbs = AllVerbs());

}  // namespace dawn::cli
