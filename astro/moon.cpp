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

// The fundamental arguments as fractions of a turn at T = 0 and their motion
// in turns per day.
struct Argument {
    double atEpoch;
    double perDay;

    double At(double t) const { return Revolutions(atEpoch + perDay * t); }
};
constexpr Argument kMeanLongitude{0.606434, 0.03660110129};
constexpr Argument kMeanAnomaly{0.374897, 0.03629164709};
constexpr Argument kArgumentOfLatitude{0.259091, 0.0367481952};
constexpr Argument kMeanElongation{0.827362, 0.03386319198};
constexpr Argument kNode{0.347343, -0.00014709391};
constexpr Argument kSunMeanAnomaly{0.993126, 0.0027377785};

// The rotations of the five arguments inside the sines and cosines of the
// series, and the mean longitude as an angle.
struct MoonArguments {
    double l;
    Rotation m, f, d, n, g;
};

MoonArguments ArgumentsAt(double t) {
    return {kMeanLongitude.At(t),
            Rotation::Of(kMeanAnomaly.At(t)),
            Rotation::Of(kArgumentOfLatitude.At(t)),
            Rotation::Of(kMeanElongation.At(t)),
            Rotation::Of(kNode.At(t)),
            Rotation::Of(kSunMeanAnomaly.At(t))};
}

// The series. Its 34 sines and cosines are of sums of multiples of the five
// arguments, built here by angle addition from their five sine/cosine pairs
// instead of 34 calls of sin and cos. No term is more than four products
// away from the pairs, so each is off by at most about 2e-15, and the
// weighted sums by less than 1e-15.
LunarPosition MoonSeries(const MoonArguments& a) {
    const Rotation m = a.m;
    const Rotation f = a.f;
    const Rotation n = a.n;
    const Rotation g = a.g;
    const Rotation d2 = a.d * a.d;          // 2d
    const Rotation fn = f * n;              // f + n
    const Rotation fn2 = fn * fn;           // 2f + 2n
    const Rotation ffn = fn * f;            // 2f + n
    const Rotation fnd2 = fn * d2;          // f + n + 2d
    const Rotation fnLessD2 = fn / d2;      // f + n - 2d
    const Rotation fLessD2 = f / d2;        // f - 2d
    const Rotation mLessD2 = m / d2;        // m - 2d
    const Rotation mmLessD2 = m * mLessD2;  // 2m - 2d
    const Rotation mLessD2g = mLessD2 * g;  // m - 2d + g

    const double v = 0.39558 * fn.sin + 0.082 * f.sin + 0.03257 * (m / fn).sin +
                     0.01092 * (m * fn).sin + 0.00666 * (m / f).sin - 0.00644 * (m * fnLessD2).sin -
                     0.00331 * fnLessD2.sin - 0.00304 * fLessD2.sin - 0.0024 * (m / fnd2).sin +
                     0.00226 * (m * f).sin - 0.00108 * (m * fLessD2).sin - 0.00079 * (f / n).sin +
                     0.00078 * fnd2.sin;
    const double u = 1.0 - 0.10828 * m.cos - 0.0188 * mLessD2.cos - 0.01479 * d2.cos +
                     0.00181 * mmLessD2.cos - 0.00147 * (m * m).cos - 0.00105 * (d2 / g).cos -
                     0.00075 * mLessD2g.cos;
    const double w = 0.10478 * m.sin - 0.04105 * fn2.sin - 0.0213 * mLessD2.sin -
                     0.01779 * ffn.sin + 0.01774 * n.sin + 0.00987 * d2.sin -
                     0.00338 * (m / fn2).sin - 0.00309 * g.sin - 0.0019 * (f * f).sin -
                     0.00144 * (m * n).sin - 0.00144 * (m / ffn).sin - 0.00113 * (m * fn2).sin -
                     0.00094 * mLessD2g.sin - 0.00092 * mmLessD2.sin;
    const double rightAscension = a.l + ArcSine(w / std::sqrt(u - v * v));
    const double declination = ArcSine(v / std::sqrt(u));
    return {rightAscension, declination, kEarthRadiiPerUnit * std::sqrt(u)};
}

// The arguments half a day later: each rotation turned by half a day's
// motion, one product instead of a sine and a cosine, off by at most about
// 4e-16 (the fraction of a turn of a far date's argument, some thousands of
// turns, is itself only good to about 1e-12). The mean longitude is not
// brought back into one turn, so that the right ascension grows through the
// day also when it passes 0h.
MoonArguments HalfDayLater(const MoonArguments& a) {
    static const auto halfDay = [](const Argument& x) {
        return Rotation::Of(kTwoPi * x.perDay / 2.0);
    };
    static const Rotation m = halfDay(kMeanAnomaly);
    static const Rotation f = halfDay(kArgumentOfLatitude);
    static const Rotation d = halfDay(kMeanElongation);
    static const Rotation n = halfDay(kNode);
    static const Rotation g = halfDay(kSunMeanAnomaly);
    return {
        a.l + kTwoPi * kMeanLongitude.perDay / 2.0, a.m * m, a.f * f, a.d * d, a.n * n, a.g * g};
}

// The value at fraction p of the day on the parabola through y1 (p = 0),
// y2 (p = 1/2) and y3 (p = 1).
double OnParabola(double y1, double y2, double y3, double p) {
    const double a = y2 - y1;
    const double b = y3 - y2 - a;
    return y1 + p * (2.0 * a + (2.0 * p - 1.0) * b);
}

// The parabola sampled hour by hour: y(k) = y1 + k (2a - b) / 24 + 2b k^2 / 576
// at hour k. Its first step, from 0h to 1h, and its constant second
// difference are small angles: the moon moves less than a degree an hour.
struct HourSteps {
    double first;
    double second;
};

HourSteps StepsOnParabola(double y1, double y2, double y3) {
    const double a = y2 - y1;
    const double b = y3 - y2 - a;
    return {(2.0 * a - b * (11.0 / 12.0)) / 24.0, b / 144.0};
}

}  // namespace

LunarPosition MoonPosition(double t) {
    return MoonSeries(ArgumentsAt(t));
}

SampledDay SampleMoonDay(std::chrono::year_month_day date, const Place& place) {
    const DaySetting day = SetUpDay(date, place, kMoonCalendarSwitchYear);
    const double t = day.daysFromJ2000;
    const double t1 = t + day.zoneDays;  // local midnight

    const MoonArguments at1 = ArgumentsAt(t1);
    const MoonArguments at2 = HalfDayLater(at1);
    const LunarPosition p1 = MoonSeries(at1);
    const LunarPosition p2 = MoonSeries(at2);
    const LunarPosition p3 = MoonSeries(HalfDayLater(at2));
    // The right ascension increases through the day, also when it passes 0h.
    double alpha1 = p1.rightAscension;
    double alpha2 = p2.rightAscension;
    double alpha3 = p3.rightAscension;
    if (alpha2 <= alpha1) alpha2 = alpha2 + kTwoPi;
    if (alpha3 <= alpha2) alpha3 = alpha3 + kTwoPi;

    // Zenith distance at rise and set: refraction and semi-diameter less the
    // horizontal parallax, which depends on the distance at local noon.
    const double zenith = 90.567 - 41.685 / p2.distance;

    SampledDay sampled{{}, std::cos(zenith * kRadiansPerDegree), day.julianDay};
    DaySamples& s = sampled.samples;
    s.sinLatitude = day.sinLatitude;
    s.cosLatitude = day.cosLatitude;
    const double theta0 = SiderealAtMidnight(t, day.zoneDays, day.longitudeDegrees);
    for (int k = 0; k <= 24; ++k) {
        const double p = k / 24.0;
        s.declination[k] = OnParabola(p1.declination, p2.declination, p3.declination, p);
        s.hourAngle[k] = theta0 + k * kSiderealPerHour - OnParabola(alpha1, alpha2, alpha3, p);
    }
    // The hour angle is the sidereal angle, a straight line, less the right
    // ascension on its parabola: the walk of the right ascension run
    // backwards, with half a sidereal hour added to each half step.
    const HourSteps alpha = StepsOnParabola(alpha1, alpha2, alpha3);
    const HourSteps delta = StepsOnParabola(p1.declination, p2.declination, p3.declination);
    WalkDay(s,
            {Rotation::Of(p1.declination), SmallRotation(delta.first / 2.0),
             SmallRotation(delta.second / 2.0)},
            {Rotation::Of(s.hourAngle[0]), kSiderealHalfHour / SmallRotation(alpha.first / 2.0),
             SmallRotation(-alpha.second / 2.0)});
    return sampled;
}

DayScan ScanMoonDay(std::chrono::year_month_day date, const Place& place) {
    const SampledDay day = SampleMoonDay(date, place);
    return {FindCrossings(day.samples, day.cosZenith), day.julianDay};
}

}  // namespace dawn
