// The lines of the table verb for a block of dates.
#pragma once

#include <string>

#include "cli/sight_options.h"
#include "core/dayephemeris.h"
#include "core/settings.h"

namespace dawn::cli {

// "YYYY-MM-DD;rise;set;rise azimuth;set azimuth" for every date from `from`
// to `to`: the crossings that happened on the local clock, empty where none did.
std::string TableBlock(const SiteSettings& settings, Body body, DayNumber from, DayNumber to);

// The same for the sun seen as `sight` says: the rise and set from its
// height, and with a horizon profile two more fields, ";visible rise;visible set".
std::string TableBlock(const SiteSettings& settings, const Sight& sight, DayNumber from,
                       DayNumber to);

}  // namespace dawn::cli
