// dawnhelm-cli graph: the year graph of the sun, or the month graph of the
// moon, around a date, saved as a PDF page or a PNG picture. The chart is
// drawn by a helper program that carries the windows' chart library, so that
// no other verb has to load it; this verb hands its arguments on.
#include "cli/command_line.h"
#include "cli/graph_options.h"
#include "cli/helper_program.h"

namespace dawn::cli {
namespace {

VerbOutcome Run(const Command& command, std::ostream& out) {
    return RunHelperProgram({DAWN_GRAPH_HELPER, "drawing helper"}, command, out);
}

}  // namespace

const Verb& GraphVerb() {
    static const Verb verb{"graph", kGraphSummary, kGraphDescription, kGraphOptions, Run};
    return verb;
}

}  // namespace dawn::cli
