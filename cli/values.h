// Reading and checking the values of command-line options, and the options
// that several verbs share (the place, the zone and a range of dates).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "astro/astro.h"
#include "cli/command_line.h"

namespace dawn::cli {

// A whole number in decimal digits with an optional sign and nothing else
// (no spaces, no "+-", no "1e3"), within 32 bits.
std::optional<std::int64_t> ParseInteger(std::string_view text);

// A date written exactly as YYYY-MM-DD that exists in the Gregorian calendar.
std::optional<std::chrono::year_month_day> ParseIsoDate(std::string_view text);

std::string FormatIsoDate(std::chrono::year_month_day date);

// The dates the verbs accept: four-digit years of the Gregorian calendar.
inline constexpr std::chrono::year_month_day kFirstDate{std::chrono::year{1583},
                                                        std::chrono::January, std::chrono::day{1}};
inline constexpr std::chrono::year_month_day kLastDate{std::chrono::year{9999},
                                                       std::chrono::December, std::chrono::day{31}};

// The options of the place and the zone, of a range of dates, and the choice
// of the moon.
inline constexpr Option kLatitudeOption{"lat", "MINUTES", true,
                                        "latitude in arc minutes, north positive (-5400..5400)"};
inline constexpr Option kLongitudeOption{"lon", "MINUTES", true,
                                         "longitude in arc minutes, east positive (-10800..10800)"};
inline constexpr Option kTimeZoneOption{"tz", "MINUTES", true,
                                        "standard time ahead of UT in minutes (-1439..1439)"};
inline constexpr Option kFromOption{"from", "YYYY-MM-DD", true, "first date"};
inline constexpr Option kToOption{"to", "YYYY-MM-DD", true, "last date, not before the first"};
inline constexpr Option kMoonOption{"moon", "", false, "the moon instead of the sun"};

// Each reader leaves its result in `out` and returns an empty text, or
// returns the one-line message for the user when the option is missing or
// its value is malformed or out of range.
std::string ReadInteger(const Command& command, std::string_view option, std::int32_t min,
                        std::int32_t max, std::int32_t& out);
std::string ReadDate(const Command& command, std::string_view option,
                     std::chrono::year_month_day& out);
std::string ReadPlace(const Command& command, Place& out);  // --lat, --lon, --tz
std::string ReadDateRange(const Command& command, std::chrono::year_month_day& from,
                          std::chrono::year_month_day& to);  // --from, --to

}  // namespace dawn::cli
