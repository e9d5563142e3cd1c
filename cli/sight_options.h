// --height METRES and --horizon FILE: the sun's rise and set seen from a
// height above the land around, and its visible rise and set behind the
// skyline of a horizon profile. Shared by the verbs that offer them.
#pragma once

#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "astro/horizon.h"
#include "cli/command_line.h"
#include "cli/values.h"
#include "core/horizonprofile.h"
#include "core/settings.h"

namespace dawn::cli {

inline constexpr Option kHeightOption{"height", "METRES", false,
                                      "the sun's rise and set seen from this height above the "
                                      "land around (0..10000)"};
inline constexpr Option kHorizonOption{"horizon", "FILE", false,
                                       "adds the sun's visible rise and set behind the skyline "
                                       "of FILE (azimuth and altitude pairs)"};

struct Sight {
    std::optional<double> heightMetres;
    std::optional<std::vector<HorizonPoint>> horizon;
};

// Reads both options. A profile that cannot be read, or its bad lines, are
// written to stderr as warnings and the run goes on with what was read (the
// flat horizon at worst). Returns the usage error, or an empty text.
inline std::string ReadSight(const Command& command, Sight& out) {
    if (const std::string* height = command.Value(kHeightOption.name)) {
        double metres = 0;
        const char* end = height->data() + height->size();
        const auto [ptr, ec] = std::from_chars(height->data(), end, metres);
        if (height->empty() || ec != std::errc() || ptr != end ||
            !(metres >= 0.0 && metres <= kMaxObserverHeightMetres))
            return "--height: " + QuotedArgument(*height) +
                   " is not a height in metres from 0 to 10000";
        out.heightMetres = metres;
    }
    if (const std::string* horizon = command.Value(kHorizonOption.name)) {
        HorizonProfileRead read = ReadHorizonProfile(*horizon);
        for (const std::string& m : read.messages) std::cerr << WarningLines(m);
        out.horizon = std::move(read.points);
    }
    return {};
}

}  // namespace dawn::cli
