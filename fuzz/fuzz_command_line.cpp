// Fuzzes the argument parser of dawnhelm-cli: the input is split at NUL
// bytes into arguments. Whatever parses must then survive the readers of the
// shared option values and the help of its verb. Verbs are not run: some
// write files and a long range takes long.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/frame.h"
#include "cli/values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back().push_back(static_cast<char>(data[i]));
        }
    }
    if (size == 0) args.clear();

    const dawn::cli::ParseResult parsed = dawn::cli::ParseArguments(args, dawn::cli::AllVerbs());
    if (!parsed.command) {
        if (parsed.error.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    const dawn::cli::Command& command = *parsed.command;
    if (command.verb != nullptr) (void)dawn::cli::VerbHelpText(*command.verb);

    dawn::Place place{};
    (void)dawn::cli::ReadPlace(command, place);
    std::chrono::year_month_day from{}, to{};
    if (dawn::cli::ReadDateRange(command, from, to).empty() &&
        (from > to || from < dawn::cli::kFirstDate || to > dawn::cli::kLastDate)) {
        std::abort();
    }
    std::chrono::year_month_day date{};
    if (dawn::cli::ReadDate(command, "date", date).empty() && !date.ok()) std::abort();
    return 0;
}
