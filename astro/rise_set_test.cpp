// Sun and moon rise and set for whole days. The reference cases below are
// values of this method for the given places, to the minute and the arc
// minute; the checks after them hold for every date and place.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "astro/astro.h"

namespace dawn {
namespace {

using namespace std::chrono;

enum class Body { Sun, Moon };

DayEvents Day(Body body, year_month_day date, const Place& place) {
    return body == Body::Sun ? ComputeSunDay(date, place) : ComputeMoonDay(date, place);
}

RiseSetResult Event(Body body, EventKind kind, year_month_day date, const Place& place) {
    return body == Body::Sun ? ComputeSunEvent(kind, date, place)
                             : ComputeMoonEvent(kind, date, place);
}

// "08:40" as minutes of the day.
minutes Hm(std::string_view text) {
    return minutes(std::stoi(std::string(text.substr(0, 2))) * 60 +
                   std::stoi(std::string(text.substr(3, 2))));
}

// A time of day as "hh:mm", "" for none: what the reference tables hold.
std::string Text(std::optional<minutes> m) {
    if (!m) return {};
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", int(m->count() / 60), int(m->count() % 60));
    return text;
}

// An azimuth in whole arc minutes as the program rounds it for its texts
// (a full turn is north, 0), -1 for none; "126°58'" in a table is 7618.
long ArcMinutes(std::optional<double> degrees) {
    return degrees ? std::lround(*degrees * 60.0) % (360 * 60) : -1;
}
long ArcMinutes(std::string_view text) {
    if (text.empty()) return -1;
    const std::size_t sign = text.find("\xC2\xB0");
    return std::stol(std::string(text.substr(0, sign))) * 60 +
           std::stol(std::string(text.substr(sign + 2, 2)));
}

// g++ 12 cannot print calendar dates yet.
std::string Iso(year_month_day d) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(d.year()), unsigned(d.month()),
                  unsigned(d.day()));
    return text;
}

constexpr Place kMidEurope{3047, 328, 60};  // 50°47' N, 5°28' E, one hour ahead of UT

struct Reference {
    Body body;
    year_month_day date;
    Place place;
    EventStatus status;
    const char* riseTime;
    const char* riseAzimuth;
    const char* setTime;
    const char* setAzimuth;
};

constexpr auto N = EventStatus::Normal;

const Reference kReferences[] = {
    {Body::Sun, 2000y / 1 / 1, kMidEurope, N, "08:40", "126°58'", "16:43", "233°06'"},
    // Standard time; summer time is added by the caller.
    {Body::Sun, 2024y / 6 / 21, kMidEurope, N, "04:25", "49°42'", "20:55", "310°18'"},
    {Body::Sun, 2024y / 6 / 21, {4200, 1200, 60}, EventStatus::UpAllDay, "00:00", "", "23:59", ""},
    {Body::Sun,
     2024y / 12 / 21,
     {4200, 1200, 60},
     EventStatus::DownAllDay,
     "12:00",
     "",
     "12:00",
     ""},
    // Rises at about 00:04 and does not set: the fixed times replace it, the
    // azimuth of the rise stays.
    {Body::Sun,
     2024y / 5 / 20,
     {4140, 1200, 60},
     EventStatus::NoSet,
     "00:00",
     "6°23'",
     "23:59",
     ""},
    // Sets at about 23:18 and does not rise.
    {Body::Sun,
     2024y / 7 / 22,
     {4140, 1200, 60},
     EventStatus::NoRise,
     "00:00",
     "",
     "23:59",
     "353°21'"},
    // The poles: the summer and the winter half of the year.
    {Body::Sun, 2024y / 6 / 21, {5400, 0, 0}, EventStatus::UpAllDay, "00:00", "", "23:59", ""},
    {Body::Sun, 2024y / 6 / 21, {-5400, 0, 0}, EventStatus::DownAllDay, "12:00", "", "12:00", ""},
    {Body::Sun,
     2024y / 12 / 21,
     {-5400, 10800, 720},
     EventStatus::UpAllDay,
     "00:00",
     "",
     "23:59",
     ""},

    {Body::Moon, 2000y / 1 / 1, kMidEurope, N, "03:16", "105°03'", "13:52", "252°19'"},
    // Rises at about 11:54 and sets only after midnight.
    {Body::Moon, 2000y / 1 / 13, kMidEurope, EventStatus::NoSet, "00:00", "91°38'", "23:59", ""},
    // Sets at about 11:33 and rises only after midnight.
    {Body::Moon, 2000y / 1 / 27, kMidEurope, EventStatus::NoRise, "00:00", "", "23:59", "261°16'"},
    // Rises at 23:59:53, which rounds to 24:00 and shows as the last minute.
    {Body::Moon, 2009y / 6 / 13, kMidEurope, N, "23:59", "104°14'", "09:52", "251°03'"},
};

TEST(RiseSet, ReferenceDays) {
    for (const Reference& r : kReferences) {
        SCOPED_TRACE(testing::Message()
                     << (r.body == Body::Sun ? "sun " : "moon ") << Iso(r.date) << ' '
                     << r.place.latitudeMinutes << '/' << r.place.longitudeMinutes);
        const RiseSetResult rise = Event(r.body, EventKind::Rise, r.date, r.place);
        const RiseSetResult set = Event(r.body, EventKind::Set, r.date, r.place);
        EXPECT_EQ(rise.status, r.status);
        EXPECT_EQ(set.status, r.status);
        EXPECT_EQ(rise.time, Hm(r.riseTime));
        EXPECT_EQ(ArcMinutes(rise.azimuth), ArcMinutes(r.riseAzimuth));
        EXPECT_EQ(set.time, Hm(r.setTime));
        EXPECT_EQ(ArcMinutes(set.azimuth), ArcMinutes(r.setAzimuth));
    }
}

// The crossing that did occur keeps its own time when the status replaces
// the time: the set of a day without a rise, the rise of a day without a set.
// A kind that did not occur has no crossing.
TEST(RiseSet, CrossingKeepsTheRealTimeOfTheEventThatOccurred) {
    struct Case {
        Body body;
        year_month_day date;
        Place place;
        const char* riseCrossing;
        const char* setCrossing;
    };
    const Case cases[] = {
        {Body::Sun, 2024y / 5 / 20, {4140, 1200, 60}, "00:04", ""},  // NoSet
        {Body::Sun, 2024y / 7 / 22, {4140, 1200, 60}, "", "23:18"},  // NoRise
        {Body::Moon, 2000y / 1 / 13, kMidEurope, "11:54", ""},       // NoSet
        {Body::Moon, 2000y / 1 / 27, kMidEurope, "", "11:33"},       // NoRise
        {Body::Sun, 2024y / 6 / 21, {4200, 1200, 60}, "", ""},       // UpAllDay
        // 23:59:53 rounds to 24:00 and is written as the last minute.
        {Body::Moon, 2009y / 6 / 13, kMidEurope, "23:59", "09:52"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Iso(c.date));
        const DayEvents day = Day(c.body, c.date, c.place);
        EXPECT_EQ(Text(day.rise.crossing), c.riseCrossing);
        EXPECT_EQ(Text(day.set.crossing), c.setCrossing);
    }
}

TEST(RiseSet, JulianDayOfTheDate) {
    EXPECT_EQ(ComputeSunEvent(EventKind::Rise, 2000y / 1 / 1, kMidEurope).julianDay, 2451544.5);
}

// Whole degrees of an azimuth as its text shows them.
long AzimuthDegrees(std::optional<double> degrees) {
    return ArcMinutes(degrees) / 60;
}

// A set close to north may round to 0°00'; it belongs to the western half.
long SetAzimuthDegrees(std::optional<double> degrees) {
    const long d = AzimuthDegrees(degrees);
    return d == 0 ? 360 : d;
}

// Every date and place gives a coherent day: one status for both calls, the
// fixed times of that status, an azimuth exactly for the crossings that
// occurred, rises in the eastern and sets in the western half of the sky,
// and the single-event calls equal to the day's.
TEST(RiseSet, EveryDayIsCoherent) {
    const std::int32_t latitudes[] = {-5400, -4200, -3960, -2032, 0,   1380,
                                      3047,  3960,  4140,  4200,  5400};
    const Place lonZones[] = {
        {0, -10800, -720}, {0, -221, 0}, {0, 328, 60}, {0, 10800, 720}, {0, 7200, -300}};
    const auto inTheDay = [](minutes m) { return m >= minutes(0) && m < minutes(24 * 60); };
    int dayCount = 0;
    int normal = 0;
    for (const std::int32_t lat : latitudes) {
        for (Place place : lonZones) {
            place.latitudeMinutes = lat;
            for (sys_days d = sys_days{2023y / 1 / 1}; d < sys_days{2025y / 1 / 1}; d += days{7}) {
                for (Body body : {Body::Sun, Body::Moon}) {
                    const year_month_day date{d};
                    SCOPED_TRACE(testing::Message()
                                 << (body == Body::Sun ? "sun " : "moon ") << Iso(date) << ' '
                                 << lat << '/' << place.longitudeMinutes);
                    const DayEvents day = Day(body, date, place);
                    ASSERT_EQ(Event(body, EventKind::Rise, date, place), day.rise);
                    ASSERT_EQ(Event(body, EventKind::Set, date, place), day.set);
                    ASSERT_EQ(day.rise.status, day.set.status);
                    ++dayCount;
                    const bool riseSeen = day.rise.azimuth.has_value();
                    const bool setSeen = day.set.azimuth.has_value();
                    switch (day.rise.status) {
                        case EventStatus::Normal:
                            ++normal;
                            EXPECT_TRUE(riseSeen && setSeen);
                            EXPECT_TRUE(inTheDay(day.rise.time));
                            EXPECT_TRUE(inTheDay(day.set.time));
                            break;
                        case EventStatus::NoRise:
                        case EventStatus::NoSet:
                            EXPECT_EQ(riseSeen, day.rise.status == EventStatus::NoSet);
                            EXPECT_EQ(setSeen, day.rise.status == EventStatus::NoRise);
                            EXPECT_EQ(day.rise.time, Hm("00:00"));
                            EXPECT_EQ(day.set.time, Hm("23:59"));
                            break;
                        case EventStatus::UpAllDay:
                            EXPECT_FALSE(riseSeen || setSeen);
                            EXPECT_EQ(day.rise.time, Hm("00:00"));
                            EXPECT_EQ(day.set.time, Hm("23:59"));
                            break;
                        case EventStatus::DownAllDay:
                            EXPECT_FALSE(riseSeen || setSeen);
                            EXPECT_EQ(day.rise.time, Hm("12:00"));
                            EXPECT_EQ(day.set.time, Hm("12:00"));
                            break;
                    }
                    for (const RiseSetResult* r : {&day.rise, &day.set}) {
                        EXPECT_EQ(r->crossing.has_value(), r->azimuth.has_value());
                        if (r->azimuth) {
                            EXPECT_TRUE(*r->azimuth >= 0.0 && *r->azimuth <= 360.0) << *r->azimuth;
                            EXPECT_TRUE(inTheDay(*r->crossing)) << r->crossing->count();
                        }
                        if (r->status == EventStatus::Normal) {
                            EXPECT_EQ(r->crossing, r->time);
                        }
                    }
                    // At the poles every direction is south (or north).
                    if (std::abs(lat) != 5400) {
                        if (riseSeen) {
                            EXPECT_LE(AzimuthDegrees(day.rise.azimuth), 180);
                        }
                        if (setSeen) {
                            EXPECT_GE(SetAzimuthDegrees(day.set.azimuth), 179);
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(normal, dayCount / 2);
}

TEST(RiseSet, BothSidesOfTheDateLineAreOneMeridian) {
    for (sys_days d = sys_days{2024y / 1 / 1}; d < sys_days{2025y / 1 / 1}; d += days{5}) {
        for (Body body : {Body::Sun, Body::Moon}) {
            for (std::int32_t zone : {720, -720}) {
                const year_month_day date{d};
                const DayEvents east = Day(body, date, {-2032, 10800, zone});
                const DayEvents west = Day(body, date, {-2032, -10800, zone});
                EXPECT_EQ(east.rise.time, west.rise.time) << Iso(date) << ' ' << zone;
                EXPECT_EQ(east.set.time, west.set.time) << Iso(date) << ' ' << zone;
                EXPECT_EQ(ArcMinutes(east.rise.azimuth), ArcMinutes(west.rise.azimuth))
                    << Iso(date) << ' ' << zone;
                EXPECT_EQ(ArcMinutes(east.set.azimuth), ArcMinutes(west.set.azimuth))
                    << Iso(date) << ' ' << zone;
            }
        }
    }
}

// On days when the moon's right ascension passes 0h, every reported
// crossing must be a real one: the true altitude, from positions taken
// directly at the minute, changes sign around it.
TEST(RiseSet, MoonCrossingsAreRealWhenRightAscensionWraps) {
    constexpr double kDeg = 0.017453292519943295;
    const Place place = kMidEurope;
    const double sinLat = std::sin(place.latitudeMinutes / 60.0 * kDeg);
    const double cosLat = std::cos(place.latitudeMinutes / 60.0 * kDeg);
    const double zoneDays = -place.timeZoneMinutes / 1440.0;
    int checked = 0;
    for (sys_days d = sys_days{2000y / 1 / 1}; d < sys_days{2002y / 1 / 1}; d += days{1}) {
        const year_month_day date{d};
        const double t = JulianDay0h(int(date.year()), int(unsigned(date.month())),
                                     int(unsigned(date.day())), kMoonCalendarSwitchYear) -
                         2451545.0;
        const double t1 = t + zoneDays;
        const LunarPosition p1 = MoonPosition(t1);
        const LunarPosition p2 = MoonPosition(t1 + 0.5);
        const LunarPosition p3 = MoonPosition(t1 + 1.0);
        if (p2.rightAscension > p1.rightAscension && p3.rightAscension > p2.rightAscension)
            continue;

        const double theta0 = SiderealAtMidnight(t, zoneDays, place.longitudeMinutes / 60.0);
        const double cosZenith = std::cos((90.567 - 41.685 / p2.distance) * kDeg);
        const auto altitude = [&](double hours) {
            const LunarPosition p = MoonPosition(t1 + hours / 24.0);
            const double h = theta0 + hours * kSiderealPerHour - p.rightAscension;
            return sinLat * std::sin(p.declination) +
                   cosLat * std::cos(p.declination) * std::cos(h) - cosZenith;
        };
        const DayEvents day = ComputeMoonDay(date, place);
        if (day.rise.status != EventStatus::Normal) continue;
        for (const RiseSetResult* r : {&day.rise, &day.set}) {
            const double hours = r->time.count() / 60.0;
            const double sign = r == &day.rise ? 1.0 : -1.0;
            EXPECT_LT(sign * altitude(hours - 0.1), 0.0) << Iso(date) << ' ' << Text(r->time);
            EXPECT_GT(sign * altitude(hours + 0.1), 0.0) << Iso(date) << ' ' << Text(r->time);
            ++checked;
        }
    }
    EXPECT_GE(checked, 30) << "too few days with a wrap to test anything";
}

}  // namespace
}  // namespace dawn
