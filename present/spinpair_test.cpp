#include "present/spinpair.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace dawn {
namespace {

// A user's arrow step on one part: the spin edit moves within its range and
// the rule runs when the value changed.
void Step(PairKind kind, SpinPair& p, PairPart part, int delta) {
    const SpinPart& s = part == PairPart::Whole ? p.whole : p.minutes;
    WriteSpinPart(kind, p, part, s.value + delta);
}

SpinPair PairAt(PairKind kind, int whole, int minutes) {
    return PairShowing(kind, whole * 60 + minutes);
}

TEST(SpinPairTest, CarriesBehaveAsACounter) {
    struct Case {
        const char* what;
        PairKind kind;
        int whole, minutes;
        PairPart part;
        int delta;
        int wantWhole, wantMinutes;
    };
    const Case cases[] = {
        {"49°59' minute up", PairKind::Latitude, 49, 59, PairPart::Minutes, +1, 50, 0},
        {"50°00' minute down", PairKind::Latitude, 50, 0, PairPart::Minutes, -1, 49, 59},
        {"-50°00' minute up", PairKind::Latitude, -50, 0, PairPart::Minutes, +1, -49, -59},
        {"-49°-59' minute down", PairKind::Latitude, -49, -59, PairPart::Minutes, -1, -50, 0},
        {"0°00' minute down", PairKind::Latitude, 0, 0, PairPart::Minutes, -1, 0, -1},
        {"0°-59' minute down", PairKind::Latitude, 0, -59, PairPart::Minutes, -1, -1, 0},
        {"0°59' minute up", PairKind::Latitude, 0, 59, PairPart::Minutes, +1, 1, 0},
        {"1°00' minute down", PairKind::Latitude, 1, 0, PairPart::Minutes, -1, 0, 59},
        {"-1°00' minute up", PairKind::Latitude, -1, 0, PairPart::Minutes, +1, 0, -59},
        {"0°-30' degree up carries the sign", PairKind::Latitude, 0, -30, PairPart::Whole, +1, 1,
         30},
        {"0°30' degree down carries the sign", PairKind::Latitude, 0, 30, PairPart::Whole, -1, -1,
         -30},
        {"0°-01' degree up carries the sign", PairKind::Latitude, 0, -1, PairPart::Whole, +1, 1, 1},
        {"0°01' degree down carries the sign", PairKind::Latitude, 0, 1, PairPart::Whole, -1, -1,
         -1},
        {"89°59' minute up", PairKind::Latitude, 89, 59, PairPart::Minutes, +1, 90, 0},
        {"90°00' degree down", PairKind::Latitude, 90, 0, PairPart::Whole, -1, 89, 0},
        {"90°00' minute down", PairKind::Latitude, 90, 0, PairPart::Minutes, -1, 89, 59},
        {"-90°00' minute up", PairKind::Latitude, -90, 0, PairPart::Minutes, +1, -89, -59},
        {"179°59' minute up", PairKind::Longitude, 179, 59, PairPart::Minutes, +1, 180, 0},
        {"-179°-59' minute down", PairKind::Longitude, -179, -59, PairPart::Minutes, -1, -180, 0},
        {"zone 0:00 minute down", PairKind::TimeZone, 0, 0, PairPart::Minutes, -1, 0, -1},
        {"zone 22:59 minute up", PairKind::TimeZone, 22, 59, PairPart::Minutes, +1, 23, 0},
        {"zone -23:00 minute down", PairKind::TimeZone, -23, 0, PairPart::Minutes, -1, -23, -1},
        {"zone 23:00 minute down", PairKind::TimeZone, 23, 0, PairPart::Minutes, -1, 22, 59},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SpinPair p = PairAt(c.kind, c.whole, c.minutes);
        ASSERT_EQ(p.whole.value, c.whole);
        ASSERT_EQ(p.minutes.value, c.minutes);
        Step(c.kind, p, c.part, c.delta);
        EXPECT_EQ(p.whole.value, c.wantWhole);
        EXPECT_EQ(p.minutes.value, c.wantMinutes);
    }
}

TEST(SpinPairTest, EndsOfTheRangeCannotBePassed) {
    struct Case {
        const char* what;
        PairKind kind;
        int whole, minutes;
        PairPart part;
        int delta;
    };
    const Case cases[] = {
        {"90°00' minute up", PairKind::Latitude, 90, 0, PairPart::Minutes, +1},
        {"90°00' degree up", PairKind::Latitude, 90, 0, PairPart::Whole, +1},
        {"89°30' degree up", PairKind::Latitude, 89, 30, PairPart::Whole, +1},
        {"-89°-30' degree down", PairKind::Latitude, -89, -30, PairPart::Whole, -1},
        {"-180°00' minute down", PairKind::Longitude, -180, 0, PairPart::Minutes, -1},
        {"zone 23:59 minute up", PairKind::TimeZone, 23, 59, PairPart::Minutes, +1},
        {"zone 23:59 hour up", PairKind::TimeZone, 23, 59, PairPart::Whole, +1},
        {"zone -23:-59 minute down", PairKind::TimeZone, -23, -59, PairPart::Minutes, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SpinPair p = PairAt(c.kind, c.whole, c.minutes);
        const SpinPair before = p;
        Step(c.kind, p, c.part, c.delta);
        EXPECT_EQ(p.whole.value, before.whole.value);
        EXPECT_EQ(p.minutes.value, before.minutes.value);
    }
}

TEST(SpinPairTest, EveryReachableStateIsConsistentAndMinuteStepsCount) {
    for (PairKind kind : {PairKind::Latitude, PairKind::Longitude, PairKind::TimeZone}) {
        SCOPED_TRACE(PairLimit(kind));
        const int maxTotal = PairMaxTotal(kind);
        const SpinPair start = PairShowing(kind, 0);
        // Walk every state the four arrows can reach.
        std::vector<SpinPair> todo{start};
        std::set<std::pair<int, int>> seenValues;
        std::set<std::tuple<int, int, int, int, int, int>> seen;
        auto key = [](const SpinPair& p) {
            return std::tuple(p.whole.value, p.minutes.value, p.whole.min, p.whole.max,
                              p.minutes.min, p.minutes.max);
        };
        while (!todo.empty()) {
            SpinPair p = todo.back();
            todo.pop_back();
            if (!seen.insert(key(p)).second) continue;
            seenValues.insert({p.whole.value, p.minutes.value});
            const int g = p.whole.value, m = p.minutes.value;
            ASSERT_LE(std::abs(PairTotal(p)), maxTotal) << g << " " << m;
            ASSERT_LE(std::abs(m), 59) << g << " " << m;
            ASSERT_TRUE(g == 0 || m == 0 || (g > 0) == (m > 0)) << g << " " << m;
            ASSERT_EQ(PairTotal(p), g * 60 + m);
            ASSERT_TRUE(p.whole.min <= g && g <= p.whole.max) << g << " " << m;
            ASSERT_TRUE(p.minutes.min <= m && m <= p.minutes.max) << g << " " << m;
            for (PairPart part : {PairPart::Whole, PairPart::Minutes}) {
                for (int delta : {-1, +1}) {
                    SpinPair next = p;
                    Step(kind, next, part, delta);
                    if (part == PairPart::Minutes && next != p) {
                        // A minute step moves the total by exactly one minute.
                        ASSERT_EQ(PairTotal(next) - PairTotal(p), delta) << g << " " << m;
                    }
                    todo.push_back(next);
                }
            }
        }
        // Every value from -limit to +limit can be reached.
        EXPECT_EQ(seenValues.size(), static_cast<size_t>(2 * maxTotal + 1));
    }
}

TEST(SpinPairTest, ProgramWritesFromAnyStateEndConsistent) {
    // The place defaults write the whole part, then the minutes, from
    // wherever the user left the pair.
    for (PairKind kind : {PairKind::Latitude, PairKind::Longitude, PairKind::TimeZone}) {
        const int limit = PairMaxTotal(kind);
        for (int total = -limit; total <= limit; total += 7) {
            for (auto [whole, minutes] :
                 {std::pair{50, 47}, std::pair{5, 28}, std::pair{1, 0}, std::pair{0, -30}}) {
                if (whole > PairLimit(kind)) continue;
                SpinPair p = PairShowing(kind, total);
                WriteSpinPart(kind, p, PairPart::Whole, whole);
                WriteSpinPart(kind, p, PairPart::Minutes, minutes);
                ASSERT_EQ(PairTotal(p), whole * 60 + minutes) << total;
                ASSERT_TRUE(p.whole.min <= p.whole.value && p.whole.value <= p.whole.max) << total;
                ASSERT_TRUE(p.minutes.min <= p.minutes.value && p.minutes.value <= p.minutes.max)
                    << total;
            }
        }
    }
}

TEST(SpinPairTest, DefaultsFromTheSouthGoNorth) {
    // Degrees set first: the minutes turn positive (52) before they are set.
    SpinPair p = PairAt(PairKind::Latitude, -33, -52);
    WriteSpinPart(PairKind::Latitude, p, PairPart::Whole, 50);
    EXPECT_EQ(p.minutes.value, 52);
    WriteSpinPart(PairKind::Latitude, p, PairPart::Minutes, 47);
    EXPECT_EQ(PairTotal(p), 50 * 60 + 47);
}

TEST(SpinPairTest, OutOfRangeValuesAreClamped) {
    // A hand-edited settings file may hold any number.
    EXPECT_EQ(PairTotal(PairShowing(PairKind::Latitude, 100000)), 5400);
    EXPECT_EQ(PairTotal(PairShowing(PairKind::Longitude, -10801)), -10800);
    EXPECT_EQ(PairTotal(PairShowing(PairKind::TimeZone, -6075)), -1439);
    // Writing a part clamps it to its range.
    SpinPair p = PairShowing(PairKind::Latitude, 0);
    WriteSpinPart(PairKind::Latitude, p, PairPart::Whole, 1666);
    EXPECT_EQ(PairTotal(p), 5400);
}

TEST(SpinPairTest, TypedValuesCarryWhenCommitted) {
    struct Case {
        const char* what;
        PairKind kind;
        int whole, minutes;  // the pair before
        PairPart part;
        long long typed;
        int wantWhole, wantMinutes;
    };
    constexpr auto M = PairPart::Minutes;
    constexpr auto W = PairPart::Whole;
    const Case cases[] = {
        {"75 minutes after 50°", PairKind::Latitude, 50, 47, M, 75, 51, 15},
        {"75 minutes after -50°", PairKind::Latitude, -50, -47, M, 75, -51, -15},
        {"-75 minutes after -50°", PairKind::Latitude, -50, -47, M, -75, -51, -15},
        {"-75 minutes after 0°", PairKind::Latitude, 0, 10, M, -75, -1, -15},
        {"600 minutes of longitude", PairKind::Longitude, 5, 28, M, 600, 15, 0},
        {"90 minutes of zone after 1 hour", PairKind::TimeZone, 1, 0, M, 90, 2, 30},
        {"south degrees keep the minutes", PairKind::Latitude, 50, 47, W, -33, -33, -47},
        {"0° keeps the minutes' side", PairKind::Latitude, -50, -47, W, 0, 0, -47},
        {"beyond the pole", PairKind::Latitude, 50, 47, W, 95, 90, 0},
        {"a digit too many", PairKind::Longitude, 5, 28, M, 99999999999LL, 180, 0},
        {"far west", PairKind::Longitude, 5, 28, W, -99999999999LL, -180, 0},
        {"past 23:59", PairKind::TimeZone, 23, 0, M, 75, 23, 59},
    };
    for (const Case& c : cases) {
        const SpinPair before = PairAt(c.kind, c.whole, c.minutes);
        const SpinPair after = PairShowing(c.kind, TypedPairTotal(c.kind, before, c.part, c.typed));
        EXPECT_EQ(after.whole.value, c.wantWhole) << c.what;
        EXPECT_EQ(after.minutes.value, c.wantMinutes) << c.what;
    }
}

TEST(SpinPairTest, SplitTruncatesTowardZero) {
    EXPECT_EQ(SplitMinutes(-3047).whole, -50);
    EXPECT_EQ(SplitMinutes(-3047).minutes, -47);
    EXPECT_EQ(SplitMinutes(-30).whole, 0);
    EXPECT_EQ(SplitMinutes(-30).minutes, -30);
    EXPECT_EQ(SplitMinutes(328).whole, 5);
    EXPECT_EQ(SplitMinutes(328).minutes, 28);
}

}  // namespace
}  // namespace dawn
