#include "cli/helper_program.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>
#include <system_error>

#include "cli/interrupts.h"

extern char** environ;

namespace dawn::cli {

std::vector<std::string> CommandArguments(std::string_view verb, std::span<const Option> options,
                                          const Command& command) {
    std::vector<std::string> args{std::string(verb)};
    for (const Option& option : options) {
        const std::string name = "--" + std::string(option.name);
        if (option.valueName.empty()) {
            if (command.Flag(option.name)) args.push_back(name);
        } else if (const std::string* value = command.Value(option.name)) {
            // One argument with "=", so that a value starting with "-" or
            // "--" stays a value.
            args.push_back(name + "=" + *value);
        }
    }
    if (command.operand) args.push_back(*command.operand);
    return args;
}

std::filesystem::path FindHelperProgram(std::string_view file) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    const fs::path dir = self.parent_path();
    for (const fs::path& candidate : {dir / file, dir / DAWN_HELPER_FROM_BIN / file}) {
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

VerbOutcome RunHelperProgram(const HelperProgram& helper, const Command& command,
                             std::ostream& out) {
    const std::string role(helper.role);
    const std::filesystem::path path = FindHelperProgram(helper.file);
    if (path.empty()) {
        return VerbOutcome::Failure("the " + role + " " + std::string(helper.file) +
                                    " is not installed beside dawnhelm-cli");
    }
    std::vector<std::string> args =
        CommandArguments(command.verb->name, command.verb->options, command);
    args.insert(args.begin(), path.string());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    out.flush();
    // An interrupt of this program goes on to the helper, which stops and
    // removes what it left unfinished; this one waits for it to end.
    const CatchInterrupts interrupts;
    pid_t pid = 0;
    const int failed = ::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ);
    if (failed != 0) {
        EndByCaughtInterrupt();
        return VerbOutcome::Failure("cannot start " + path.string() + ": " +
                                    std::error_code(failed, std::generic_category()).message());
    }
    PassInterruptsTo(pid);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return VerbOutcome::Failure("lost the " + role);
    }
    PassInterruptsTo(0);
    // Interrupted, this program ends as the interrupt ends it, whatever the
    // helper managed to do.
    EndByCaughtInterrupt();
    if (WIFEXITED(status)) return VerbOutcome{WEXITSTATUS(status), {}};
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        if (signal == SIGPIPE || signal == SIGINT || signal == SIGTERM || signal == SIGHUP) {
            ::signal(signal, SIG_DFL);
            ::raise(signal);
        }
    }
    return VerbOutcome::Failure("the " + role + " ended abnormally");
}

}  // namespace dawn::cli
