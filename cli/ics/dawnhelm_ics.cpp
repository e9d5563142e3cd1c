// dawnhelm-ics: the helper of `dawnhelm-cli ics`. It carries the calendar
// file library (and the text and Unicode libraries that one loads), which
// the other verbs never load, and writes the calendar file.
//   dawnhelm-ics ics --settings FILE --from YYYY-MM-DD --to YYYY-MM-DD
//                    [--moon] [--twilight] [--out FILE]
#include <iostream>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "cli/ics/ics_verb.h"
#include "cli/interrupts.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const dawn::cli::Verb* const verbs[] = {&dawn::cli::WritingIcsVerb()};
    // An interrupt stops the writing at the next event: the unfinished file
    // is removed, and the helper then ends by the interrupt.
    const dawn::cli::CatchInterrupts interrupts;
    const int code = dawn::cli::RunCommandLine(args, std::cout, std::cerr, verbs);
    std::cout.flush();
    dawn::cli::EndByCaughtInterrupt();
    return code;
}
