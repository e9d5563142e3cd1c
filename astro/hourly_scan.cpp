// The hour-by-hour search for rises and sets, shared by the sun and the moon.
#include <cmath>

#include "astro/day_scan.h"
#include "astro/numbers.h"

namespace dawn {

namespace {

// The sine of the altitude of the centre.
double Height(double sinLatitude, double cosLatitude, Rotation declination, double hourAngle) {
    return sinLatitude * declination.sin + cosLatitude * declination.cos * std::cos(hourAngle);
}

// The fraction of the hour at which the parabola with coefficients a, b and
// constant term v0 crosses zero, for an hour whose ends have opposite signs.
double CrossingFraction(double a, double b, double v0, double root) {
    if (a == 0.0) {
        // A straight line: its one root. b cannot be zero while the ends
        // differ in sign.
        return -v0 / b;
    }
    const double first = (-b + root) / (2.0 * a);
    if (!(first > 1.0 || first < 0.0)) return first;
    const double second = (-b - root) / (2.0 * a);
    if (!(second > 1.0 || second < 0.0)) return second;
    // Rounding pushed both roots out of the hour (a crossing a hair's
    // breadth from one of its ends): the root nearer to the hour is the
    // crossing, held inside it so that its time stays within the hour.
    const auto distance = [](double e) { return e < 0.0 ? -e : e - 1.0; };
    const double nearer = distance(first) <= distance(second) ? first : second;
    return nearer < 0.0 ? 0.0 : 1.0;
}

// Azimuth in degrees from north through east of a body at the given
// declination and hour angle.
double Azimuth(const DaySamples& s, Rotation declination, double hourAngle) {
    const Rotation h = Rotation::Of(hourAngle);
    const double n = -declination.cos * h.sin;
    const double q = s.cosLatitude * declination.sin - s.sinLatitude * declination.cos * h.cos;
    double az;
    if (q == 0.0) {
        // Due east or west (or the zenith): the quadrant from the sign of n.
        az = std::atan2(n, 0.0) / kRadiansPerDegree;
    } else {
        az = std::atan(n / q) / kRadiansPerDegree;
        if (q < 0.0) az = az + 180.0;
    }
    if (az < 0.0) az = az + 360.0;
    if (az > 360.0) az = az - 360.0;
    return az == 0.0 ? 0.0 : az;  // no negative zero
}

}  // namespace

DaySamples SampleHourEnds(const ScanSetup& setup, Equatorial start,
                          const std::array<Equatorial, 24>& hourEnds) {
    DaySamples s;
    s.sinLatitude = setup.sinLatitude;
    s.cosLatitude = setup.cosLatitude;
    double alphaStart = start.rightAscension;
    s.declination[0] = start.declination;
    s.hourAngle[0] = setup.siderealAtMidnight - alphaStart;
    for (int c = 0; c < 24; ++c) {
        double alphaEnd = hourEnds[c].rightAscension;
        if (setup.keepRightAscensionIncreasing && alphaEnd < alphaStart)
            alphaEnd = alphaEnd + kTwoPi;
        s.declination[c + 1] = hourEnds[c].declination;
        s.hourAngle[c + 1] = setup.siderealAtMidnight + (c + 1) * kSiderealPerHour - alphaEnd;
        alphaStart = alphaEnd;
    }
    for (int k = 0; k < 25; ++k)
        s.height[k] =
            Height(s.sinLatitude, s.cosLatitude, Rotation::Of(s.declination[k]), s.hourAngle[k]);
    for (int c = 0; c < 24; ++c) {
        s.midDeclination[c] = Rotation::Of((s.declination[c] + s.declination[c + 1]) / 2.0);
        s.midHeight[c] = Height(s.sinLatitude, s.cosLatitude, s.midDeclination[c],
                                (s.hourAngle[c] + s.hourAngle[c + 1]) / 2.0);
    }
    return s;
}

namespace {

// The walk of WalkDay; without a turn the whole step is the same all day.
template <bool kTurning>
void Walk(DaySamples& s, AngleWalk declination, AngleWalk hourAngle) {
    const auto height = [&s](Rotation d, Rotation h) {
        return s.sinLatitude * d.sin + s.cosLatitude * d.cos * h.cos;
    };
    Rotation d = declination.at;
    Rotation h = hourAngle.at;
    Rotation dHalf = declination.halfStep;
    Rotation hHalf = hourAngle.halfStep;
    Rotation dStep = dHalf * dHalf;
    Rotation hStep = hHalf * hHalf;
    for (int c = 0; c < 24; ++c) {
        s.height[c] = height(d, h);
        // The middle of the hour branches off; the end follows from the
        // whole step, so that one product a point lies on the chain of
        // products that carries the day.
        const Rotation dMid = d * dHalf;
        s.midHeight[c] = height(dMid, h * hHalf);
        s.midDeclination[c] = dMid;
        d = d * dStep;
        h = h * hStep;
        if constexpr (kTurning) {
            dHalf = dHalf * declination.halfTurn;
            hHalf = hHalf * hourAngle.halfTurn;
            dStep = dHalf * dHalf;
            hStep = hHalf * hHalf;
        }
    }
    s.height[24] = height(d, h);
}

}  // namespace

void WalkDay(DaySamples& s, AngleWalk declination, AngleWalk hourAngle) {
    const auto none = [](Rotation r) { return r.cos == 1.0 && r.sin == 0.0; };
    if (none(declination.halfTurn) && none(hourAngle.halfTurn)) {
        Walk<false>(s, declination, hourAngle);
    } else {
        Walk<true>(s, declination, hourAngle);
    }
}

ScanResult FindCrossings(const DaySamples& s, double cosZenith, Azimuths azimuths) {
    ScanResult result;
    // The hour and the fraction of it of the last rise and the last set.
    struct Found {
        int hour;
        double fraction;
    };
    Found lastRise{};
    Found lastSet{};
    Found earlierRise{};
    Found earlierSet{};
    double v0 = s.height[0] - cosZenith;
    for (int c = 0; c < 24; ++c) {
        const double v2 = s.height[c + 1] - cosZenith;
        // A crossing needs strictly opposite signs at the ends of the hour.
        const bool rises = v0 < 0.0 && v2 > 0.0;
        const bool sets = v0 > 0.0 && v2 < 0.0;
        if (rises || sets) {
            const double v1 = s.midHeight[c] - cosZenith;
            // Parabola through (0, v0), (1/2, v1), (1, v2).
            const double a = 2.0 * v2 - 4.0 * v1 + 2.0 * v0;
            const double b = 4.0 * v1 - 3.0 * v0 - v2;
            const double d = b * b - 4.0 * a * v0;
            if (d >= 0.0) {
                const double e = CrossingFraction(a, b, v0, std::sqrt(d));
                // Half a minute added before cutting to whole minutes rounds
                // to the nearest minute; 23:59:30 and later become 24:00.
                const double t = c + e + 1.0 / 120.0;
                const double hour = std::floor(t);
                const int minutes = static_cast<int>(std::floor((t - hour) * 60.0));
                Crossing& crossing = rises ? result.rise : result.set;
                if (crossing.found) {
                    (rises ? result.earlierRise : result.earlierSet) = crossing;
                    (rises ? earlierRise : earlierSet) = rises ? lastRise : lastSet;
                }
                crossing.found = true;
                crossing.time = {static_cast<int>(hour), minutes};
                (rises ? lastRise : lastSet) = {c, e};
            }
        }
        v0 = v2;
    }
    result.finalAltitude = v0;
    if (azimuths == Azimuths::Compute) {
        // The declination of the middle of the hour, the hour angle of the
        // crossing.
        const auto azimuth = [&s](Found f) {
            const double hStart = s.hourAngle[f.hour];
            const double h = hStart + f.fraction * (s.hourAngle[f.hour + 1] - hStart);
            return Azimuth(s, s.midDeclination[f.hour], h);
        };
        if (result.rise.found) result.rise.azimuth = azimuth(lastRise);
        if (result.set.found) result.set.azimuth = azimuth(lastSet);
        if (result.earlierRise.found) result.earlierRise.azimuth = azimuth(earlierRise);
        if (result.earlierSet.found) result.earlierSet.azimuth = azimuth(earlierSet);
    }
    return result;
}

ScanResult HourlyEventScan(const ScanSetup& setup, Equatorial start,
                           const std::array<Equatorial, 24>& hourEnds) {
    return FindCrossings(SampleHourEnds(setup, start, hourEnds), setup.cosZenith);
}

}  // namespace dawn
