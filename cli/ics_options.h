// The ics verb's options and help, shared by dawnhelm-cli, which knows the
// verb without loading the calendar file library, and by its helper
// dawnhelm-ics, which writes the file.
#pragma once

#include <string_view>

#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/sight_options.h"
#include "cli/values.h"
#include "cli/zone_options.h"

namespace dawn::cli {

inline constexpr Option kIcsOptions[] = {
    kSettingsOrPlaceOption,
    kSiteOption,
    kFromOption,
    kToOption,
    {"moon", "", false, "moonrise and moonset too"},
    {"twilight", "", false, "civil dawn and dusk too"},
    {"almanac", "", false,
     "the almanac too: seasons, perigees and apogees, eclipses, meteor showers, summer time"},
    {"out", "FILE", false,
     "write the file (replaced atomically) instead of standard output; - is standard output"},
    kZoneOption,
    kPlaceOption,
    kLightOption,
    kLightEventsFileOption,
    kHeightOption,
    kHorizonOption,
};

inline constexpr std::string_view kIcsSummary = "the calendar file (.ics) of a range of dates";
inline constexpr std::string_view kIcsDescription =
    "Writes an iCalendar file (RFC 5545) with one event per sunrise and sunset of every date "
    "in the\n"
    "range, and moonrise and moonset (--moon) and civil dawn and dusk (--twilight) on "
    "request. Each\n"
    "event's summary is like \"Sunrise 07:15 (82°)\" and its UID is made from the date, the "
    "kind and the\n"
    "place, so that a calendar that imports the file again updates its events. The start "
    "time is in\n"
    "the settings' time zone (or that of --zone or --place), with its VTIMEZONE, when there "
    "is one, else\n"
    "in UTC. The file holds no alarms. A day without an event (midnight sun, polar night) has "
    "no event\n"
    "for it. --almanac adds the events of the almanac verb, each at its time with what the "
    "almanac\n"
    "says of it in the summary (\"Solar eclipse 13:43: total, 100.0 % of the sun covered, the "
    "sun 65°\n"
    "high\").\n"
    "--light adds, after each date's other events, every morning and evening blue and golden "
    "hour at\n"
    "its start (\"Morning golden hour 05:02: until 05:58\"), the sunrise and sunset from the "
    "observer's\n"
    "height (the settings' or --height) and behind the horizon profile (the settings' or "
    "--horizon),\n"
    "and the sides of your own events (Dawnevents.txt beside the settings file, or "
    "--events-file),\n"
    "named like \"Dawn prayer rising 05:12\", each with a UID of its own that holds the "
    "event's name.";

}  // namespace dawn::cli
