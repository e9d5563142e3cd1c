// When the alarms fire.
//
// The clock ticks once a second and an alarm fires in the tick that falls in
// its second: the second of its event (the events fall on whole minutes, so
// that is second 0 of the event's minute) plus the alarm's offset. Three rules
// keep this honest:
//  - Only an event that happens that day fires. On a day without a sunrise
//    the record still holds a placeholder time (00:00, 23:59, or 12:00 for
//    both events when the sun stays down), and that placeholder is no
//    sunrise; the sunset of that day did happen and fires at its own time.
//  - A late tick does not lose the alarm. A busy machine can skip a second;
//    when the alarm's second lies after the previous tick and at or before
//    this one, on the same date and at most a minute back, this tick fires it.
//  - An alarm fires at most once per event and date, so moving the calendar
//    back and forth over the event (or a clock set back) does not repeat it.
//
// An offset moves the alarm off its event: -15 minutes rings a quarter of an
// hour before sunrise. The offset is elapsed time: the alarm rings at the
// event's instant plus the offset, read on the wall clock then (WallClockOf),
// so that an alarm three hours before a dawn on the morning the clocks go
// forward rings at 01:27, not at 02:27, which that night never shows, and one
// in the hour the clocks repeat in autumn rings once. Without a wall clock
// (or without the event's offset from UT) the offset is added to the clock
// time, which is the same on every day the clocks do not change. An alarm
// moved across midnight rings on the date it falls on:
// a sunrise at 00:10 with -15 rings at 23:55 the evening before, so the tick
// of a date also looks at the next date's event (negative offsets) or the
// previous date's (positive ones). "Once per event and date" is kept by the
// event's own date, not by the date the alarm rings on.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "astro/astro.h"
#include "core/daynumber.h"

namespace dawn {

struct DayEphemeris;

// The events an alarm can follow. New kinds go before Count.
enum class AlarmEvent : std::uint8_t { SunRise, SunSet, CivilDawn, CivilDusk, Count };
inline constexpr std::size_t kAlarmEventCount = static_cast<std::size_t>(AlarmEvent::Count);

// Where an alarm reaches the user: the picture window (the designed way), a
// desktop notification, or both. Sound is a separate switch.
enum class AlarmChannel : std::uint8_t { Picture, Notification, Both };

// The offsets an alarm may take, and the designed one.
inline constexpr std::chrono::minutes kMinAlarmOffset{-180};
inline constexpr std::chrono::minutes kMaxAlarmOffset{180};
inline constexpr std::chrono::minutes kDefaultAlarmOffset{0};

// The wall-clock moment of one tick.
struct TickMoment {
    DayNumber date;
    int secondOfDay = 0;  // 0..86399
    friend constexpr bool operator==(const TickMoment&, const TickMoment&) = default;
};

// One event of one date as an alarm sees it.
struct AlarmEventTime {
    DayNumber date;  // the event's own date
    // Normal when the event happened on its date, also on a day whose status
    // says otherwise (the sunset of a day without a sunrise); the day's
    // status when it did not.
    EventStatus status = EventStatus::Normal;
    int secondOfDay = 0;  // wall clock, summer time applied
    // The wall clock's offset from UT at the event, when known.
    std::optional<std::chrono::minutes> utcOffset;
    friend bool operator==(const AlarmEventTime&, const AlarmEventTime&) = default;
};

// The wall-clock reading of an instant at the place.
using WallClockOf = std::function<TickMoment(std::chrono::sys_seconds)>;

// How far back a late tick still raises a missed alarm.
inline constexpr int kAlarmCatchUpSeconds = 60;

// The moment the alarm of an event rings: the event's second plus the
// offset, carried into the date before or after when it crosses midnight.
TickMoment AlarmMoment(DayNumber eventDate, int eventSecondOfDay, std::chrono::minutes offset);

// The same in elapsed time: the wall clock at the event's instant plus the
// offset, when `wall` is given and the event knows its offset from UT.
TickMoment AlarmMoment(const AlarmEventTime& event, std::chrono::minutes offset,
                       const WallClockOf& wall);

// The event dates whose alarm, with this offset, can ring on `day`: `day`
// itself and, for an offset other than 0, the neighbour on the side the
// offset reaches from. Oldest first.
std::vector<DayNumber> AlarmEventDates(DayNumber day, std::chrono::minutes offset);

// Whether an alarm ringing at `alarm` falls to the tick at `now`, given the
// tick before it (none for the first tick of the run). A tick on another
// date than the previous one, or one behind it (the clock was set back),
// fires only for its own second.
bool AlarmDue(EventStatus status, TickMoment alarm, const std::optional<TickMoment>& previous,
              TickMoment now);

// The same for an alarm without offset at `eventSecondOfDay` on now's date.
bool AlarmDue(EventStatus status, int eventSecondOfDay, const std::optional<TickMoment>& previous,
              TickMoment now);

// One alarm as the user set it up. An alarm on one of the user's own events
// (core/userevents.h) names the event in `own`; its `kind` is then SunRise
// for the event's rising side and SunSet for its setting side.
struct AlarmSetup {
    AlarmEvent kind = AlarmEvent::SunRise;
    std::chrono::minutes offset = kDefaultAlarmOffset;
    AlarmChannel channel = AlarmChannel::Picture;
    std::string own{};
};

// One alarm that rings on a given date.
struct DueAlarm {
    int secondOfDay = 0;  // when it rings, on the date asked for
    AlarmEvent kind = AlarmEvent::SunRise;
    std::chrono::minutes offset{0};
    AlarmChannel channel = AlarmChannel::Picture;
    AlarmEventTime event;  // the event it belongs to
    std::string own{};     // the user's own event, as in AlarmSetup
    friend bool operator==(const DueAlarm&, const DueAlarm&) = default;
};

// The event of a kind on a date; nullopt when the program does not compute
// that kind (such an alarm never rings).
using AlarmEventLookup = std::function<std::optional<AlarmEventTime>(AlarmEvent, DayNumber)>;
// The same for a side (SunRise or SunSet) of one of the user's own events.
using OwnAlarmEventLookup =
    std::function<std::optional<AlarmEventTime>(const std::string&, AlarmEvent, DayNumber)>;

// The alarm memory of a running program: the moment of the last tick and,
// for each kind, which events' alarms have fired. An event's alarm counts as
// fired when the last alarm of its kind was for that event's date (so a
// calendar moved to another date, or an offset changed after the alarm rang,
// does not repeat it), or when it already rang on now's date (so a clock set
// back over two alarms that one day holds, one of them for the next day's
// event, repeats neither). Without offsets this is one alarm per kind and
// date.
class AlarmState {
public:
    // Called at the start of every tick: remembers `now` and returns the moment
    // of the tick before (nullopt for the first). A tick that opens a modal
    // window keeps the returned moment, so the ticks nested inside it and the
    // rest of the outer tick each compare against their own predecessor.
    std::optional<TickMoment> BeginTick(TickMoment now);

    // True when the alarm of `event` (moved by `offset`) is due at `now` and
    // has not fired yet for that event's date; it then counts as fired (before
    // any sound or picture, so a tick nested in the alarm's own picture window
    // cannot raise it again).
    bool Fire(AlarmEvent kind, const AlarmEventTime& event, std::chrono::minutes offset,
              const std::optional<TickMoment>& previous, TickMoment now,
              const WallClockOf& wall = {});

    // The same for an alarm without offset on now's date.
    bool Fire(AlarmEvent kind, EventStatus status, int eventSecondOfDay,
              const std::optional<TickMoment>& previous, TickMoment now);

    // The same for any alarm, also one on the user's own events (each of
    // them, by name and side, keeps its own memory).
    bool Fire(const AlarmSetup& alarm, const AlarmEventTime& event,
              const std::optional<TickMoment>& previous, TickMoment now,
              const WallClockOf& wall = {});

    // Fire for every alarm of `alarms` and every event date whose alarm can
    // ring on now's date: the alarms this tick raises, in the order of
    // `alarms`, each with the second it was due (a late tick raises an alarm
    // due a little earlier). The alarms on the user's own events take their
    // events from `ownOf` (without it they never ring).
    std::vector<DueAlarm> FireDue(std::span<const AlarmSetup> alarms,
                                  const AlarmEventLookup& eventOf,
                                  const std::optional<TickMoment>& previous, TickMoment now,
                                  const WallClockOf& wall = {},
                                  const OwnAlarmEventLookup& ownOf = {});

private:
    struct Fired {
        std::optional<DayNumber> lastEvent;   // the event date of the last alarm
        std::optional<DayNumber> ringDay;     // the date the last alarm rang on
        std::vector<DayNumber> eventsRungOn;  // the event dates that rang on ringDay
    };
    static bool FireOnce(Fired& fired, const AlarmEventTime& event, TickMoment now);
    std::optional<TickMoment> lastTick_;
    std::array<Fired, kAlarmEventCount> fired_{};
    std::map<std::pair<std::string, AlarmEvent>, Fired> ownFired_;
};

// Every alarm of `alarms` that rings on `day`, in the order they ring (the
// order of `alarms` within one second). The tick fires exactly these when
// it runs through the whole day second by second. `alarms` holds at most one
// alarm per kind (and own event); a later one of the same kind is ignored,
// here and by FireDue.
std::vector<DueAlarm> AlarmsOn(DayNumber day, std::span<const AlarmSetup> alarms,
                               const AlarmEventLookup& eventOf, const WallClockOf& wall = {},
                               const OwnAlarmEventLookup& ownOf = {});

// The event of a kind in a day record: the crossing that happened, at its
// clock time, or the day's status when none did; nullopt for the kinds the
// record does not hold yet (civil dawn and dusk).
std::optional<AlarmEventTime> AlarmEventOf(const DayEphemeris& day, AlarmEvent kind);

}  // namespace dawn
