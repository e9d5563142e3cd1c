#include "cli/command_line.h"

#include <algorithm>
#include <new>

namespace dawn::cli {

std::string QuotedArgument(std::string_view arg) {
    constexpr std::size_t kShown = 60;
    std::string text = "'";
    for (const char c : arg.substr(0, kShown))
        text.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c);
    if (arg.size() > kShown) text += "...";
    text += "'";
    return text;
}

const std::string* Command::Value(std::string_view option) const {
    const auto it = values.find(option);
    return it == values.end() ? nullptr : &it->second;
}

namespace {

const Verb* FindVerb(std::span<const Verb* const> verbs, std::string_view name) {
    const auto it =
        std::find_if(verbs.begin(), verbs.end(), [&](const Verb* v) { return v->name == name; });
    return it == verbs.end() ? nullptr : *it;
}

const Option* FindOption(const Verb& verb, std::string_view name) {
    const auto it = std::find_if(verb.options.begin(), verb.options.end(),
                                 [&](const Option& o) { return o.name == name; });
    return it == verb.options.end() ? nullptr : &*it;
}

bool IsHelpWord(std::string_view arg) {
    return arg == "--help" || arg == "-h" || arg == "help";
}

ParseResult Error(std::string message) {
    return {std::nullopt, std::move(message)};
}

ParseResult Parse(const std::vector<std::string>& args, std::span<const Verb* const> verbs) {
    if (args.empty()) return Error("no verb given (try 'dawnhelm-cli --help')");

    const std::string& first = args[0];
    if (IsHelpWord(first)) {
        Command help;
        help.help = true;
        if (args.size() > 2) return Error("help takes at most one verb");
        if (args.size() == 2) {
            help.verb = FindVerb(verbs, args[1]);
            if (help.verb == nullptr)
                return Error("unknown verb " + QuotedArgument(args[1]) +
                             " (try 'dawnhelm-cli --help')");
        }
        return {std::move(help), {}};
    }

    Command command;
    command.verb = FindVerb(verbs, first);
    if (command.verb == nullptr) {
        return Error("unknown verb " + QuotedArgument(first) + " (try 'dawnhelm-cli --help')");
    }
    const Verb& verb = *command.verb;
    const std::string verbHelp = " (try 'dawnhelm-cli help " + std::string(verb.name) + "')";

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            command.help = true;
            continue;
        }
        if (arg.size() < 3 || arg.substr(0, 2) != "--") {
            if (!verb.operand.empty() && !command.operand) {
                command.operand = std::string(arg);
                continue;
            }
            return Error(std::string(verb.name) + ": unexpected argument " + QuotedArgument(arg) +
                         verbHelp);
        }
        std::string_view name = arg.substr(2);
        std::optional<std::string_view> inlineValue;
        if (const auto eq = name.find('='); eq != std::string_view::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const Option* option = FindOption(verb, name);
        if (option == nullptr) {
            return Error(std::string(verb.name) + ": unknown option " +
                         QuotedArgument(std::string("--").append(name)) + verbHelp);
        }
        const std::string optionName = "--" + std::string(name);
        if (command.values.count(name) != 0 || command.Flag(name)) {
            return Error(std::string(verb.name) + ": " + optionName + " is given more than once");
        }
        if (option->valueName.empty()) {
            if (inlineValue)
                return Error(std::string(verb.name) + ": " + optionName + " takes no value");
            command.flags.emplace(name);
            continue;
        }
        std::string value;
        if (inlineValue) {
            value = std::string(*inlineValue);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return Error(std::string(verb.name) + ": " + optionName + " needs a value (" +
                         std::string(option->valueName) + ")");
        }
        command.values.emplace(std::string(name), std::move(value));
    }

    if (!command.help) {
        if (!verb.operand.empty() && !command.operand)
            return Error(std::string(verb.name) + ": missing " + std::string(verb.operand) +
                         verbHelp);
        for (const Option& option : verb.options) {
            if (option.required && command.values.count(option.name) == 0) {
                return Error(std::string(verb.name) + ": missing --" + std::string(option.name) +
                             " " + std::string(option.valueName) + verbHelp);
            }
        }
    }
    return {std::move(command), {}};
}

// The head of an option as usage and help show it: "--name VALUE".
std::string OptionHead(const Option& o) {
    std::string head = "--";
    head.append(o.name);
    if (!o.valueName.empty()) head.append(" ").append(o.valueName);
    return head;
}

void AppendOptions(std::string& text, const Verb& verb) {
    std::size_t width = 0;
    for (const Option& o : verb.options) width = std::max(width, OptionHead(o).size());
    for (const Option& o : verb.options) {
        const std::string head = OptionHead(o);
        text.append("    ").append(head).append(width - head.size() + 2, ' ').append(o.help);
        if (!o.required) text.append(" (optional)");
        text.append("\n");
    }
}

std::string Usage(const Verb& verb) {
    std::string text = "dawnhelm-cli ";
    text.append(verb.name);
    if (!verb.operand.empty()) text.append(" ").append(verb.operand);
    for (const Option& o : verb.options) {
        text.append(o.required ? " " : " [").append(OptionHead(o));
        if (!o.required) text.append("]");
    }
    return text;
}

// What follows a verb's usage line: its description and its options.
void AppendVerbBody(std::string& text, const Verb& verb, std::string_view optionsHeading) {
    if (!verb.description.empty()) text.append("\n").append(verb.description).append("\n");
    if (!verb.options.empty()) {
        text.append("\n").append(optionsHeading);
        AppendOptions(text, verb);
    }
}

}  // namespace

ParseResult ParseArguments(const std::vector<std::string>& args,
                           std::span<const Verb* const> verbs) noexcept {
    try {
        return Parse(args, verbs);
    } catch (const std::bad_alloc&) {
        return {std::nullopt, "out of memory while reading the arguments"};
    } catch (...) {
        return {std::nullopt, "the arguments could not be read"};
    }
}

std::string VerbHelpText(const Verb& verb) {
    std::string text = "Usage: ";
    text.append(Usage(verb)).append("\n\n").append(verb.summary).append("\n");
    AppendVerbBody(text, verb, "Options:\n");
    return text;
}

std::string HelpText(std::span<const Verb* const> verbs) {
    std::string text =
        "dawnhelm-cli: sun and moon rise and set for one place on Earth.\n"
        "\n"
        "Usage: dawnhelm-cli <verb> [options]\n"
        "       dawnhelm-cli help [<verb>]\n"
        "       dawnhelm-cli --version\n"
        "\n"
        "Angles are signed whole arc minutes (north and east positive: 50°47' N is 3047),\n"
        "time zones signed whole minutes ahead of UT (60 for one hour ahead), dates YYYY-MM-DD.\n"
        "Exit status: 0 done, 1 the work failed, 2 bad arguments.\n"
        "\n"
        "Verbs:\n";
    std::size_t width = 0;
    for (const Verb* v : verbs) width = std::max(width, v->name.size());
    for (const Verb* v : verbs) {
        text.append("  ").append(v->name).append(width - v->name.size() + 3, ' ');
        text.append(v->summary).append("\n");
    }
    for (const Verb* v : verbs) {
        text.append("\n").append(Usage(*v)).append("\n");
        AppendVerbBody(text, *v, "");
    }
    return text;
}

}  // namespace dawn::cli
