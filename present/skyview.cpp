#include "present/skyview.h"

#include <cmath>
#include <cstdlib>

#include "core/calendar.h"
#include "core/dayephemeris.h"
#include "core/light.h"
#include "present/texts.h"

namespace dawn {

namespace {

std::string Replaced(std::string pattern, const std::string& key, const std::string& value) {
    const std::size_t at = pattern.find(key);
    if (at != std::string::npos) pattern.replace(at, key.size(), value);
    return pattern;
}

std::string PositionText(const std::string& pattern, const HorizonPosition& p) {
    std::string text = Replaced(pattern, "{altitude}", FormatAltitude(p.altitudeDegrees));
    text = Replaced(text, "{apparent}", FormatAltitude(ApparentAltitudeDegrees(p.altitudeDegrees)));
    return Replaced(text, "{azimuth}", FormatAzimuth(p.azimuthDegrees));
}

GeoPlace GeoPlaceOf(const Site& site) {
    return GeoPlace::FromArcMinutes(site.LatitudeMinutes, site.LongitudeMinutes);
}

SunLight LightAt(double altitude) {
    if (altitude >= kBlueHourLowest && altitude < kGoldenHourLowest) return SunLight::Blue;
    if (altitude >= kGoldenHourLowest && altitude <= kGoldenHourHighest) return SunLight::Golden;
    return SunLight::Other;
}

// The clock reading of an instant as the day records read their clocks
// (ClockRules::ClockAt), to the nearest minute.
ClockMoment ClockReadingOf(const Site& site, UtInstant t) {
    using namespace std::chrono;
    const auto minute = round<minutes>(t);
    DayNumber standardDate = DayNumber::FromSysDays(floor<days>(minute));
    const ClockRules rules = ClockRulesOf(site, standardDate);
    auto local = minute + rules.standardOffset;
    standardDate = DayNumber::FromSysDays(floor<days>(local));
    const ClockRules own = ClockRulesOf(site, standardDate);
    local = minute + own.standardOffset;
    return own.ClockAt(standardDate, local - floor<days>(local));
}

}  // namespace

std::optional<UtInstant> InstantOfClockReading(const Site& site, DayNumber date,
                                               std::chrono::minutes clock) {
    for (const DayNumber standardDate : {date - 1, date}) {
        const ClockRules rules = ClockRulesOf(site, standardDate);
        const std::chrono::minutes dayShift{(date - standardDate) * 1440};
        // The summer-time reading first: it comes earlier.
        for (const std::chrono::minutes shift : {rules.shift, std::chrono::minutes{0}}) {
            const std::chrono::minutes standard = clock + dayShift - shift;
            if (standard < std::chrono::minutes{0} || standard >= std::chrono::minutes{1440})
                continue;
            if (rules.ClockAt(standardDate, standard) != ClockMoment{date, clock}) continue;
            return UtInstant{standardDate.ToSysDays()} + (standard - rules.standardOffset);
        }
    }
    return std::nullopt;
}

UtInstant ClockDayStart(const Site& site, DayNumber date) {
    for (std::chrono::minutes m{0}; m < std::chrono::minutes{1440}; m += std::chrono::minutes{1}) {
        if (const std::optional<UtInstant> t = InstantOfClockReading(site, date, m)) return *t;
    }
    return UtInstant{date.ToSysDays()} - std::chrono::minutes{site.TimeZoneMinutes};
}

PositionNowTexts PositionNowTextsOf(const Site& site, const CurrentLabels& labels, UtInstant now) {
    const SkyPositions p = SkyPositionsAt(GeoPlaceOf(site), now);
    PositionNowTexts texts;
    texts.sun = PositionText(labels[label::kSunPositionNow], p.sun);
    texts.moon = PositionText(labels[label::kMoonPositionNow], p.moon);
    texts.moon =
        Replaced(texts.moon, "{lit}", std::to_string(std::lround(p.moonLitFraction * 100)));
    texts.moon = Replaced(texts.moon, "{distance}", std::to_string(std::lround(p.moonDistanceKm)));
    return texts;
}

SkyView BuildSkyView(const Site& site, const CurrentLabels& labels, DayNumber date,
                     const std::string& dateText, std::optional<UtInstant> now,
                     std::span<const HorizonPoint> profile) {
    SkyView view;
    view.title = labels[label::kSkyViewTitle] + " " + dateText;
    view.compass = {labels.hemisphere.north, labels.hemisphere.east, labels.hemisphere.south,
                    labels.hemisphere.west};
    view.goldenHour = labels[label::kGoldenHour];
    view.blueHour = labels[label::kBlueHour];
    view.sun.name = labels[label::kSkyViewSun];
    view.moon.name = labels[label::kSkyViewMoon];

    const UtInstant start = ClockDayStart(site, date);
    const UtInstant end = ClockDayStart(site, date + 1);
    const auto count = static_cast<std::size_t>(
        std::floor((end - start) / std::chrono::duration<double, std::ratio<60>>(kSkyViewStep)) +
        1);
    std::vector<SkyPositions> positions(count);
    SkyPositionsAlong(GeoPlaceOf(site), start, kSkyViewStep, positions);
    std::size_t noon = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const UtInstant t = start + kSkyViewStep * static_cast<double>(i);
        const ClockMoment reading = ClockReadingOf(site, t);
        const std::chrono::minutes clock =
            reading.time + std::chrono::minutes{(reading.date - date) * 1440};
        view.sun.points.push_back(
            {clock, positions[i].sun, LightAt(positions[i].sun.altitudeDegrees)});
        view.moon.points.push_back({clock, positions[i].moon, SunLight::Other});
        if (clock.count() % 60 == 0 && clock < std::chrono::minutes{1440}) {
            const std::string hour = std::to_string(clock.count() / 60);
            for (SkyPath* path : {&view.sun, &view.moon}) {
                path->hourMarks.push_back(i);
                path->hourTexts.push_back(hour.size() < 2 ? "0" + hour : hour);
            }
        }
        if (std::abs((clock - std::chrono::minutes{720}).count()) <
            std::abs((view.sun.points[noon].clock - std::chrono::minutes{720}).count()))
            noon = i;
    }
    view.marked = noon;
    if (now && *now >= start && *now <= end) {
        view.now = std::min(
            count - 1,
            static_cast<std::size_t>(std::lround(
                (*now - start) / std::chrono::duration<double, std::ratio<60>>(kSkyViewStep))));
        view.marked = *view.now;
    }
    if (!profile.empty()) {
        view.skyline.reserve(361);
        for (int azimuth = 0; azimuth <= 360; ++azimuth) {
            const double a = azimuth;
            view.skyline.push_back({ProfileAltitudeAt(profile, a), a});
        }
    }

    const DayEphemeris day = ComputeDay(site, date);
    for (const Body body : kBodies) {
        SkyPath& path = body == Body::Sun ? view.sun : view.moon;
        path.riseAzimuth = day.Event(body, EventKind::Rise).Azimuth;
        path.setAzimuth = day.Event(body, EventKind::Set).Azimuth;
    }
    return view;
}

std::string SkyViewMomentText(const SkyView& view, std::size_t point, const CurrentLabels& labels,
                              const LocaleFormats& formats) {
    if (point >= view.sun.points.size() || point >= view.moon.points.size()) return {};
    const SkyPathPoint& sun = view.sun.points[point];
    const HorizonPosition& moon = view.moon.points[point].position;
    std::string text = labels[label::kSkyViewMoment];
    // A point at the next midnight reads 24:00.
    text = Replaced(text, "{time}", formats.ClockText(sun.clock));
    text = Replaced(text, "{sun_altitude}", FormatAltitude(sun.position.altitudeDegrees));
    text = Replaced(text, "{sun_azimuth}", FormatAzimuth(sun.position.azimuthDegrees));
    text = Replaced(text, "{moon_altitude}", FormatAltitude(moon.altitudeDegrees));
    return Replaced(text, "{moon_azimuth}", FormatAzimuth(moon.azimuthDegrees));
}

}  // namespace dawn
