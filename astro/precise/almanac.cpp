#include "astro/precise/almanac.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>

namespace dawn {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;
// Instants are found to a second.
constexpr double kTolerance = 1.0 / 86400.0;
// The phases start the searches only: to a minute or so.
constexpr double kPhaseTolerance = 60.0 / 86400.0;
constexpr double kMoonDailyElongation = 12.19;  // degrees, mean
// The Earth's shadow is that of its mean radius raised by 88 km of
// atmosphere, an enlargement of 1/72 (Danjon's rule takes 1/85, Chauvenet's
// 1/50).
constexpr double kShadowEarthRadiusKm = kEarthMeanRadiusKm + 88.0;
constexpr double kEarthEquatorialRadiusKm = 6378.137;

using Days = UtInstant::duration;

double DaysOf(UtInstant t) {
    return t.time_since_epoch().count();
}
UtInstant At(double days) {
    return UtInstant{Days{days}};
}

// An angle in degrees brought to -180..180.
double Wrapped(double degrees) {
    double a = std::fmod(degrees, 360.0);
    if (a > 180.0) a -= 360.0;
    if (a <= -180.0) a += 360.0;
    return a;
}

// The root of f between a and b, where f(a) and f(b) have opposite signs
// (regula falsi with the Illinois step).
template <class F>
double Root(F f, double a, double b, double fa, double fb) {
    int side = 0;
    for (int i = 0; i < 100 && std::fabs(b - a) > kTolerance; ++i) {
        const double c = (a * fb - b * fa) / (fb - fa);
        const double fc = f(c);
        if ((fc > 0.0) == (fb > 0.0)) {
            b = c;
            fb = fc;
            if (side == -1) fa /= 2.0;
            side = -1;
        } else {
            a = c;
            fa = fc;
            if (side == 1) fb /= 2.0;
            side = 1;
        }
        if (fc == 0.0) return c;
    }
    return (a + b) / 2.0;
}

// The root of f in [a, b] when f changes sign there.
template <class F>
std::optional<double> RootIn(F f, double a, double b) {
    const double fa = f(a), fb = f(b);
    if ((fa > 0.0) == (fb > 0.0)) return std::nullopt;
    return Root(f, a, b, fa, fb);
}

// Two discs passing each other: near their closest approach the square of
// their separation is very nearly a parabola in time (the relative motion is
// close to a straight line at an even speed). `ClosestApproach` fits the
// parabola through three separations around `t`, h apart, and moves to its
// vertex, with h shrinking from the coarse step to minutes and seconds.
struct Approach {
    double at;         // the instant of the least separation
    double least;      // radians
    double curvature;  // of the squared separation, rad² per day²
    // When the separation is `limit`, before (-1) or after (+1) the closest
    // approach, as the parabola puts it.
    double When(double limit, int side) const {
        if (curvature <= 0.0 || limit <= least) return at;
        return at + side * std::sqrt((limit * limit - least * least) / curvature);
    }
};

template <class F>
Approach ClosestApproach(F separation, double t, double h) {
    const auto square = [&](double d) {
        const double v = separation(d);
        return v * v;
    };
    Approach out{t, 0.0, 0.0};
    constexpr double kMinute = 1.0 / 1440.0;
    for (int round = 0; round < 8; ++round) {
        const double a = square(t - h), b = square(t), c = square(t + h);
        const double bend = a - 2.0 * b + c;
        if (bend <= 0.0) break;
        if (out.curvature == 0.0) out.curvature = bend / (h * h);
        const double step = std::clamp(h * (a - c) / (2.0 * bend), -2.0 * h, 2.0 * h);
        t += step;
        if (h <= 10.0 / 86400.0) break;
        // The coarse parabola again until the step is small, then finer.
        if (std::fabs(step) < 10.0 * kMinute)
            h = h > 2.0 * kMinute ? 2.0 * kMinute : 10.0 / 86400.0;
    }
    out.at = t;
    out.least = separation(t);
    return out;
}

// The root of f near `estimate` (within three minutes), else anywhere in
// [a, b] where f changes sign.
template <class F>
std::optional<double> RootNear(F f, double estimate, double a, double b) {
    constexpr double kWindow = 3.0 / 1440.0;
    const double lo = std::max(a, estimate - kWindow), hi = std::min(b, estimate + kWindow);
    if (lo < hi) {
        if (const auto t = RootIn(f, lo, hi)) return t;
    }
    return RootIn(f, a, b);
}

// The instant near `guess` where an angle growing at about `rate` degrees a
// day passes `target` (secant steps on the wrapped difference).
template <class F>
double AngleInstant(F angle, double guess, double target, double rate,
                    double tolerance = kTolerance) {
    double t0 = guess;
    double f0 = Wrapped(angle(t0) - target);
    double t1 = t0 - f0 / rate;
    for (int i = 0; i < 20; ++i) {
        const double f1 = Wrapped(angle(t1) - target);
        if (f1 == f0) break;
        const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
        t0 = t1;
        f0 = f1;
        t1 = t2;
        if (std::fabs(t1 - t0) < tolerance) break;
    }
    return t1;
}

int YearOf(UtInstant t) {
    using namespace std::chrono;
    return static_cast<int>(year_month_day{floor<days>(t)}.year());
}

double DayOfYear(int year, unsigned month, unsigned day) {
    using namespace std::chrono;
    return static_cast<double>(
               sys_days{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}}
                   .time_since_epoch()
                   .count()) +
           0.5;
}

}  // namespace

std::vector<SeasonEvent> SeasonsBetween(UtInstant from, UtInstant to) {
    std::vector<SeasonEvent> out;
    constexpr struct { unsigned month, day; } kNear[] = {{3, 20}, {6, 21}, {9, 23}, {12, 21}};
    constexpr double kTropicalYear = 365.2422;
    double last[4] = {0.0, 0.0, 0.0, 0.0};
    for (int y = YearOf(from); y <= YearOf(to); ++y) {
        for (int k = 0; k < 4; ++k) {
            // From a date the sun's track is taken twice, the second time at
            // the first answer; from last year's instant a year on, once.
            const bool fromLastYear = y > YearOf(from);
            double t =
                fromLastYear ? last[k] + kTropicalYear : DayOfYear(y, kNear[k].month, kNear[k].day);
            for (int round = fromLastYear ? 1 : 0; round < 2; ++round) {
                const SunTrack sun{At(t)};
                const EarthOrientation earth{At(t)};
                t = AngleInstant(
                    [&](double d) {
                        return earth.EclipticLongitude(sun.ApparentAt(At(d))) / kDegree;
                    },
                    t, 90.0 * k, 0.9856);
            }
            last[k] = t;
            if (At(t) >= from && At(t) < to) out.push_back({At(t), static_cast<Season>(k)});
        }
    }
    return out;
}

UtInstant ElongationInstantNear(UtInstant guess, double degrees) {
    const SunTrack sun{guess};
    return At(AngleInstant([&](double d) { return MoonElongationDegrees(sun, At(d)); },
                           DaysOf(guess), degrees, kMoonDailyElongation, kPhaseTolerance));
}

namespace {

// The full or new moons from `from` to `to` near enough to a node of the
// moon's orbit for an eclipse: the moon's ecliptic latitude within 1.65°
// (an eclipse of either kind needs less than 1.6°). The instants, to a
// minute, come from the phase series of astro/moonphase.h; they only start
// the searches, which find every contact on this ephemeris.
std::vector<double> SyzygiesNearNode(UtInstant from, UtInstant to, PrincipalPhase phase) {
    constexpr double kLimit = 1.65 * kDegree;
    constexpr double kObliquityJ2000 = 84381.406 / 3600.0 * kDegree;
    const Vector3 pole{0.0, -std::sin(kObliquityJ2000), std::cos(kObliquityJ2000)};
    std::vector<double> out;
    for (const PhaseEvent& e : PrincipalPhasesBetween(from, to)) {
        if (e.phase != phase) continue;
        const Vector3 moon = MoonStateAt(e.instant).position;
        const double sine =
            (moon[0] * pole[0] + moon[1] * pole[1] + moon[2] * pole[2]) / Length(moon);
        if (std::fabs(sine) < std::sin(kLimit)) out.push_back(DaysOf(e.instant));
    }
    return out;
}

double RadialVelocity(double d) {
    const MoonState m = MoonStateAt(At(d));
    return (m.position[0] * m.velocity[0] + m.position[1] * m.velocity[1] +
            m.position[2] * m.velocity[2]) /
           Length(m.position);
}

// The turn of the moon's distance between a and b, where the radial
// velocity changes sign: a first step with the slope of a two-body orbit
// (the sun's pull changes it by a tenth), then secant steps, falling back to
// the bracket's regula falsi.
double ApsisIn(double a, double b, double fa, double fb) {
    constexpr double kMu = 403503.2 * 86400.0 * 86400.0;  // G(M_earth + M_moon), km³/day²
    double t = (a * fb - b * fa) / (fb - fa);
    double previous = 0.0, previousRate = 0.0;
    for (int i = 0; i < 8; ++i) {
        const MoonState m = MoonStateAt(At(t));
        const double r = Length(m.position);
        const double rdot = (m.position[0] * m.velocity[0] + m.position[1] * m.velocity[1] +
                             m.position[2] * m.velocity[2]) /
                            r;
        double slope = 0.0;
        if (i == 0) {
            const double v2 = m.velocity[0] * m.velocity[0] + m.velocity[1] * m.velocity[1] +
                              m.velocity[2] * m.velocity[2];
            slope = (v2 - rdot * rdot) / r - kMu / (r * r);
        } else if (t != previous) {
            slope = (rdot - previousRate) / (t - previous);
        }
        if (slope == 0.0) break;
        previous = t;
        previousRate = rdot;
        const double step = rdot / slope;
        t -= step;
        if (t < a || t > b) break;
        if (std::fabs(step) < kTolerance) return t;
    }
    return Root(RadialVelocity, a, b, fa, fb);
}

}  // namespace

std::vector<ApsisEvent> LunarApsidesBetween(UtInstant from, UtInstant to) {
    // The distance turns twice an anomalistic month (27.55 days), the turns
    // lying more than eleven days apart: a step of four days holds at most
    // one, and after a turn the next is looked for from ten days on.
    constexpr double kStep = 4.0;
    constexpr double kQuiet = 10.0;
    std::vector<ApsisEvent> out;
    double a = DaysOf(from);
    double fa = RadialVelocity(a);
    for (double b = a + kStep; a < DaysOf(to); a = b, b += kStep) {
        const double fb = RadialVelocity(b);
        if ((fa > 0.0) != (fb > 0.0)) {
            const double t = ApsisIn(a, b, fa, fb);
            if (t >= DaysOf(from) && t < DaysOf(to)) {
                const Apsis apsis = fa < 0.0 ? Apsis::Perigee : Apsis::Apogee;
                ApsisEvent e{At(t), apsis, Length(MoonStateAt(At(t)).position)};
                if (apsis == Apsis::Perigee) {
                    // The phase series finds the full moons to a minute;
                    // one near the limit is found again on this ephemeris.
                    for (const PhaseEvent& p : PrincipalPhasesBetween(At(t - 2.0), At(t + 2.0))) {
                        if (p.phase != PrincipalPhase::FullMoon) continue;
                        double full = DaysOf(p.instant);
                        if (std::fabs(std::fabs(full - t) - 1.0) < 0.01)
                            full = DaysOf(ElongationInstantNear(p.instant, 180.0));
                        e.supermoon = e.supermoon || std::fabs(full - t) <= 1.0;
                    }
                }
                out.push_back(e);
            }
            b = t + kQuiet;
            fa = RadialVelocity(b);
            continue;
        }
        fa = fb;
    }
    return out;
}

namespace {

// The sun and the moon around one syzygy.
struct Tracks {
    explicit Tracks(UtInstant center) : sun(center), moon(center) {}
    SunTrack sun;
    MoonTrack moon;
};

struct Shadow {
    double distance;  // of the moon's centre from the shadow's axis, radians
    double umbra;     // angular radii at the moon
    double penumbra;
    double moon;
};

Shadow ShadowAt(const Tracks& track, double d) {
    const SunAndMoon b = SunAndMoonAt(track.sun, track.moon, At(d));
    const double sunDistance = Length(b.sun), moonDistance = Length(b.moon);
    const double parallaxes = std::asin(kShadowEarthRadiusKm / moonDistance) +
                              std::asin(kShadowEarthRadiusKm / sunDistance);
    const double sun = std::asin(kSunRadiusKm / sunDistance);
    const Vector3 antisun{-b.sun[0], -b.sun[1], -b.sun[2]};
    return {AngleBetween(b.moon, antisun), parallaxes - sun, parallaxes + sun,
            std::asin(kMoonRadiusKm / moonDistance)};
}

// When the moon's limb or centre crosses a circle of the shadow: `edge`
// picks the circle and the limb.
template <class Edge>
std::optional<UtInstant> Contact(const Tracks& track, Edge edge, double estimate, double a,
                                 double b) {
    const auto f = [&](double d) { return edge(ShadowAt(track, d)); };
    if (const auto t = RootNear(f, estimate, a, b)) return At(*t);
    return std::nullopt;
}

// Whether the body `which` of SunAndMoon is up at the place at some moment
// from a to b, sampled every half hour and at b: over a few hours a body's
// altitude has one maximum, at its transit, and rises or falls by less than
// eight degrees in half an hour.
template <class Which>
bool UpSometime(const Tracks& track, const EarthOrientation& earth, const GeoPlace& place, double a,
                double b, Which which) {
    constexpr double kSample = 30.0 / 1440.0;
    const int n = static_cast<int>(std::ceil((b - a) / kSample));
    for (int i = 0; i <= n; ++i) {
        const double t = std::min(b, a + i * kSample);
        const SunAndMoon bodies = SunAndMoonAt(track.sun, track.moon, At(t));
        if (TopocentricAltitudeDegrees(earth, place, At(t), which(bodies)) > kUpAltitudeDegrees)
            return true;
    }
    return false;
}

}  // namespace

std::vector<LunarEclipse> LunarEclipsesBetween(UtInstant from, UtInstant to,
                                               const GeoPlace& place) {
    std::vector<LunarEclipse> out;
    // A full moon a quarter of a day outside the range can have its greatest
    // eclipse inside it.
    for (const double full : SyzygiesNearNode(At(DaysOf(from) - 0.25), At(DaysOf(to) + 0.25),
                                              PrincipalPhase::FullMoon)) {
        const Tracks track{At(full)};
        const Shadow s = ShadowAt(track, full);
        // The least distance from the axis is at least the distance at
        // opposition times the cosine of the orbit's tilt to the ecliptic.
        if (s.distance * 0.99 > s.penumbra + s.moon) continue;
        const Approach approach = ClosestApproach(
            [&](double d) { return ShadowAt(track, d).distance; }, full, 1.0 / 24.0);
        const double greatest = approach.at;
        if (At(greatest) < from || At(greatest) >= to) continue;
        const Shadow g = ShadowAt(track, greatest);
        const double penumbral = (g.penumbra + g.moon - g.distance) / (2.0 * g.moon);
        if (penumbral <= 0.0) continue;
        const double umbral = (g.umbra + g.moon - g.distance) / (2.0 * g.moon);
        LunarEclipse e{};
        e.greatest = At(greatest);
        e.kind = umbral >= 1.0  ? LunarEclipseKind::Total
                 : umbral > 0.0 ? LunarEclipseKind::Partial
                                : LunarEclipseKind::Penumbral;
        e.umbralMagnitude = umbral;
        e.penumbralMagnitude = penumbral;
        e.magnitude = e.kind == LunarEclipseKind::Penumbral ? penumbral : umbral;
        const double before = greatest - 0.3, after = greatest + 0.3;
        const auto penumbraOuter = [](const Shadow& s) {
            return s.distance - (s.penumbra + s.moon);
        };
        const auto umbraOuter = [](const Shadow& s) { return s.distance - (s.umbra + s.moon); };
        const auto umbraInner = [](const Shadow& s) { return s.distance - (s.umbra - s.moon); };
        const double penumbra = g.penumbra + g.moon, umbra = g.umbra + g.moon,
                     totality = g.umbra - g.moon;
        e.p1 = Contact(track, penumbraOuter, approach.When(penumbra, -1), before, greatest)
                   .value_or(e.greatest);
        e.p4 = Contact(track, penumbraOuter, approach.When(penumbra, 1), greatest, after)
                   .value_or(e.greatest);
        if (e.kind != LunarEclipseKind::Penumbral) {
            e.u1 = Contact(track, umbraOuter, approach.When(umbra, -1), before, greatest);
            e.u4 = Contact(track, umbraOuter, approach.When(umbra, 1), greatest, after);
        }
        if (e.kind == LunarEclipseKind::Total) {
            e.u2 = Contact(track, umbraInner, approach.When(totality, -1), before, greatest);
            e.u3 = Contact(track, umbraInner, approach.When(totality, 1), greatest, after);
        }
        const EarthOrientation earth{e.greatest};
        e.moonAltitudeAtGreatest =
            TopocentricAltitudeDegrees(earth, place, e.greatest, track.moon.ApparentAt(e.greatest));
        e.moonUp = e.moonAltitudeAtGreatest > kUpAltitudeDegrees ||
                   UpSometime(track, earth, place, DaysOf(e.p1), DaysOf(e.p4),
                              [](const SunAndMoon& b) { return b.moon; });
        out.push_back(e);
    }
    return out;
}

double Obscuration(double sun, double moon, double d) {
    if (d >= sun + moon) return 0.0;
    if (d <= std::fabs(sun - moon)) return std::min(1.0, (moon * moon) / (sun * sun));
    const double a = sun * sun * std::acos((d * d + sun * sun - moon * moon) / (2.0 * d * sun));
    const double b = moon * moon * std::acos((d * d + moon * moon - sun * sun) / (2.0 * d * moon));
    const double c =
        0.5 * std::sqrt((-d + sun + moon) * (d + sun - moon) * (d - sun + moon) * (d + sun + moon));
    return (a + b - c) / (kPi * sun * sun);
}

namespace {

struct Disc {
    double separation;  // of the centres, radians
    double sun;         // angular radii
    double moon;
};

Disc DiscsAt(const Tracks& track, const EarthOrientation& earth, const GeoPlace& place, double d) {
    const SunAndMoon b = SunAndMoonAt(track.sun, track.moon, At(d));
    const Vector3 here = earth.PlacePosition(place, At(d));
    const Vector3 sun = Minus(b.sun, here), moon = Minus(b.moon, here);
    return {AngleBetween(sun, moon), std::asin(kSunRadiusKm / Length(sun)),
            std::asin(kMoonRadiusKm / Length(moon))};
}

}  // namespace

std::vector<LocalSolarEclipse> LocalSolarEclipsesBetween(UtInstant from, UtInstant to,
                                                         const GeoPlace& place) {
    std::vector<LocalSolarEclipse> out;
    // The maximum at a place lies within a few hours of the conjunction.
    constexpr double kSpan = 0.25;
    constexpr double kStep = 1.0 / 48.0;
    for (const double nu : SyzygiesNearNode(At(DaysOf(from) - kSpan), At(DaysOf(to) + kSpan),
                                            PrincipalPhase::NewMoon)) {
        const Tracks track{At(nu)};
        const SunAndMoon b = SunAndMoonAt(track.sun, track.moon, At(nu));
        const double sunDistance = Length(b.sun), moonDistance = Length(b.moon);
        // No eclipse anywhere on the Earth when the centres stay further apart
        // than the moon's parallax and the two radii.
        const double reach = std::asin(kEarthEquatorialRadiusKm / moonDistance) +
                             std::asin(kSunRadiusKm / sunDistance) +
                             std::asin(kMoonRadiusKm / moonDistance);
        if (AngleBetween(b.sun, b.moon) * 0.99 > reach) continue;

        const EarthOrientation earth{At(nu)};
        const auto separation = [&](double d) {
            return DiscsAt(track, earth, place, d).separation;
        };
        double best = nu - kSpan, bestSeparation = separation(best);
        for (double t = nu - kSpan + kStep; t <= nu + kSpan + 1e-9; t += kStep) {
            const double s = separation(t);
            if (s < bestSeparation) {
                best = t;
                bestSeparation = s;
            }
        }
        // In half an hour the moon moves about a quarter of a degree across
        // the sun.
        if (bestSeparation > 0.025) continue;
        const Approach approach = ClosestApproach(separation, best, kStep);
        const double maximum = approach.at;
        if (At(maximum) < from || At(maximum) >= to) continue;
        const Disc m = DiscsAt(track, earth, place, maximum);
        if (m.separation >= m.sun + m.moon) continue;

        LocalSolarEclipse e{};
        e.maximum = At(maximum);
        e.kind = m.separation <= m.moon - m.sun   ? SolarEclipseKind::Total
                 : m.separation <= m.sun - m.moon ? SolarEclipseKind::Annular
                                                  : SolarEclipseKind::Partial;
        e.magnitude = (m.sun + m.moon - m.separation) / (2.0 * m.sun);
        e.obscuration = Obscuration(m.sun, m.moon, m.separation);
        const auto outer = [&](double d) {
            const Disc c = DiscsAt(track, earth, place, d);
            return c.separation - (c.sun + c.moon);
        };
        const auto inner = [&](double d) {
            const Disc c = DiscsAt(track, earth, place, d);
            return c.separation - std::fabs(c.moon - c.sun);
        };
        const double outerLimit = m.sun + m.moon, innerLimit = std::fabs(m.moon - m.sun);
        const double c1 =
            RootNear(outer, approach.When(outerLimit, -1), maximum - 2 * kSpan, maximum)
                .value_or(maximum);
        const double c4 =
            RootNear(outer, approach.When(outerLimit, 1), maximum, maximum + 2 * kSpan)
                .value_or(maximum);
        e.c1 = At(c1);
        e.c4 = At(c4);
        if (e.kind != SolarEclipseKind::Partial) {
            if (const auto t = RootNear(inner, approach.When(innerLimit, -1), c1, maximum))
                e.c2 = At(*t);
            if (const auto t = RootNear(inner, approach.When(innerLimit, 1), maximum, c4))
                e.c3 = At(*t);
        }
        e.sunAltitudeAtMaximum =
            TopocentricAltitudeDegrees(earth, place, e.maximum, track.sun.ApparentAt(e.maximum));
        const bool sunUp = e.sunAltitudeAtMaximum > kUpAltitudeDegrees ||
                           UpSometime(track, earth, place, c1, c4,
                                      [](const SunAndMoon& bodies) { return bodies.sun; });
        if (sunUp) out.push_back(e);
    }
    return out;
}

namespace {

// The sun's apparent geocentric ecliptic longitude on the J2000 equinox,
// degrees: the meteor showers' tables give their peaks in it.
double SunLongitudeJ2000(const SunTrack& track, double d) {
    constexpr double kObliquityJ2000 = 84381.406 / 3600.0 * kDegree;
    const Vector3 s = track.ApparentAt(At(d));
    const double lon =
        std::atan2(s[1] * std::cos(kObliquityJ2000) + s[2] * std::sin(kObliquityJ2000), s[0]) /
        kDegree;
    return lon < 0.0 ? lon + 360.0 : lon;
}

}  // namespace

std::vector<MeteorShowerPeak> MeteorShowerPeaksBetween(UtInstant from, UtInstant to) {
    std::vector<MeteorShowerPeak> out;
    const auto showers = MajorMeteorShowers();
    std::vector<double> last(showers.size(), 0.0);
    for (int y = YearOf(from) - 1; y <= YearOf(to); ++y) {
        // The sun's longitude on 21 March of the year, then a degree a day,
        // for the first year; a tropical year after the last one for the next.
        const double march = DayOfYear(y, 3, 21);
        for (std::size_t i = 0; i < showers.size(); ++i) {
            const MeteorShower& shower = showers[i];
            const bool fromLastYear = y > YearOf(from) - 1;
            double t = fromLastYear
                           ? last[i] + 365.2422
                           : march + std::fmod(shower.solarLongitude - 0.5 + 360.0, 360.0) / 0.9856;
            SunTrack track{At(t)};
            if (!fromLastYear) {
                // A guess days off: the track again from the first answer.
                t = AngleInstant([&](double d) { return SunLongitudeJ2000(track, d); }, t,
                                 shower.solarLongitude, 0.9856, kPhaseTolerance);
                track = SunTrack{At(t)};
            }
            t = AngleInstant([&](double d) { return SunLongitudeJ2000(track, d); }, t,
                             shower.solarLongitude, 0.9856, kPhaseTolerance);
            last[i] = t;
            if (At(t) < from || At(t) >= to) continue;
            out.push_back({At(t), &shower, MoonLitFraction(SunAndMoonAt(track, At(t)))});
        }
    }
    std::sort(out.begin(), out.end(),
              [](const MeteorShowerPeak& a, const MeteorShowerPeak& b) { return a.peak < b.peak; });
    return out;
}

}  // namespace dawn
