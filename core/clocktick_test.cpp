#include "core/clocktick.h"

#include <gtest/gtest.h>

namespace dawn {
namespace {

TEST(ClockText, TwoDigitFieldsWithTheLocaleSeparator) {
    EXPECT_EQ(ClockText({7, 5, 9}, ":"), "07:05:09");
    EXPECT_EQ(ClockText({23, 59, 0}, "."), "23.59.00");
}

TEST(BackToToday, AfterFiveMinutesUnusedOrWhenTodayMovesOn) {
    struct Case {
        long long idle;
        bool showedToday, todayMoved, back;
    };
    const Case cases[] = {
        {299, false, false, false}, {300, false, false, true}, {3600, false, false, true},
        {0, true, true, true},      {0, false, true, false},   {10, true, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReturnsToToday(c.idle, c.showedToday, c.todayMoved), c.back) << c.idle;
}

TEST(PanelLook, ClockOnAndOffThroughTheMinute) {
    struct Case {
        int second;
        bool showClock;
        PanelLook expected;
    };
    const Case cases[] = {
        {0, true, {"07:05:00", Bevel::Raised}},    {1, true, {"07:05:01", Bevel::Raised}},
        {58, true, {"07:05:58", Bevel::Raised}},   {59, true, {"About", Bevel::Lowered}},
        {0, false, {"Set up", Bevel::Raised}},     {58, false, {"Set up", Bevel::Raised}},
        {59, false, {"07:05:59", Bevel::Lowered}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PanelLookAt({7, 5, c.second}, c.showClock, ":"), c.expected)
            << "second " << c.second << " clock " << c.showClock;
    }
}

TEST(HelpLine, RotatesHintsAndAzimuthsThroughTheMinute) {
    const HelpTexts texts{"Azimuth", "Language", "English", "126°58'", "233°02'"};
    const HelpLine azimuths{"Azimuth: 126°58' 233°02'", true};
    struct Case {
        int second;
        HelpLine expected;
    };
    const Case cases[] = {
        {0, {"Right mouse-button = setup", false}},
        {1, {"Right mouse-button = setup", false}},
        {2, azimuths},
        {14, azimuths},
        {15, {"Set your local coordinates", false}},
        {16, {"Set your local coordinates", false}},
        {17, azimuths},
        {30, {"Functionkey F1 = help", false}},
        {31, {"Functionkey F1 = help", false}},
        {45, {"Language = English", false}},
        {46, {"Language = English", false}},
        {47, azimuths},
        {58, azimuths},
    };
    for (const Case& c : cases) {
        std::optional<HelpLine> line = HelpLineAt(c.second, texts);
        ASSERT_TRUE(line.has_value()) << "second " << c.second;
        EXPECT_EQ(*line, c.expected) << "second " << c.second;
    }
    EXPECT_FALSE(HelpLineAt(59, texts).has_value());
}

}  // namespace
}  // namespace dawn
