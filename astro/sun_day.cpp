// A whole day of the sun from one set of samples: rise and set, the three
// twilights and the transit.
#include <algorithm>
#include <cmath>

#include "astro/day_scan.h"
#include "astro/numbers.h"

namespace dawn {

namespace {

// cos(96°), cos(102°), cos(108°): the sun's centre 6°, 12° and 18° below
// the horizon, without refraction.
constexpr std::array<double, 3> kTwilightCosZenith = {-0.10452846326765347, -0.20791169081775934,
                                                      -0.3090169943749474};

std::chrono::minutes MinuteOf(ClockTime t) {
    return std::chrono::minutes(t.hours * 60 + t.minutes);
}

EventMinutes MinutesOf(const ScanResult& scan, EventKind kind) {
    const Crossing& crossing = kind == EventKind::Rise ? scan.rise : scan.set;
    const ResolvedDay resolved =
        ResolveDayStatus(scan.rise.found, scan.set.found, scan.finalAltitude, kind, crossing.time);
    EventMinutes event{resolved.status, MinuteOf(resolved.time), {}, {}};
    if (crossing.found) event.crossing = MinuteOf(WithinTheDay(crossing.time));
    const Crossing& earlier = kind == EventKind::Rise ? scan.earlierRise : scan.earlierSet;
    if (earlier.found) event.earlierCrossing = MinuteOf(WithinTheDay(earlier.time));
    return event;
}

// The sun's hour angle and declination are straight lines through the day,
// so the transit is where the hour angle line meets the next whole turn.
std::optional<SolarNoon> Transit(const DaySamples& s, double latitudeDegrees) {
    const double h0 = s.hourAngle[0];
    const double perHour = (s.hourAngle[24] - h0) / 24.0;
    const double hours = (kTwoPi * std::ceil(h0 / kTwoPi) - h0) / perHour;
    if (!(hours < 24.0)) return std::nullopt;
    const double declination =
        s.declination[0] + hours / 24.0 * (s.declination[24] - s.declination[0]);
    // Rounded half up to the minute; the last half minute of the day is its
    // last minute, as for the other events.
    const int minute = std::min(static_cast<int>(std::floor(hours * 60.0 + 0.5)), 1439);
    return SolarNoon{std::chrono::minutes(minute),
                     90.0 - std::fabs(latitudeDegrees - declination / kRadiansPerDegree)};
}

// The whole day from its samples.
SunDayEvents EventsOf(const SampledDay& day, const Place& place) {
    SunDayEvents events;
    const DayScan riseSet{FindCrossings(day.samples, day.cosZenith), day.julianDay};
    events.riseSet = {ResultOfDay(riseSet, EventKind::Rise), ResultOfDay(riseSet, EventKind::Set)};
    for (std::size_t i = 0; i < kTwilightCosZenith.size(); ++i) {
        const ScanResult scan = FindCrossings(day.samples, kTwilightCosZenith[i], Azimuths::Skip);
        events.twilight[i] = {MinutesOf(scan, EventKind::Rise), MinutesOf(scan, EventKind::Set)};
    }
    events.noon = Transit(day.samples, place.latitudeMinutes / 60.0);
    return events;
}

}  // namespace

SunDayEvents ComputeSunDayEvents(std::chrono::year_month_day date, const Place& place) {
    return EventsOf(SampleSunDay(date, place), place);
}

namespace {

void FindAltitudes(const SampledDay& day, std::span<const double> altitudesDegrees,
                   std::span<Twilight> out) {
    const std::size_t n = std::min(altitudesDegrees.size(), out.size());
    for (std::size_t i = 0; i < n; ++i) {
        // The altitude's sine is the cosine of its zenith distance.
        const double cosZenith = std::sin(altitudesDegrees[i] * kRadiansPerDegree);
        const ScanResult scan = FindCrossings(day.samples, cosZenith, Azimuths::Skip);
        out[i] = {MinutesOf(scan, EventKind::Rise), MinutesOf(scan, EventKind::Set)};
    }
}

}  // namespace

void ComputeSunAltitudeCrossings(std::chrono::year_month_day date, const Place& place,
                                 std::span<const double> altitudesDegrees,
                                 std::span<Twilight> out) {
    FindAltitudes(SampleSunDay(date, place), altitudesDegrees, out);
}

SunDayEvents ComputeSunDayEvents(std::chrono::year_month_day date, const Place& place,
                                 std::span<const double> altitudesDegrees,
                                 std::span<Twilight> out) {
    const SampledDay day = SampleSunDay(date, place);
    FindAltitudes(day, altitudesDegrees, out);
    return EventsOf(day, place);
}

}  // namespace dawn
