#include "astro/precise/ephemeris.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace dawn {

namespace {

constexpr double kUnixEpochJulianDay = 2440587.5;
constexpr double kKmPerAu = ERFA_DAU / 1000.0;
// Light time for one kilometre, in days.
constexpr double kLightDaysPerKm = 1000.0 / ERFA_CMPS / ERFA_DAYSEC;
constexpr double kPi = 3.14159265358979323846;

Vector3 Scaled(const double v[3], double factor) {
    return {v[0] * factor, v[1] * factor, v[2] * factor};
}

// The apparent vector of a body at geometric position p (km) moving at v
// (km/day) relative to the Earth: where it was one light time ago.
Vector3 Apparent(const Vector3& p, const Vector3& v) {
    const double tau = Length(p) * kLightDaysPerKm;
    return {p[0] - v[0] * tau, p[1] - v[1] * tau, p[2] - v[2] * tau};
}

double Dot(const Vector3& a, const Vector3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

}  // namespace

GeoPlace GeoPlace::FromArcMinutes(std::int32_t latitudeMinutes, std::int32_t longitudeMinutes) {
    constexpr double kRadiansPerArcMinute = kPi / (180.0 * 60.0);
    return {latitudeMinutes * kRadiansPerArcMinute, longitudeMinutes * kRadiansPerArcMinute};
}

double JulianDayUt(UtInstant t) {
    return kUnixEpochJulianDay + t.time_since_epoch().count();
}

UtInstant InstantOfJulianDayUt(double jd) {
    return UtInstant{UtInstant::duration{jd - kUnixEpochJulianDay}};
}

TwoPartDate TerrestrialTimeOf(UtInstant t) {
    const double days = t.time_since_epoch().count();
    const double year = 1970.0 + days / 365.25;
    return {kUnixEpochJulianDay, days + DeltaTSeconds(year) / ERFA_DAYSEC};
}

double Length(const Vector3& v) {
    return std::sqrt(Dot(v, v));
}

Vector3 Minus(const Vector3& a, const Vector3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

double AngleBetween(const Vector3& a, const Vector3& b) {
    // The cross product's length against the dot product keeps small angles
    // exact, where the arc cosine loses them.
    const Vector3 c{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                    a[0] * b[1] - a[1] * b[0]};
    return std::atan2(Length(c), Dot(a, b));
}

SunAndMoon SunAndMoonAt(UtInstant t) {
    const TwoPartDate tt = TerrestrialTimeOf(t);
    double heliocentric[2][3];
    double barycentric[2][3];
    eraEpv00(tt.whole, tt.part, heliocentric, barycentric);
    double moon[2][3];
    eraMoon98(tt.whole, tt.part, moon);
    return {Apparent(Scaled(heliocentric[0], -kKmPerAu), Scaled(heliocentric[1], -kKmPerAu)),
            Apparent(Scaled(moon[0], kKmPerAu), Scaled(moon[1], kKmPerAu))};
}

SunTrack::SunTrack(UtInstant center) : center_(center.time_since_epoch().count()) {
    const TwoPartDate tt = TerrestrialTimeOf(center);
    double heliocentric[2][3];
    double barycentric[2][3];
    eraEpv00(tt.whole, tt.part, heliocentric, barycentric);
    position_ = Scaled(heliocentric[0], -kKmPerAu);
    velocity_ = Scaled(heliocentric[1], -kKmPerAu);
    // The sun's attraction on the Earth, seen from the Earth: -GM r / r³
    // with r the Earth-to-sun vector.
    constexpr double kGaussK = 0.01720209895;  // au^(3/2) per day
    const double r = Length(position_) / kKmPerAu;
    const double factor = -kGaussK * kGaussK / (r * r * r);
    acceleration_ = {position_[0] * factor, position_[1] * factor, position_[2] * factor};
    // Its rate of change: d/dt (-GM r / r³) = -GM (v / r³ - 3 r (r·v) / r⁵).
    const double radial =
        (position_[0] * velocity_[0] + position_[1] * velocity_[1] + position_[2] * velocity_[2]) /
        (r * r * kKmPerAu * kKmPerAu);
    for (int i = 0; i < 3; ++i) jerk_[i] = factor * (velocity_[i] - 3.0 * position_[i] * radial);
    // And the moon's pull on the Earth, which sways it by 4,700 km a month.
    double moon[2][3];
    eraMoon98(tt.whole, tt.part, moon);
    const Vector3 m = Scaled(moon[0], kKmPerAu);
    constexpr double kMoonMu = 4902.8 * ERFA_DAYSEC * ERFA_DAYSEC;  // km³/day²
    const double d = Length(m);
    for (int i = 0; i < 3; ++i) acceleration_[i] -= kMoonMu * m[i] / (d * d * d);
}

Vector3 SunTrack::ApparentAt(UtInstant t) const {
    const double h = t.time_since_epoch().count() - center_;
    Vector3 p, v;
    for (int i = 0; i < 3; ++i) {
        p[i] =
            position_[i] + h * (velocity_[i] + h / 2.0 * (acceleration_[i] + h / 3.0 * jerk_[i]));
        v[i] = velocity_[i] + h * (acceleration_[i] + h / 2.0 * jerk_[i]);
    }
    return Apparent(p, v);
}

SunAndMoon SunAndMoonAt(const SunTrack& sun, UtInstant t) {
    const TwoPartDate tt = TerrestrialTimeOf(t);
    double moon[2][3];
    eraMoon98(tt.whole, tt.part, moon);
    return {sun.ApparentAt(t), Apparent(Scaled(moon[0], kKmPerAu), Scaled(moon[1], kKmPerAu))};
}

namespace {

Vector3 ApparentMoonAt(UtInstant t) {
    const TwoPartDate tt = TerrestrialTimeOf(t);
    double moon[2][3];
    eraMoon98(tt.whole, tt.part, moon);
    return Apparent(Scaled(moon[0], kKmPerAu), Scaled(moon[1], kKmPerAu));
}

}  // namespace

MoonTrack::MoonTrack(UtInstant center) : center_(center.time_since_epoch().count()) {
    constexpr int n = kDegree + 1;
    std::array<Vector3, n> values;
    std::array<double, n> nodes;
    for (int k = 0; k < n; ++k) {
        nodes[k] = std::cos(kPi * (k + 0.5) / n);
        values[k] =
            ApparentMoonAt(UtInstant{UtInstant::duration{center_ + kHalfSpanDays * nodes[k]}});
    }
    for (int j = 0; j < n; ++j) {
        Vector3 c{0.0, 0.0, 0.0};
        for (int k = 0; k < n; ++k) {
            const double w = std::cos(kPi * j * (k + 0.5) / n);
            for (int i = 0; i < 3; ++i) c[i] += values[k][i] * w;
        }
        for (int i = 0; i < 3; ++i) coefficients_[j][i] = c[i] * 2.0 / n;
    }
}

Vector3 MoonTrack::ApparentAt(UtInstant t) const {
    // Clenshaw's recurrence for the Chebyshev series.
    const double x = (t.time_since_epoch().count() - center_) / kHalfSpanDays;
    Vector3 out;
    for (int i = 0; i < 3; ++i) {
        double b1 = 0.0, b2 = 0.0;
        for (int j = kDegree; j >= 1; --j) {
            const double b0 = 2.0 * x * b1 - b2 + coefficients_[j][i];
            b2 = b1;
            b1 = b0;
        }
        out[i] = x * b1 - b2 + coefficients_[0][i] / 2.0;
    }
    return out;
}

SunAndMoon SunAndMoonAt(const SunTrack& sun, const MoonTrack& moon, UtInstant t) {
    return {sun.ApparentAt(t), moon.ApparentAt(t)};
}

MoonState MoonStateAt(UtInstant t) {
    const TwoPartDate tt = TerrestrialTimeOf(t);
    double moon[2][3];
    eraMoon98(tt.whole, tt.part, moon);
    return {Scaled(moon[0], kKmPerAu), Scaled(moon[1], kKmPerAu)};
}

EarthOrientation::EarthOrientation(UtInstant around) {
    const TwoPartDate tt = TerrestrialTimeOf(around);
    double dpsi = 0.0, deps = 0.0, epsa = 0.0;
    double rb[3][3], rp[3][3], rbp[3][3], rn[3][3];
    eraPn00b(tt.whole, tt.part, &dpsi, &deps, &epsa, rb, rp, rbp, rn, rbpn_);
    equationOfEquinoxes_ = eraEe00(tt.whole, tt.part, epsa, dpsi);
    trueObliquity_ = epsa + deps;
}

double EarthOrientation::SiderealAngle(UtInstant t) const {
    const TwoPartDate tt = TerrestrialTimeOf(t);
    const double ut = t.time_since_epoch().count();
    return eraAnp(eraGmst00(kUnixEpochJulianDay, ut, tt.whole, tt.part) + equationOfEquinoxes_);
}

Vector3 EarthOrientation::ToDate(const Vector3& v) const {
    double in[3] = {v[0], v[1], v[2]};
    double out[3];
    eraRxp(const_cast<double(*)[3]>(rbpn_), in, out);
    return {out[0], out[1], out[2]};
}

Vector3 EarthOrientation::FromDate(const Vector3& v) const {
    double in[3] = {v[0], v[1], v[2]};
    double out[3];
    eraTrxp(const_cast<double(*)[3]>(rbpn_), in, out);
    return {out[0], out[1], out[2]};
}

Vector3 EarthOrientation::PlacePosition(const GeoPlace& place, UtInstant t) const {
    double xyz[3];
    eraGd2gc(ERFA_WGS84, place.longitude, place.latitude, 0.0, xyz);
    const double theta = SiderealAngle(t);
    const double c = std::cos(theta), s = std::sin(theta);
    return FromDate(
        {(xyz[0] * c - xyz[1] * s) / 1000.0, (xyz[0] * s + xyz[1] * c) / 1000.0, xyz[2] / 1000.0});
}

Vector3 EarthOrientation::Zenith(const GeoPlace& place, UtInstant t) const {
    const double local = SiderealAngle(t) + place.longitude;
    const double cl = std::cos(place.latitude);
    return FromDate({cl * std::cos(local), cl * std::sin(local), std::sin(place.latitude)});
}

Vector3 EarthOrientation::North(const GeoPlace& place, UtInstant t) const {
    const double local = SiderealAngle(t) + place.longitude;
    const double sl = std::sin(place.latitude);
    return FromDate({-sl * std::cos(local), -sl * std::sin(local), std::cos(place.latitude)});
}

double EarthOrientation::EclipticLongitude(const Vector3& v) const {
    const Vector3 d = ToDate(v);
    const double ce = std::cos(trueObliquity_), se = std::sin(trueObliquity_);
    return eraAnp(std::atan2(d[1] * ce + d[2] * se, d[0]));
}

double TopocentricAltitudeDegrees(const EarthOrientation& earth, const GeoPlace& place, UtInstant t,
                                  const Vector3& body) {
    const Vector3 seen = Minus(body, earth.PlacePosition(place, t));
    const double sine = Dot(seen, earth.Zenith(place, t)) / Length(seen);
    return std::asin(std::fmax(-1.0, std::fmin(1.0, sine))) * 180.0 / kPi;
}

double SunApparentLongitudeDegrees(UtInstant t) {
    const EarthOrientation earth{t};
    return earth.EclipticLongitude(SunAndMoonAt(t).sun) * 180.0 / kPi;
}

double MoonElongationDegrees(const SunTrack& sun, UtInstant t) {
    constexpr double kObliquityJ2000 = 84381.406 * ERFA_DAS2R;
    const double ce = std::cos(kObliquityJ2000), se = std::sin(kObliquityJ2000);
    const auto longitude = [&](const Vector3& v) {
        return std::atan2(v[1] * ce + v[2] * se, v[0]);
    };
    const SunAndMoon b = SunAndMoonAt(sun, t);
    return eraAnp(longitude(b.moon) - longitude(b.sun)) * 180.0 / kPi;
}

double MoonElongationDegrees(UtInstant t) {
    return MoonElongationDegrees(SunTrack{t}, t);
}

MoonDistanceAndSize MoonDistanceAndSizeAt(UtInstant t) {
    const double d = Length(MoonStateAt(t).position);
    return {d, 2.0 * std::asin(kMoonRadiusKm / d) * 180.0 / kPi};
}

double PercentOfMeanDiameter(const MoonDistanceAndSize& moon) {
    const double mean = 2.0 * std::asin(kMoonRadiusKm / kMoonMeanDistanceKm) * 180.0 / kPi;
    return moon.apparentDiameterDegrees / mean * 100.0;
}

double MoonLitFraction(const SunAndMoon& b) {
    const Vector3 toSun = Minus(b.sun, b.moon);
    const Vector3 toEarth{-b.moon[0], -b.moon[1], -b.moon[2]};
    return (1.0 + std::cos(AngleBetween(toSun, toEarth))) / 2.0;
}

}  // namespace dawn
