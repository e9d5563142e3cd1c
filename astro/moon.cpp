// The moon: a low-precision lunar position from six fundamental arguments,
// taken at local midnight, local noon and the next local midnight and
// interpolated along the parabola through the three. The moon moves about
// 13° a day against the stars, so its rise comes some 50 minutes later each
// day: about once a month a date passes without a moonrise, and once without
// a moonset.
#include <cmath>

#include "astro/day_scan.h"
#include "astro/numbers.h"

namespace dawn {

namespace {

constexpr double kEarthRadiiPerUnit = 60.40974;

// The value at fraction p of the day on the parabola through y1 (p = 0),
// y2 (p = 1/2) and y3 (p = 1).
double OnParabola(double y1, double y2, double y3, double p) {
    const double a = y2 - y1;
    const double b = y3 - y2 - a;
    return y1 + p * (2.0 * a + (2.0 * p - 1.0) * b);
}

}  // namespace

LunarPosition MoonPosition(double t) {
    const double l = Revolutions(0.606434 + 0.03660110129 * t);  // mean longitude
    const double m = Revolutions(0.374897 + 0.03629164709 * t);  // mean anomaly
    const double f = Revolutions(0.259091 + 0.0367481952 * t);   // argument of latitude
    const double d = Revolutions(0.827362 + 0.03386319198 * t);  // mean elongation
    const double n = Revolutions(0.347343 - 0.00014709391 * t);  // longitude of the node
    const double g = Revolutions(0.993126 + 0.0027377785 * t);   // the sun's mean anomaly
    using std::cos;
    using std::sin;

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
    const double rightAscension = l + ArcSine(w / std::sqrt(u - v * v));
    const double declination = ArcSine(v / std::sqrt(u));
    return {rightAscension, declination, kEarthRadiiPerUnit * std::sqrt(u)};
}

DayScan ScanMoonDay(std::chrono::year_month_day date, const Place& place) {
    const DaySetting day = SetUpDay(date, place, kMoonCalendarSwitchYear);
    const double t = day.daysFromJ2000;
    const double t1 = t + day.zoneDays;  // local midnight

    const LunarPosition p1 = MoonPosition(t1);
    const LunarPosition p2 = MoonPosition(t1 + 0.5);
    const LunarPosition p3 = MoonPosition(t1 + 1.0);
    // The right ascension increases through the day, also when it passes 0h.
    double alpha1 = p1.rightAscension;
    double alpha2 = p2.rightAscension;
    double alpha3 = p3.rightAscension;
    if (alpha2 <= alpha1) alpha2 = alpha2 + kTwoPi;
    if (alpha3 <= alpha2) alpha3 = alpha3 + kTwoPi;

    // Zenith distance at rise and set: refraction and semi-diameter less the
    // horizontal parallax, which depends on the distance at local noon.
    const double zenith = 90.567 - 41.685 / p2.distance;

    std::array<Equatorial, 24> ends;
    for (int c = 0; c < 24; ++c) {
        const double p = (c + 1) / 24.0;
        ends[c] = {OnParabola(alpha1, alpha2, alpha3, p),
                   OnParabola(p1.declination, p2.declination, p3.declination, p)};
    }

    const ScanSetup setup{SiderealAtMidnight(t, day.zoneDays, day.longitudeDegrees),
                          day.sinLatitude, day.cosLatitude, std::cos(zenith * kRadiansPerDegree),
                          true};
    return {HourlyEventScan(setup, {alpha1, p1.declination}, ends), day.julianDay};
}

}  // namespace dawn
