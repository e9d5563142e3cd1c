// The sun's and the moon's day as the kernels sample it, against the same
// formulas evaluated the straightforward way: every sine and cosine of the
// position series called for itself, and the altitude of every hour from its
// own sin and cos. Over a dense grid of places and dates the rise and set
// texts and azimuths must be the same and the altitude samples agree to 1e-9.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

#include "astro/astro.h"
#include "astro/day_scan.h"

namespace dawn {
namespace {

using namespace std::chrono;

constexpr double kTwoPi = 6.283185307179586;
constexpr double kDegree = 0.017453292519943295;

double Turns(double x) {
    return (x - std::floor(x)) * kTwoPi;
}

double ArcSine(double s) {
    return std::atan(s / std::sqrt(1.0 - s * s));
}

Equatorial StraightSun(double t, double tt) {
    using std::cos;
    using std::sin;
    const double l = Turns(0.779072 + 0.00273790931 * t);
    const double g = Turns(0.993126 + 0.0027377785 * t);
    const double v =
        0.39785 * sin(l) - 0.01 * sin(l - g) + 0.00333 * sin(l + g) - 0.00021 * tt * sin(l);
    const double u = 1.0 - 0.03349 * cos(g) - 0.00014 * cos(2.0 * l) + 0.00008 * cos(l);
    const double w = -0.0001 - 0.04129 * sin(2.0 * l) + 0.03211 * sin(g) +
                     0.00104 * sin(2.0 * l - g) - 0.00035 * sin(2.0 * l + g) -
                     0.00008 * tt * sin(g);
    return {l + ArcSine(w / std::sqrt(u - v * v)), ArcSine(v / std::sqrt(u))};
}

LunarPosition StraightMoon(double t) {
    using std::cos;
    using std::sin;
    const double l = Turns(0.606434 + 0.03660110129 * t);
    const double m = Turns(0.374897 + 0.03629164709 * t);
    const double f = Turns(0.259091 + 0.0367481952 * t);
    const double d = Turns(0.827362 + 0.03386319198 * t);
    const double n = Turns(0.347343 - 0.00014709391 * t);
    const double g = Turns(0.993126 + 0.0027377785 * t);
    const double v = 0.39558 * sin(f + n) + 0.082 * sin(f) + 0.03257 * sin(m - f - n) +
                     0.01092 * sin(m + f + n) + 0.00666 * sin(m - f) -
                     0.00644 * sin(m + f - 2.0 * d + n) - 0.00331 * sin(f - 2.0 * d + n) -
                     0.00304 * sin(f - 2.0 * d) - 0.0024 * sin(m - f - 2.0 * d - n) +
                     0.00226 * sin(m + f) - 0.00108 * sin(m + f - 2.0 * d) - 0.00079 * sin(f - n) +
                     0.00078 * sin(2.0 * d + f + n);
    const double u = 1.0 - 0.10828 * cos(m) - 0.0188 * cos(m - 2.0 * d) - 0.01479 * cos(2.0 * d) +
                     0.00181 * cos(2.0 * m - 2.0 * d) - 0.00147 * cos(2.0 * m) -
                     0.00105 * cos(2.0 * d - g) - 0.00075 * cos(m - 2.0 * d + g);
    const double w = 0.10478 * sin(m) - 0.04105 * sin(2.0 * f + 2.0 * n) -
                     0.0213 * sin(m - 2.0 * d) - 0.01779 * sin(2.0 * f + n) + 0.01774 * sin(n) +
                     0.00987 * sin(2.0 * d) - 0.00338 * sin(m - 2.0 * f - 2.0 * n) -
                     0.00309 * sin(g) - 0.0019 * sin(2.0 * f) - 0.00144 * sin(m + n) -
                     0.00144 * sin(m - 2.0 * f - n) - 0.00113 * sin(m + 2.0 * f + 2.0 * n) -
                     0.00094 * sin(m - 2.0 * d + g) - 0.00092 * sin(2.0 * m - 2.0 * d);
    return {l + ArcSine(w / std::sqrt(u - v * v)), ArcSine(v / std::sqrt(u)),
            60.40974 * std::sqrt(u)};
}

// The day of either body from its positions at local midnight and at the
// end of every hour.
struct StraightDay {
    ScanSetup setup;
    Equatorial start;
    std::array<Equatorial, 24> ends;
};

StraightDay StraightSunDay(year_month_day date, const Place& place) {
    const DaySetting day = SetUpDay(date, place, kSunCalendarSwitchYear);
    const double t = day.daysFromJ2000;
    const double tt = t / 36525.0 + 1.0;
    const double t1 = t + day.zoneDays;
    const Equatorial first = StraightSun(t1, tt);
    Equatorial last = StraightSun(t1 + 1.0, tt);
    if (last.rightAscension < first.rightAscension) last.rightAscension += kTwoPi;
    StraightDay s{{SiderealAtMidnight(t, day.zoneDays, day.longitudeDegrees), day.sinLatitude,
                   day.cosLatitude, std::cos(90.833 * kDegree), false},
                  first,
                  {}};
    for (int c = 0; c < 24; ++c) {
        const double p = (c + 1) / 24.0;
        s.ends[c] = {first.rightAscension + p * (last.rightAscension - first.rightAscension),
                     first.declination + p * (last.declination - first.declination)};
    }
    return s;
}

double OnParabola(double y1, double y2, double y3, double p) {
    const double a = y2 - y1;
    const double b = y3 - y2 - a;
    return y1 + p * (2.0 * a + (2.0 * p - 1.0) * b);
}

StraightDay StraightMoonDay(year_month_day date, const Place& place) {
    const DaySetting day = SetUpDay(date, place, kMoonCalendarSwitchYear);
    const double t = day.daysFromJ2000;
    const double t1 = t + day.zoneDays;
    const LunarPosition p1 = StraightMoon(t1);
    const LunarPosition p2 = StraightMoon(t1 + 0.5);
    const LunarPosition p3 = StraightMoon(t1 + 1.0);
    double alpha1 = p1.rightAscension;
    double alpha2 = p2.rightAscension;
    double alpha3 = p3.rightAscension;
    if (alpha2 <= alpha1) alpha2 += kTwoPi;
    if (alpha3 <= alpha2) alpha3 += kTwoPi;
    StraightDay s{{SiderealAtMidnight(t, day.zoneDays, day.longitudeDegrees), day.sinLatitude,
                   day.cosLatitude, std::cos((90.567 - 41.685 / p2.distance) * kDegree), true},
                  {alpha1, p1.declination},
                  {}};
    for (int c = 0; c < 24; ++c) {
        const double p = (c + 1) / 24.0;
        s.ends[c] = {OnParabola(alpha1, alpha2, alpha3, p),
                     OnParabola(p1.declination, p2.declination, p3.declination, p)};
    }
    return s;
}

// The azimuth as it is shown: whole degrees and minutes rounded half up on
// their own, 59.5' and more carried into the degrees, a full turn north.
int ShownArcMinutes(double degrees) {
    const int whole = static_cast<int>(degrees);
    const int minutes = static_cast<int>(std::round((degrees - whole) * 60.0));
    return (whole * 60 + minutes) % (360 * 60);
}

// Whether two scans of a day give the same status, time texts and azimuth
// texts.
bool SameTexts(const ScanResult& a, const ScanResult& b, Azimuths azimuths) {
    const auto same = [azimuths](const Crossing& x, const Crossing& y) {
        return x.found == y.found && x.time == y.time &&
               (azimuths == Azimuths::Skip || !x.found ||
                ShownArcMinutes(x.azimuth) == ShownArcMinutes(y.azimuth));
    };
    return same(a.rise, b.rise) && same(a.set, b.set) &&
           (a.finalAltitude > 0.0) == (b.finalAltitude > 0.0);
}

enum class Body { Sun, Moon };

struct GridColumn {
    Body body;
    std::int32_t longitudeMinutes;
    std::int32_t timeZoneMinutes;
};

void PrintTo(const GridColumn& c, std::ostream* os) {
    *os << (c.body == Body::Sun ? "sun" : "moon") << " at " << c.longitudeMinutes << "' zone "
        << c.timeZoneMinutes;
}

class KernelsOnAGrid : public testing::TestWithParam<GridColumn> {};

// Every 5° of latitude from pole to pole, one date a week from 1900 to 2500,
// at one longitude per test.
TEST_P(KernelsOnAGrid, SameEventsAndAltitudesAsTheStraightforwardEvaluation) {
    const GridColumn column = GetParam();
    const bool sun = column.body == Body::Sun;
    // The twilight altitudes, for the sun, are searched in the same samples.
    const double twilight[] = {std::cos(96 * kDegree), std::cos(102 * kDegree),
                               std::cos(108 * kDegree)};
    double largestDifference = 0;
    int statusCount[5] = {};
    for (std::int32_t lat = -5400; lat <= 5400; lat += 300) {
        const Place place{lat, column.longitudeMinutes, column.timeZoneMinutes};
        for (sys_days d = sys_days{1900y / 1 / 1}; d <= sys_days{2500y / 12 / 31}; d += days{7}) {
            const year_month_day date{d};
            const SampledDay fast = sun ? SampleSunDay(date, place) : SampleMoonDay(date, place);
            const StraightDay straight =
                sun ? StraightSunDay(date, place) : StraightMoonDay(date, place);
            const DaySamples reference =
                SampleHourEnds(straight.setup, straight.start, straight.ends);
            // The altitude function: above the rise and set altitude when positive.
            const auto compare = [&](double a, double b) {
                largestDifference =
                    std::max(largestDifference,
                             std::abs((a - fast.cosZenith) - (b - straight.setup.cosZenith)));
            };
            for (int k = 0; k <= 24; ++k) compare(fast.samples.height[k], reference.height[k]);
            for (int c = 0; c < 24; ++c) compare(fast.samples.midHeight[c], reference.midHeight[c]);

            // The texts of a day follow from these: the status from the
            // crossings found and the sign of the final altitude, the time
            // texts from the minutes, the azimuth texts from the azimuths.
            const ScanResult a = FindCrossings(fast.samples, fast.cosZenith);
            const ScanResult b = FindCrossings(reference, straight.setup.cosZenith);
            ASSERT_TRUE(SameTexts(a, b, Azimuths::Compute))
                << int(date.year()) << '-' << unsigned(date.month()) << '-' << unsigned(date.day())
                << " at " << lat;
            ++statusCount[static_cast<int>(ResolveDayStatus(a.rise.found, a.set.found,
                                                            a.finalAltitude, EventKind::Rise,
                                                            a.rise.time)
                                               .status)];
            if (!sun) continue;
            for (const double cosZenith : twilight) {
                ASSERT_TRUE(SameTexts(FindCrossings(fast.samples, cosZenith, Azimuths::Skip),
                                      FindCrossings(reference, cosZenith, Azimuths::Skip),
                                      Azimuths::Skip))
                    << int(date.year()) << '-' << unsigned(date.month()) << '-'
                    << unsigned(date.day()) << " at " << lat << " for " << cosZenith;
            }
        }
    }
    EXPECT_LE(largestDifference, 1e-9);
    char figure[32];
    std::snprintf(figure, sizeof figure, "%.2e", largestDifference);
    RecordProperty("largestAltitudeDifference", figure);
    // The grid holds days of every kind, or it would test less than it claims.
    for (int status = 0; status < 5; ++status) EXPECT_GT(statusCount[status], 0) << status;
}

std::string ColumnName(const testing::TestParamInfo<GridColumn>& info) {
    const std::int32_t lon = info.param.longitudeMinutes;
    return (lon < 0 ? "West" : "East") + std::to_string(std::abs(lon));
}

INSTANTIATE_TEST_SUITE_P(Sun, KernelsOnAGrid,
                         testing::Values(GridColumn{Body::Sun, -10800, -720},
                                         GridColumn{Body::Sun, -4224, -240},
                                         GridColumn{Body::Sun, 328, 60},
                                         GridColumn{Body::Sun, 8670, 600}),
                         ColumnName);
INSTANTIATE_TEST_SUITE_P(Moon, KernelsOnAGrid,
                         testing::Values(GridColumn{Body::Moon, -10800, -720},
                                         GridColumn{Body::Moon, -4224, -240},
                                         GridColumn{Body::Moon, 328, 60},
                                         GridColumn{Body::Moon, 8670, 600}),
                         ColumnName);

}  // namespace
}  // namespace dawn
