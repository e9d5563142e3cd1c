// The English words of the moon's phases on the command line.
#pragma once

#include <array>
#include <string_view>

#include "astro/moonphase.h"

namespace dawn::cli {

inline std::string_view PhaseNameText(PhaseName name) {
    static constexpr std::array<std::string_view, 8> kNames{
        "new",  "waxing crescent", "first quarter", "waxing gibbous",
        "full", "waning gibbous",  "last quarter",  "waning crescent"};
    return kNames[static_cast<std::size_t>(name)];
}

}  // namespace dawn::cli
