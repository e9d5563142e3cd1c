// dawnhelm-cli graph: the year graph of the sun, or the month graph of the
// moon, around a date, saved as a PDF page or a PNG picture. The chart is
// drawn by a helper program that carries the windows' chart library, so that
// no other verb has to load it; this verb hands its arguments on.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/command_line.h"
#include "cli/graph_options.h"

extern char** environ;

namespace dawn::cli {
namespace {

// The helper lies beside this program (a build tree) or in the program
// folder of an installation.
std::filesystem::path GraphHelper() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    const fs::path dir = self.parent_path();
    for (const fs::path& candidate :
         {dir / DAWN_GRAPH_HELPER, dir / DAWN_GRAPH_HELPER_FROM_BIN / DAWN_GRAPH_HELPER}) {
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    const std::filesystem::path helper = GraphHelper();
    if (helper.empty()) {
        return VerbOutcome::Failure(std::string("the drawing helper ") + DAWN_GRAPH_HELPER +
                                    " is not installed beside dawnhelm-cli");
    }
    std::vector<std::string> args = GraphArguments(command);
    args.insert(args.begin(), helper.string());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    out.flush();
    pid_t pid = 0;
    const int failed = ::posix_spawn(&pid, helper.c_str(), nullptr, nullptr, argv.data(), environ);
    if (failed != 0) {
        return VerbOutcome::Failure("cannot start " + helper.string() + ": " +
                                    std::error_code(failed, std::generic_category()).message());
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return VerbOutcome::Failure("lost the drawing helper");
    }
    // The helper has said what went wrong itself.
    if (WIFEXITED(status)) return VerbOutcome{WEXITSTATUS(status), {}};
    return VerbOutcome::Failure("the drawing helper ended abnormally");
}

}  // namespace

const Verb& GraphVerb() {
    static const Verb verb{"graph", kGraphSummary, kGraphDescription, kGraphOptions, Run};
    return verb;
}

}  // namespace dawn::cli
