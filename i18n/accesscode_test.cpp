#include "i18n/accesscode.h"

#include <gtest/gtest.h>

#include <string>

namespace dawn {
namespace {

TEST(AccessCodeTest, OnlyTheExactCodeUnlocks) {
    struct Case {
        std::string typed;
        bool unlocks;
    };
    const Case cases[] = {
        {"vantorel", true},   {"Vantorel", false}, {"VANTOREL", false},  {"vantorel ", false},
        {" vantorel", false}, {"vantore", false},  {"vantorell", false}, {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAccessCode(c.typed), c.unlocks) << '"' << c.typed << '"';
}

TEST(AccessCodeTest, LocalColumnIsOpenOthersNeedTheCodeHeadersNever) {
    struct Case {
        bool unlocked;
        int column, row;
        bool selectable;
    };
    const Case cases[] = {
        {false, 1, 1, true},  {false, 1, 55, true}, {false, 2, 9, false}, {false, 7, 40, false},
        {true, 2, 9, true},   {true, 7, 55, true},  {true, 0, 9, false},  {true, 3, 0, false},
        {false, 1, 0, false}, {false, 0, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GridCellSelectable(c.unlocked, c.column, c.row), c.selectable)
            << c.unlocked << " " << c.column << "," << c.row;
}

}  // namespace
}  // namespace dawn
