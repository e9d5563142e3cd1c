// ics: the calendar file of a range of dates, as the export dialog writes it.
// The file is written by the helper dawnhelm-ics, which carries the calendar
// file library and what it loads, so that no other verb has to load them;
// this verb hands its arguments on.
#include "cli/command_line.h"
#include "cli/helper_program.h"
#include "cli/ics_options.h"

namespace dawn::cli {
namespace {

VerbOutcome Run(const Command& command, std::ostream& out) {
    return RunHelperProgram({DAWN_ICS_HELPER, "calendar helper"}, command, out);
}

}  // namespace

const Verb& IcsVerb() {
    static const Verb verb{"ics", kIcsSummary, kIcsDescription, kIcsOptions, Run};
    return verb;
}

}  // namespace dawn::cli
