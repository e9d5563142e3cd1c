// The command-line frame of dawnhelm-cli: verbs, their options, the parser
// and the help texts. No Qt here; a verb that needs the windows links them
// itself (see cli/CMakeLists.txt).
//
// Adding a verb: write cli/verb_<name>.cpp defining
//     const dawn::cli::Verb& <Name>Verb();   // e.g. DayVerb() for verb_day.cpp
// in namespace dawn::cli, returning a function-local static Verb. The table
// of verbs is generated from the file names at configure time.
#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dawn::cli {

struct Option {
    std::string_view name;       // without the leading "--"
    std::string_view valueName;  // empty for a flag that takes no value
    bool required;
    std::string_view help;  // one line
};

struct Command;

// Exit codes of the program.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the work could not be done (e.g. output failed)
inline constexpr int kExitUsage = 2;    // bad arguments

// What a verb's run function reports: an exit code and, unless it
// succeeded, one line for stderr. A verb checks all its arguments before it
// writes anything to `out`, so that a usage error leaves stdout empty.
struct VerbOutcome {
    int exitCode = kExitSuccess;
    std::string error;

    static VerbOutcome Usage(std::string message) { return {kExitUsage, std::move(message)}; }
    static VerbOutcome Failure(std::string message) { return {kExitFailure, std::move(message)}; }
};

struct Verb {
    std::string_view name;
    std::string_view summary;      // one line for the list of verbs
    std::string_view description;  // a paragraph or more for the verb's help; may be empty
    std::span<const Option> options;
    VerbOutcome (*run)(const Command& command, std::ostream& out);
    // The name of the one argument the verb takes besides its options, as
    // usage shows it ("QUERY"); empty when it takes none. It is required.
    std::string_view operand{};
};

struct Command {
    const Verb* verb = nullptr;  // null: help on every verb
    bool help = false;           // show help (of `verb`, or of all verbs) instead of running
    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> flags;
    std::optional<std::string> operand;  // set when the verb takes one

    // The value of an option, or null when it was not given.
    const std::string* Value(std::string_view option) const;
    bool Flag(std::string_view option) const { return flags.find(option) != flags.end(); }
};

struct ParseResult {
    std::optional<Command> command;
    std::string error;  // one line, set when there is no command
};

// Parses the arguments after the program name:
//   <verb> [OPERAND] [--option value | --option=value | --flag]...
//   help [<verb>]     --help | -h     <verb> --help
// Every option value is taken as given, also when it starts with "-", so
// that negative numbers pass. The operand, for a verb that takes one, is the
// argument that does not start with "--", wherever it stands. Never throws.
ParseResult ParseArguments(const std::vector<std::string>& args,
                           std::span<const Verb* const> verbs) noexcept;

// An argument as error lines show it: in single quotes, control characters
// written as '?' so that they cannot garble the line, long ones cut (never
// inside a UTF-8 character).
std::string QuotedArgument(std::string_view arg);

// A message as it may reach a terminal: every byte that is not part of a
// UTF-8 character is written as \xNN, control characters (line breaks and
// escapes included) as \xNN or \uNNNN, and the characters that reorder text
// (bidirectional controls) as \uNNNN, so that nothing taken from a file or a
// file name can move the cursor, recolour or disguise the line.
std::string TerminalText(std::string_view text);

// A warning for stderr: every line of `message` that is not empty becomes
// "dawnhelm-cli: warning: <line>", passed through TerminalText.
std::string WarningLines(std::string_view message);

// Help texts, ending with a newline.
std::string HelpText(std::span<const Verb* const> verbs);
std::string VerbHelpText(const Verb& verb);

}  // namespace dawn::cli
