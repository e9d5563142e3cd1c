#include "core/dayephemeris.h"

#include <gtest/gtest.h>

#include <vector>

namespace dawn {
namespace {

using std::chrono::minutes;

DayNumber D(int y, unsigned m, unsigned d) {
    return DayNumber::FromYmd(y, m, d);
}
constexpr minutes HM(int h, int m) {
    return minutes(h * 60 + m);
}

// Velmoren with the default rules resolved in 2024: summer time from the last
// Sunday of March to the last Sunday of October.
SiteSettings Velmoren() {
    return DefaultSettings("/app", 2024);
}

DayEvents Events(std::string rise, std::string set, EventStatus status = EventStatus::Normal) {
    return DayEvents{RiseSetResult{status, std::move(rise), "90°00'", 2451544.5},
                     RiseSetResult{status, std::move(set), "270°00'", 2451544.5}};
}

TEST(Clock, FormatsAndParsesWholeMinutes) {
    EXPECT_EQ(FormatClock(HM(7, 5), ":"), "07:05");
    EXPECT_EQ(FormatClock(HM(12, 0), "."), "12.00");
    EXPECT_EQ(FormatClock(HM(24, 40), ":"), "00:40");
    EXPECT_EQ(FormatClock(minutes(-1), "h"), "23h59");
    struct Case {
        std::string text;
        bool ok;
        minutes value;
    };
    const Case cases[] = {
        {"07:05", true, HM(7, 5)}, {"23.59", true, HM(23, 59)},   {"7h05", true, HM(7, 5)},
        {"24:00", true, HM(0, 0)}, {"06 h 1 05", true, HM(6, 5)}, {"08h", false, {}},
        {"12", false, {}},         {"12:75", false, {}},          {"", false, {}}};
    for (const auto& c : cases) {
        minutes m{-1};
        EXPECT_EQ(ParseClock(c.text, m), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(m, c.value) << c.text;
        }
    }
}

// The steps after the astronomy, fed with chosen times (standard time).
TEST(AssembleDay, ShiftsMeasuresAndComparesTheEvents) {
    const SiteSettings s = Velmoren();
    const DayEvents normal = Events("06:00", "18:00");

    {  // A summer-time date: each clock one hour on.
        const auto e =
            AssembleDay(s, D(2024, 6, 21), ":", Events("05:30", "21:45"), normal, normal, normal);
        EXPECT_EQ(e.SunRiseText, "05:30");
        EXPECT_EQ(e.SunRiseClock, "06:30");
        EXPECT_EQ(e.SunSetClock, "22:45");
        EXPECT_EQ(e.DayLength, HM(16, 15));
        EXPECT_EQ(e.SunRiseAzimuth, "90°00'");
        EXPECT_EQ(e.SunSetAzimuth, "270°00'");
        EXPECT_EQ(e.PrevDate, D(2024, 6, 20));
        EXPECT_TRUE(e.Window.Contains(e.Date));
    }
    {  // The shifted sunset falls after midnight: one day less the gap.
        const auto e =
            AssembleDay(s, D(2024, 6, 21), ":", Events("03:50", "23:30"), normal, normal, normal);
        EXPECT_EQ(e.SunSetTime, HM(0, 30));
        EXPECT_EQ(e.SunSetClock, "00:30");
        EXPECT_EQ(e.DayLength, HM(19, 40));
    }
    {  // Moonlight across midnight, and its change against the day before.
        const auto e = AssembleDay(s, D(2024, 1, 10), ":", normal, Events("20:10", "08:55"), normal,
                                   Events("19:25", "08:05"));
        EXPECT_EQ(e.MoonLightLength, HM(12, 45));
        EXPECT_EQ(e.PrevMoonLightLength, HM(12, 40));
        EXPECT_EQ(e.MoonLightDelta, HM(0, 5));
        EXPECT_EQ(e.MoonRiseDelta, HM(0, 45));
        EXPECT_EQ(e.MoonSetDelta, HM(0, 50));
    }
    {  // A rise that moved across midnight shows its short change.
        const auto e = AssembleDay(s, D(2024, 1, 10), ":", normal, Events("00:35", "12:00"), normal,
                                   Events("23:50", "11:00"));
        EXPECT_EQ(e.MoonRiseDelta, HM(0, 45));
        EXPECT_EQ(e.MoonSetDelta, HM(1, 0));
    }
    {  // First day of summer time: the date is shifted, the day before is not.
        const auto e = AssembleDay(s, D(2024, 3, 31), ":", Events("06:58", "19:20"), normal,
                                   Events("07:00", "19:18"), normal);
        EXPECT_EQ(e.SunRiseClock, "07:58");
        EXPECT_EQ(e.PrevSunRiseTime, HM(7, 0));
        EXPECT_EQ(e.SunRiseDelta, HM(0, 58));
        EXPECT_EQ(e.SunSetDelta, HM(1, 2));
        EXPECT_EQ(e.DayLength, HM(12, 22));
        EXPECT_EQ(e.PrevDayLength, HM(12, 18));
        EXPECT_EQ(e.DayLengthDelta, HM(0, 4));
    }
    {  // First day of winter time: neither day is shifted.
        const auto e = AssembleDay(s, D(2024, 10, 27), ":", Events("07:20", "17:10"), normal,
                                   Events("07:18", "17:12"), normal);
        EXPECT_EQ(e.SunRiseClock, "07:20");
        EXPECT_EQ(e.PrevSunRiseTime, HM(7, 18));
        EXPECT_EQ(e.SunRiseDelta, HM(0, 2));
    }
    {  // The day before the first day of winter time keeps its hour.
        const auto e = AssembleDay(s, D(2024, 10, 26), ":", Events("07:18", "17:12"), normal,
                                   Events("07:16", "17:14"), normal);
        EXPECT_EQ(e.SunRiseClock, "08:18");
        EXPECT_EQ(e.PrevSunRiseTime, HM(8, 16));
    }
}

TEST(AssembleDay, DaysWithoutAnEventHaveNoLengthsOrDeltas) {
    const SiteSettings s = Velmoren();
    const DayEvents normal = Events("06:00", "18:00");
    const DayEvents upAll = Events("00:00", "23:59", EventStatus::UpAllDay);
    const DayEvents downAll = Events("12:00", "12:00", EventStatus::DownAllDay);
    {
        const auto e = AssembleDay(s, D(2024, 6, 21), ":", upAll, normal, upAll, normal);
        EXPECT_EQ(e.SunRiseStatus, EventStatus::UpAllDay);
        EXPECT_EQ(e.DayLength, minutes(0));
        EXPECT_EQ(e.SunRiseDelta, minutes(0));
        EXPECT_EQ(e.DayLengthDelta, minutes(0));
        EXPECT_EQ(e.SunRiseClock, "01:00");  // still a clock text, in summer time
        // Computed whatever the statuses: 01:00 to 00:59 in summer time.
        EXPECT_EQ(e.PrevDayLength, HM(23, 59));
    }
    {  // Normal today after a day without events: no deltas.
        const auto e = AssembleDay(s, D(2024, 1, 10), ":", normal, normal, downAll, normal);
        EXPECT_EQ(e.DayLength, HM(12, 0));
        EXPECT_EQ(e.SunRiseDelta, minutes(0));
        EXPECT_EQ(e.SunSetDelta, minutes(0));
        EXPECT_EQ(e.DayLengthDelta, minutes(0));
    }
}

TEST(ComputeDay, VelmorenOnTwoDates) {
    const SiteSettings s = Velmoren();
    const auto winter = ComputeDay(s, D(2000, 1, 1), ":");
    EXPECT_EQ(winter.SunRiseStatus, EventStatus::Normal);
    EXPECT_EQ(winter.SunRiseClock, "08:40");
    EXPECT_EQ(winter.SunSetClock, "16:43");
    EXPECT_EQ(winter.SunRiseAzimuth, "126°58'");
    EXPECT_EQ(winter.SunSetAzimuth, "233°06'");
    EXPECT_EQ(winter.DayLength, HM(8, 3));
    EXPECT_EQ(winter.MoonRiseClock, "03:16");
    EXPECT_EQ(winter.MoonSetClock, "13:52");
    EXPECT_EQ(winter.MoonRiseAzimuth, "105°03'");
    EXPECT_EQ(winter.JulianDay, 2451544.5);
    EXPECT_EQ(winter.PrevDate, D(1999, 12, 31));

    const auto summer = ComputeDay(s, D(2024, 6, 21), ".");
    EXPECT_EQ(summer.SunRiseText, "04.25");
    EXPECT_EQ(summer.SunRiseClock, "05.25");
    EXPECT_EQ(summer.SunSetClock, "21.55");
    EXPECT_EQ(summer.SunRiseAzimuth, "49°42'");
    EXPECT_EQ(summer.DayLength, HM(16, 30));
    EXPECT_LE(summer.DayLengthDelta, minutes(1));
}

TEST(ComputeDay, FirstDayOfSummerTimeCarriesTheHourInItsDeltas) {
    const auto e = ComputeDay(Velmoren(), D(2024, 3, 31), ":");
    // Sunrise moves about two minutes earlier a day in spring; the hour shows.
    EXPECT_GE(e.SunRiseDelta, HM(0, 55));
    EXPECT_LE(e.SunRiseDelta, HM(0, 59));
    const auto next = ComputeDay(Velmoren(), D(2024, 4, 1), ":");
    EXPECT_LE(next.SunRiseDelta, HM(0, 3));
}

TEST(ComputeDay, PolarDaysReportStatusesWithParseableClocks) {
    SiteSettings s = Velmoren();
    s.LatitudeMinutes = 4200;  // 70° N, 20° E
    s.LongitudeMinutes = 1200;
    const auto summer = ComputeDay(s, D(2024, 6, 21), ":");
    EXPECT_EQ(summer.SunRiseStatus, EventStatus::UpAllDay);
    EXPECT_EQ(summer.SunSetStatus, EventStatus::UpAllDay);
    EXPECT_EQ(summer.DayLength, minutes(0));
    EXPECT_EQ(summer.SunRiseAzimuth, "");
    const auto winter = ComputeDay(s, D(2024, 12, 21), ":");
    EXPECT_EQ(winter.SunRiseStatus, EventStatus::DownAllDay);
    EXPECT_EQ(winter.SunRiseClock, "12:00");
    EXPECT_EQ(winter.SunSetClock, "12:00");
}

// The range routines must give exactly the records of the plain one.
TEST(ForEachDay, MatchesComputeDayDateByDate) {
    struct Range {
        const char* name;
        std::int32_t lat, lon, zone;
        bool summerTime;
        DayNumber from, to;
    };
    const Range ranges[] = {
        {"Velmoren", 3047, 328, 60, true, D(2020, 1, 1), D(2024, 12, 31)},
        {"north, far east", 3600, 10740, 720, true, D(2024, 1, 1), D(2024, 12, 31)},
        {"south", -2032, 9072, 600, true, D(2024, 1, 1), D(2024, 12, 31)},
        {"polar", 4140, 1200, 60, true, D(2024, 4, 1), D(2024, 9, 30)},
        {"west, no summer time", 2440, -4440, -300, false, D(1899, 12, 1), D(1900, 3, 31)},
    };
    for (const auto& r : ranges) {
        SiteSettings s = Velmoren();
        s.LatitudeMinutes = r.lat;
        s.LongitudeMinutes = r.lon;
        s.TimeZoneMinutes = r.zone;
        s.SummerTimeEnabled = r.summerTime;
        if (r.lat < 0) {
            s.SummerRule = 900;  // first Sunday of October
            s.WinterRule = 300;  // first Sunday of April
            ResolveDstRules(s, 2024);
        }
        std::vector<DayEphemeris> plain;
        for (DayNumber d = r.from; d <= r.to; ++d) plain.push_back(ComputeDay(s, d, ":"));

        std::size_t i = 0;
        ForEachDay(s, r.from, r.to, ":", [&](const DayEphemeris& e) {
            EXPECT_TRUE(i < plain.size() && e == plain[i])
                << r.name << " day " << (r.from + int(i)).Value();
            ++i;
            return true;
        });
        EXPECT_EQ(i, plain.size()) << r.name;

        for (Body body : {Body::Sun, Body::Moon}) {
            std::size_t j = 0;
            ForEachBodyDay(s, body, r.from, r.to, ":", [&](const BodyDay& b) {
                EXPECT_TRUE(j < plain.size() && b == BodyDayOf(plain[j], body))
                    << r.name << " day " << b.Date.Value();
                ++j;
                return true;
            });
            EXPECT_EQ(j, plain.size()) << r.name;
        }
    }
}

TEST(ForEachDay, StopsWhenAskedAndSkipsAnEmptyRange) {
    int calls = 0;
    ForEachBodyDay(Velmoren(), Body::Moon, D(2024, 1, 1), D(2024, 12, 31), ":",
                   [&](const BodyDay&) { return ++calls < 2; });
    EXPECT_EQ(calls, 2);
    calls = 0;
    ForEachDay(Velmoren(), D(2024, 1, 1), D(2024, 12, 31), ":",
               [&](const DayEphemeris&) { return ++calls < 3; });
    EXPECT_EQ(calls, 3);
    ForEachDay(Velmoren(), D(2024, 1, 2), D(2024, 1, 1), ":",
               [&](const DayEphemeris&) { return ++calls > 0; });
    EXPECT_EQ(calls, 3);
}

}  // namespace
}  // namespace dawn
