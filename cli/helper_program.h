// Verbs whose work a helper program does. A helper carries libraries that
// the other verbs must not load (the chart library, the calendar file
// library), so dawnhelm-cli knows such a verb's options and help but hands
// the command on: it finds the helper beside itself (a build tree) or in the
// program folder of an installation, runs it with the command again as
// arguments on the same standard output and error, waits, and passes its
// exit status on. The helper parses the command anew and reports its own
// errors under dawnhelm-cli's name.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"

namespace dawn::cli {

struct HelperProgram {
    std::string_view file;  // the program's file name, e.g. "dawnhelm-graph"
    std::string_view role;  // what messages call it, e.g. "drawing helper"
};

// The command again as arguments: the verb's name, then every option of
// `options` it was given ("--name=value", or "--name" for a flag), then the
// operand if it has one.
std::vector<std::string> CommandArguments(std::string_view verb, std::span<const Option> options,
                                          const Command& command);

// The helper's path beside the running program or in the program folder
// seen from it; empty when neither holds an executable file of that name.
std::filesystem::path FindHelperProgram(std::string_view file);

// Runs `command` (whose verb is set) through the helper. `out` is flushed
// first; the helper writes to this process's standard output, not to `out`.
// The helper's exit status comes back with no words (it has said what went
// wrong itself); a helper that cannot be found or started, or that crashed,
// is a failure with a message. A helper stopped by a broken pipe, an
// interrupt or a termination request stops this program the same way, as
// the verb would have stopped it when it ran here.
VerbOutcome RunHelperProgram(const HelperProgram& helper, const Command& command,
                             std::ostream& out);

}  // namespace dawn::cli
