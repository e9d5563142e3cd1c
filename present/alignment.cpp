#include "present/alignment.h"

#include <cmath>

#include "astro/precise/ephemeris.h"
#include "present/texts.h"

namespace dawn {

namespace {

constexpr int kArcMinutesPerTurn = 360 * 60;

UtInstant InstantOf(DayNumber date, std::chrono::minutes local, std::chrono::minutes offset) {
    return UtInstant{date.ToSysDays()} + (local - offset);
}

// Hands one crossing to `onFound` when it matches; false to stop.
bool Offer(const AlignmentQuery& query, DayNumber date, std::chrono::minutes time, double azimuth,
           UtInstant instant, const std::function<bool(const Alignment&)>& onFound) {
    if (!AzimuthMatches(query, azimuth)) return true;
    Alignment found{date, time, azimuth, instant, std::nullopt};
    if (query.body == Body::Moon) {
        found.moonLitPercent = MoonLitFraction(SunAndMoonAt(instant)) * 100.0;
        if (query.minLitPercent && *found.moonLitPercent < *query.minLitPercent) return true;
    }
    return onFound(found);
}

}  // namespace

bool AzimuthMatches(const AlignmentQuery& query, double azimuthDegrees) {
    // Both in arc minutes: the shown azimuth exactly, the target and the
    // tolerance as given, so that a tolerance of 0 finds an azimuth shown as
    // the target.
    const double shown = AzimuthArcMinutes(azimuthDegrees);
    double apart = std::fmod(std::fabs(shown - query.azimuthDegrees * 60.0), kArcMinutesPerTurn);
    if (apart > kArcMinutesPerTurn / 2.0) apart = kArcMinutesPerTurn - apart;
    return apart <= query.toleranceDegrees * 60.0 + 1e-9;
}

void ForEachAlignment(const Site& site, const AlignmentQuery& query, DayNumber from, DayNumber to,
                      AlignmentDays days, const std::function<bool(const Alignment&)>& onFound) {
    if (days == AlignmentDays::Standard) {
        for (DayNumber date = from; date <= to; date = date + std::chrono::days{1}) {
            const Place place = PlaceOf(site, date);
            const DayEvents day = ComputeBodyDay(query.body, date.ToDate(), place);
            const RiseSetResult& r = query.event == EventKind::Rise ? day.rise : day.set;
            if (!r.azimuth || !r.crossing) continue;
            const std::chrono::minutes offset{place.timeZoneMinutes};
            if (!Offer(query, date, *r.crossing, *r.azimuth, InstantOf(date, *r.crossing, offset),
                       onFound))
                return;
        }
        return;
    }
    ForEachBodyDay(site, query.body, from, to, [&](const BodyDay& day) {
        const EventValues& e = day[query.event];
        if (!e.Azimuth || !e.CrossingClock || !e.CrossingOffset) return true;
        return Offer(query, day.Date, *e.CrossingClock, *e.Azimuth,
                     InstantOf(day.Date, *e.CrossingClock, *e.CrossingOffset), onFound);
    });
}

std::string AlignmentText(const Alignment& found, const LocaleFormats& formats) {
    std::string text = formats.DateText(found.date) + "  " + formats.ClockText(found.time) + "  " +
                       FormatAzimuth(found.azimuthDegrees);
    if (found.moonLitPercent)
        text += "  " + std::to_string(std::lround(*found.moonLitPercent)) + "%";
    return text;
}

}  // namespace dawn
