// dawnhelm-cli skyview: the sky of a date with the sun's and the moon's
// paths, saved as a PDF page or a PNG picture. It is drawn by the graph
// verb's helper program, which carries the windows' libraries; this verb
// hands its arguments on.
#include "cli/command_line.h"
#include "cli/helper_program.h"
#include "cli/skyview_options.h"

namespace dawn::cli {
namespace {

VerbOutcome Run(const Command& command, std::ostream& out) {
    return RunHelperProgram({DAWN_GRAPH_HELPER, "drawing helper"}, command, out);
}

}  // namespace

const Verb& SkyviewVerb() {
    static const Verb verb{"skyview", kSkyviewSummary, kSkyviewDescription, kSkyviewOptions, Run};
    return verb;
}

}  // namespace dawn::cli
