// Site: where the sky is watched from and how its clocks run. The place (its
// name and coordinates), the time zone, and the manual summer-time rules for
// a place without a zone. Every computation of the sun, the moon and the
// clocks takes a Site; the settings file (core/settings.h) keeps one among
// the program's other choices, and a saved place (core/savedplaces.h) is one
// more.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "core/calendar.h"
#include "core/daynumber.h"

namespace dawn {

// The clocks of a time zone, date by date (the places library opens one from
// the system's time-zone database).
class ZoneRules {
public:
    virtual ~ZoneRules() = default;
    virtual const std::string& Name() const = 0;
    virtual ClockRules RulesOn(DayNumber date) const = 0;
};

struct Site {
    std::string PlaceName;                // the name of the place chosen by name; may be empty
    std::int32_t LongitudeMinutes = 328;  // arc minutes, east positive
    std::int32_t LatitudeMinutes = 3047;  // arc minutes, north positive

    // The zone's name as read ("Europe/Helsinki"); empty for the manual rules.
    std::string ZoneName;
    // The zone of ZoneName once opened: with it every date takes its standard
    // offset and summer time from the zone. Null for the manual rules, also
    // when ZoneName names a zone the system does not know.
    std::shared_ptr<const ZoneRules> Zone;

    // The manual rules: the standard offset (minutes ahead of UT) and the
    // summer time, each rule (month - 1) * 100 + occurrence of its weekday
    // (1 Sunday .. 7 Saturday); see RuleDate.
    std::int32_t TimeZoneMinutes = 60;
    bool SummerTimeEnabled = true;
    std::int32_t SummerRule = 0;
    std::int32_t WinterRule = 0;
    std::uint8_t SummerWeekday = 1;
    std::uint8_t WinterWeekday = 1;
};

// A rule brought into range as the file's rules are when read: month index
// 0..11, occurrence 0..4.
std::int32_t ClampedRule(std::int32_t rule);

// The manual summer-time rule of the site (rules, weekdays and
// SummerTimeEnabled), and its window around `date`.
DstRuleParams DstParamsOf(const Site& s);
DstWindow ComputeDstWindow(const Site& s, DayNumber date);

// The clocks of `date`: the zone's when one is open, else the manual rules
// with TimeZoneMinutes and a shift of one hour.
ClockRules ClockRulesOf(const Site& s, DayNumber date);

// The standard offset of ClockRulesOf alone, without working out the
// summer-time window that only the clock times need.
std::chrono::minutes StandardOffsetOf(const Site& s, DayNumber date);

}  // namespace dawn
