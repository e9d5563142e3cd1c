// The verbs of dawnhelm-cli as the tests run them in-process: a verb that
// dawnhelm-cli hands to a helper program is replaced by the helper's own
// verb, so that its output reaches the test's stream. The graph verb keeps
// its helper (its tests run dawnhelm-cli itself).
#pragma once

#include <span>
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

}  // namespace dawn::cli
