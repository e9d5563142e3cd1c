#include "astro/horizon.h"

#include <algorithm>
#include <cmath>

#include "astro/day_scan.h"
#include "astro/numbers.h"

namespace dawn {

namespace {

// The designed rise and set: the centre 50' below the horizon.
constexpr double kSunRiseAltitude = -50.0 / 60.0;
constexpr double kSunSemiDiameter = 16.0 / 60.0;
constexpr double kDipPerRootMetre = 1.76 / 60.0;

}  // namespace

double HorizonDipDegrees(double heightMetres) {
    if (!(heightMetres > 0.0)) return 0.0;
    return kDipPerRootMetre * std::sqrt(heightMetres);
}

DayEvents ComputeSunDayFromHeight(std::chrono::year_month_day date, const Place& place,
                                  double heightMetres) {
    const double dip = HorizonDipDegrees(heightMetres);
    if (dip == 0.0) return ComputeSunDay(date, place);
    const SampledDay day = SampleSunDay(date, place);
    const double cosZenith = std::sin((kSunRiseAltitude - dip) * kRadiansPerDegree);
    const DayScan scan{FindCrossings(day.samples, cosZenith), day.julianDay};
    return {ResultOfDay(scan, EventKind::Rise), ResultOfDay(scan, EventKind::Set)};
}

double ProfileAltitudeAt(std::span<const HorizonPoint> profile, double azimuthDegrees) {
    if (profile.empty()) return 0.0;
    if (profile.size() == 1) return profile.front().altitudeDegrees;
    double a = std::fmod(azimuthDegrees, 360.0);
    if (a < 0.0) a += 360.0;
    // The first point not before `a`; past the last, or before the first,
    // the line from the last point to the first, one turn on.
    const auto next =
        std::lower_bound(profile.begin(), profile.end(), a,
                         [](const HorizonPoint& p, double az) { return p.azimuthDegrees < az; });
    HorizonPoint lo;
    HorizonPoint hi;
    if (next == profile.begin() || next == profile.end()) {
        lo = profile.back();
        hi = profile.front();
        hi.azimuthDegrees += 360.0;
        if (a < lo.azimuthDegrees) a += 360.0;
    } else {
        lo = *(next - 1);
        hi = *next;
    }
    const double span = hi.azimuthDegrees - lo.azimuthDegrees;
    if (!(span > 0.0)) return hi.altitudeDegrees;
    const double t = (a - lo.azimuthDegrees) / span;
    return lo.altitudeDegrees + t * (hi.altitudeDegrees - lo.altitudeDegrees);
}

double RefractionDegrees(double apparentAltitudeDegrees) {
    const double h = std::max(apparentAltitudeDegrees, -1.0);
    if (h >= 90.0) return 0.0;
    const double arcMinutes = 1.0 / std::tan((h + 7.31 / (h + 4.4)) * kRadiansPerDegree);
    return std::max(arcMinutes, 0.0) / 60.0;
}

namespace {

// The sun's place at any moment of a sampled day: its declination and hour
// angle are straight lines through the day.
class SunOfDay {
public:
    explicit SunOfDay(const DaySamples& s) : s_(s) {}

    struct Seen {
        double altitude;  // of the centre, geometric, degrees
        double azimuth;   // degrees from north through east
    };

    Seen At(double minute) const {
        const double p = minute / 1440.0;
        const double declination = s_.declination[0] + p * (s_.declination[24] - s_.declination[0]);
        const double hourAngle = s_.hourAngle[0] + p * (s_.hourAngle[24] - s_.hourAngle[0]);
        const double sd = std::sin(declination);
        const double cd = std::cos(declination);
        const double ch = std::cos(hourAngle);
        const double sinAltitude =
            std::clamp(s_.sinLatitude * sd + s_.cosLatitude * cd * ch, -1.0, 1.0);
        double azimuth =
            std::atan2(-cd * std::sin(hourAngle), sd * s_.cosLatitude - cd * s_.sinLatitude * ch) /
            kRadiansPerDegree;
        if (azimuth < 0.0) azimuth += 360.0;
        return {std::asin(sinAltitude) / kRadiansPerDegree, azimuth};
    }

private:
    const DaySamples& s_;
};

// How far the centre stands above the altitude at which the upper limb
// touches the skyline, in degrees: positive while the sun is seen.
double Clearance(const SunOfDay::Seen& sun, std::span<const HorizonPoint> profile) {
    const double skyline = ProfileAltitudeAt(profile, sun.azimuth);
    return sun.altitude - (skyline - RefractionDegrees(skyline) - kSunSemiDiameter);
}

struct Change {
    double minute;  // of the day, with its fraction
    double azimuth;
};

ClockTime ClockOf(double minute) {
    const int m = static_cast<int>(std::floor(minute + 0.5));
    return {m / 60, m % 60};
}

// The minute of the day, a crossing in the last half minute being the last.
std::chrono::minutes Rounded(double minute) {
    return WithinTheDay(ClockOf(minute)).OfDay();
}

EventMinutes EventOf(bool riseFound, bool setFound, bool visibleAtEnd, EventKind kind,
                     const std::vector<Change>& changes, bool first) {
    const bool found = !changes.empty();
    const double minute = found ? (first ? changes.front() : changes.back()).minute : 0.0;
    const ResolvedDay resolved =
        ResolveDayStatus(riseFound, setFound, visibleAtEnd ? 1.0 : -1.0, kind, ClockOf(minute));
    EventMinutes event{resolved.status, resolved.time.OfDay(), {}, {}};
    if (found) event.crossing = WithinTheDay(ClockOf(minute)).OfDay();
    return event;
}

}  // namespace

VisibleSunDay ComputeVisibleSunDay(std::chrono::year_month_day date, const Place& place,
                                   std::span<const HorizonPoint> profile) {
    const SampledDay day = SampleSunDay(date, place);
    const DaySamples& s = day.samples;
    const SunOfDay sun(s);

    // The band of centre altitudes in which the sun can meet the skyline,
    // widened by half a degree, as sines: an hour whose samples all lie
    // above or all below it needs no closer look. Between the samples, half
    // an hour apart, the altitude's sine strays from them by less than 0.003.
    double lowest = profile.empty() ? 0.0 : profile.front().altitudeDegrees;
    double highest = lowest;
    for (const HorizonPoint& p : profile) {
        lowest = std::min(lowest, p.altitudeDegrees);
        highest = std::max(highest, p.altitudeDegrees);
    }
    const double bandLow =
        std::sin(std::max(lowest - RefractionDegrees(lowest) - kSunSemiDiameter - 0.5, -90.0) *
                 kRadiansPerDegree) -
        0.01;
    const double bandHigh =
        std::sin(std::min(highest - kSunSemiDiameter + 0.5, 90.0) * kRadiansPerDegree) + 0.01;

    std::vector<Change> rises;
    std::vector<Change> sets;
    double before = Clearance(sun.At(0.0), profile);
    auto note = [&](double m0, double c0, double m1, double c1) {
        if ((c0 > 0.0) == (c1 > 0.0)) return;
        const double t = c0 == c1 ? 0.0 : c0 / (c0 - c1);
        const double minute = m0 + std::clamp(t, 0.0, 1.0) * (m1 - m0);
        const Change change{minute, sun.At(minute).azimuth};
        (c1 > 0.0 ? rises : sets).push_back(change);
    };
    for (int hour = 0; hour < 24; ++hour) {
        const double a = s.height[hour];
        const double b = s.midHeight[hour];
        const double c = s.height[hour + 1];
        const double lo = std::min({a, b, c});
        const double hi = std::max({a, b, c});
        if (hi < bandLow || lo > bandHigh) {
            // The whole hour on one side; a change of side at its start
            // (which the band's margin keeps from happening) is noted there.
            const double after = lo > bandHigh ? 1.0 : -1.0;
            note(60.0 * hour, before, 60.0 * hour, after);
            before = after;
            continue;
        }
        for (int m = 60 * hour + 1; m <= 60 * (hour + 1); ++m) {
            const double now = Clearance(sun.At(m), profile);
            note(m - 1, before, m, now);
            before = now;
        }
    }
    const bool visibleAtEnd = before > 0.0;

    VisibleSunDay out;
    const bool riseFound = !rises.empty();
    const bool setFound = !sets.empty();
    out.rise = EventOf(riseFound, setFound, visibleAtEnd, EventKind::Rise, rises, true);
    out.set = EventOf(riseFound, setFound, visibleAtEnd, EventKind::Set, sets, false);
    if (riseFound) out.riseAzimuth = rises.front().azimuth;
    if (setFound) out.setAzimuth = sets.back().azimuth;
    for (const Change& r : rises) out.rises.push_back(Rounded(r.minute));
    for (const Change& r : sets) out.sets.push_back(Rounded(r.minute));
    return out;
}

}  // namespace dawn
