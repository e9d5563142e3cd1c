// The scan on made-up skies, where the altitude function is simple enough to
// know the answer: the degenerate parabolas and azimuths that real positions
// hardly ever produce.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "astro/astro.h"

namespace dawn {
namespace {

constexpr double kPi = 3.141592653589793;

// With cosLatitude 0 and sinLatitude 1 the altitude function is sin(declination):
// the hour angles drop out and the declinations alone decide the crossings.
ScanSetup DeclinationOnlySky() {
    return {0.0, 1.0, 0.0, 0.0, false};
}

std::array<Equatorial, 24> Constant(Equatorial p) {
    std::array<Equatorial, 24> ends;
    ends.fill(p);
    return ends;
}

TEST(HourlyEventScan, StraightLineAltitudeTakesTheLinearRoot) {
    // sin(-x), sin(0), sin(x) through hour 5: the parabola's leading
    // coefficient is exactly 0 and the crossing lies in the middle of the hour.
    std::array<Equatorial, 24> ends = Constant({0.0, 0.2});
    for (int c = 0; c < 5; ++c) ends[c] = {0.0, -0.2};
    const ScanResult r = HourlyEventScan(DeclinationOnlySky(), {0.0, -0.2}, ends);
    ASSERT_TRUE(r.rise.found);
    EXPECT_FALSE(r.set.found);
    EXPECT_EQ(r.rise.time, (ClockTime{5, 30}));
    EXPECT_GT(r.finalAltitude, 0.0);
}

TEST(HourlyEventScan, RootRoundedOutOfTheHourStaysInIt) {
    // The crossing lies a hair before the end of hour 0; rounding puts the
    // first root just past 1 and the second one far outside the hour.
    std::array<Equatorial, 24> ends = Constant({0.0, 0.1});
    ends[0] = {0.0, 3.409261463174052e-17};
    const ScanResult r = HourlyEventScan(DeclinationOnlySky(), {0.0, -0.5}, ends);
    ASSERT_TRUE(r.rise.found);
    EXPECT_EQ(r.rise.time, (ClockTime{1, 0}));
}

TEST(HourlyEventScan, ExactZeroAtAnEndOfTheHourIsNoCrossing) {
    // Passing through exactly zero at the end of hour 2 gives neither hour
    // opposite signs at its ends.
    std::array<Equatorial, 24> ends = Constant({0.0, 0.1});
    ends[0] = ends[1] = {0.0, -0.1};
    ends[2] = {0.0, 0.0};
    const ScanResult r = HourlyEventScan(DeclinationOnlySky(), {0.0, -0.1}, ends);
    EXPECT_FALSE(r.rise.found);
    EXPECT_GT(r.finalAltitude, 0.0);

    // Touching zero at 24:00 leaves the final altitude exactly zero.
    std::array<Equatorial, 24> touching = Constant({0.0, -0.1});
    touching[23] = {0.0, 0.0};
    const ScanResult t = HourlyEventScan(DeclinationOnlySky(), {0.0, -0.1}, touching);
    EXPECT_FALSE(t.rise.found);
    EXPECT_FALSE(t.set.found);
    EXPECT_EQ(t.finalAltitude, 0.0);
}

TEST(HourlyEventScan, AzimuthDueEastAndWestWhenItsDenominatorIsZero) {
    // On the equator with the declination -0.0 all day, the azimuth's
    // denominator is -0.0 at every crossing; the rise is due east and the set
    // due west. Midnight is chosen so that the body rises in the middle of
    // hour 3 (hour angle -90°) and sets in the middle of hour 15.
    const double theta0 = -kPi / 2 - 3.5 * kSiderealPerHour;
    const ScanSetup equator{theta0, 0.0, 1.0, 0.0, false};
    const Equatorial still{0.0, -0.0};
    const ScanResult r = HourlyEventScan(equator, still, Constant(still));
    ASSERT_TRUE(r.rise.found);
    ASSERT_TRUE(r.set.found);
    EXPECT_EQ(r.rise.time, (ClockTime{3, 30}));
    EXPECT_NEAR(r.rise.azimuth, 90.0, 1e-9);
    EXPECT_NEAR(r.set.azimuth, 270.0, 1e-9);
}

TEST(HourlyEventScan, RightAscensionKeptIncreasingThroughTheHour) {
    // A right ascension that falls back by a full turn during the hour of a
    // crossing describes the same sky; with the moon's rule the scan sees no
    // difference, without it the hour angle of the middle of the hour jumps.
    ScanSetup sky{0.3, std::sin(0.8), std::cos(0.8), std::cos(1.58), true};
    const Equatorial start{6.0, 0.3};
    const auto ends = [&](int wrapFrom) {
        std::array<Equatorial, 24> e;
        for (int c = 0; c < 24; ++c) {
            const double alpha = start.rightAscension + (c + 1) * 0.01;
            e[c] = {c >= wrapFrom ? alpha - 2 * kPi : alpha, 0.3 - c * 0.01};
        }
        return e;
    };
    const ScanResult smooth = HourlyEventScan(sky, start, ends(24));
    ASSERT_TRUE(smooth.rise.found);
    const int hour = smooth.rise.time.hours;

    const ScanResult wrapped = HourlyEventScan(sky, start, ends(hour));
    EXPECT_TRUE(wrapped.rise.found);
    EXPECT_EQ(wrapped.set.found, smooth.set.found);
    EXPECT_EQ(wrapped.rise.time, smooth.rise.time);
    EXPECT_EQ(wrapped.set.time, smooth.set.time);
    EXPECT_NEAR(wrapped.rise.azimuth, smooth.rise.azimuth, 1e-9);

    sky.keepRightAscensionIncreasing = false;
    const ScanResult unguarded = HourlyEventScan(sky, start, ends(hour));
    EXPECT_FALSE(unguarded.rise.time == smooth.rise.time &&
                 std::abs(unguarded.rise.azimuth - smooth.rise.azimuth) < 1e-6)
        << "the wrapped sky should differ without the rule, or the case tests nothing";
}

}  // namespace
}  // namespace dawn
