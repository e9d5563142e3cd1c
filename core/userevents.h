// The user's own events of the sun, kept in Dawnevents.txt beside the
// settings file, one event a line, its fields parted by ';':
//
//     # Dawnhelm's own events: NAME;KIND;VALUE;WHICH
//     Photographer's light;elevation;10;both
//     Dawn prayer;elevation;-18;rising
//     Afternoon prayer;shadow;1;setting;beyond-noon
//     Half an hour before sunset;offset;-30;sunset
//
//   elevation  VALUE degrees (-90..90) of the sun's centre, geometric; WHICH
//              is rising, setting or both
//   shadow     VALUE (0.01..1000) times the height of a vertical object is the
//              length of its shadow; WHICH is rising (before noon), setting
//              (after noon) or both; a fifth field `beyond-noon` counts the
//              length beyond the noon shadow of the date
//   offset     VALUE whole minutes (-1440..1440) from WHICH: sunrise, sunset, noon,
//              civil dawn, civil dusk, nautical dawn, nautical dusk,
//              astronomical dawn, astronomical dusk, visible sunrise, visible
//              sunset, or the name of another event of the file (which may
//              itself be an offset, three deep at most, never in a circle)
//
// The visible sunrise and sunset are the sun's rise and set as the observer
// sees them (EventSight): behind the horizon profile, its first appearance
// and its last disappearance of the day (astro/horizon.h); without a profile,
// over the horizon lowered by the dip of the observer's height; with neither,
// sunrise and sunset themselves.
//
// Any event may end in one more field, its alarm: `alarm=MINUTES,WAY` rings
// at each side the event has, MINUTES (-180..180) after it (before it when
// negative), WAY being picture, notification or both, with the sound the
// settings choose for every alarm (the rising side takes the sunrise's
// sound and picture, the setting side the sunset's):
//
//     Dawn prayer;elevation;-18;rising;alarm=-10,both
//     Afternoon prayer;shadow;1;setting;beyond-noon;alarm=0,notification
//     Sun over the ridge;offset;0;visible sunrise;alarm=-10,both
//
// Golden and blue hour bounds can be alarmed this way: an elevation event at
// -6, -4 or 6 degrees. A file without alarm fields reads as it always did.
//
// A name is 1 to 60 characters without ';' and unique in the file. Empty lines
// and lines starting with '#' are skipped. A line that cannot be taken is left
// out with a message naming it; the file is then kept as Dawnevents.txt.bak
// before the program writes it again, so that nothing is lost.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "astro/astro.h"
#include "astro/horizon.h"
#include "core/alarm.h"
#include "core/textfile.h"

namespace dawn {

inline constexpr const char* kUserEventsFileName = "Dawnevents.txt";
inline constexpr std::size_t kMaxUserEvents = 200;
inline constexpr std::size_t kMaxUserEventNameBytes = 60;
inline constexpr std::size_t kMaxUserEventsFileBytes = 1024u * 1024u;
inline constexpr int kMaxOffsetDepth = 3;

// The built-in events an offset may count from; no event of the file may
// take one of these names.
inline constexpr std::array<std::string_view, 11> kBuiltInEventNames = {
    "sunrise",           "sunset",          "noon",           "civil dawn",
    "civil dusk",        "nautical dawn",   "nautical dusk",  "astronomical dawn",
    "astronomical dusk", "visible sunrise", "visible sunset",
};

// What the visible sunrise and sunset are seen from: the observer's height
// above the land around (metres) and the horizon profile's points, sorted by
// azimuth. The profile, when it has a point, goes before the height. None of
// either (the default) sees them as sunrise and sunset.
struct EventSight {
    double heightMetres = 0;
    std::span<const HorizonPoint> profile{};
};

enum class UserEventKind : std::uint8_t { Elevation, Shadow, Offset };
enum class UserEventSide : std::uint8_t { Rising, Setting, Both };

// The alarm an event carries.
struct UserEventAlarm {
    std::chrono::minutes offset{0};  // kMinAlarmOffset..kMaxAlarmOffset
    AlarmChannel channel = AlarmChannel::Picture;
    friend bool operator==(const UserEventAlarm&, const UserEventAlarm&) = default;
};

struct UserEvent {
    std::string name;
    UserEventKind kind = UserEventKind::Elevation;
    double value = 0;                          // degrees, a ratio, or minutes
    UserEventSide side = UserEventSide::Both;  // elevation and shadow
    bool beyondNoon = false;                   // shadow
    std::string base;                          // offset: the event counted from
    std::optional<UserEventAlarm> alarm{};

    friend bool operator==(const UserEvent&, const UserEvent&) = default;
};

struct UserEventsRead {
    std::vector<UserEvent> events;  // in the order of the file
    std::vector<std::string> messages;
    // Set when a line was left out or the file could not be read as a whole:
    // the next save first keeps the file as Dawnevents.txt.bak.
    bool keepCopyBeforeSave = false;
};

// The events of `lines`; `name` names the file in the messages.
UserEventsRead UserEventsFromLines(const std::vector<std::string>& lines, const std::string& name);

// Reads the file at `path`; a missing file is an empty list without a message.
UserEventsRead ReadUserEvents(const std::string& path, UserId user = CurrentUser());

// The lines a save writes: a comment line naming the fields, then one line
// per event, in the form read above (numbers in their shortest form).
std::vector<std::string> UserEventLines(const std::vector<UserEvent>& events);

// Writes the events to `path` atomically, with LF line ends; with
// `keepCopy` the old file is first kept as `path` + ".bak" (and nothing is
// written when that fails).
TextFileResult SaveUserEvents(const std::string& path, const std::vector<UserEvent>& events,
                              bool keepCopy, UserId user = CurrentUser());

// The sides of an event the file names, or of one of the built-in events
// an offset may count from; empty for an unknown name.
std::optional<UserEventSide> SidesOf(const std::vector<UserEvent>& events, const std::string& name);

// The altitude of the sun's centre at which a vertical object's shadow is
// `ratio` times its height, and with `beyondNoon` `ratio` times its height
// longer than the noon shadow of `date`; empty on a date whose sun stays
// below the horizon at noon when counting beyond the noon shadow.
std::optional<double> ShadowAltitude(double ratio, bool beyondNoon,
                                     std::chrono::year_month_day date, const Place& place);

// The times of event `index` of `events` on `date`, in the zone's standard
// time of `place`, with the statuses of the twilights: dawn is the rising
// side, dusk the setting one. An offset event falls on the date its time
// lands on (an hour before a sunrise at 00:30 is on the date before), and
// takes its base's sides; a side it does not have, or whose time falls on
// another date, has no crossing (the status of the base when that has no
// crossing either, else NoRise or NoSet with its fixed time). Noon is on
// the rising side. `sight` gives the visible sunrise and sunset.
Twilight ComputeUserEvent(const std::vector<UserEvent>& events, std::size_t index,
                          std::chrono::year_month_day date, const Place& place,
                          const EventSight& sight = {});

}  // namespace dawn
