#include "places/later_rule/later_rule.h"

#include <date/ptz.h>

#include <chrono>
#include <exception>

namespace dawn::later_rule {

Periods PeriodsOfRule(const std::string& rule, std::int64_t from, std::int64_t to) {
    Periods result;
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
            if (p.end <= t) {  // a rule that does not move on would never end
                result.error = "the rule \"" + rule + "\" does not advance";
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
