#include "places/zone.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/testsupport_tempdir.h"
#include "places/later_rule/later_rule.h"

namespace dawn {
namespace {

using std::chrono::minutes;

// Zones opened once for the whole program: each opening reads its file.
const Zone& ZoneNamed(const std::string& name) {
    static std::map<std::string, ZoneOpenResult> opened;
    auto it = opened.find(name);
    if (it == opened.end()) it = opened.emplace(name, OpenZone(name)).first;
    if (!it->second.zone) ADD_FAILURE() << name << ": " << it->second.message;
    static const Zone kNone("none", {});
    return it->second.zone ? *it->second.zone : kNone;
}

DayNumber D(int y, unsigned m, unsigned d) {
    return DayNumber::FromYmd(y, m, d);
}

ClockReading At(int y, unsigned m, unsigned d, int h, int min) {
    return {D(y, m, d), minutes{h * 60 + min}};
}

// Expected values from the tz database's rules for each zone (the dates are
// the Sundays or Fridays those rules name in that year).
struct DayCase {
    const char* zone;
    DayNumber date;
    int standardOffset;
    std::optional<SummerTimeWindow> summer;
    // The window as the day computation takes it; unset: summer time off.
    std::optional<DstWindow> window;
};

TEST(ZoneDay, StandardOffsetAndSummerTimeOfTheDate) {
    const DayCase cases[] = {
        // The last Sunday of March and of October, with four and with five
        // Sundays in the month; the day of a change already counts as new.
        {"Europe/Helsinki", D(2024, 7, 1), 120,
         SummerTimeWindow{At(2024, 3, 31, 3, 0), At(2024, 10, 27, 4, 0), minutes{60}},
         DstWindow{D(2024, 3, 31), D(2024, 10, 27)}},
        {"Europe/Helsinki", D(2024, 3, 31), 120,
         SummerTimeWindow{At(2024, 3, 31, 3, 0), At(2024, 10, 27, 4, 0), minutes{60}},
         DstWindow{D(2024, 3, 31), D(2024, 10, 27)}},
        {"Europe/Helsinki", D(2024, 10, 27), 120, std::nullopt,
         DstWindow{D(2025, 3, 30), D(2024, 10, 27)}},
        {"Europe/Brussels", D(2027, 7, 1), 60,
         SummerTimeWindow{At(2027, 3, 28, 2, 0), At(2027, 10, 31, 3, 0), minutes{60}},
         DstWindow{D(2027, 3, 28), D(2027, 10, 31)}},
        {"Europe/Brussels", D(2026, 1, 15), 60, std::nullopt,
         DstWindow{D(2026, 3, 29), D(2025, 10, 26)}},
        // Beyond the changes the zoneinfo file lists (2037), from its rule.
        {"Europe/Helsinki", D(2040, 7, 1), 120,
         SummerTimeWindow{At(2040, 3, 25, 3, 0), At(2040, 10, 28, 4, 0), minutes{60}},
         DstWindow{D(2040, 3, 25), D(2040, 10, 28)}},
        // And on to the end of 9999: winter stays winter after the zone
        // code's old end of 2602, in the north and in the south.
        {"Europe/Brussels", D(2603, 1, 15), 60, std::nullopt,
         DstWindow{D(2603, 3, 27), D(2602, 10, 31)}},
        {"Europe/Brussels", D(9999, 7, 1), 60,
         SummerTimeWindow{At(9999, 3, 28, 2, 0), At(9999, 10, 31, 3, 0), minutes{60}},
         DstWindow{D(9999, 3, 28), D(9999, 10, 31)}},
        {"Australia/Sydney", D(9999, 1, 15), 600,
         SummerTimeWindow{At(9998, 10, 4, 2, 0), At(9999, 4, 4, 3, 0), minutes{60}},
         DstWindow{D(9998, 10, 4), D(9999, 4, 4)}},
        {"Australia/Sydney", D(9999, 12, 31), 600,
         SummerTimeWindow{At(9999, 10, 3, 2, 0), At(10000, 4, 2, 3, 0), minutes{60}},
         DstWindow{D(9999, 10, 3), D(10000, 4, 2)}},
        // Ireland marks its winter as the daylight period: still GMT + 1 h.
        {"Europe/Dublin", D(2024, 7, 1), 0,
         SummerTimeWindow{At(2024, 3, 31, 1, 0), At(2024, 10, 27, 2, 0), minutes{60}},
         DstWindow{D(2024, 3, 31), D(2024, 10, 27)}},
        // The United States: first Sunday of April in 2006, second Sunday of
        // March from 2007; 20 March is winter time in one and summer in the other.
        {"America/New_York", D(2006, 3, 20), -300, std::nullopt,
         DstWindow{D(2006, 4, 2), D(2005, 10, 30)}},
        {"America/New_York", D(2007, 3, 20), -300,
         SummerTimeWindow{At(2007, 3, 11, 2, 0), At(2007, 11, 4, 2, 0), minutes{60}},
         DstWindow{D(2007, 3, 11), D(2007, 11, 4)}},
        // Summer time across the turn of the year.
        {"Australia/Sydney", D(2024, 12, 31), 600,
         SummerTimeWindow{At(2024, 10, 6, 2, 0), At(2025, 4, 6, 3, 0), minutes{60}},
         DstWindow{D(2024, 10, 6), D(2025, 4, 6)}},
        {"Australia/Sydney", D(2025, 1, 1), 600,
         SummerTimeWindow{At(2024, 10, 6, 2, 0), At(2025, 4, 6, 3, 0), minutes{60}},
         DstWindow{D(2024, 10, 6), D(2025, 4, 6)}},
        {"Australia/Lord_Howe", D(2024, 1, 1), 630,
         SummerTimeWindow{At(2023, 10, 1, 2, 0), At(2024, 4, 7, 2, 0), minutes{30}},
         DstWindow{D(2023, 10, 1), D(2024, 4, 7)}},
        {"Asia/Kolkata", D(2024, 6, 1), 330, std::nullopt, std::nullopt},
        // Brazil: summer time until February 2019, then none.
        {"America/Sao_Paulo", D(2018, 12, 1), -180,
         SummerTimeWindow{At(2018, 11, 4, 0, 0), At(2019, 2, 17, 0, 0), minutes{60}},
         DstWindow{D(2018, 11, 4), D(2019, 2, 17)}},
        {"America/Sao_Paulo", D(2019, 12, 1), -180, std::nullopt, std::nullopt},
        // Moscow: +3 with summer time, +4 all year from 2011, +3 from 2014.
        {"Europe/Moscow", D(2010, 7, 1), 180,
         SummerTimeWindow{At(2010, 3, 28, 2, 0), At(2010, 10, 31, 3, 0), minutes{60}},
         DstWindow{D(2010, 3, 28), D(2010, 10, 31)}},
        {"Europe/Moscow", D(2012, 7, 1), 240, std::nullopt, std::nullopt},
        {"Europe/Moscow", D(2015, 7, 1), 180, std::nullopt, std::nullopt},
        // Moscow went over to +2 h within the summer of 1991, its summer time
        // at +3 h: an hour over the new standard time.
        {"Europe/Moscow", D(1991, 7, 1), 120,
         SummerTimeWindow{At(1991, 3, 31, 2, 0), At(1991, 9, 29, 3, 0), minutes{60}},
         DstWindow{D(1991, 3, 31), D(1991, 9, 29)}},
        // Samoa leapt from -10 h (summer time over -11 h) to +14 h (summer time
        // over +13 h) at the end of 29 December 2011, within one summer: an
        // hour of summer time on the new standard time, not a day of it.
        {"Pacific/Apia", D(2012, 1, 15), 780,
         SummerTimeWindow{At(2011, 9, 24, 3, 0), At(2012, 4, 1, 4, 0), minutes{60}},
         DstWindow{D(2011, 9, 24), D(2012, 4, 1)}},
        // Morocco: summer time broken by Ramadan (2013), and +1 h all year
        // but Ramadan (2020); the window is the one holding the date.
        {"Africa/Casablanca", D(2013, 5, 1), 0,
         SummerTimeWindow{At(2013, 4, 28, 2, 0), At(2013, 7, 7, 3, 0), minutes{60}},
         DstWindow{D(2013, 4, 28), D(2013, 7, 7)}},
        {"Africa/Casablanca", D(2013, 7, 20), 0, std::nullopt,
         DstWindow{D(2013, 8, 10), D(2013, 7, 7)}},
        {"Africa/Casablanca", D(2013, 9, 1), 0,
         SummerTimeWindow{At(2013, 8, 10, 2, 0), At(2013, 10, 27, 3, 0), minutes{60}},
         DstWindow{D(2013, 8, 10), D(2013, 10, 27)}},
        {"Africa/Casablanca", D(2020, 5, 10), 0, std::nullopt,
         DstWindow{D(2020, 5, 31), D(2020, 4, 19)}},
        {"Africa/Casablanca", D(2020, 7, 1), 0,
         SummerTimeWindow{At(2020, 5, 31, 2, 0), At(2021, 4, 11, 3, 0), minutes{60}},
         DstWindow{D(2020, 5, 31), D(2021, 4, 11)}},
    };
    for (const DayCase& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + FormatIsoDate(c.date));
        const ZoneDay day = ZoneNamed(c.zone).Day(c.date);
        EXPECT_EQ(day.standardOffset, minutes{c.standardOffset});
        EXPECT_EQ(day.summer, c.summer);
        EXPECT_EQ(day.summerTimeEnabled, c.window.has_value());
        if (c.window) {
            EXPECT_EQ(day.window, *c.window);
            EXPECT_EQ(day.shift, c.summer ? c.summer->shift : minutes{60});
        } else {
            EXPECT_EQ(day.window, (DstWindow{D(c.date.Year(), 1, 1), D(c.date.Year(), 12, 31)}));
            EXPECT_EQ(day.shift, minutes{0});
        }
    }
}

// Where a zone follows "the last Sunday of March to the last Sunday of
// October", its window is the one the manual rules give, on every date: the
// zone, with its change at any hour, must agree with the whole-day rule.
TEST(ZoneDay, EqualsTheManualLastSundayRuleOnEveryDate) {
    const DstRuleParams params;  // the last Sunday of March and of October
    for (const char* name : {"Europe/Helsinki", "Europe/Brussels", "Europe/Dublin"}) {
        const Zone& zone = ZoneNamed(name);
        int mismatches = 0;
        for (DayNumber d = D(1997, 1, 1); d <= D(9999, 12, 31) && mismatches < 5;
             d = d == D(2700, 12, 31) ? D(9900, 1, 1) : d + 1) {
            const DstWindow manual = ComputeDstWindow(params, d);
            const ZoneDay day = zone.Day(d);
            if (day.window != manual || !day.summerTimeEnabled ||
                day.summer.has_value() != manual.Contains(d)) {
                ++mismatches;
                ADD_FAILURE() << name << " " << FormatIsoDate(d);
            }
        }
    }
}

TEST(ZoneRule, TheYearsRuleAsTheManualControlsWriteIt) {
    using K = YearRule::Kind;
    using O = Occurrence;
    struct Case {
        const char* zone;
        int year;
        K kind;
        ChangeDay summer;
        ChangeDay winter;
        int shift;
        int standardOffset;
    };
    const Case cases[] = {
        {"Europe/Helsinki", 2026, K::Rule, {3, 1, O::Last}, {10, 1, O::Last}, 60, 120},
        {"Europe/Dublin", 2024, K::Rule, {3, 1, O::Last}, {10, 1, O::Last}, 60, 0},
        {"America/New_York", 2006, K::Rule, {4, 1, O::First}, {10, 1, O::Last}, 60, -300},
        {"America/New_York", 2007, K::Rule, {3, 1, O::Second}, {11, 1, O::First}, 60, -300},
        {"Australia/Sydney", 2024, K::Rule, {10, 1, O::First}, {4, 1, O::First}, 60, 600},
        {"Australia/Lord_Howe", 2024, K::Rule, {10, 1, O::First}, {4, 1, O::First}, 30, 630},
        {"Asia/Kolkata", 2024, K::None, {}, {}, 0, 330},
        // From the zone's rule, to the last year.
        {"Europe/Helsinki", 9999, K::Rule, {3, 1, O::Last}, {10, 1, O::Last}, 60, 120},
        {"America/New_York", 6543, K::Rule, {3, 1, O::Second}, {11, 1, O::First}, 60, -300},
        {"Europe/Moscow", 2011, K::None, {}, {}, 0, 180},
        {"Europe/Moscow", 2012, K::None, {}, {}, 0, 240},
        // Only an end, four changes, and a fourth Friday that is not the last.
        {"America/Sao_Paulo", 2019, K::Irregular, {}, {}, 0, -180},
        {"Africa/Casablanca", 2013, K::Irregular, {}, {}, 0, 0},
        {"Asia/Jerusalem", 2029, K::Irregular, {}, {}, 0, 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.year));
        const YearRule rule = ZoneNamed(c.zone).RuleOfYear(c.year);
        EXPECT_EQ(rule.kind, c.kind);
        EXPECT_EQ(rule.standardOffset, minutes{c.standardOffset});
        if (c.kind != K::Rule) continue;
        EXPECT_EQ(rule.summer, c.summer);
        EXPECT_EQ(rule.winter, c.winter);
        EXPECT_EQ(rule.shift, minutes{c.shift});
    }
}

// The periods a calendar file writes its zone from: to the second, with the
// database's names, summer time as the program counts it, and consecutive.
TEST(ZonePeriods, OffsetsToTheSecondAndSummerTimeOfARange) {
    using std::chrono::seconds;
    using std::chrono::sys_seconds;
    struct Case {
        const char* zone;
        DayNumber from;
        DayNumber to;
        std::vector<std::tuple<int, bool, const char*>> periods;  // offset, summer, name
    };
    const Case cases[] = {
        // Local mean time before the first change, with its seconds.
        {"Europe/Brussels", D(1850, 1, 1), D(1850, 12, 31), {{1050, false, "LMT"}}},
        {"America/New_York", D(1850, 6, 1), D(1850, 6, 2), {{-17762, false, "LMT"}}},
        {"Europe/Brussels",
         D(2024, 3, 1),
         D(2024, 11, 1),
         {{3600, false, "CET"}, {7200, true, "CEST"}, {3600, false, "CET"}}},
        // Half an hour of summer time over +10:30, named "+11".
        {"Australia/Lord_Howe",
         D(2024, 1, 1),
         D(2024, 5, 1),
         {{39600, true, "+11"}, {37800, false, "+1030"}}},
        // Ireland's winter is its database's daylight period, not summer time.
        {"Europe/Dublin", D(2024, 1, 1), D(2024, 6, 1), {{0, false, "GMT"}, {3600, true, "IST"}}},
        // From the zone's rule, far past the listed changes.
        {"Europe/Brussels", D(2585, 1, 1), D(2585, 1, 31), {{3600, false, "CET"}}},
        {"Australia/Sydney",
         D(9999, 3, 1),
         D(9999, 12, 31),
         {{39600, true, "AEDT"}, {36000, false, "AEST"}, {39600, true, "AEDT"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + FormatIsoDate(c.from));
        const sys_seconds from = c.from.ToSysDays();
        const sys_seconds to = c.to.ToSysDays();
        const ZonePeriodsResult r = ZonePeriodsBetween(c.zone, from, to);
        ASSERT_EQ(r.error, ZoneError::None) << r.message;
        ASSERT_EQ(r.periods.size(), c.periods.size());
        EXPECT_EQ(r.periods.front().begin, from);
        for (std::size_t k = 0; k < r.periods.size(); ++k) {
            const auto& [offset, summer, name] = c.periods[k];
            EXPECT_EQ(r.periods[k].offset, seconds{offset}) << k;
            EXPECT_EQ(r.periods[k].summer, summer) << k;
            EXPECT_EQ(r.periods[k].abbreviation, name) << k;
            if (k > 0) {
                EXPECT_LT(r.periods[k - 1].begin, r.periods[k].begin);
            }
        }
        EXPECT_LE(r.periods.back().begin, to);
    }
    const ZonePeriodsResult unknown = ZonePeriodsBetween(
        "../../etc/passwd", D(2024, 1, 1).ToSysDays(), D(2024, 2, 1).ToSysDays());
    EXPECT_EQ(unknown.error, ZoneError::UnknownZone);
    EXPECT_TRUE(unknown.periods.empty());
}

// The rule for the years after the listed changes: periods that follow each
// other, and a rule whose days no year has is refused.
TEST(LaterRule, ConsecutivePeriodsOrARefusal) {
    const auto secondsOf = [](DayNumber d) {
        return std::chrono::sys_seconds(d.ToSysDays()).time_since_epoch().count();
    };
    const std::int64_t from = secondsOf(D(2040, 1, 1));
    const std::int64_t to = secondsOf(D(2140, 1, 1));
    const later_rule::Periods good =
        later_rule::PeriodsOfRule("EET-2EEST,M3.5.0/3,M10.5.0/4", from, to);
    ASSERT_TRUE(good.error.empty()) << good.error;
    EXPECT_EQ(good.periods.size(), 201u);
    for (std::size_t k = 1; k < good.periods.size(); ++k)
        EXPECT_EQ(good.periods[k].begin, good.periods[k - 1].end);
    EXPECT_EQ(good.periods[1].abbreviation, "EEST");
    for (const char* bad : {"XXX3YYY,J60/2,J607", "XXX3YYY,J0,J300", "XXX3YYY,400,J300",
                            "XXX3YYY,M13.1.0,M10.5.0", "XXX3YYY,M3.6.0,M10.5.0",
                            "XXX3YYY,M3.5.7,M10.5.0", "XXX3YYY,M3.5.0", "XXX3YYY,J60,J1000"}) {
        const later_rule::Periods r = later_rule::PeriodsOfRule(bad, from, to);
        EXPECT_FALSE(r.error.empty()) << bad;
        EXPECT_TRUE(r.periods.empty()) << bad;
    }
}

TEST(OpenZone, ReportsUnknownZonesAndAMissingDatabase) {
    for (const char* name : {"Mars/Olympus", "", "europe/helsinki", "../../etc/passwd",
                             "/usr/share/zoneinfo/Europe/Helsinki", "zone.tab", "Europe/"}) {
        const ZoneOpenResult r = OpenZone(name);
        EXPECT_EQ(r.zone, nullptr) << name;
        EXPECT_EQ(r.error, ZoneError::UnknownZone) << name;
        EXPECT_EQ(r.message, "unknown time zone \"" + std::string(name) + "\"");
    }
    const std::string longName(10000, 'A');
    EXPECT_EQ(OpenZone(longName).error, ZoneError::UnknownZone);
    // A long name is cut in the message, never inside a character.
    const std::string accented = std::string(63, 'A') + "\xc3\xa9\xc3\xa9";
    EXPECT_EQ(OpenZone(accented).message, "unknown time zone \"" + std::string(63, 'A') + "\"");

    const testing::TempDir empty;
    const ZoneOpenResult missing = OpenZone("Europe/Helsinki", empty.str());
    EXPECT_EQ(missing.zone, nullptr);
    EXPECT_EQ(missing.error, ZoneError::DatabaseMissing);
    EXPECT_EQ(missing.message,
              "no time-zone database in " + empty.str() + " (the tzdata package provides it)");

    const ZoneOpenResult good = OpenZone("Europe/Helsinki");
    ASSERT_NE(good.zone, nullptr) << good.message;
    EXPECT_EQ(good.zone->Name(), "Europe/Helsinki");
}

}  // namespace
}  // namespace dawn

namespace dawn {
namespace {

TEST(ZoneChanges, SummerTimeStartsAndEndsWithTheirInstants) {
    using std::chrono::sys_days;
    using std::chrono::sys_time;
    const auto ut = [](int y, unsigned m, unsigned d, int h, int min) {
        return sys_time<minutes>{sys_days{D(y, m, d).ToDate()}} + minutes{h * 60 + min};
    };
    // Helsinki 2024: forward at 03:00 EET on 31 March, back at 04:00 EEST on
    // 27 October, both at 01:00 UT. Sydney's summer spans the new year.
    struct Case {
        const char* zone;
        DayNumber first, last;
        std::vector<Zone::SummerTimeChange> expected;
    } cases[] = {
        {"Europe/Helsinki",
         D(2024, 1, 1),
         D(2024, 12, 31),
         {{At(2024, 3, 31, 3, 0), true, ut(2024, 3, 31, 1, 0)},
          {At(2024, 10, 27, 4, 0), false, ut(2024, 10, 27, 1, 0)}}},
        {"Europe/Helsinki", D(2024, 4, 1), D(2024, 10, 26), {}},
        {"Europe/Helsinki",
         D(2024, 3, 31),
         D(2024, 3, 31),
         {{At(2024, 3, 31, 3, 0), true, ut(2024, 3, 31, 1, 0)}}},
        {"Australia/Sydney",
         D(2024, 1, 1),
         D(2024, 12, 31),
         {{At(2024, 4, 7, 3, 0), false, ut(2024, 4, 6, 16, 0)},
          {At(2024, 10, 6, 2, 0), true, ut(2024, 10, 5, 16, 0)}}},
        {"Asia/Kolkata", D(2024, 1, 1), D(2024, 12, 31), {}},
    };
    for (const Case& c : cases) {
        const auto got = ZoneNamed(c.zone).SummerTimeChangesBetween(c.first, c.last);
        ASSERT_EQ(got.size(), c.expected.size()) << c.zone;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].reading, c.expected[i].reading) << c.zone << " " << i;
            EXPECT_EQ(got[i].starts, c.expected[i].starts) << c.zone << " " << i;
            EXPECT_EQ(got[i].ut, c.expected[i].ut) << c.zone << " " << i;
        }
    }
    // The offset changes at the very minute.
    const Zone& helsinki = ZoneNamed("Europe/Helsinki");
    EXPECT_EQ(helsinki.ClockOffsetAt(ut(2024, 3, 31, 0, 59)), minutes{120});
    EXPECT_EQ(helsinki.ClockOffsetAt(ut(2024, 3, 31, 1, 0)), minutes{180});
    EXPECT_EQ(helsinki.ClockOffsetAt(ut(2024, 10, 27, 0, 59)), minutes{180});
    EXPECT_EQ(helsinki.ClockOffsetAt(ut(2024, 10, 27, 1, 0)), minutes{120});
    EXPECT_EQ(helsinki.ClockOffsetAt(ut(1700, 1, 1, 0, 0)), minutes{100});  // local mean time
    EXPECT_EQ(Zone("none", {}).ClockOffsetAt(ut(2024, 1, 1, 0, 0)), minutes{0});
    EXPECT_TRUE(Zone("none", {}).SummerTimeChangesBetween(D(2024, 1, 1), D(2024, 12, 31)).empty());
}

}  // namespace
}  // namespace dawn
