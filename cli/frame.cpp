#include "cli/frame.h"

#include <exception>
#include <ostream>

#include "dawn_version.h"

namespace dawn::cli {

// The verb table, generated from the names of the cli/verb_<name>.cpp files.
#define DAWN_CLI_VERB(function) const Verb& function();
#include "cli_verb_list.inc"
#undef DAWN_CLI_VERB

std::span<const Verb* const> AllVerbs() {
    static const Verb* const verbs[] = {
#define DAWN_CLI_VERB(function) &function(),
#include "cli_verb_list.inc"
#undef DAWN_CLI_VERB
    };
    return verbs;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   std::span<const Verb* const> verbs) {
    if (!args.empty() && args[0] == "--version") {
        if (args.size() > 1) {
            err << "dawnhelm-cli: --version takes no arguments\n";
            return kExitUsage;
        }
        out << "dawnhelm-cli " << kVersionText << '\n';
        out.flush();
        return out ? kExitSuccess : kExitFailure;
    }
    const ParseResult parsed = ParseArguments(args, verbs);
    if (!parsed.command) {
        err << "dawnhelm-cli: " << TerminalText(parsed.error) << '\n';
        return kExitUsage;
    }
    const Command& command = *parsed.command;
    if (command.help) {
        out << (command.verb != nullptr ? VerbHelpText(*command.verb) : HelpText(verbs));
        out.flush();
        return out ? kExitSuccess : kExitFailure;
    }

    const Verb& verb = *command.verb;
    VerbOutcome outcome;
    try {
        outcome = verb.run(command, out);
    } catch (const std::exception& e) {
        outcome = VerbOutcome::Failure(e.what());
    } catch (...) {
        outcome = VerbOutcome::Failure("unexpected failure");
    }
    out.flush();
    if (outcome.exitCode == kExitSuccess && !out)
        outcome = VerbOutcome::Failure("cannot write the output");
    // A failure without words was already reported (by the graph's helper).
    if (outcome.exitCode != kExitSuccess && !outcome.error.empty()) {
        err << "dawnhelm-cli: " << verb.name << ": " << TerminalText(outcome.error);
        if (outcome.exitCode == kExitUsage) err << " (try 'dawnhelm-cli help " << verb.name << "')";
        err << '\n';
    }
    return outcome.exitCode;
}

}  // namespace dawn::cli
