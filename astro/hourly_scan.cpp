// The hour-by-hour search for rises and sets, shared by the sun and the moon.
#include <cmath>

#include "astro/astro.h"
#include "astro/numbers.h"

namespace dawn {

namespace {

// Height of the body above the event altitude, in the units of a cosine:
// positive while the centre is higher than the rise and set altitude.
double Altitude(const ScanSetup& s, double declination, double hourAngle) {
    return s.sinLatitude * std::sin(declination) +
           s.cosLatitude * std::cos(declination) * std::cos(hourAngle) - s.cosZenith;
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
double Azimuth(const ScanSetup& s, double declination, double hourAngle) {
    const double n = -std::cos(declination) * std::sin(hourAngle);
    const double q = s.cosLatitude * std::sin(declination) -
                     s.sinLatitude * std::cos(declination) * std::cos(hourAngle);
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

ScanResult HourlyEventScan(const ScanSetup& setup, Equatorial start,
                           const std::array<Equatorial, 24>& hourEnds) {
    ScanResult result;
    double alphaStart = start.rightAscension;
    double deltaStart = start.declination;
    double v0 = Altitude(setup, deltaStart, setup.siderealAtMidnight - alphaStart);
    double v2 = v0;
    for (int c = 0; c < 24; ++c) {
        double alphaEnd = hourEnds[c].rightAscension;
        const double deltaEnd = hourEnds[c].declination;
        const double thetaStart = setup.siderealAtMidnight + c * kSiderealPerHour;
        const double thetaEnd = thetaStart + kSiderealPerHour;
        if (setup.keepRightAscensionIncreasing && alphaEnd < alphaStart)
            alphaEnd = alphaEnd + kTwoPi;
        const double hStart = thetaStart - alphaStart;
        const double hEnd = thetaEnd - alphaEnd;
        const double hMid = (hStart + hEnd) / 2.0;
        const double deltaMid = (deltaStart + deltaEnd) / 2.0;
        v2 = Altitude(setup, deltaEnd, hEnd);

        // A crossing needs strictly opposite signs at the ends of the hour.
        const bool rises = v0 < 0.0 && v2 > 0.0;
        const bool sets = v0 > 0.0 && v2 < 0.0;
        if (rises || sets) {
            const double v1 = Altitude(setup, deltaMid, hMid);
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
                // The declination of the middle of the hour, the hour angle
                // of the crossing.
                const double h = hStart + e * (hEnd - hStart);
                Crossing& crossing = rises ? result.rise : result.set;
                crossing.found = true;
                crossing.time = {static_cast<int>(hour), minutes};
                crossing.azimuth = Azimuth(setup, deltaMid, h);
            }
        }
        alphaStart = alphaEnd;
        deltaStart = deltaEnd;
        v0 = v2;
    }
    result.finalAltitude = v2;
    return result;
}

}  // namespace dawn
