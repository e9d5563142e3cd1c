// libFuzzer target: the argument parser on arbitrary argument lists. The
// input is split into arguments at NUL bytes. The parser must neither crash
// nor throw, and must give either a command or a one-line error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/frame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back().push_back(static_cast<char>(data[i]));
        }
    }
    const dawn::cli::ParseResult result = dawn::cli::ParseArguments(args, dawn::cli::AllVerbs());
    if (result.command.has_value() == !result.error.empty()) std::abort();
    if (result.error.find('\n') != std::string::npos) std::abort();
    return 0;
}
