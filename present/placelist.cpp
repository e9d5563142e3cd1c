#include "present/placelist.h"

#include "core/dayephemeris.h"
#include "core/light.h"
#include "places/zone.h"
#include "present/placechoice.h"
#include "present/texts.h"

namespace dawn {

std::optional<std::string> UseSavedPlace(const SavedPlace& place, SiteSettings& settings,
                                         DayNumber today) {
    if (place.zone.empty()) {
        DropZone(settings);
    } else {
        const ZoneOpenResult zone = OpenZone(place.zone);
        if (!zone.zone) return zone.message;
        SetZone(settings, zone.zone, today, today.Year());
    }
    settings.LatitudeMinutes = place.latitudeMinutes;
    settings.LongitudeMinutes = place.longitudeMinutes;
    settings.PlaceName = place.name;
    return std::nullopt;
}

SavedPlace SavedPlaceOf(const SiteSettings& settings) {
    SavedPlace place;
    place.latitudeMinutes = settings.LatitudeMinutes;
    place.longitudeMinutes = settings.LongitudeMinutes;
    place.zone = settings.ZoneName;
    place.name = settings.PlaceName;
    if (place.name.empty()) {
        place.name = std::to_string(settings.LatitudeMinutes) + " " +
                     std::to_string(settings.LongitudeMinutes);
    }
    return place;
}

std::vector<PlaceRow> PlaceRowsOf(const SiteSettings& settings,
                                  const std::vector<SavedPlace>& places, DayNumber date,
                                  DayNumber today) {
    std::vector<PlaceRow> rows;
    rows.reserve(places.size());
    for (const SavedPlace& place : places) {
        PlaceRow& row = rows.emplace_back();
        row.name = place.name;
        row.zone = place.zone;
        SiteSettings at = settings;
        if (auto m = UseSavedPlace(place, at, today)) {
            row.problem = place.name + ": " + *m;
            continue;
        }
        const DayEphemeris record = ComputeDay(at, date);
        const BodyEntry& sun = record.Bodies[IndexOf(Body::Sun)];
        if (sun[EventKind::Rise].CrossingClock)
            row.sunrise = FormatClock(*sun[EventKind::Rise].CrossingClock, ":");
        if (sun[EventKind::Set].CrossingClock)
            row.sunset = FormatClock(*sun[EventKind::Set].CrossingClock, ":");
        if (sun.Normal()) row.dayLength = FormatClock(sun.Length, ":");
        ForEachLightDay(at, date, date, [&row](const LightDay& light) {
            const auto span = [](const LightPeriod& p) -> std::string {
                if (!p.start && !p.end) return {};
                return (p.start ? FormatClock(*p.start, ":") : std::string()) + "\u2013" +
                       (p.end ? FormatClock(*p.end, ":") : std::string());
            };
            row.morningGolden = span(light[LightPeriodKind::MorningGolden]);
            row.eveningGolden = span(light[LightPeriodKind::EveningGolden]);
            return false;
        });
    }
    return rows;
}

std::string PlaceRowLine(const PlaceRow& row) {
    return row.name + ";" + row.zone + ";" + row.sunrise + ";" + row.sunset + ";" + row.dayLength;
}

}  // namespace dawn
