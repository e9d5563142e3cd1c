// Fuzzes the reader of the rule a zoneinfo file gives for the years after its
// listed changes (its last line, which a zone file on the system carries). The
// input is the rule. It must be refused with a reason, or give periods that
// follow each other without a gap or an overlap over the whole range asked.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "places/later_rule/later_rule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 256) return 0;  // the zone code reads no longer rule
    const std::string rule(reinterpret_cast<const char*>(data), size);
    constexpr std::int64_t kFrom = 2145916800;  // 2038-01-01
    constexpr std::int64_t kTo = 2524608000;    // 2050-01-01
    const dawn::later_rule::Periods read = dawn::later_rule::PeriodsOfRule(rule, kFrom, kTo);
    if (!read.error.empty()) {
        if (!read.periods.empty()) std::abort();
        return 0;
    }
    if (read.periods.empty()) std::abort();
    if (read.periods.front().begin > kFrom || read.periods.back().end < kTo) std::abort();
    for (std::size_t k = 0; k < read.periods.size(); ++k) {
        const dawn::later_rule::Period& p = read.periods[k];
        if (p.end <= p.begin) std::abort();
        if (k > 0 && p.begin != read.periods[k - 1].end) std::abort();
    }
    return 0;
}
