// The graph verb's options and help, shared by dawnhelm-cli, which knows the
// verb without drawing anything, and by its drawing helper, which draws.
#pragma once

#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/zone_options.h"

namespace dawn::cli {

inline constexpr Option kGraphOptions[] = {
    {"settings", "FILE", false,
     "settings file (Dawncode.txt); a missing file means the default settings; without it the "
     "defaults with --place or --zone"},
    kSiteOption,
    {"labels", "FILE", false,
     "label file (Dawnlabel.txt); the program's own labels when not given"},
    {"date", "YYYY-MM-DD", true,
     "the shown date the graph is drawn around (1900-01-01 .. 2500-12-31)"},
    {"moon", "", false, "the moon's month instead of the sun's year"},
    {"twilight", "", false,
     "shade night, astronomical, nautical and civil twilight and day behind the sun's lines"},
    {"phases", "", false, "with --moon: mark new moon, first quarter, full moon and last quarter"},
    {"out", "FILE", true,
     "the picture to write: FILE.pdf (an A4 landscape page) or FILE.png; - is standard output"},
    {"format", "pdf|png", false,
     "the kind of picture, when FILE's ending does not tell it; PDF for standard output"},
    kZoneOption,
    kPlaceOption,
    {"light", "", false,
     "shade the sun's blue hour (-6 to -4 degrees) and golden hour (-4 to +6 degrees), morning "
     "and evening"},
    {"height", "METRES", false,
     "the sunrise and sunset lines seen from this height above the land around (0..10000)"},
    {"horizon", "FILE", false,
     "adds the sun's visible rise and set behind the skyline of FILE (azimuth and altitude "
     "pairs)"},
    {"event", "NAME", false, "adds the rising and setting curves of your own event NAME"},
    {"events-file", "FILE", false,
     "with --event: your own events (default: Dawnevents.txt beside the settings file)"},
};

inline constexpr std::string_view kGraphSummary =
    "the sun's year graph or the moon's month graph around a date, as PDF or PNG";
inline constexpr std::string_view kGraphDescription =
    "Draws the chart of the program's graph window for the shown date --date: the rise and set\n"
    "times of 366 or 367 days around it (sun) or of 29 or 30 days (moon), with the date's own "
    "rise\n"
    "and set marked, and saves it as an A4 landscape PDF page or a 1600x1000 PNG picture. Needs "
    "no\n"
    "screen.\n"
    "--light shades the sun's blue and golden hours, morning and evening, over the twilight "
    "bands,\n"
    "each named in the legend.\n"
    "--height draws the sunrise and sunset lines from that height; --horizon adds the visible "
    "rise and\n"
    "set behind the skyline, dashed; --event adds the sides of one of your own events, dotted, "
    "its\n"
    "visible sunrise and sunset seen from --height and behind --horizon (else the settings' "
    "height\n"
    "and profile). None of them goes with --moon.";

}  // namespace dawn::cli
