#include "core/dayephemeris.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>
#include <vector>

#include "core/settings.h"

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

// A day of one body from chosen standard times ("06:00").
minutes T(std::string_view hm) {
    return HM((hm[0] - '0') * 10 + (hm[1] - '0'), (hm[3] - '0') * 10 + (hm[4] - '0'));
}
// A day without crossings carries none (the times are the status's).
DayEvents Events(std::string_view rise, std::string_view set,
                 EventStatus status = EventStatus::Normal) {
    if (status != EventStatus::Normal)
        return DayEvents{RiseSetResult{status, T(rise), {}, 2451544.5, {}, {}, {}},
                         RiseSetResult{status, T(set), {}, 2451544.5, {}, {}, {}}};
    return DayEvents{RiseSetResult{status, T(rise), 90.0, 2451544.5, T(rise), {}, {}},
                     RiseSetResult{status, T(set), 270.0, 2451544.5, T(set), {}, {}}};
}

BodyScans Scans(const DayEvents& date, const DayEvents& before) {
    return {date, before, std::nullopt};
}

const EventEntry& SunRise(const DayEphemeris& e) {
    return e.Event(Body::Sun, EventKind::Rise);
}
const EventEntry& SunSet(const DayEphemeris& e) {
    return e.Event(Body::Sun, EventKind::Set);
}
const EventEntry& MoonRise(const DayEphemeris& e) {
    return e.Event(Body::Moon, EventKind::Rise);
}
const EventEntry& MoonSet(const DayEphemeris& e) {
    return e.Event(Body::Moon, EventKind::Set);
}
// An azimuth in whole arc minutes, as its text rounds it.
long Arc(const std::optional<double>& degrees) {
    return degrees ? std::lround(*degrees * 60.0) : -1;
}
constexpr long Arc(int degrees, int minutes) {
    return degrees * 60L + minutes;
}

// The steps after the astronomy, fed with chosen times (standard time).
TEST(AssembleDay, ShiftsMeasuresAndComparesTheEvents) {
    const SiteSettings s = Velmoren();
    const DayEvents normal = Events("06:00", "18:00");

    {  // A summer-time date: each clock one hour on.
        const auto e = AssembleDay(s, D(2024, 6, 21), Scans(Events("05:30", "21:45"), normal),
                                   Scans(normal, normal));
        EXPECT_EQ(SunRise(e).Standard, HM(5, 30));
        EXPECT_EQ(SunRise(e).Clock, HM(6, 30));
        EXPECT_EQ(SunSet(e).Clock, HM(22, 45));
        EXPECT_EQ(e[Body::Sun].Length, HM(16, 15));
        EXPECT_EQ(SunRise(e).Azimuth, 90.0);
        EXPECT_EQ(SunSet(e).Azimuth, 270.0);
        EXPECT_EQ(SunRise(e).Crossing, HM(5, 30));  // standard time
        EXPECT_EQ(SunRise(e).CrossingClock, HM(6, 30));
        EXPECT_EQ(e.PrevDate, D(2024, 6, 20));
        EXPECT_TRUE(e.Clocks.window.Contains(e.Date));
    }
    {  // A sunset at 23:30 standard time is at 00:30 on the next date's
       // clock: the date's sunset is the one the day before carried over,
       // and its own falls on the date after.
        const auto e = AssembleDay(s, D(2024, 6, 22),
                                   Scans(Events("03:51", "23:31"), Events("03:50", "23:30")),
                                   Scans(normal, normal));
        EXPECT_EQ(SunSet(e).Clock, HM(0, 30));
        EXPECT_EQ(SunSet(e).Standard, HM(23, 30));
        EXPECT_EQ(SunSet(e).CrossingOffset, HM(2, 0));
        EXPECT_EQ(SunRise(e).Clock, HM(4, 51));
        EXPECT_EQ(e[Body::Sun].Length, HM(19, 39));
    }
    {  // Moonlight across midnight, and its change against the day before.
        const auto e = AssembleDay(s, D(2024, 1, 10), Scans(normal, normal),
                                   Scans(Events("20:10", "08:55"), Events("19:25", "08:05")));
        EXPECT_EQ(e[Body::Moon].Length, HM(12, 45));
        EXPECT_EQ(e[Body::Moon].LengthBefore, HM(12, 40));
        EXPECT_EQ(e[Body::Moon].LengthDelta, HM(0, 5));
        EXPECT_EQ(MoonRise(e).Delta, HM(0, 45));
        EXPECT_EQ(MoonSet(e).Delta, HM(0, 50));
    }
    {  // A rise that moved across midnight shows its short change.
        const auto e = AssembleDay(s, D(2024, 1, 10), Scans(normal, normal),
                                   Scans(Events("00:35", "12:00"), Events("23:50", "11:00")));
        EXPECT_EQ(MoonRise(e).Delta, HM(0, 45));
        EXPECT_EQ(MoonSet(e).Delta, HM(1, 0));
    }
    {  // First day of summer time: the date is shifted, the day before is not.
        const auto e = AssembleDay(s, D(2024, 3, 31),
                                   Scans(Events("06:58", "19:20"), Events("07:00", "19:18")),
                                   Scans(normal, normal));
        EXPECT_EQ(SunRise(e).Clock, HM(7, 58));
        EXPECT_EQ(SunRise(e).Before.Clock, HM(7, 0));
        EXPECT_EQ(SunRise(e).Delta, HM(0, 58));
        EXPECT_EQ(SunSet(e).Delta, HM(1, 2));
        EXPECT_EQ(e[Body::Sun].Length, HM(12, 22));
        EXPECT_EQ(e[Body::Sun].LengthBefore, HM(12, 18));
        EXPECT_EQ(e[Body::Sun].LengthDelta, HM(0, 4));
    }
    {  // First day of winter time: the day before keeps its summer hour, so
       // the clock time changes by the hour.
        const auto e = AssembleDay(s, D(2024, 10, 27),
                                   Scans(Events("07:20", "17:10"), Events("07:18", "17:12")),
                                   Scans(normal, normal));
        EXPECT_EQ(SunRise(e).Clock, HM(7, 20));
        EXPECT_EQ(SunRise(e).Before.Clock, HM(8, 18));
        EXPECT_EQ(SunRise(e).Delta, HM(0, 58));
        EXPECT_EQ(e[Body::Sun].LengthDelta, HM(0, 4));
    }
    {  // The day before the first day of winter time keeps its hour.
        const auto e = AssembleDay(s, D(2024, 10, 26),
                                   Scans(Events("07:18", "17:12"), Events("07:16", "17:14")),
                                   Scans(normal, normal));
        EXPECT_EQ(SunRise(e).Clock, HM(8, 18));
        EXPECT_EQ(SunRise(e).Before.Clock, HM(8, 16));
        EXPECT_EQ(SunRise(e).Before.Standard, HM(7, 16));
    }
}

TEST(AssembleDay, DaysWithoutAnEventHaveNoLengthsOrDeltas) {
    const SiteSettings s = Velmoren();
    const DayEvents normal = Events("06:00", "18:00");
    const DayEvents upAll = Events("00:00", "23:59", EventStatus::UpAllDay);
    const DayEvents downAll = Events("12:00", "12:00", EventStatus::DownAllDay);
    {
        const auto e = AssembleDay(s, D(2024, 6, 21), Scans(upAll, upAll), Scans(normal, normal));
        EXPECT_EQ(SunRise(e).Status, EventStatus::UpAllDay);
        EXPECT_EQ(e[Body::Sun].Length, minutes(0));
        EXPECT_EQ(SunRise(e).Delta, minutes(0));
        EXPECT_EQ(e[Body::Sun].LengthDelta, minutes(0));
        EXPECT_EQ(SunRise(e).Clock, HM(1, 0));  // the fixed time, shifted in summer time
        // Computed whatever the statuses: 01:00 to 00:59 in summer time.
        EXPECT_EQ(e[Body::Sun].LengthBefore, HM(23, 59));
    }
    {  // A moon that rises and does not set, in summer time: the rise's
       // crossing on the clock beside the placeholder, none for the set.
        const DayEvents noSet{
            RiseSetResult{EventStatus::NoSet, T("00:00"), 123.95, 2451544.5, T("15:40"), {}, {}},
            RiseSetResult{
                EventStatus::NoSet, T("23:59"), std::nullopt, 2451544.5, std::nullopt, {}, {}}};
        const auto e = AssembleDay(s, D(2024, 7, 12), Scans(normal, normal), Scans(noSet, normal));
        EXPECT_EQ(MoonRise(e).Clock, HM(1, 0));
        EXPECT_EQ(MoonRise(e).CrossingClock, HM(16, 40));
        EXPECT_EQ(MoonSet(e).Clock, HM(0, 59));
        EXPECT_EQ(MoonSet(e).CrossingClock, std::nullopt);
        EXPECT_EQ(e[Body::Moon].Length, minutes(0));
        EXPECT_EQ(MoonRise(e).Delta, minutes(0));
    }
    {  // Normal today after a day without events: no deltas.
        const auto e =
            AssembleDay(s, D(2024, 1, 10), Scans(normal, downAll), Scans(normal, normal));
        EXPECT_EQ(e[Body::Sun].Length, HM(12, 0));
        EXPECT_EQ(SunRise(e).Delta, minutes(0));
        EXPECT_EQ(SunSet(e).Delta, minutes(0));
        EXPECT_EQ(e[Body::Sun].LengthDelta, minutes(0));
    }
}

TEST(ComputeDay, VelmorenOnTwoDates) {
    const SiteSettings s = Velmoren();
    const auto winter = ComputeDay(s, D(2000, 1, 1));
    EXPECT_EQ(SunRise(winter).Status, EventStatus::Normal);
    EXPECT_EQ(SunRise(winter).Clock, HM(8, 40));
    EXPECT_EQ(SunSet(winter).Clock, HM(16, 43));
    EXPECT_EQ(Arc(SunRise(winter).Azimuth), Arc(126, 58));
    EXPECT_EQ(Arc(SunSet(winter).Azimuth), Arc(233, 6));
    EXPECT_EQ(winter[Body::Sun].Length, HM(8, 3));
    EXPECT_EQ(MoonRise(winter).Clock, HM(3, 16));
    EXPECT_EQ(MoonSet(winter).Clock, HM(13, 52));
    EXPECT_EQ(Arc(MoonRise(winter).Azimuth), Arc(105, 3));
    EXPECT_EQ(winter.JulianDay, 2451544.5);
    EXPECT_EQ(winter.PrevDate, D(1999, 12, 31));

    const auto summer = ComputeDay(s, D(2024, 6, 21));
    EXPECT_EQ(SunRise(summer).Standard, HM(4, 25));
    EXPECT_EQ(SunRise(summer).Clock, HM(5, 25));
    EXPECT_EQ(SunSet(summer).Clock, HM(21, 55));
    EXPECT_EQ(Arc(SunRise(summer).Azimuth), Arc(49, 42));
    EXPECT_EQ(summer[Body::Sun].Length, HM(16, 30));
    EXPECT_LE(summer[Body::Sun].LengthDelta, minutes(1));
}

TEST(ComputeDay, FirstDayOfSummerTimeCarriesTheHourInItsDeltas) {
    const auto e = ComputeDay(Velmoren(), D(2024, 3, 31));
    // Sunrise moves about two minutes earlier a day in spring; the hour shows.
    EXPECT_GE(SunRise(e).Delta, HM(0, 55));
    EXPECT_LE(SunRise(e).Delta, HM(0, 59));
    const auto next = ComputeDay(Velmoren(), D(2024, 4, 1));
    EXPECT_LE(SunRise(next).Delta, HM(0, 3));
}

TEST(ComputeDay, PolarDaysReportStatusesWithFixedTimes) {
    SiteSettings s = Velmoren();
    s.LatitudeMinutes = 4200;  // 70° N, 20° E
    s.LongitudeMinutes = 1200;
    const auto summer = ComputeDay(s, D(2024, 6, 21));
    EXPECT_EQ(SunRise(summer).Status, EventStatus::UpAllDay);
    EXPECT_EQ(SunSet(summer).Status, EventStatus::UpAllDay);
    EXPECT_EQ(summer[Body::Sun].Length, minutes(0));
    EXPECT_EQ(SunRise(summer).Azimuth, std::nullopt);
    const auto winter = ComputeDay(s, D(2024, 12, 21));
    EXPECT_EQ(SunRise(winter).Status, EventStatus::DownAllDay);
    EXPECT_EQ(SunRise(winter).Clock, HM(12, 0));
    EXPECT_EQ(SunSet(winter).Clock, HM(12, 0));
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
        }
        std::vector<DayEphemeris> plain;
        for (DayNumber d = r.from; d <= r.to; ++d) plain.push_back(ComputeDay(s, d));

        std::size_t i = 0;
        ForEachDay(s, r.from, r.to, [&](const DayEphemeris& e) {
            EXPECT_TRUE(i < plain.size() && e == plain[i])
                << r.name << " day " << (r.from + int(i)).Value();
            ++i;
            return true;
        });
        EXPECT_EQ(i, plain.size()) << r.name;

        for (Body body : {Body::Sun, Body::Moon}) {
            std::size_t j = 0;
            ForEachBodyDay(s, body, r.from, r.to, [&](const BodyDay& b) {
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
    ForEachBodyDay(Velmoren(), Body::Moon, D(2024, 1, 1), D(2024, 12, 31),
                   [&](const BodyDay&) { return ++calls < 2; });
    EXPECT_EQ(calls, 2);
    calls = 0;
    ForEachDay(Velmoren(), D(2024, 1, 1), D(2024, 12, 31),
               [&](const DayEphemeris&) { return ++calls < 3; });
    EXPECT_EQ(calls, 3);
    ForEachDay(Velmoren(), D(2024, 1, 2), D(2024, 1, 1),
               [&](const DayEphemeris&) { return ++calls > 0; });
    EXPECT_EQ(calls, 3);
}

}  // namespace
}  // namespace dawn
