#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "astro/astro.h"

namespace dawn {
namespace {

TEST(MinutesToHourDotMinutes, WholePartAndMinutesAsDecimals) {
    const struct {
        std::int32_t minutes;
        double expected;
    } cases[] = {
        {90, 1.30},  {-90, -1.30}, {3047, 50.47},   {59, 0.59},     {0, 0.0},
        {-1, -0.01}, {600, 10.00}, {-5399, -89.59}, {10800, 180.0}, {-221, -3.41},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(MinutesToHourDotMinutes(c.minutes), c.expected) << c.minutes;
    }
    EXPECT_FALSE(std::signbit(MinutesToHourDotMinutes(0))) << "zero must not show as -0.00";
    // The most negative count has no positive twin in 32 bits.
    EXPECT_DOUBLE_EQ(MinutesToHourDotMinutes(std::numeric_limits<std::int32_t>::min()),
                     -(35791394.0 + 0.08));
}

TEST(JulianDay0h, GregorianAndJulianDates) {
    const struct {
        int year, month, day, switchYear;
        double expected;
    } cases[] = {
        {2000, 1, 1, kSunCalendarSwitchYear, 2451544.5},
        {1987, 1, 27, kSunCalendarSwitchYear, 2446822.5},
        {1600, 3, 1, kSunCalendarSwitchYear, 2305507.5},
        {1000, 1, 1, kSunCalendarSwitchYear, 2086307.5},  // Julian calendar
        {2024, 2, 29, kSunCalendarSwitchYear, 2460369.5},
        {2100, 3, 1, kSunCalendarSwitchYear, 2488128.5},  // 2100 is no leap year
        {1900, 1, 1, kSunCalendarSwitchYear, 2415020.5},
        {2500, 12, 31, kSunCalendarSwitchYear, 2634530.5},
        // The first Gregorian day follows the last Julian one.
        {1582, 10, 15, kMoonCalendarSwitchYear, 2299160.5},
        {1582, 10, 4, kSunCalendarSwitchYear, 2299159.5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JulianDay0h(c.year, c.month, c.day, c.switchYear), c.expected)
            << c.year << '-' << c.month << '-' << c.day << " switch " << c.switchYear;
    }
}

TEST(SiderealAtMidnight, FractionOfTurnAlsoBeforeTheEpoch) {
    // 2000-01-01 0h UT: 6h41m50.5s of sidereal time; 1900-01-01: about 6h40.7m.
    // The last case has a negative sidereal count before the floor.
    const struct {
        double t, zoneDays, longitude, expected;
    } cases[] = {
        {0.0, 0.0, 0.0, 1.7533650387587203},
        {-36524.5, 0.0, 0.0, 1.7485264540345167},
        {-10000.0, 1.0 / 24.0, -75.0, 4.608154951082801},
    };
    for (const auto& c : cases) {
        const double angle = SiderealAtMidnight(c.t, c.zoneDays, c.longitude);
        EXPECT_NEAR(angle, c.expected, 1e-12) << c.t;
        EXPECT_GE(angle, 0.0);
        EXPECT_LT(angle, 6.283185307179586);
    }
}

TEST(ResolveDayStatus, StatusAndFixedTimes) {
    constexpr auto R = EventKind::Rise;
    constexpr auto S = EventKind::Set;
    const struct {
        bool rise, set;
        double finalAltitude;
        EventKind kind;
        ClockTime scanTime;
        ResolvedDay expected;
    } cases[] = {
        {true, true, 0.3, R, {8, 40}, {EventStatus::Normal, {8, 40}}},
        {true, true, -0.3, S, {16, 43}, {EventStatus::Normal, {16, 43}}},
        // The crossing that did occur is replaced by the fixed time.
        {false, true, -0.3, R, {0, 0}, {EventStatus::NoRise, {0, 0}}},
        {false, true, -0.3, S, {23, 18}, {EventStatus::NoRise, {23, 59}}},
        {true, false, 0.3, R, {0, 4}, {EventStatus::NoSet, {0, 0}}},
        {true, false, 0.3, S, {0, 0}, {EventStatus::NoSet, {23, 59}}},
        {false, false, -0.3, R, {0, 0}, {EventStatus::DownAllDay, {12, 0}}},
        {false, false, -0.3, S, {0, 0}, {EventStatus::DownAllDay, {12, 0}}},
        {false, false, 0.3, R, {0, 0}, {EventStatus::UpAllDay, {0, 0}}},
        {false, false, 0.3, S, {0, 0}, {EventStatus::UpAllDay, {23, 59}}},
        // Ending the day exactly at the event altitude is not being above it.
        {false, false, 0.0, R, {0, 0}, {EventStatus::DownAllDay, {12, 0}}},
        {false,
         false,
         std::numeric_limits<double>::quiet_NaN(),
         S,
         {0, 0},
         {EventStatus::DownAllDay, {12, 0}}},
        // A crossing in the last half minute rounds to 24:00 and shows as 23:59.
        {true, true, 0.3, R, {24, 0}, {EventStatus::Normal, {23, 59}}},
    };
    for (const auto& c : cases) {
        const ResolvedDay got =
            ResolveDayStatus(c.rise, c.set, c.finalAltitude, c.kind, c.scanTime);
        EXPECT_EQ(got.status, c.expected.status) << c.rise << c.set << ' ' << c.finalAltitude;
        EXPECT_EQ(got.time, c.expected.time) << c.rise << c.set << ' ' << c.finalAltitude;
    }
}

}  // namespace
}  // namespace dawn
