#include "places/later_rule/later_rule.h"

#include <date/ptz.h>

#include <chrono>
#include <exception>
#include <string_view>

namespace dawn::later_rule {
namespace {

// The number at the start of `text` (at most three digits), or -1.
int LeadingNumber(std::string_view& text) {
    int value = -1;
    std::size_t i = 0;
    while (i < text.size() && i < 4 && text[i] >= '0' && text[i] <= '9')
        value = (value < 0 ? 0 : value * 10) + (text[i++] - '0');
    if (i == 4) return -1;
    text.remove_prefix(i);
    return value;
}

// Whether a day of change is within its range: Jn counts 1..365, n 0..365,
// Mm.w.d has a month 1..12, a week 1..5 and a weekday 0..6. The tz library
// reads the numbers without looking at them, and a day past the year's end
// makes periods that overlap.
bool DayInRange(std::string_view day) {
    if (day.empty()) return false;
    if (day[0] == 'J') {
        day.remove_prefix(1);
        const int n = LeadingNumber(day);
        return n >= 1 && n <= 365;
    }
    if (day[0] == 'M') {
        day.remove_prefix(1);
        const int limits[][2] = {{1, 12}, {1, 5}, {0, 6}};
        for (std::size_t part = 0; part < 3; ++part) {
            const int n = LeadingNumber(day);
            if (n < limits[part][0] || n > limits[part][1]) return false;
            if (part < 2) {
                if (day.empty() || day[0] != '.') return false;
                day.remove_prefix(1);
            }
        }
        return true;
    }
    const int n = LeadingNumber(day);
    return n >= 0 && n <= 365;
}

// The days of change of a rule (after its first and second comma) in range.
bool DaysInRange(std::string_view rule) {
    const std::size_t first = rule.find(',');
    if (first == std::string_view::npos) return true;  // no summer time: no days
    const std::size_t second = rule.find(',', first + 1);
    if (second == std::string_view::npos) return false;
    return DayInRange(rule.substr(first + 1, second - first - 1)) &&
           DayInRange(rule.substr(second + 1));
}

}  // namespace

Periods PeriodsOfRule(const std::string& rule, std::int64_t from, std::int64_t to) {
    Periods result;
    if (!DaysInRange(rule)) {
        result.error = "the rule \"" + rule + "\" names a day that no year has";
        return result;
    }
    try {
        const Posix::time_zone zone{rule};
        std::int64_t t = from;
        while (t < to) {
            const date::sys_info info = zone.get_info(date::sys_seconds{std::chrono::seconds{t}});
            Period p;
            p.begin = info.begin.time_since_epoch().count();
            p.end = info.end.time_since_epoch().count();
            p.offsetSeconds = static_cast<std::int32_t>(info.offset.count());
            p.summer = info.save.count() != 0;
            p.abbreviation = info.abbrev;
            // Each period holds the instant asked about and starts where the
            // one before it ended; a rule that does not move on would never end.
            const bool consecutive =
                p.begin <= t && t < p.end &&
                (result.periods.empty() || p.begin == result.periods.back().end);
            if (!consecutive) {
                result.error = "the rule \"" + rule + "\" does not give consecutive periods";
                result.periods.clear();
                return result;
            }
            result.periods.push_back(p);
            t = p.end;
        }
    } catch (const std::exception& e) {
        result.periods.clear();
        result.error = "the rule \"" + rule + "\" cannot be read: " + e.what();
    }
    return result;
}

}  // namespace dawn::later_rule
