// The calendar file: sun and moon events as iCalendar (RFC 5545) events that
// a desktop calendar imports.
//
// The file is written as it goes: the head (the calendar and, when a zone is
// given, its VTIMEZONE), then one VEVENT per event handed in, then the end.
// Every piece goes to a sink the moment it is made, so a century of events
// never sits in memory, and the producer can stop at any event (a sink that
// refuses a piece stops the writer too).
//
// Each event is
//   BEGIN:VEVENT
//   UID:20240621-sunrise-3047N-328E@dawnhelm
//   DTSTAMP:20240601T120000Z
//   DTSTART;TZID=Europe/Helsinki:20240621T035400
//   DURATION:PT0S
//   SUMMARY:Sunrise 03:54 (37°)
//   GEO:50.783333;5.466667
//   LOCATION:<place name, when there is one>
//   TRANSP:TRANSPARENT
//   END:VEVENT
// lasting no time (the event is an instant, which calendars show as a point
// in time rather than as an hour), with no alarm, and shown as free time. The
// UID is <date>-<kind>-<latitude>-<longitude>@dawnhelm: the event's local date
// as YYYYMMDD, the kind's fixed token (sunrise, sunset, moonrise, moonset,
// civildawn, civildusk, and for the almanac marchequinox, junesolstice,
// septemberequinox, decembersolstice, perigee, apogee, lunareclipse,
// solareclipse, meteorshower, summertimestarts, summertimeends, for the light
// morningbluehour, morninggoldenhour, eveninggoldenhour, eveningbluehour,
// sunrisefromheight, sunsetfromheight, visiblesunrise, visiblesunset, and
// for the user's own events ownrising or ownsetting followed by '-' and the
// event's name with every byte but an ASCII letter or digit written as '_'
// and two hex digits), and the place
// in whole arc minutes with its hemisphere letter (N or S, E or W). It does
// not depend on the words, the zone or the time, so a file made again for the
// same place updates the events it imported before instead of doubling them,
// and another place's events stay apart.
//
// With a zone, DTSTART is the local time in that zone, as the summary gives
// it, and the file carries the zone's VTIMEZONE over the exported dates: one
// STANDARD or DAYLIGHT part per period of one offset, from the same reading of
// the system's time-zone database as the rest of the program (places/zone.h:
// the database's changes, then its rule for the years after them, up to
// 9999), with the offsets to the second and the database's names. DAYLIGHT is
// summer time as the program counts it (the higher offset: Ireland's winter
// is STANDARD, Lord Howe's summer DAYLIGHT). A local time that the zone's
// clocks show twice (the hour repeated when summer time ends) is written in
// UTC instead: calendars disagree on which of the two it means. Without a
// zone, or with UTC, every DTSTART is in UTC.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/daynumber.h"

namespace dawn {

// The kinds of event a calendar file holds. New kinds go before Count.
enum class SkyEvent : std::uint8_t {
    Sunrise,
    Sunset,
    Moonrise,
    Moonset,
    CivilDawn,
    CivilDusk,
    // The almanac's events.
    MarchEquinox,
    JuneSolstice,
    SeptemberEquinox,
    DecemberSolstice,
    Perigee,
    Apogee,
    LunarEclipse,
    SolarEclipse,
    MeteorShower,
    SummerTimeStarts,
    SummerTimeEnds,
    // The light: each blue or golden hour at its start, the sun's rise and
    // set from the observer's height and behind the horizon profile, and the
    // sides of the user's own events (named by CalendarEvent::name).
    MorningBlueHour,
    MorningGoldenHour,
    EveningGoldenHour,
    EveningBlueHour,
    SunriseFromHeight,
    SunsetFromHeight,
    VisibleSunrise,
    VisibleSunset,
    OwnRising,
    OwnSetting,
    Count
};
inline constexpr std::size_t kSkyEventCount = static_cast<std::size_t>(SkyEvent::Count);

// The fixed token of a kind in the UID ("sunrise", "civildawn"); empty for
// Count.
std::string_view SkyEventToken(SkyEvent kind);

struct CalendarEvent {
    SkyEvent kind = SkyEvent::Sunrise;
    DayNumber date;                        // the local date of the event
    std::chrono::minutes wallTime{0};      // local clock time, 0..1439
    std::chrono::minutes utcOffset{0};     // local clock minus UT at that moment
    std::optional<double> azimuthDegrees;  // none when the event has no azimuth
    // What the summary says after the time, following a colon ("total,
    // 100.0 % covered"); empty for none.
    std::string detail{};
    // The user's event of OwnRising and OwnSetting, which the summary
    // begins with ("Dawn prayer rising 05:12") and the UID holds.
    std::string name{};
};

struct CalendarPlace {
    std::int32_t latitudeMinutes = 0;   // north positive
    std::int32_t longitudeMinutes = 0;  // east positive
    std::string name;                   // may be empty
};

// The words of the summaries: one name per kind and the time separator.
struct CalendarWords {
    std::array<std::string, kSkyEventCount> names{"Sunrise",
                                                  "Sunset",
                                                  "Moonrise",
                                                  "Moonset",
                                                  "Civil dawn",
                                                  "Civil dusk",
                                                  "March equinox",
                                                  "June solstice",
                                                  "September equinox",
                                                  "December solstice",
                                                  "Perigee",
                                                  "Apogee",
                                                  "Lunar eclipse",
                                                  "Solar eclipse",
                                                  "Meteor shower",
                                                  "Summer time starts",
                                                  "Summer time ends",
                                                  "Morning blue hour",
                                                  "Morning golden hour",
                                                  "Evening golden hour",
                                                  "Evening blue hour",
                                                  "Sunrise from height",
                                                  "Sunset from height",
                                                  "Visible sunrise",
                                                  "Visible sunset",
                                                  "rising",
                                                  "setting"};
    std::string timeSeparator = ":";
};

struct CalendarHeader {
    CalendarPlace place;
    std::string zone;  // an IANA zone name; empty for times in UTC
    DayNumber from;    // every event's date lies in from..to
    DayNumber to;
    std::chrono::sys_seconds stamp;  // when the file is made (DTSTAMP)
    CalendarWords words;
};

// The UID of an event at a place, by the format above.
std::string CalendarUid(const CalendarEvent& event, const CalendarPlace& place);

enum class IcsStatus : std::uint8_t {
    Ok,
    UnknownZone,  // the zone is not in the system's time-zone database
    BadRange,     // from after to, or a year outside 1..9999
    BadEvent,     // outside the range, or a time, offset or kind out of bounds
    Stopped,      // the sink refused a piece; nothing more is written
    OutOfOrder,   // Add before Begin, or anything after Finish
};

class IcsWriter {
public:
    // Receives the text piece by piece; returns false to stop the writing.
    using Sink = std::function<bool(std::string_view)>;

    IcsWriter(CalendarHeader header, Sink sink);
    ~IcsWriter();
    IcsWriter(const IcsWriter&) = delete;
    IcsWriter& operator=(const IcsWriter&) = delete;

    // Writes the head. UnknownZone and BadRange write nothing.
    IcsStatus Begin();
    // Writes one event. A BadEvent writes nothing and the writer goes on.
    IcsStatus Add(const CalendarEvent& event);
    // Writes the end of the calendar.
    IcsStatus Finish();

    // What went wrong last, in words; empty after success.
    const std::string& Error() const { return error_; }

private:
    struct Zone;
    IcsStatus Fail(IcsStatus status, std::string message);
    IcsStatus Put(std::string_view text);

    CalendarHeader header_;
    Sink sink_;
    std::unique_ptr<Zone> zone_;
    std::string tail_;
    enum class Stage : std::uint8_t { New, Open, Done, Stopped } stage_ = Stage::New;
    std::string error_;
};

}  // namespace dawn
