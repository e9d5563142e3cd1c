#include "cli/command_line.h"

#include <algorithm>
#include <new>

#include "core/textfile.h"

namespace dawn::cli {

std::string QuotedArgument(std::string_view arg) {
    constexpr std::size_t kShown = 60;
    const std::string_view shown = Utf8Prefix(arg, kShown);
    std::string text = "'";
    for (const char c : shown)
        text.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c);
    if (shown.size() < arg.size()) text += "...";
    text += "'";
    return text;
}

namespace {

// The length of the well-formed UTF-8 character at the start of `s` and its
// code point, or 0 when `s` starts with a byte that begins none.
std::size_t Utf8CharAt(std::string_view s, char32_t& cp) {
    for (std::size_t len = 1; len <= 4 && len <= s.size(); ++len) {
        const std::string_view candidate = s.substr(0, len);
        if (!IsValidUtf8(candidate)) continue;
        const auto lead = static_cast<unsigned char>(s[0]);
        cp = len == 1 ? lead : lead & (0x7F >> len);
        for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (s[k] & 0x3F);
        return len;
    }
    return 0;
}

// Characters that reorder the text around them on a terminal.
bool IsBidiControl(char32_t cp) {
    return cp == 0x061C || cp == 0x200E || cp == 0x200F || (cp >= 0x202A && cp <= 0x202E) ||
           (cp >= 0x2066 && cp <= 0x2069);
}

void AppendHex(std::string& out, std::string_view prefix, unsigned value, int digits) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += prefix;
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

std::string TerminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t cp = 0;
        const std::size_t len = Utf8CharAt(text, cp);
        if (len == 0) {
            AppendHex(out, "\\x", static_cast<unsigned char>(text[0]), 2);
            text.remove_prefix(1);
            continue;
        }
        if (cp < 0x20 || cp == 0x7F) {
            AppendHex(out, "\\x", static_cast<unsigned>(cp), 2);
        } else if ((cp >= 0x80 && cp < 0xA0) || IsBidiControl(cp)) {
            AppendHex(out, "\\u", static_cast<unsigned>(cp), 4);
        } else {
            out.append(text.substr(0, len));
        }
        text.remove_prefix(len);
    }
    return out;
}

std::string WarningLines(std::string_view message) {
    std::string lines;
    std::size_t start = 0;
    while (start <= message.size()) {
        std::size_t end = message.find('\n', start);
        if (end == std::string_view::npos) end = message.size();
        const std::string_view line = message.substr(start, end - start);
        if (!line.empty()) lines += "dawnhelm-cli: warning: " + TerminalText(line) + "\n";
        start = end + 1;
    }
    return lines;
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
