// The rule a zone follows after the last change its zoneinfo file lists.
//
// A zoneinfo file lists the changes of its zone up to some year (2037 for
// Debian's files) and ends with a rule in the POSIX TZ form, such as
// "EET-2EEST,M3.5.0/3,M10.5.0/4" (summer time from the last Sunday of March at
// 03:00 to the last Sunday of October at 04:00), that holds for ever after.
// This turns such a rule into the periods of constant offset it gives.
// Plain types only: the source is built apart from the rest (see CMakeLists).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dawn::later_rule {

// One stretch of time with one offset, in seconds since 1970-01-01 UTC.
struct Period {
    std::int64_t begin = 0;
    std::int64_t end = 0;
    std::int32_t offsetSeconds = 0;  // ahead of UT
    bool summer = false;             // the rule's second offset (its "daylight" part)
    std::string abbreviation;        // the rule's name of the offset ("EEST", "+11")
};

struct Periods {
    std::vector<Period> periods;  // consecutive, covering [from, to) when `error` is empty
    std::string error;
};

// The periods of `rule` from `from` up to `to` (from < to). The first period
// may begin before `from` and the last end after `to`. A rule whose periods
// are not consecutive is refused like one that cannot be read.
Periods PeriodsOfRule(const std::string& rule, std::int64_t from, std::int64_t to);

}  // namespace dawn::later_rule
