// The sun: a low-precision solar position from a short series in the mean
// longitude and the mean anomaly, taken at local midnight and 24 hours later
// and interpolated along a straight line through the day.
#include <cmath>

#include "astro/day_scan.h"
#include "astro/numbers.h"

namespace dawn {

namespace {

// Zenith distance of the sun's centre at rise and set, 90°50': refraction at
// the horizon plus the sun's semi-diameter. This is cos(90.833°).
constexpr double kSunCosZenith = -0.014538080502496963;

}  // namespace

Equatorial SunPosition(double t, double tt) {
    const double l = Revolutions(0.779072 + 0.00273790931 * t);  // mean longitude
    const double g = Revolutions(0.993126 + 0.0027377785 * t);   // mean anomaly
    const double sinL = std::sin(l);
    const double sinG = std::sin(g);
    const double v =
        0.39785 * sinL - 0.01 * std::sin(l - g) + 0.00333 * std::sin(l + g) - 0.00021 * tt * sinL;
    const double u =
        1.0 - 0.03349 * std::cos(g) - 0.00014 * std::cos(2.0 * l) + 0.00008 * std::cos(l);
    const double w = -0.0001 - 0.04129 * std::sin(2.0 * l) + 0.03211 * sinG +
                     0.00104 * std::sin(2.0 * l - g) - 0.00035 * std::sin(2.0 * l + g) -
                     0.00008 * tt * sinG;
    const double rightAscension = l + ArcSine(w / std::sqrt(u - v * v));
    const double declination = ArcSine(v / std::sqrt(u));
    return {rightAscension, declination};
}

DayScan ScanSunDay(std::chrono::year_month_day date, const Place& place) {
    const DaySetting day = SetUpDay(date, place, kSunCalendarSwitchYear);
    const double t = day.daysFromJ2000;
    const double tt = t / 36525.0 + 1.0;

    // Local midnight and the next one; the centuries stay those of 0h UT.
    const double t1 = t + day.zoneDays;
    const Equatorial first = SunPosition(t1, tt);
    Equatorial last = SunPosition(t1 + 1.0, tt);
    if (last.rightAscension < first.rightAscension) last.rightAscension += kTwoPi;

    std::array<Equatorial, 24> ends;
    const double dAlpha = last.rightAscension - first.rightAscension;
    const double dDelta = last.declination - first.declination;
    for (int c = 0; c < 24; ++c) {
        const double p = (c + 1) / 24.0;
        ends[c] = {first.rightAscension + p * dAlpha, first.declination + p * dDelta};
    }

    const ScanSetup setup{SiderealAtMidnight(t, day.zoneDays, day.longitudeDegrees),
                          day.sinLatitude, day.cosLatitude, kSunCosZenith, false};
    return {HourlyEventScan(setup, first, ends), day.julianDay};
}

}  // namespace dawn
