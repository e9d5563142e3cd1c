#pragma once
// The arithmetic of the summer-time rule editors, without widgets.
//
// A rule is (month - 1) * 100 + occurrence, the occurrence counting the
// rule's weekday from the start of the month (0 = first, 4 = fifth).
// Weekdays are 1 Sunday ... 7 Saturday.
#include <cstdint>

namespace dawn {

// The weekday button's steps: a left click goes to the next weekday (7 wraps
// to 1, and any value above 6 becomes 1), a right click to the previous one
// (1 wraps to 7, any value below 2 becomes 7).
int NextWeekday(int weekday);
int PreviousWeekday(int weekday);

// The month item (0 January ... 11 December) and the occurrence of a rule.
int RuleMonthItem(std::int32_t rule);
int RuleOccurrence(std::int32_t rule);
// The rule with its month, or its occurrence, replaced.
std::int32_t RuleWithMonthItem(std::int32_t rule, int monthItem);
std::int32_t RuleWithOccurrence(std::int32_t rule, int occurrence);

// The occurrence counted back from the month's end (1 = last) for a month
// that has `count` such weekdays: count - occurrence in 8-bit arithmetic, so
// an occurrence past the last one gives 0 (the earliest of the month).
std::uint8_t NthFromEnd(int count, int occurrence);

}  // namespace dawn
