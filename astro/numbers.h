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

}  // namespace dawn
