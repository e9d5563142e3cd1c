#include "present/summerrules.h"

namespace dawn {

int NextWeekday(int weekday) {
    return weekday > 6 ? 1 : weekday + 1 < 1 ? 1 : weekday + 1;
}

int PreviousWeekday(int weekday) {
    return weekday < 2 ? 7 : weekday - 1 > 7 ? 7 : weekday - 1;
}

int RuleMonthItem(std::int32_t rule) {
    return rule / 100;
}

int RuleOccurrence(std::int32_t rule) {
    return rule % 100;
}

std::int32_t RuleWithMonthItem(std::int32_t rule, int monthItem) {
    return rule % 100 + monthItem * 100;
}

std::int32_t RuleWithOccurrence(std::int32_t rule, int occurrence) {
    return rule / 100 * 100 + occurrence;
}

std::uint8_t NthFromEnd(int count, int occurrence) {
    return static_cast<std::uint8_t>(count - occurrence);
}

}  // namespace dawn
