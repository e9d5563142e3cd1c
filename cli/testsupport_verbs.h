// The verbs of dawnhelm-cli as the tests run them in-process: a verb that
// dawnhelm-cli hands to a helper program is replaced by the helper's own
// verb, so that its output reaches the test's stream. The graph verb keeps
// its helper (its tests run dawnhelm-cli itself).
#pragma once

#include <iostream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "cli/frame.h"
#include "cli/ics/ics_verb.h"

namespace dawn::cli {

inline std::span<const Verb* const> InProcessVerbs() {
    static const std::vector<const Verb*> verbs = [] {
        std::vector<const Verb*> all(AllVerbs().begin(), AllVerbs().end());
        for (const Verb*& verb : all) {
            if (verb->name == WritingIcsVerb().name) verb = &WritingIcsVerb();
        }
        return all;
    }();
    return verbs;
}

struct CliRun {
    int code;
    std::string out;
    std::string err;  // the warnings of the readers, then the error line
};

// Runs a command line in-process, as dawnhelm-cli would.
inline CliRun RunCli(const std::vector<std::string>& args) {
    std::ostringstream out, err, warnings;
    auto* saved = std::cerr.rdbuf(warnings.rdbuf());
    const int code = RunCommandLine(args, out, err, InProcessVerbs());
    std::cerr.rdbuf(saved);
    return {code, out.str(), warnings.str() + err.str()};
}

// The lines of a verb's output, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace dawn::cli
