#include "core/site.h"

#include <algorithm>

namespace dawn {

// A rule keeps (month - 1) * 100 + occurrence; both parts are brought into
// range (month index 0..11, occurrence 0..4) so that no later step can index
// past a month or loop without end.
std::int32_t ClampedRule(std::int32_t rule) {
    const std::int32_t month = std::clamp<std::int32_t>(rule / 100, 0, 11);
    const std::int32_t occurrence = std::clamp<std::int32_t>(rule % 100, 0, 4);
    return month * 100 + occurrence;
}

DstRuleParams DstParamsOf(const Site& s) {
    const std::int32_t summer = ClampedRule(s.SummerRule);
    const std::int32_t winter = ClampedRule(s.WinterRule);
    return DstRuleParams{s.SummerTimeEnabled,
                         {summer / 100 + 1, summer % 100, s.SummerWeekday},
                         {winter / 100 + 1, winter % 100, s.WinterWeekday}};
}

DstWindow ComputeDstWindow(const Site& s, DayNumber date) {
    return ComputeDstWindow(DstParamsOf(s), date);
}

ClockRules ClockRulesOf(const Site& s, DayNumber date) {
    if (s.Zone) return s.Zone->RulesOn(date);
    return ClockRules{std::chrono::minutes{s.TimeZoneMinutes}, s.SummerTimeEnabled,
                      ComputeDstWindow(s, date), std::chrono::minutes{60}, kManualChangeAt};
}

std::chrono::minutes StandardOffsetOf(const Site& s, DayNumber date) {
    if (s.Zone) return s.Zone->RulesOn(date).standardOffset;
    return std::chrono::minutes{s.TimeZoneMinutes};
}

}  // namespace dawn
