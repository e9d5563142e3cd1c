// The skyview verb's options and help, shared by dawnhelm-cli, which knows
// the verb without drawing anything, and by its drawing helper, which draws.
#pragma once

#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/sight_options.h"
#include "cli/zone_options.h"

namespace dawn::cli {

inline constexpr Option kSkyviewOptions[] = {
    {"settings", "FILE", false,
     "settings file (Dawncode.txt); a missing file means the default settings; without it the "
     "defaults with --place or --zone"},
    kSiteOption,
    {"labels", "FILE", false,
     "label file (Dawnlabel.txt); the program's own labels when not given"},
    {"date", "YYYY-MM-DD", true, "the date whose sky is drawn (1900-01-01 .. 2500-12-31)"},
    {"out", "FILE", true,
     "the picture to write: FILE.pdf (an A4 portrait page) or FILE.png; - is standard output"},
    {"format", "pdf|png", false,
     "the kind of picture, when FILE's ending does not tell it; PDF for standard output"},
    kZoneOption,
    kPlaceOption,
    {"horizon", "FILE", false,
     "draws the skyline of FILE (azimuth and altitude pairs, as for events --horizon) and the "
     "land below it"},
};

inline constexpr std::string_view kSkyviewSummary =
    "the sky of a date with the sun's and the moon's paths, as PDF or PNG";
inline constexpr std::string_view kSkyviewDescription =
    "Draws the sky view of the program's window for --date: a polar diagram of the place's sky,\n"
    "the zenith in the middle, the horizon the circle around it, north up and east to the\n"
    "right, with the sun's and the moon's paths over the date's clock day, their hours, the\n"
    "rise and set azimuths as ticks across the horizon, the sun's golden and blue hours in\n"
    "colour, and both bodies at the clock's noon. A ring below the horizon reaches down to -8\n"
    "degrees. Saves it as an A4 portrait PDF page or a 1000x1000 PNG picture, in the settings'\n"
    "language. Needs no screen.";

}  // namespace dawn::cli
