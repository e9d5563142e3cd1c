#include "present/graph.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "present/testsupport_state.h"

namespace dawn {
namespace {

using ::testing::Contains;
using ::testing::SizeIs;

class GraphTest : public ::testing::Test {
protected:
    void SetUp() override { Show(2024, 7, 1); }
    void Show(int y, unsigned m, unsigned d) { state.ShowDate(DayNumber::FromYmd(y, m, d)); }
    static bool HasDay(const std::vector<GraphPoint>& points, DayNumber day) {
        return std::any_of(points.begin(), points.end(),
                           [day](const GraphPoint& p) { return p.day == day; });
    }

    AppState state = test::EnglishState();
};

TEST_F(GraphTest, TitleNamesTheDatesPlaceZoneAndSummerTime) {
    struct Case {
        DayNumber shown;
        bool summerTime;
        Body body;
        std::vector<std::string> title;
    };
    const std::string place = " @ 05E28 50N47  GMT:+01:00";
    const Case cases[] = {
        {DayNumber::FromYmd(2024, 7, 1),
         true,
         Body::Sun,
         {"Dawnhelm 01/01/2024-30/12/2024" + place,
          "Summer time: 31/03/2024-Winter time: 27/10/2024"}},
        // Outside summer time the last autumn change comes first.
        {DayNumber::FromYmd(2024, 1, 15),
         true,
         Body::Sun,
         {"Dawnhelm 17/07/2023-15/07/2024" + place,
          "Winter time: 29/10/2023-Summer time: 31/03/2024"}},
        {DayNumber::FromYmd(2024, 7, 1),
         false,
         Body::Sun,
         {"Dawnhelm 01/01/2024-30/12/2024" + place}},
        // The moon's title ends on the last plotted day: 30 days in a leap year.
        {DayNumber::FromYmd(2024, 7, 1),
         false,
         Body::Moon,
         {"Moonhelm 17/06/2024-17/07/2024" + place}},
        {DayNumber::FromYmd(2023, 7, 1),
         false,
         Body::Moon,
         {"Moonhelm 17/06/2023-16/07/2023" + place}},
    };
    for (const Case& c : cases) {
        test::PlaceAt(state.Settings, 3047, 328, 60, c.summerTime);
        state.ShowDate(c.shown);
        EXPECT_EQ(GraphTitleLines(GraphInputsFor(state), c.body), c.title);
    }
}

TEST_F(GraphTest, RunLengthFollowsTheShownYear) {
    const GraphData leap = BuildGraph(GraphInputsFor(state), Body::Sun);
    EXPECT_EQ(leap.firstDay, DayNumber::FromYmd(2024, 1, 2));
    EXPECT_EQ(leap.lastDay - leap.firstDay + 1, 367);
    EXPECT_THAT(leap.rise, SizeIs(367));
    EXPECT_THAT(leap.set, SizeIs(367));
    Show(2023, 7, 1);
    const GraphData common = BuildGraph(GraphInputsFor(state), Body::Moon);
    EXPECT_EQ(common.firstDay, DayNumber::FromYmd(2023, 6, 18));
    EXPECT_EQ(common.lastDay, DayNumber::FromYmd(2023, 7, 16));
}

TEST_F(GraphTest, PolarDaysLeaveGapsInTheSunLines) {
    // Longyearbyen, 78°13' N 15°38' E.
    const DayNumber polarNight = DayNumber::FromYmd(2023, 12, 21);
    const DayNumber midnightSun = DayNumber::FromYmd(2024, 6, 21);
    const DayNumber equinox = DayNumber::FromYmd(2024, 3, 20);
    for (bool summerTime : {true, false}) {
        test::PlaceAt(state.Settings, 4693, 938, 60, summerTime);
        Show(2024, 3, 21);
        const GraphData g = BuildGraph(GraphInputsFor(state), Body::Sun);
        EXPECT_FALSE(HasDay(g.rise, polarNight));
        EXPECT_FALSE(HasDay(g.set, polarNight));
        EXPECT_TRUE(HasDay(g.rise, equinox));
        // Midnight sun is drawn at 00:00 and 23:59, except inside summer time,
        // where the set time 00:59 comes before the rise time 01:00.
        EXPECT_EQ(HasDay(g.rise, midnightSun), !summerTime);
        if (!summerTime) {
            EXPECT_THAT(g.rise, Contains(GraphPoint{midnightSun, std::chrono::minutes(0)}));
            EXPECT_THAT(g.set,
                        Contains(GraphPoint{midnightSun, std::chrono::minutes(23 * 60 + 59)}));
        }
        EXPECT_EQ(g.rise.size(), g.set.size());
    }
}

// At 50°47' N 5°28' E the moon does not rise on 27 June 2024 (it sets at
// 10:50 zone standard time) and does not set on 15 July 2024 (it rises at
// 15:09). The event that did happen keeps its point, at its real clock time,
// and a shown date of that kind gets only the mark of that event.
TEST_F(GraphTest, MoonRiseAndSetArePlottedIndependently) {
    using std::chrono::hours;
    using std::chrono::minutes;
    const DayNumber noMoonrise = DayNumber::FromYmd(2024, 6, 27);
    const DayNumber noMoonset = DayNumber::FromYmd(2024, 7, 15);
    for (bool summerTime : {true, false}) {
        SCOPED_TRACE(summerTime ? "summer time" : "standard time");
        test::PlaceAt(state.Settings, 3047, 328, 60, summerTime);
        Show(2024, 7, 1);
        const minutes shift = summerTime ? hours(1) : hours(0);
        const GraphData g = BuildGraph(GraphInputsFor(state), Body::Moon);
        EXPECT_FALSE(HasDay(g.rise, noMoonrise));
        EXPECT_THAT(g.set, Contains(GraphPoint{noMoonrise, hours(10) + minutes(50) + shift}));
        EXPECT_FALSE(HasDay(g.set, noMoonset));
        EXPECT_THAT(g.rise, Contains(GraphPoint{noMoonset, hours(15) + minutes(9) + shift}));
        // Every other day of the run has both its points.
        EXPECT_EQ(g.rise.size(), static_cast<std::size_t>(g.lastDay - g.firstDay));
        EXPECT_EQ(g.set.size(), static_cast<std::size_t>(g.lastDay - g.firstDay));
        EXPECT_EQ(g.shownRise->clockText, summerTime ? "01:55" : "00:55");
    }
    state.ShowDate(noMoonrise);
    const GraphData shownWithoutRise = BuildGraph(GraphInputsFor(state), Body::Moon);
    EXPECT_FALSE(shownWithoutRise.shownRise.has_value());
    ASSERT_TRUE(shownWithoutRise.shownSet.has_value());
    EXPECT_EQ(shownWithoutRise.shownSet->clockText, "10:50");
}

TEST(GraphDateSeparator, IsTakenFromTheDateFormat) {
    EXPECT_EQ(DateSeparatorOf("dd/MM/yyyy"), "/");
    EXPECT_EQ(DateSeparatorOf("dd.MM.yyyy"), ".");
    EXPECT_EQ(DateSeparatorOf("yyyy-MM-dd"), "-");
    EXPECT_EQ(DateSeparatorOf("d. M. yyyy"), ".");
    EXPECT_EQ(DateSeparatorOf("yyyyMMdd"), "/");
    EXPECT_EQ(DateSeparatorOf("d\xE2\x80\x8F/M/yyyy"), "\xE2\x80\x8F");
}

}  // namespace
}  // namespace dawn
