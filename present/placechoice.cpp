#include "present/placechoice.h"

#include <algorithm>
#include <utility>

namespace dawn {

std::optional<std::string> OpenSettingsZone(SiteSettings& s, DayNumber today,
                                            const std::string& zoneFolder) {
    s.Zone = nullptr;
    if (s.ZoneName.empty()) return std::nullopt;
    const ZoneOpenResult opened = OpenZone(s.ZoneName, zoneFolder);
    if (!opened.zone) {
        return "Settings line " + std::to_string(kZoneNameLine + 1) + ": " + opened.message +
               "; the manual time zone and summer-time rules are used instead.";
    }
    s.Zone = opened.zone;
    s.TimeZoneMinutes = static_cast<std::int32_t>(opened.zone->Day(today).standardOffset.count());
    return std::nullopt;
}

bool ManualFormOfZone(SiteSettings& s, const Zone& zone, int year) {
    const YearRule rule = zone.RuleOfYear(year);
    switch (rule.kind) {
        case YearRule::Kind::None:
            s.SummerTimeEnabled = false;
            return true;
        case YearRule::Kind::Irregular:
            s.SummerTimeEnabled = true;
            return false;
        case YearRule::Kind::Rule:
            break;
    }
    auto stored = [](const ChangeDay& c) {
        return (c.month - 1) * 100 + static_cast<int>(c.occurrence);
    };
    s.SummerTimeEnabled = true;
    s.SummerRule = stored(rule.summer);
    s.WinterRule = stored(rule.winter);
    s.SummerWeekday = static_cast<std::uint8_t>(rule.summer.weekday);
    s.WinterWeekday = static_cast<std::uint8_t>(rule.winter.weekday);
    return true;
}

void SetZone(SiteSettings& s, std::shared_ptr<const Zone> zone, DayNumber today,
             int referenceYear) {
    if (!zone) return;
    s.ZoneName = zone->Name();
    s.TimeZoneMinutes = static_cast<std::int32_t>(zone->Day(today).standardOffset.count());
    s.TimeZoneHours = s.TimeZoneMinutes / 60;
    ManualFormOfZone(s, *zone, referenceYear);
    s.Zone = std::move(zone);
}

void ChoosePlace(SiteSettings& s, const City& city, std::shared_ptr<const Zone> zone,
                 DayNumber today, int referenceYear) {
    s.LatitudeMinutes =
        std::clamp(ToArcMinutes(city.latitude), -kMaxLatitudeMinutes, kMaxLatitudeMinutes);
    s.LongitudeMinutes =
        std::clamp(ToArcMinutes(city.longitude), -kMaxLongitudeMinutes, kMaxLongitudeMinutes);
    s.PlaceName = city.name;
    SetZone(s, std::move(zone), today, referenceYear);
}

void DropZone(SiteSettings& s) {
    s.Zone = nullptr;
    s.ZoneName.clear();
    s.PlaceName.clear();
}

std::string PlaceMatchText(const City& city) {
    std::string text = city.name;
    if (!city.region.empty()) text += ", " + city.region;
    if (!city.country.empty()) text += ", " + city.country;
    if (!city.zone.empty()) text += " (" + city.zone + ")";
    return text;
}

std::string PlaceLabelOf(const SiteSettings& s) {
    if (s.PlaceName.empty()) return s.ZoneName;
    if (s.ZoneName.empty()) return s.PlaceName;
    return s.PlaceName + " (" + s.ZoneName + ")";
}

}  // namespace dawn
