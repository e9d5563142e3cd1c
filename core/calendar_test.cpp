#include "core/calendar.h"

#include <gtest/gtest.h>

#include "core/daynumber.h"

namespace dawn {
namespace {

using std::chrono::minutes;

DayNumber D(int y, unsigned m, unsigned d) {
    return DayNumber::FromYmd(y, m, d);
}

TEST(DayNumber, CountsFromTheEndOf1899) {
    struct Case {
        int y;
        unsigned m, d;
        std::int32_t value;
        int weekday;  // 1 Sunday .. 7 Saturday
    };
    const Case cases[] = {
        {1899, 12, 30, 0, 7},     {1900, 1, 1, 2, 2},    {1900, 3, 1, 61, 5},
        {2000, 1, 1, 36526, 7},   {1899, 12, 29, -1, 6}, {2024, 2, 29, 45351, 5},
        {1600, 3, 1, -109511, 4},
    };
    for (const auto& c : cases) {
        const DayNumber n = D(c.y, c.m, c.d);
        EXPECT_EQ(n.Value(), c.value) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(n.WeekdayNumber(), c.weekday) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(DayNumber(c.value).ToDate(), n.ToDate());
    }
    EXPECT_EQ(D(2024, 3, 1) - D(2024, 2, 28), 2);
    EXPECT_EQ(D(2024, 12, 31) + 1, D(2025, 1, 1));
    EXPECT_EQ(D(2025, 1, 1) - std::chrono::days(366), D(2024, 1, 1));
    EXPECT_LT(D(1899, 12, 29), D(1899, 12, 30));
}

TEST(DayNumber, IsoDatesRoundTripAndRejectWhatIsNoDate) {
    EXPECT_EQ(FormatIsoDate(D(2024, 6, 21)), "2024-06-21");
    EXPECT_EQ(FormatIsoDate(D(900, 1, 2)), "0900-01-02");
    EXPECT_EQ(FormatIsoDate(D(9999, 12, 31)), "9999-12-31");
    EXPECT_EQ(FormatIsoDate(D(-1, 12, 31)), "-001-12-31");
    EXPECT_EQ(ParseIsoDate("2024-02-29"), D(2024, 2, 29));
    EXPECT_EQ(ParseIsoDate("1900-01-01"), D(1900, 1, 1));
    for (const char* bad :
         {"2023-02-29", "2024-13-01", "2024-00-10", "2024-04-31", "2024-6-01", "2024/06/01",
          "24-06-01", "2024-06-01x", "", "+024-06-01", "2024-06-0 "}) {
        EXPECT_FALSE(ParseIsoDate(bad).has_value()) << bad;
    }
}

TEST(WeekNumber, StartsOnMondayAndNeverWraps) {
    struct Case {
        DayNumber date;
        int week;
    };
    const Case cases[] = {
        {D(2021, 1, 1), 0},                         // Friday: before the first Monday
        {D(2021, 1, 3), 0},                         // Sunday
        {D(2021, 1, 4), 1},                         // first Monday
        {D(2015, 1, 1), 1},                         // Thursday: partial week counts
        {D(2015, 12, 31), 53}, {D(2018, 1, 1), 1},  // Monday
        {D(2018, 12, 31), 53}, {D(2019, 1, 1), 1},  // Tuesday
        {D(2019, 1, 7), 2},    {D(2023, 1, 1), 0},  // Sunday
        {D(2023, 1, 2), 1},    {D(2023, 12, 31), 52}, {D(2026, 1, 1), 1},  // Thursday
        {D(2026, 1, 4), 1},    {D(2026, 1, 5), 2},
    };
    for (const auto& c : cases) EXPECT_EQ(WeekNumber(c.date), c.week) << c.date.Value();
}

// The two numberings of the calendar's week column, both wrapping at the turn
// of the year.
TEST(WeekNumber, IsoAndNewYearWeeksWrap) {
    struct Case {
        DayNumber date;
        int iso, newYear;
    };
    const Case cases[] = {
        {D(2020, 12, 31), 53, 1},  // Thursday of ISO week 53; the week of 1 Jan 2021
        {D(2021, 1, 1), 53, 1},    {D(2021, 1, 3), 53, 1},   {D(2021, 1, 4), 1, 2},
        {D(2024, 12, 30), 1, 1},  // Monday: ISO 2025 week 1, and it holds 1 Jan 2025
        {D(2024, 12, 29), 52, 52}, {D(2026, 1, 1), 1, 1},    {D(2026, 1, 5), 2, 2},
        {D(2026, 12, 27), 52, 52}, {D(2026, 12, 28), 53, 1}, {D(2026, 12, 31), 53, 1},
        {D(2027, 1, 4), 1, 2},     {D(2028, 1, 1), 52, 1},   {D(2028, 1, 3), 1, 2},
        {D(2023, 12, 31), 52, 53},  // a year that starts on a Sunday has 53 New-Year weeks
        {D(2024, 1, 1), 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsoWeekNumber(c.date), c.iso) << FormatIsoDate(c.date);
        EXPECT_EQ(NewYearWeekNumber(c.date), c.newYear) << FormatIsoDate(c.date);
    }
}

TEST(DaysInMonth, FollowsTheGregorianLeapRule) {
    struct Case {
        int month, year, days;
    };
    const Case cases[] = {{2, 1900, 28},  {2, 2000, 29}, {2, 2024, 29},  {2, 2023, 28},
                          {1, 2023, 31},  {4, 2023, 30}, {12, 2023, 31}, {0, 2024, 28},
                          {13, 2024, 28}, {-1, 2024, 28}};
    for (const auto& c : cases)
        EXPECT_EQ(DaysInMonth(c.month, c.year), c.days) << c.month << "/" << c.year;
}

TEST(CountWeekdayInMonth, CountsFourOrFive) {
    EXPECT_EQ(CountWeekdayInMonth(3, 2024, 1), 5);  // Sundays of March 2024
    EXPECT_EQ(CountWeekdayInMonth(3, 2023, 1), 4);
    EXPECT_EQ(CountWeekdayInMonth(10, 2024, 1), 4);
    EXPECT_EQ(CountWeekdayInMonth(2, 2024, 5), 5);  // Thursdays of February 2024
    EXPECT_EQ(CountWeekdayInMonth(2, 2023, 5), 4);
    EXPECT_EQ(CountWeekdayInMonth(3, 2024, 0), 0);
    EXPECT_EQ(CountWeekdayInMonth(3, 2024, 8), 0);
    // Every month of a few years against a plain count.
    for (int year : {1900, 2000, 2023, 2024}) {
        for (int month = 1; month <= 12; ++month) {
            int counts[8] = {};
            for (unsigned day = 1; day <= DaysInMonth(month, year); ++day) {
                ++counts[D(year, static_cast<unsigned>(month), day).WeekdayNumber()];
            }
            for (int wd = 1; wd <= 7; ++wd)
                EXPECT_EQ(CountWeekdayInMonth(month, year, wd), counts[wd]);
        }
    }
}

TEST(NthWeekdayFromMonthEnd, CountsBackFromTheLastDay) {
    struct Case {
        int year, month, n, weekday;
        DayNumber expected;
    };
    const Case cases[] = {
        {2024, 3, 1, 1, D(2024, 3, 31)},
        {2024, 3, 2, 1, D(2024, 3, 24)},
        {2024, 3, 5, 1, D(2024, 3, 3)},
        {2024, 3, 0, 1, D(2024, 3, 3)},  // 0: the earliest
        {2024, 3, 6, 1, D(2024, 3, 3)},  // beyond the count: the earliest
        {2024, 3, -2, 1, D(2024, 3, 3)},
        {2023, 10, 4, 1, D(2023, 10, 8)},  // a count from the end fixed in another year
        {2024, 2, 1, 5, D(2024, 2, 29)},
        {2024, 10, 1, 7, D(2024, 10, 26)},
        {2024, 3, 1, 0, D(2024, 3, 31)},  // no day matches: the last day of the month
        {2024, 2, 1, 9, D(2024, 2, 29)},
        {2024, 13, 1, 1, D(2024, 12, 29)},  // month brought into range
        {2024, 0, 1, 1, D(2024, 1, 28)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NthWeekdayFromMonthEnd(c.year, c.month, c.n, c.weekday), c.expected)
            << c.year << "/" << c.month << " n=" << c.n << " wd=" << c.weekday;
    }
}

// A fourth or fifth occurrence means the last such weekday in every year, the
// first three count from the month's start in every year.
TEST(RuleDate, SameWeekdayInEveryYear) {
    struct Case {
        int year, month, occurrence, weekday;
        DayNumber expected;
    };
    const Case cases[] = {
        {2028, 4, 0, 1, D(2028, 4, 2)},     // first Sunday of April
        {2026, 3, 1, 1, D(2026, 3, 8)},     // second Sunday of March
        {2027, 3, 1, 1, D(2027, 3, 14)},    //
        {2026, 3, 3, 1, D(2026, 3, 29)},    // last Sunday of March: five Sundays
        {2026, 3, 4, 1, D(2026, 3, 29)},    //
        {2027, 3, 3, 1, D(2027, 3, 28)},    // four Sundays
        {2027, 3, 4, 1, D(2027, 3, 28)},    // stored as the fifth in a year with five
        {2024, 11, 2, 5, D(2024, 11, 21)},  // third Thursday
        {2024, 3, -1, 1, D(2024, 3, 3)},    // below the first: the first
        {2024, 3, 9, 1, D(2024, 3, 31)},    // beyond the fifth: the last
        {2024, 2, 3, 5, D(2024, 2, 29)},    // leap day
        {2024, 13, 0, 1, D(2024, 12, 1)},   // month brought into range
        {2024, 3, 0, 9, D(2024, 3, 31)},    // no such weekday: the month's last day
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RuleDate(c.year, c.month, c.occurrence, c.weekday), c.expected)
            << c.year << "/" << c.month << " occurrence " << c.occurrence << " wd " << c.weekday;
    }
}

DstRuleParams North() {
    return DstRuleParams{true, {3, 3, 1}, {10, 3, 1}};
}
DstRuleParams South() {
    return DstRuleParams{true, {10, 0, 1}, {4, 0, 1}};
}

// North: the last Sunday of March to the last Sunday of October. South: the
// first Sunday of October to the first Sunday of April, so that summer time
// spans the new year.
TEST(ComputeDstWindow, NorthernAndSouthernRules) {
    struct Case {
        bool south;
        DayNumber date;
        DstWindow window;
        bool inSummer;
    };
    const Case cases[] = {
        {false, D(2024, 1, 15), {D(2024, 3, 31), D(2023, 10, 29)}, false},
        {false, D(2024, 3, 30), {D(2024, 3, 31), D(2023, 10, 29)}, false},
        {false, D(2024, 3, 31), {D(2024, 3, 31), D(2024, 10, 27)}, true},
        {false, D(2024, 10, 26), {D(2024, 3, 31), D(2024, 10, 27)}, true},
        {false, D(2024, 10, 27), {D(2025, 3, 30), D(2024, 10, 27)}, false},
        {false, D(2024, 12, 31), {D(2025, 3, 30), D(2024, 10, 27)}, false},
        {true, D(2024, 1, 15), {D(2023, 10, 1), D(2024, 4, 7)}, true},
        {true, D(2024, 6, 15), {D(2024, 10, 6), D(2024, 4, 7)}, false},
        {true, D(2024, 10, 6), {D(2024, 10, 6), D(2025, 4, 6)}, true},
        {true, D(2024, 4, 7), {D(2024, 10, 6), D(2024, 4, 7)}, false},
    };
    for (const auto& c : cases) {
        const DstWindow w = ComputeDstWindow(c.south ? South() : North(), c.date);
        EXPECT_EQ(w, c.window) << c.date.Value() << " south " << c.south;
        EXPECT_EQ(w.Contains(c.date), c.inSummer) << c.date.Value() << " south " << c.south;
        // Outside summer time the two dates belong to different cycles.
        EXPECT_EQ(w.SummerStart > w.WinterStart, !c.inSummer) << c.date.Value();
    }
}

// Over two centuries, a date is in the window exactly when the latest change
// on or before it started summer time; for both patterns, with the rules
// given as the last or as the first weekday.
TEST(ComputeDstWindow, AgreesWithTheLatestChangeEveryDay) {
    for (const DstRuleParams& p : {North(), South()}) {
        const bool south = p.summer.month > p.winter.month;
        for (DayNumber d = D(1901, 1, 1); d <= D(2099, 12, 31); ++d) {
            const int y = d.Year();
            DayNumber latestSummer = D(1, 1, 1), latestWinter = D(1, 1, 1);
            for (int yy = y - 1; yy <= y; ++yy) {
                const DayNumber s = p.summer.In(yy), w = p.winter.In(yy);
                if (s <= d) latestSummer = std::max(latestSummer, s);
                if (w <= d) latestWinter = std::max(latestWinter, w);
            }
            const DstWindow win = ComputeDstWindow(p, d);
            ASSERT_EQ(win.Contains(d), latestSummer > latestWinter)
                << "day " << d.Value() << " south " << south;
        }
    }
}

// The pattern comes from the months, never from the place: European rules
// keep a summer of seven months wherever they are used, and the window never
// spans two years.
TEST(ComputeDstWindow, ThePatternFollowsTheMonths) {
    const DstRuleParams europe = North();
    EXPECT_EQ(ComputeDstWindow(europe, D(2026, 6, 1)),
              (DstWindow{D(2026, 3, 29), D(2026, 10, 25)}));
    EXPECT_EQ(ComputeDstWindow(europe, D(2026, 12, 1)),
              (DstWindow{D(2027, 3, 28), D(2026, 10, 25)}));
    // Both changes in one month: the dates decide.
    const DstRuleParams oneMonth{true, {3, 0, 1}, {3, 3, 1}};
    EXPECT_EQ(ComputeDstWindow(oneMonth, D(2026, 3, 10)),
              (DstWindow{D(2026, 3, 1), D(2026, 3, 29)}));
    const DstRuleParams oneMonthSouth{true, {3, 3, 1}, {3, 0, 1}};
    EXPECT_TRUE(ComputeDstWindow(oneMonthSouth, D(2026, 6, 10)).Contains(D(2026, 6, 10)));
}

TEST(ComputeDstWindow, OffSpansTheCalendarYear) {
    DstRuleParams off = North();
    off.summerTimeEnabled = false;
    const DstWindow w = ComputeDstWindow(off, D(2024, 6, 1));
    EXPECT_EQ(w, (DstWindow{D(2024, 1, 1), D(2024, 12, 31)}));
    EXPECT_EQ(ApplySummerTime(w, false, D(2024, 6, 1), minutes(6 * 60 + 12)), minutes(6 * 60 + 12));
}

TEST(ApplySummerTime, AddsTheHourInsideTheWindowOnly) {
    const DstWindow w{D(2024, 3, 31), D(2024, 10, 27)};
    struct Case {
        DayNumber date;
        bool enabled;
        int in, out;  // minutes since midnight
    };
    const Case cases[] = {
        {D(2024, 6, 1), true, 6 * 60 + 12, 7 * 60 + 12},
        {D(2024, 6, 1), true, 23 * 60 + 40, 40},  // stays on the same day record
        {D(2024, 3, 31), true, 1 * 60, 2 * 60},   // the first day, also before the change
        {D(2024, 10, 27), true, 1 * 60, 1 * 60},  // the first day of winter time
        {D(2024, 3, 30), true, 6 * 60 + 12, 6 * 60 + 12},
        {D(2024, 6, 1), false, 6 * 60 + 12, 6 * 60 + 12},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ApplySummerTime(w, c.enabled, c.date, minutes(c.in)), minutes(c.out))
            << c.date.Value() << " " << c.in;
    }
    // A zone's own shift (Lord Howe Island: half an hour).
    EXPECT_EQ(ApplySummerTime(w, true, D(2024, 6, 1), minutes(23 * 60 + 40), minutes(30)),
              minutes(10));
    EXPECT_EQ(ApplySummerTime(w, true, D(2024, 3, 30), minutes(600), minutes(30)), minutes(600));
}

}  // namespace
}  // namespace dawn
