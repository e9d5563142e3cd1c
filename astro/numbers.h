// Constants and small helpers shared by the sun and the moon.
#pragma once

#include <cmath>

namespace dawn {

inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kRadiansPerDegree = 0.017453292519943295;

// Julian Day of the epoch 2000 January 1.5.
inline constexpr double kJ2000 = 2451545.0;

// An angle given in revolutions, reduced to its fraction of a turn, in radians.
inline double Revolutions(double turns) {
    return (turns - std::floor(turns)) * kTwoPi;
}

// arcsin in the quotient form the position series use: atan(s / sqrt(1 - s^2)).
inline double ArcSine(double s) {
    return std::atan(s / std::sqrt(1.0 - s * s));
}

// The cosine and the sine of an angle, a point on the unit circle. The
// product of two rotations is the rotation by the sum of their angles
// (cos(a + b) = cos a cos b - sin a sin b, sin(a + b) = sin a cos b + cos a sin b),
// so the sines and cosines of sums and multiples of a few angles follow from
// one pair each without calling sin or cos again. Each product rounds each
// part about once: after n products of unit rotations the parts are off by
// at most about 2n units of the last place (n x 2.2e-16).
struct Rotation {
    double cos;
    double sin;

    static Rotation Of(double angle) { return {std::cos(angle), std::sin(angle)}; }
};

// The rotation by a small angle. Up to 0.05 radians it comes from the Taylor
// series of cosine and sine: the first terms left out, x^10/10! and x^9/9!,
// are below 1e-17, so the parts are as close as cos and sin would give them.
inline Rotation SmallRotation(double x) {
    if (!(std::fabs(x) <= 0.05)) return Rotation::Of(x);
    const double x2 = x * x;
    return {1.0 - x2 / 2.0 * (1.0 - x2 / 12.0 * (1.0 - x2 / 30.0 * (1.0 - x2 / 56.0))),
            x * (1.0 - x2 / 6.0 * (1.0 - x2 / 20.0 * (1.0 - x2 / 42.0)))};
}

// The rotation by the angle of a plus the angle of b.
inline Rotation operator*(Rotation a, Rotation b) {
    return {a.cos * b.cos - a.sin * b.sin, a.sin * b.cos + a.cos * b.sin};
}

// The rotation by the angle of a less the angle of b.
inline Rotation operator/(Rotation a, Rotation b) {
    return {a.cos * b.cos + a.sin * b.sin, a.sin * b.cos - a.cos * b.sin};
}

}  // namespace dawn
