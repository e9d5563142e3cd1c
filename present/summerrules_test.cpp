#include "present/summerrules.h"

#include <gtest/gtest.h>

namespace dawn {
namespace {

TEST(SummerRulesTest, WeekdayButtonsWrapAndRepairOddValues) {
    struct Case {
        int weekday, next, previous;
    };
    const Case cases[] = {{1, 2, 7}, {6, 7, 5}, {7, 1, 6}, {0, 1, 7}, {9, 1, 7}, {-3, 1, 7}};
    for (const Case& c : cases) {
        EXPECT_EQ(NextWeekday(c.weekday), c.next) << c.weekday;
        EXPECT_EQ(PreviousWeekday(c.weekday), c.previous) << c.weekday;
    }
}

TEST(SummerRulesTest, RuleParts) {
    EXPECT_EQ(RuleWithMonthItem(204, 9), 904);
    EXPECT_EQ(RuleWithOccurrence(204, 1), 201);
    EXPECT_EQ(RuleMonthItem(904), 9);
    EXPECT_EQ(RuleOccurrence(904), 4);
    // An occurrence past the month's last gives 0: the earliest of the month.
    EXPECT_EQ(NthFromEnd(4, 4), 0);
    EXPECT_EQ(NthFromEnd(5, 4), 1);
    EXPECT_EQ(NthFromEnd(4, -1), 5);
}

}  // namespace
}  // namespace dawn
