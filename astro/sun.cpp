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

// Daily motions, in turns, of the mean longitude and the mean anomaly.
constexpr double kLongitudePerDay = 0.00273790931;
constexpr double kAnomalyPerDay = 0.0027377785;

// The series, from the rotations of the mean longitude l and the mean
// anomaly g: every sine and cosine it needs is one of a sum of multiples of
// the two, so two sine/cosine pairs replace ten calls. No term is more than
// two products away from the pairs, so each is off by at most about 1e-15.
Equatorial SunSeries(double l, Rotation lr, Rotation gr, double tt) {
    const Rotation l2 = lr * lr;
    const double v =
        0.39785 * lr.sin - 0.01 * (lr / gr).sin + 0.00333 * (lr * gr).sin - 0.00021 * tt * lr.sin;
    const double u = 1.0 - 0.03349 * gr.cos - 0.00014 * l2.cos + 0.00008 * lr.cos;
    const double w = -0.0001 - 0.04129 * l2.sin + 0.03211 * gr.sin + 0.00104 * (l2 / gr).sin -
                     0.00035 * (l2 * gr).sin - 0.00008 * tt * gr.sin;
    const double rightAscension = l + ArcSine(w / std::sqrt(u - v * v));
    const double declination = ArcSine(v / std::sqrt(u));
    return {rightAscension, declination};
}

}  // namespace

Equatorial SunPosition(double t, double tt) {
    const double l = Revolutions(0.779072 + kLongitudePerDay * t);  // mean longitude
    const double g = Revolutions(0.993126 + kAnomalyPerDay * t);    // mean anomaly
    return SunSeries(l, Rotation::Of(l), Rotation::Of(g), tt);
}

SampledDay SampleSunDay(std::chrono::year_month_day date, const Place& place) {
    const DaySetting day = SetUpDay(date, place, kSunCalendarSwitchYear);
    const double t = day.daysFromJ2000;
    const double tt = t / 36525.0 + 1.0;

    // Local midnight and the next one; the centuries stay those of 0h UT.
    // The next midnight's arguments are those of this one turned by a day's
    // motion; the longitude is not brought back into one turn, so that the
    // right ascension grows through the day also when it passes 0h.
    const double t1 = t + day.zoneDays;
    const double l = Revolutions(0.779072 + kLongitudePerDay * t1);
    const double g = Revolutions(0.993126 + kAnomalyPerDay * t1);
    static const Rotation kLongitudeDay = Rotation::Of(kTwoPi * kLongitudePerDay);
    static const Rotation kAnomalyDay = Rotation::Of(kTwoPi * kAnomalyPerDay);
    const Rotation lr = Rotation::Of(l);
    const Rotation gr = Rotation::Of(g);
    const Equatorial first = SunSeries(l, lr, gr, tt);
    const Equatorial last =
        SunSeries(l + kTwoPi * kLongitudePerDay, lr * kLongitudeDay, gr * kAnomalyDay, tt);

    SampledDay sampled{{}, kSunCosZenith, day.julianDay};
    DaySamples& s = sampled.samples;
    s.sinLatitude = day.sinLatitude;
    s.cosLatitude = day.cosLatitude;
    const double theta0 = SiderealAtMidnight(t, day.zoneDays, day.longitudeDegrees);
    const double dAlpha = last.rightAscension - first.rightAscension;
    const double dDelta = last.declination - first.declination;
    s.declination[0] = first.declination;
    s.hourAngle[0] = theta0 - first.rightAscension;
    for (int k = 1; k <= 24; ++k) {
        const double p = k / 24.0;
        s.declination[k] = first.declination + p * dDelta;
        s.hourAngle[k] = theta0 + k * kSiderealPerHour - (first.rightAscension + p * dAlpha);
    }
    // Both angles are straight lines in the hour: no turn. The hour angle's
    // step is the sidereal hour less the sun's hourly motion in right
    // ascension (about 0.04°).
    const Rotation none{1.0, 0.0};
    WalkDay(s, {Rotation::Of(first.declination), SmallRotation(dDelta / 48.0), none},
            {Rotation::Of(s.hourAngle[0]), kSiderealHalfHour / SmallRotation(dAlpha / 48.0), none});
    return sampled;
}

DayScan ScanSunDay(std::chrono::year_month_day date, const Place& place) {
    const SampledDay day = SampleSunDay(date, place);
    return {FindCrossings(day.samples, day.cosZenith), day.julianDay};
}

}  // namespace dawn
