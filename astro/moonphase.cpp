// The moon's phase.
//
// Principal phases: the mean phase of a lunation with its periodic and
// planetary corrections, from J. Meeus, Astronomical Algorithms (2nd ed.,
// 1998), chapter 49. It gives the instant in Terrestrial Time to a few
// seconds over several centuries around 2000.
//
// The lit fraction: the phase angle from the moon's and the sun's mean
// elements and the largest terms of their longitudes (the same book, chapters
// 47 and 48), with the moon's main latitude term, which keeps the disc from
// going wholly dark or wholly lit when the moon passes above or below the sun.
// That is good to a few tenths of a percentage point of the lit fraction.
#include "astro/moonphase.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/numbers.h"

namespace dawn {

namespace {

using std::chrono::days;
using std::chrono::minutes;

// Julian Day of the civil epoch 1970-01-01 0h, day zero of UtInstant.
constexpr double kJulianDayOfEpoch = 2440587.5;

double JulianDay(UtInstant t) {
    return t.time_since_epoch().count() + kJulianDayOfEpoch;
}

UtInstant FromJulianDay(double jd) {
    return UtInstant{UtInstant::duration{jd - kJulianDayOfEpoch}};
}

double YearOf(double jd) {
    return 2000.0 + (jd - kJ2000) / 365.25;
}

// The sine of an angle in degrees. The angle is brought within ±90° and the
// sine's series summed to the 13th power, which is within 1e-9 of the true
// value there: less than a tenth of a millisecond on the largest term of the
// phases.
// That is several times faster than the library's sine, which must be exact
// to the last bit for any argument.
double SineOfDegrees(double degrees) {
    if (!(std::fabs(degrees) < 1e15)) return std::sin(degrees * kRadiansPerDegree);
    // Without branches, which the processor could not foresee: the nearest
    // whole turn off, then sin(180° - r) = sin(r) folds the rest within ±90°.
    const double turns = degrees / 360.0;
    const auto whole = static_cast<std::int64_t>(turns + std::copysign(0.5, turns));
    const double r = degrees - 360.0 * static_cast<double>(whole);
    const double x = std::copysign(90.0 - std::fabs(90.0 - std::fabs(r)), r) * kRadiansPerDegree;
    const double x2 = x * x;
    return x * (1.0 +
                x2 * (-1.0 / 6.0 +
                      x2 * (1.0 / 120.0 + x2 * (-1.0 / 5040.0 + x2 * (1.0 / 362880.0 +
                                                                      x2 * (-1.0 / 39916800.0 +
                                                                            x2 / 6227020800.0))))));
}

double CosineOfDegrees(double degrees) {
    return SineOfDegrees(degrees + 90.0);
}

// cos and sin of an angle, so that the sines of sums of angles follow from a
// few products instead of a sine each.
struct Turn {
    double c;
    double s;
};

Turn TurnOf(double degrees) {
    return {CosineOfDegrees(degrees), SineOfDegrees(degrees)};
}

// The same for an angle within ±15°, where a few terms of the series suffice
// (to 1e-9).
Turn SmallTurnOf(double degrees) {
    const double x = degrees * kRadiansPerDegree;
    const double x2 = x * x;
    return {1.0 + x2 * (-1.0 / 2.0 + x2 * (1.0 / 24.0 + x2 * (-1.0 / 720.0 + x2 / 40320.0))),
            x * (1.0 + x2 * (-1.0 / 6.0 + x2 * (1.0 / 120.0 - x2 / 5040.0)))};
}

Turn operator*(Turn a, Turn b) {
    return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s};
}

Turn Conj(Turn a) {
    return {a.c, -a.s};
}

// ---------------------------------------------------------------------------
// Principal phases.

// The mean synodic month and the Terrestrial-Time Julian Day of the mean new
// moon of lunation 0.
constexpr double kSynodicMonth = 29.530588861;
constexpr double kMeanNewMoon0 = 2451550.09766;

// One periodic term: coefficient (days) x E^ePower x sin(a M' + b M + c F),
// with M' the moon's and M the sun's mean anomaly and F the moon's argument
// of latitude; E takes in the slow shrinking of the Earth orbit's
// eccentricity.
struct Term {
    double coefficient;
    std::int8_t moonAnomaly;
    std::int8_t sunAnomaly;
    std::int8_t latitude;
    std::int8_t ePower;
};

// Sin Ω (the ascending node) is the one argument outside M', M and F; it is
// added apart, with -0.00017 days for every phase.
constexpr std::array<Term, 24> kNewMoonTerms{{
    {-0.40720, 1, 0, 0, 0},   {0.17241, 0, 1, 0, 1},   {0.01608, 2, 0, 0, 0},
    {0.01039, 0, 0, 2, 0},    {0.00739, 1, -1, 0, 1},  {-0.00514, 1, 1, 0, 1},
    {0.00208, 0, 2, 0, 2},    {-0.00111, 1, 0, -2, 0}, {-0.00057, 1, 0, 2, 0},
    {0.00056, 2, 1, 0, 1},    {-0.00042, 3, 0, 0, 0},  {0.00042, 0, 1, 2, 1},
    {0.00038, 0, 1, -2, 1},   {-0.00024, 2, -1, 0, 1}, {-0.00007, 1, 2, 0, 0},
    {0.00004, 2, 0, -2, 0},   {0.00004, 0, 3, 0, 0},   {0.00003, 1, 1, -2, 0},
    {0.00003, 2, 0, 2, 0},    {-0.00003, 1, 1, 2, 0},  {0.00003, 1, -1, 2, 0},
    {-0.00002, 1, -1, -2, 0}, {-0.00002, 3, 1, 0, 0},  {0.00002, 4, 0, 0, 0},
}};

constexpr std::array<Term, 24> kFullMoonTerms{{
    {-0.40614, 1, 0, 0, 0},   {0.17302, 0, 1, 0, 1},   {0.01614, 2, 0, 0, 0},
    {0.01043, 0, 0, 2, 0},    {0.00734, 1, -1, 0, 1},  {-0.00515, 1, 1, 0, 1},
    {0.00209, 0, 2, 0, 2},    {-0.00111, 1, 0, -2, 0}, {-0.00057, 1, 0, 2, 0},
    {0.00056, 2, 1, 0, 1},    {-0.00042, 3, 0, 0, 0},  {0.00042, 0, 1, 2, 1},
    {0.00038, 0, 1, -2, 1},   {-0.00024, 2, -1, 0, 1}, {-0.00007, 1, 2, 0, 0},
    {0.00004, 2, 0, -2, 0},   {0.00004, 0, 3, 0, 0},   {0.00003, 1, 1, -2, 0},
    {0.00003, 2, 0, 2, 0},    {-0.00003, 1, 1, 2, 0},  {0.00003, 1, -1, 2, 0},
    {-0.00002, 1, -1, -2, 0}, {-0.00002, 3, 1, 0, 0},  {0.00002, 4, 0, 0, 0},
}};

constexpr std::array<Term, 24> kQuarterTerms{{
    {-0.62801, 1, 0, 0, 0},   {0.17172, 0, 1, 0, 1},   {-0.01183, 1, 1, 0, 1},
    {0.00862, 2, 0, 0, 0},    {0.00804, 0, 0, 2, 0},   {0.00454, 1, -1, 0, 1},
    {0.00204, 0, 2, 0, 2},    {-0.00180, 1, 0, -2, 0}, {-0.00070, 1, 0, 2, 0},
    {-0.00040, 3, 0, 0, 0},   {-0.00034, 2, -1, 0, 1}, {0.00032, 0, 1, 2, 1},
    {0.00032, 0, 1, -2, 1},   {-0.00028, 1, 2, 0, 2},  {0.00027, 2, 1, 0, 1},
    {-0.00005, 1, -1, -2, 0}, {0.00004, 2, 0, 2, 0},   {-0.00004, 1, 1, 2, 0},
    {0.00004, 1, -2, 0, 0},   {0.00003, 1, 1, -2, 0},  {0.00003, 0, 3, 0, 0},
    {0.00002, 2, 0, -2, 0},   {0.00002, 1, -1, 2, 0},  {-0.00002, 3, 1, 0, 0},
}};

// The planetary arguments: degrees at lunation 0, degrees per lunation, and
// the coefficient of their sine in days. The first also has -0.009173 T².
struct Planetary {
    double atZero;
    double perLunation;
    double coefficient;
};

constexpr std::array<Planetary, 14> kPlanetaryTerms{{
    {299.77, 0.107408, 0.000325},
    {251.88, 0.016321, 0.000165},
    {251.83, 26.651886, 0.000164},
    {349.42, 36.412478, 0.000126},
    {84.66, 18.206239, 0.000110},
    {141.74, 53.303771, 0.000062},
    {207.14, 2.453732, 0.000060},
    {154.84, 7.306860, 0.000056},
    {34.52, 27.261239, 0.000047},
    {207.19, 0.121824, 0.000042},
    {291.34, 1.844379, 0.000040},
    {161.72, 24.198154, 0.000037},
    {239.56, 25.513099, 0.000035},
    {331.55, 3.592518, 0.000023},
}};

// Together the planetary terms move a phase by at most 0.00129 days (less than
// two minutes). Where it cannot matter they are left out, which saves half the
// work.
enum class Terms : std::uint8_t { All, WithoutPlanetary };
constexpr double kPlanetaryReach = 0.0015;

// Terrestrial-Time Julian Day of the phase at lunation k (a whole number plus
// 0, 0.25, 0.5 or 0.75).
double PhaseJulianDayTT(double k, PrincipalPhase phase, Terms terms) {
    const double t = k / 1236.85;  // centuries from 2000
    const double t2 = t * t;
    const double jde = kMeanNewMoon0 + kSynodicMonth * k +
                       t2 * (0.00015437 + t * (-0.000000150 + t * 0.00000000073));
    const double e = 1.0 - t * (0.002516 + t * 0.0000074);
    const double sunAnomaly = 2.5534 + 29.10535670 * k - t2 * (0.0000014 + t * 0.00000011);
    const double moonAnomaly =
        201.5643 + 385.81693528 * k + t2 * (0.0107582 + t * (0.00001238 - t * 0.000000058));
    const double latitude =
        160.7108 + 390.67050284 * k - t2 * (0.0016118 + t * (0.00000227 - t * 0.000000011));
    const double node = 124.7746 - 1.56375588 * k + t2 * (0.0020672 + t * 0.00000215);

    // Multiples of the three arguments: M' 0..4, M -2..3, F -2, 0, 2.
    std::array<Turn, 5> mp;
    mp[0] = {1.0, 0.0};
    mp[1] = TurnOf(moonAnomaly);
    for (int i = 2; i < 5; ++i) mp[i] = mp[i - 1] * mp[1];
    std::array<Turn, 6> ms;  // index n + 2
    ms[2] = {1.0, 0.0};
    ms[3] = TurnOf(sunAnomaly);
    ms[4] = ms[3] * ms[3];
    ms[5] = ms[4] * ms[3];
    ms[1] = Conj(ms[3]);
    ms[0] = Conj(ms[4]);
    const Turn f1 = TurnOf(latitude);
    const Turn f2 = f1 * f1;
    const std::array<Turn, 3> fs{Conj(f2), Turn{1.0, 0.0}, f2};  // index c / 2 + 1
    const std::array<double, 3> ePowers{1.0, e, e * e};

    const auto& periodic = phase == PrincipalPhase::NewMoon    ? kNewMoonTerms
                           : phase == PrincipalPhase::FullMoon ? kFullMoonTerms
                                                               : kQuarterTerms;
    double correction = -0.00017 * SineOfDegrees(node);
    for (const Term& term : periodic) {
        const Turn z = mp[term.moonAnomaly] * ms[term.sunAnomaly + 2] * fs[term.latitude / 2 + 1];
        correction += term.coefficient * ePowers[term.ePower] * z.s;
    }
    if (phase == PrincipalPhase::FirstQuarter || phase == PrincipalPhase::LastQuarter) {
        const Turn diff = mp[1] * ms[1];  // M' - M
        const Turn sum = mp[1] * ms[3];   // M' + M
        const double w = 0.00306 - 0.00038 * e * ms[3].c + 0.00026 * mp[1].c - 0.00002 * diff.c +
                         0.00002 * sum.c + 0.00002 * f2.c;
        correction += phase == PrincipalPhase::FirstQuarter ? w : -w;
    }

    if (terms == Terms::WithoutPlanetary) return jde + correction;
    double planetary = 0.0;
    for (std::size_t i = 0; i < kPlanetaryTerms.size(); ++i) {
        const Planetary& p = kPlanetaryTerms[i];
        double argument = p.atZero + p.perLunation * k;
        if (i == 0) argument -= 0.009173 * t2;
        planetary += p.coefficient * SineOfDegrees(argument);
    }
    return jde + correction + planetary;
}

double ToUniversal(double jdTT) {
    return jdTT - DeltaTSeconds(YearOf(jdTT)) / 86400.0;
}

double ToTerrestrial(double jdUT) {
    return jdUT + DeltaTSeconds(YearOf(jdUT)) / 86400.0;
}

double PhaseJulianDayUT(std::int32_t lunation, PrincipalPhase phase, Terms terms = Terms::All) {
    const double k = lunation + 0.25 * static_cast<int>(phase);
    return ToUniversal(PhaseJulianDayTT(k, phase, terms));
}

// A phase's instant (Julian Day UT) computed without the planetary terms,
// made exact when it lies near one of two edges: which side of each edge the
// instant lies on is then always right, also after rounding to the minute.
double Refined(std::int32_t lunation, PrincipalPhase phase, double rough, double edge,
               double otherEdge) {
    constexpr double kReach = kPlanetaryReach + 1.0 / 1440.0;
    const bool near = std::fabs(rough - edge) < kReach || std::fabs(rough - otherEdge) < kReach;
    return near ? PhaseJulianDayUT(lunation, phase) : rough;
}

double PhaseJulianDayFrom(std::int32_t lunation, PrincipalPhase phase, double edge,
                          double otherEdge) {
    const double rough = PhaseJulianDayUT(lunation, phase, Terms::WithoutPlanetary);
    return Refined(lunation, phase, rough, edge, otherEdge);
}

// The lunation whose mean new moon is the last one at or before a
// Terrestrial-Time Julian Day. The true new moon differs from the mean one by
// less than 15 hours.
// Instants beyond some eighty million years either side, which mean nothing
// here, are held at that edge so that the count stays a whole number.
std::int32_t MeanLunation(double jdTT) {
    constexpr double kEdge = 1e9;
    const double k = std::floor((jdTT - kMeanNewMoon0) / kSynodicMonth);
    return static_cast<std::int32_t>(std::clamp(k, -kEdge, kEdge));
}

// ---------------------------------------------------------------------------
// The phase at an instant.

struct Elements {
    Turn d;       // mean elongation of the moon
    double sinM;  // sine of the sun's mean anomaly
    Turn mp;      // moon's mean anomaly
    Turn f;       // moon's argument of latitude
    double dDegrees;
    double centuries;
};

Elements ElementsAt(double jdTT) {
    const double t = (jdTT - kJ2000) / 36525.0;
    const double d = 297.8501921 + t * (445267.1114034 +
                                        t * (-0.0018819 + t * (1.0 / 545868.0 - t / 113065000.0)));
    const double m = 357.5291092 + t * (35999.0502909 + t * (-0.0001536 + t / 24490000.0));
    const double mp =
        134.9633964 + t * (477198.8675055 + t * (0.0087414 + t * (1.0 / 69699.0 - t / 14712000.0)));
    const double f = 93.2720950 + t * (483202.0175233 +
                                       t * (-0.0036539 + t * (-1.0 / 3526000.0 + t / 863310000.0)));
    return {TurnOf(d), SineOfDegrees(m), TurnOf(mp), TurnOf(f), d, t};
}

// What the largest periodic terms add to the mean elongation D to give the
// moon's longitude less the sun's, in degrees (within ±11°).
double ElongationTermsDegrees(const Elements& el) {
    const Turn d2 = el.d * el.d;
    return 6.289 * el.mp.s - 2.100 * el.sinM + 1.274 * (d2 * Conj(el.mp)).s + 0.658 * d2.s +
           0.214 * (el.mp * el.mp).s;
}

// The moon's ecliptic latitude in degrees, its main term.
double LatitudeDegrees(const Elements& el) {
    return 5.128 * el.f.s;
}

// The moon's geocentric declination in degrees from a short series of its
// longitude and latitude; good to a few tenths of a degree.
double MoonDeclinationDegrees(const Elements& el) {
    const double t = el.centuries;
    const double meanLongitude = 218.3164477 + 481267.88123421 * t;
    const Turn d2 = el.d * el.d;
    const double longitude = meanLongitude + 6.289 * el.mp.s + 1.274 * (d2 * Conj(el.mp)).s +
                             0.658 * d2.s + 0.214 * (el.mp * el.mp).s - 0.186 * el.sinM -
                             0.114 * (el.f * el.f).s;
    const double latitude = LatitudeDegrees(el) + 0.281 * (el.mp * el.f).s +
                            0.278 * (el.mp * Conj(el.f)).s + 0.173 * (d2 * Conj(el.f)).s;
    const Turn obliquity = TurnOf(23.439 - 0.0130 * t);
    const Turn beta = TurnOf(latitude);
    const double s = beta.s * obliquity.c + beta.c * obliquity.s * SineOfDegrees(longitude);
    return std::asin(std::clamp(s, -1.0, 1.0)) / kRadiansPerDegree;
}

struct NewMoon {
    std::int32_t lunation;
    double julianDay;  // UT
};

// The last new moon at or before a Universal-Time Julian Day; its instant is
// exact near jdUT and within two minutes elsewhere.
NewMoon LastNewMoon(double jdUT) {
    const auto newMoon = [jdUT](std::int32_t k) {
        return NewMoon{k, PhaseJulianDayFrom(k, PrincipalPhase::NewMoon, jdUT, jdUT)};
    };
    const NewMoon mean = newMoon(MeanLunation(ToTerrestrial(jdUT)));
    if (mean.julianDay > jdUT) return newMoon(mean.lunation - 1);
    // Only within a day of the next mean new moon can the true one have passed.
    if (jdUT - mean.julianDay > kSynodicMonth - 1.0) {
        const NewMoon next = newMoon(mean.lunation + 1);
        if (next.julianDay <= jdUT) return next;
    }
    return mean;
}

// The phase at a Universal-Time Julian Day, and what it came from.
struct PhaseState {
    MoonPhase phase;
    NewMoon newMoon;
    double elongationTurns;  // the moon's longitude less the sun's, 0..1 turn
};

PhaseState PhaseStateAt(double jdUT, const Elements& el) {
    const double terms = ElongationTermsDegrees(el);
    const double elongation = el.dDegrees + terms;
    const double turns = elongation / 360.0 - std::floor(elongation / 360.0);
    // The angle sun - earth - moon ψ, and from it the angle sun - moon - earth
    // i = 180° - ψ - x, where x = 0.110° sin ψ comes of the sun's finite
    // distance.
    const double cosPsi =
        SmallTurnOf(LatitudeDegrees(el)).c * (el.d * SmallTurnOf(terms)).c;  // cos β cos(D + terms)
    const double psi = std::acos(std::clamp(cosPsi, -1.0, 1.0));
    const double sinPsi = std::sqrt(std::max(0.0, 1.0 - cosPsi * cosPsi));
    const Turn x = SmallTurnOf(0.110 * sinPsi);
    const double cosI = sinPsi * x.s - cosPsi * x.c;
    const double i = std::max(0.0, kTwoPi / 2.0 - psi - x.s);

    const NewMoon newMoon = LastNewMoon(jdUT);
    const double age = jdUT - newMoon.julianDay;
    // The short series puts the elongation up to half a degree off, an hour
    // of the moon's motion. Near new and full moon the instants decide, so
    // that the moon turns waxing at the new moon and waning at the full moon
    // that are listed.
    constexpr double kNear = 2.0 / 360.0;
    bool waxing = turns < 0.5;
    if (turns < kNear || turns > 1.0 - kNear) {
        waxing = age < kSynodicMonth / 2.0;
    } else if (std::fabs(turns - 0.5) < kNear) {
        waxing = jdUT < PhaseJulianDayFrom(newMoon.lunation, PrincipalPhase::FullMoon, jdUT, jdUT);
    }
    return {{(1.0 + cosI) / 2.0, i / kRadiansPerDegree, waxing, age}, newMoon, turns};
}

}  // namespace

double DeltaTSeconds(double y) {
    if (y < -500.0) {
        const double u = (y - 1820.0) / 100.0;
        return -20.0 + 32.0 * u * u;
    }
    if (y < 500.0) {
        const double u = y / 100.0;
        return 10583.6 +
               u * (-1014.41 +
                    u * (33.78311 + u * (-5.952053 +
                                         u * (-0.1798452 + u * (0.022174192 + u * 0.0090316521)))));
    }
    if (y < 1600.0) {
        const double u = (y - 1000.0) / 100.0;
        return 1574.2 +
               u * (-556.01 +
                    u * (71.23472 + u * (0.319781 + u * (-0.8503463 +
                                                         u * (-0.005050998 + u * 0.0083572073)))));
    }
    if (y < 1700.0) {
        const double t = y - 1600.0;
        return 120.0 + t * (-0.9808 + t * (-0.01532 + t / 7129.0));
    }
    if (y < 1800.0) {
        const double t = y - 1700.0;
        return 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000.0)));
    }
    if (y < 1860.0) {
        const double t = y - 1800.0;
        return 13.72 +
               t * (-0.332447 +
                    t * (0.0068612 +
                         t * (0.0041116 +
                              t * (-0.00037436 + t * (0.0000121272 +
                                                      t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (y < 1900.0) {
        const double t = y - 1860.0;
        return 7.62 + t * (0.5737 +
                           t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174.0))));
    }
    if (y < 1920.0) {
        const double t = y - 1900.0;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
    }
    if (y < 1941.0) {
        const double t = y - 1920.0;
        return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    }
    if (y < 1961.0) {
        const double t = y - 1950.0;
        return 29.07 + t * (0.407 + t * (-1.0 / 233.0 + t / 2547.0));
    }
    if (y < 1986.0) {
        const double t = y - 1975.0;
        return 45.45 + t * (1.067 + t * (-1.0 / 260.0 - t / 718.0));
    }
    if (y < 2005.0) {
        const double t = y - 2000.0;
        return 63.86 + t * (0.3345 + t * (-0.060374 +
                                          t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    }
    if (y < 2050.0) {
        const double t = y - 2000.0;
        return 62.92 + t * (0.32217 + t * 0.005589);
    }
    const double u = (y - 1820.0) / 100.0;
    const double longTerm = -20.0 + 32.0 * u * u;
    return y < 2150.0 ? longTerm - 0.5628 * (2150.0 - y) : longTerm;
}

UtInstant PrincipalPhaseInstant(std::int32_t lunation, PrincipalPhase phase) {
    return FromJulianDay(PhaseJulianDayUT(lunation, phase));
}

std::vector<PhaseEvent> PrincipalPhasesBetween(UtInstant from, UtInstant to) {
    std::vector<PhaseEvent> events;
    const double first = JulianDay(from);
    const double last = JulianDay(to);
    // Some twenty-seven million years either side of 2000 (and never NaN).
    constexpr double kFar = 1e10;
    if (!(first < last && std::fabs(first - kJ2000) < kFar && std::fabs(last - kJ2000) < kFar))
        return events;
    events.reserve(static_cast<std::size_t>(std::min((last - first) / kSynodicMonth * 4.0, 1e4)) +
                   4);
    // Start a lunation early: its last quarter may still lie after `from`.
    for (std::int32_t k = MeanLunation(ToTerrestrial(first)) - 1;; ++k) {
        for (int q = 0; q < 4; ++q) {
            const auto phase = static_cast<PrincipalPhase>(q);
            const double jd = PhaseJulianDayUT(k, phase);
            if (jd >= last) return events;
            if (jd >= first) events.push_back({phase, FromJulianDay(jd)});
        }
    }
}

MoonPhase MoonPhaseAt(UtInstant instant) {
    const double jd = JulianDay(instant);
    return PhaseStateAt(jd, ElementsAt(ToTerrestrial(jd))).phase;
}

LitSide LitSideSeen(bool waxing, double latitudeDegrees, double moonDeclinationDegrees) {
    const bool facingSouth = moonDeclinationDegrees <= latitudeDegrees;
    return waxing == facingSouth ? LitSide::Right : LitSide::Left;
}

std::chrono::sys_time<minutes> LocalMinute(UtInstant instant, std::int32_t zoneMinutes) {
    return std::chrono::round<minutes>(instant) + minutes{zoneMinutes};
}

DatePhase MoonPhaseOfDate(std::chrono::year_month_day date, double latitudeDegrees,
                          std::int32_t zoneMinutes) {
    const std::chrono::sys_days day{date};
    const UtInstant noon = UtInstant{day} + std::chrono::hours{12} - minutes{zoneMinutes};
    const double jd = JulianDay(noon);
    const Elements el = ElementsAt(ToTerrestrial(jd));
    const PhaseState state = PhaseStateAt(jd, el);
    const NewMoon& newMoon = state.newMoon;

    // The principal phase nearest to noon, by the elongation. One within the
    // date is at most half a day from noon, which the moon covers in at most
    // 7.5° of elongation; the series errs by half a degree at most. Farther
    // from a principal phase the date lies in a stretch, before or after it.
    const double quarters = state.elongationTurns * 4.0;
    const long nearestQuarter = std::lround(quarters);
    const auto nearest = static_cast<PrincipalPhase>(nearestQuarter % 4);
    const int principal = static_cast<int>(NameOf(nearest));
    const auto before = static_cast<PhaseName>((principal + 7) % 8);
    const auto after = static_cast<PhaseName>(principal + 1);
    PhaseName name = quarters < nearestQuarter ? before : after;
    if (std::fabs(quarters - nearestQuarter) * 90.0 < 9.0) {
        // A new moon is the last one or, late in the lunation, the next.
        const double start = JulianDay(UtInstant{day} - minutes{zoneMinutes});
        const double end = start + 1.0;
        double nearestJd = 0.0;
        if (nearest != PrincipalPhase::NewMoon) {
            nearestJd = PhaseJulianDayFrom(newMoon.lunation, nearest, start, end);
        } else if (state.phase.ageDays > kSynodicMonth / 2.0) {
            nearestJd = PhaseJulianDayFrom(newMoon.lunation + 1, nearest, start, end);
        } else {
            nearestJd = Refined(newMoon.lunation, nearest, newMoon.julianDay, start, end);
        }
        const auto heldOn =
            std::chrono::floor<days>(LocalMinute(FromJulianDay(nearestJd), zoneMinutes));
        name = heldOn > day ? before : heldOn < day ? after : NameOf(nearest);
    }

    const double declination = MoonDeclinationDegrees(el);
    return {name, state.phase, declination,
            LitSideSeen(state.phase.waxing, latitudeDegrees, declination)};
}

}  // namespace dawn
