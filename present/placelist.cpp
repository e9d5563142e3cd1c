#include "present/placelist.h"

#include <algorithm>
#include <utility>

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

namespace {

PlaceListEdit Saved(PlaceList& list, int chosen) {
    const TextFileResult written = WriteSavedPlaces(list.path, list.places, list.kept, list.backUp);
    if (!written.ok()) {
        PlaceListEdit failed{-1, written.error, true, false};
        ReadPlaceList(list);
        return failed;
    }
    list.backUp = false;
    return {chosen, std::nullopt, false, true};
}

}  // namespace

bool IsRowOf(const PlaceList& list, int row) {
    return row >= 0 && row < static_cast<int>(list.places.size());
}

std::vector<std::string> ReadPlaceList(PlaceList& list) {
    SavedPlacesReadResult read = ReadSavedPlaces(list.path);
    if (!read.error.empty()) {
        list.places.clear();
        list.kept.clear();
        list.backUp = false;
        return {read.error};
    }
    list.places = std::move(read.places);
    list.kept = std::move(read.kept);
    list.backUp = read.backUpBeforeSaving;
    return read.messages;
}

PlaceListEdit AddShownPlace(PlaceList& list, const SiteSettings& settings) {
    const SavedPlace shown = SavedPlaceOf(settings);
    if (const SavedPlace* same = FindSavedPlace(list.places, shown.name))
        return {static_cast<int>(same - list.places.data()), std::nullopt, false, false};
    list.places.push_back(shown);
    return Saved(list, static_cast<int>(list.places.size()) - 1);
}

PlaceListEdit RenamePlace(PlaceList& list, int chosen, std::string_view asked) {
    if (!IsRowOf(list, chosen)) return {};
    SavedPlace& place = list.places[static_cast<std::size_t>(chosen)];
    SavedPlace renamed = place;
    renamed.name = std::string(Trimmed(asked));
    const SavedPlace* same = FindSavedPlace(list.places, renamed.name);
    if (!SavedPlaceLine(renamed) || (same != nullptr && same != &place)) {
        return {chosen,
                "\"" + std::string(asked) +
                    "\" cannot name a saved place: it is empty, holds a line break or is taken.",
                false, false};
    }
    place = std::move(renamed);
    return Saved(list, chosen);
}

PlaceListEdit RemovePlace(PlaceList& list, int chosen) {
    if (!IsRowOf(list, chosen)) return {};
    list.places.erase(list.places.begin() + chosen);
    return Saved(list, std::min(chosen, static_cast<int>(list.places.size()) - 1));
}

PlaceListEdit MovePlace(PlaceList& list, int chosen, int by) {
    const int to = chosen + by;
    if (!IsRowOf(list, chosen) || !IsRowOf(list, to)) return {chosen, std::nullopt, false, false};
    std::swap(list.places[static_cast<std::size_t>(chosen)],
              list.places[static_cast<std::size_t>(to)]);
    return Saved(list, to);
}

}  // namespace dawn
