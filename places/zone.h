// Time zones from the system's tz database: the standard offset and the summer
// time that a zone really had on each date, past and future.
//
// A zone is opened once by its IANA name ("Europe/Helsinki"); its changes
// are then held as plain values, so asking about a date reads no file and
// cannot fail. The changes up to the last one the zoneinfo file lists come
// from the tz library; the rule the file gives for the years after it
// (Debian's files list changes up to 2037) continues them, as the database
// itself does, up to the end of 9999. Such a rule names its days by month and
// weekday, and the calendar repeats itself every 400 years, so the changes are
// held for one such cycle after the listed ones and later dates are answered
// from it.
//
// What counts as summer time. The database marks some periods as "daylight"
// ones, and in a few zones that mark sits on the lower offset: Ireland keeps
// GMT as its winter time and calls the summer's +1:00 its standard time;
// Morocco has been at +1:00 since 2018 except during Ramadan, when it goes
// back to +0:00. People there set their clocks forward for the summer or after
// Ramadan all the same, so here the lower offset is always the standard one
// and summer time is the stretch with the higher offset, shifted by the
// difference (60 minutes mostly, 30 on Lord Howe Island). A change of offset
// that the database does not mark as daylight (Moscow in 2011 and 2014) is a
// change of the standard offset.
//
// Dates. A change belongs to the date that the clocks show just before it:
// summer time in Helsinki starts on the last Sunday of March, when the clocks
// go from 03:00 to 04:00, and ends on the last Sunday of October, when they
// go from 04:00 back to 03:00. As with the manual rules, the day of a change
// already counts in the new regime.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "core/daynumber.h"
#include "core/settings.h"

namespace dawn {

// Where the tz library finds the database on this system.
inline constexpr const char* kSystemZoneFolder = "/usr/share/zoneinfo";

// A reading of a clock: a date and the minutes since its midnight.
struct ClockReading {
    DayNumber date;
    std::chrono::minutes time{0};
    friend bool operator==(const ClockReading&, const ClockReading&) = default;
};

// One stretch of summer time. `start` is what the clocks show when they go
// forward (standard time), `end` what they show when they go back (summer
// time): Helsinki 2024 runs from 31 Mar 03:00 to 27 Oct 04:00.
struct SummerTimeWindow {
    ClockReading start;
    ClockReading end;
    std::chrono::minutes shift{60};  // how far the clocks go forward
    friend bool operator==(const SummerTimeWindow&, const SummerTimeWindow&) = default;
};

// What the day computation needs of one date, in the form the manual rules
// give it (TimeZoneMinutes, SummerTimeEnabled and the window):
// - standardOffset: minutes ahead of UT of the zone's standard time that day;
// - summer: the window holding the date, if the date lies in summer time;
// - summerTimeEnabled and window: with summer time in force or expected
//   around the date (the last change back and the next change forward both
//   within about a year), the window as ComputeDstWindow gives it: the
//   holding window's first day and the first day of winter time inside, the
//   next start and the last winter start outside. Without summer time around
//   the date (Kolkata; Sao Paulo from March 2019) it is off, and the window
//   spans the date's calendar year as with manual summer time off;
// - shift: how far clocks go forward in the window holding the date, or
//   outside summer time in the next one (0 when summer time is off).
struct ZoneDay {
    std::chrono::minutes standardOffset{0};
    std::optional<SummerTimeWindow> summer;
    bool summerTimeEnabled = false;
    DstWindow window;
    std::chrono::minutes shift{0};
    // On the first day of summer time or of winter time, the minute of the
    // date's standard time at which the clocks change (Helsinki: 03:00 both
    // ways, as 04:00 summer time is 03:00 standard time).
    std::chrono::minutes changeAt = kManualChangeAt;
};

// A date of change as the summer-time controls of the program write it.
enum class Occurrence : std::uint8_t { First, Second, Third, Last };
struct ChangeDay {
    int month = 1;    // 1..12
    int weekday = 1;  // 1 Sunday .. 7 Saturday
    Occurrence occurrence = Occurrence::First;
    friend bool operator==(const ChangeDay&, const ChangeDay&) = default;
};

// A zone's summer time of one year as the manual controls can show it.
struct YearRule {
    enum class Kind : std::uint8_t {
        None,       // no summer time starts or ends in the year
        Rule,       // one start and one end, each an n-th or last weekday
        Irregular,  // anything else: several windows (Morocco before 2019), a
                    // date such as the Friday before the last Sunday when it is
                    // a fourth but not the last Friday, or only a start or an end
    };
    Kind kind = Kind::None;
    ChangeDay summer;  // the start of summer time (set for Rule)
    ChangeDay winter;  // its end
    std::chrono::minutes shift{0};
    std::chrono::minutes standardOffset{0};  // on 1 January of the year
};

class Zone : public ZoneRules {
public:
    // One stretch between two changes, as held after opening.
    struct Segment {
        ClockReading change;  // the clock reading at the change that starts it
        std::chrono::minutes standardOffset{0};
        std::chrono::minutes shift{0};  // 0 outside summer time
    };

    // `repeatFrom`: from this date on the segments follow the later rule,
    // and dates 400 years or more after it are answered 400 years earlier
    // (the segments must reach past that with a margin of two years).
    Zone(std::string name, std::vector<Segment> segments,
         std::optional<DayNumber> repeatFrom = std::nullopt);

    const std::string& Name() const override { return name_; }
    ZoneDay Day(DayNumber date) const;
    // Day(date) as the day computation takes it.
    ClockRules RulesOn(DayNumber date) const override;
    YearRule RuleOfYear(int year) const;

    // The minutes the clocks are ahead of UT at a UT minute: the standard
    // offset and the summer-time shift in force then, changing at the very
    // minute of a change (which Day, a whole date at a time, does not).
    std::chrono::minutes ClockOffsetAt(std::chrono::sys_time<std::chrono::minutes> ut) const;

    // The starts and ends of summer time whose clock reading (as
    // SummerTimeWindow gives it) falls on a date from `first` to `last`,
    // oldest first. A change of the shift or of the standard offset within
    // summer time is neither.
    struct SummerTimeChange {
        ClockReading reading;
        bool starts = false;
        std::chrono::sys_time<std::chrono::minutes> ut;  // the instant of the change
    };
    std::vector<SummerTimeChange> SummerTimeChangesBetween(DayNumber first, DayNumber last) const;

private:
    // The whole cycles of 400 years a date lies past the held changes.
    std::int32_t CyclesPast(DayNumber date) const;
    ZoneDay HeldDay(DayNumber date) const;
    std::chrono::sys_time<std::chrono::minutes> UtOfChange(std::size_t k) const;

    std::size_t SegmentOf(DayNumber date) const;
    // The minute of standard time at which segment k begins on its date.
    std::chrono::minutes ChangeMinute(std::size_t k) const;
    SummerTimeWindow WindowAround(std::size_t summerSegment) const;

    std::string name_;
    std::vector<Segment> segments_;  // the first one starts before 1800
    std::optional<DayNumber> repeatFrom_;
};

enum class ZoneError : std::uint8_t { None, DatabaseMissing, UnknownZone };

// One stretch of one clock offset of a zone, to the second, as the database
// gives it (and its rule for the years after its list): for writing the zone
// out, as a calendar file does.
struct ZonePeriod {
    std::chrono::sys_seconds begin;  // the change that starts it
    std::chrono::seconds offset{0};  // the clocks ahead of UT
    bool summer = false;             // summer time as counted above
    std::string abbreviation;        // the database's name of it ("CEST", "+11", "LMT")
};

struct ZonePeriodsResult {
    // Consecutive, each to the next one's begin; the first holds `from` (its
    // begin is then `from`), the last holds `to`. Empty when `error` is not None.
    std::vector<ZonePeriod> periods;
    ZoneError error = ZoneError::None;
    std::string message;  // one line for the user, in English
};

// The periods of the zone `name` between `from` and `to` (any instants of the
// years 1 to 9999). Checks the name and the database as OpenZone does, reads
// only what the range needs, and never throws.
ZonePeriodsResult ZonePeriodsBetween(std::string_view name, std::chrono::sys_seconds from,
                                     std::chrono::sys_seconds to,
                                     const std::string& folder = kSystemZoneFolder);

struct ZoneOpenResult {
    std::shared_ptr<const Zone> zone;  // null when `error` is not None
    ZoneError error = ZoneError::None;
    std::string message;  // one line for the user, in English
};

// Opens the zone `name` of the database in `folder`. `folder` is where the tz
// library reads the database, which on this system is kSystemZoneFolder; the
// presence of the database and of the zone is checked there before the
// library is asked (which would throw), so a test can point it at an empty
// folder. Never throws.
ZoneOpenResult OpenZone(std::string_view name, const std::string& folder = kSystemZoneFolder);

}  // namespace dawn
