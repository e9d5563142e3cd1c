// The ics verb as its helper dawnhelm-ics runs it: the calendar file itself.
#pragma once

#include "cli/command_line.h"

namespace dawn::cli {

// The same name, options and help as dawnhelm-cli's ics verb.
const Verb& WritingIcsVerb();

}  // namespace dawn::cli
