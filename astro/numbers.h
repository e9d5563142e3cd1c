// Constants of the astronomy code.
#pragma once

namespace dawn {

inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kRadiansPerDegree = 0.017453292519943295;

// Julian Day of the epoch 2000 January 1.5.
inline constexpr double kJ2000 = 2451545.0;

}  // namespace dawn
