#include "core/userevents.h"

#include <array>
#include <charconv>
#include <cmath>
#include <span>
#include <string_view>

namespace dawn {

namespace {

constexpr std::size_t kMaxLineMessages = 10;
constexpr std::size_t kMaxQuotedBytes = 60;

// The events an offset may count from besides the file's own, in the order
// of kBuiltInEventNames.
enum class BuiltIn : std::uint8_t {
    Sunrise,
    Sunset,
    Noon,
    CivilDawn,
    CivilDusk,
    NauticalDawn,
    NauticalDusk,
    AstronomicalDawn,
    AstronomicalDusk,
    VisibleSunrise,
    VisibleSunset,
};

std::optional<BuiltIn> BuiltInOf(std::string_view name) {
    for (std::size_t i = 0; i < kBuiltInEventNames.size(); ++i)
        if (kBuiltInEventNames[i] == name) return static_cast<BuiltIn>(i);
    return std::nullopt;
}

bool IsRising(BuiltIn b) {
    switch (b) {
        case BuiltIn::Sunrise:
        case BuiltIn::Noon:
        case BuiltIn::CivilDawn:
        case BuiltIn::NauticalDawn:
        case BuiltIn::AstronomicalDawn:
        case BuiltIn::VisibleSunrise:
            return true;
        default:
            return false;
    }
}

constexpr std::array<std::string_view, 3> kSideNames = {"rising", "setting", "both"};

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(';', start);
        fields.push_back(Trimmed(line.substr(start, end - start)));
        if (end == std::string_view::npos) return fields;
        start = end + 1;
    }
}

std::optional<UserEventSide> SideOf(std::string_view text) {
    for (std::size_t i = 0; i < kSideNames.size(); ++i)
        if (kSideNames[i] == text) return static_cast<UserEventSide>(i);
    return std::nullopt;
}

bool GoodName(std::string_view name) {
    if (name.empty() || name.size() > kMaxUserEventNameBytes || !IsValidUtf8(name)) return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

constexpr std::string_view kAlarmField = "alarm=";
constexpr std::array<std::string_view, 3> kWayNames = {"picture", "notification", "both"};

// The alarm field's MINUTES,WAY, or the reason it is not one.
std::string ParseAlarm(std::string_view text, UserEventAlarm& out) {
    const std::size_t comma = text.find(',');
    double minutes = 0;
    if (comma == std::string_view::npos ||
        !ParseNumberInRange(Trimmed(text.substr(0, comma)),
                            static_cast<double>(kMinAlarmOffset.count()),
                            static_cast<double>(kMaxAlarmOffset.count()), minutes) ||
        minutes != std::floor(minutes))
        return "has an alarm that is not alarm=MINUTES,WAY with whole minutes from " +
               std::to_string(kMinAlarmOffset.count()) + " to " +
               std::to_string(kMaxAlarmOffset.count());
    out.offset = std::chrono::minutes(static_cast<int>(minutes));
    const std::string_view way = Trimmed(text.substr(comma + 1));
    for (std::size_t i = 0; i < kWayNames.size(); ++i) {
        if (kWayNames[i] != way) continue;
        out.channel = static_cast<AlarmChannel>(i);
        return {};
    }
    return "has an alarm way " + QuotedExcerpt(way, kMaxQuotedBytes) +
           " that is not picture, notification or both";
}

// One line as an event, or the reason it is not one.
std::string ParseLine(std::string_view line, UserEvent& out) {
    std::vector<std::string_view> f = Fields(line);
    if (f.size() > 4 && f.back().starts_with(kAlarmField)) {
        UserEventAlarm alarm;
        if (std::string why = ParseAlarm(f.back().substr(kAlarmField.size()), alarm); !why.empty())
            return why;
        out.alarm = alarm;
        f.pop_back();
    }
    if (f.size() < 4) return "is not NAME;KIND;VALUE;WHICH";
    if (!GoodName(f[0]))
        return "has no usable name (1 to " + std::to_string(kMaxUserEventNameBytes) +
               " characters, no control characters)";
    out.name = std::string(f[0]);
    if (BuiltInOf(out.name))
        return "takes the name of a built-in event, " + QuotedExcerpt(f[0], kMaxQuotedBytes);
    const std::string_view kind = f[1];
    if (kind == "elevation" || kind == "shadow") {
        const bool shadow = kind == "shadow";
        out.kind = shadow ? UserEventKind::Shadow : UserEventKind::Elevation;
        if (shadow ? !ParseNumberInRange(f[2], 0.01, 1000.0, out.value)
                   : !ParseNumberInRange(f[2], -90.0, 90.0, out.value))
            return QuotedExcerpt(f[2], kMaxQuotedBytes) +
                   (shadow ? " is not a ratio from 0.01 to 1000"
                           : " is not an altitude from -90 to 90 degrees");
        const std::optional<UserEventSide> side = SideOf(f[3]);
        if (!side) return QuotedExcerpt(f[3], kMaxQuotedBytes) + " is not rising, setting or both";
        out.side = *side;
        if (shadow && f.size() == 5 && f[4] == "beyond-noon") {
            out.beyondNoon = true;
        } else if (f.size() != 4) {
            return shadow ? "has more fields than a shadow's (the fifth may be beyond-noon)"
                          : "has more fields than NAME;elevation;DEGREES;WHICH";
        }
        return {};
    }
    if (kind == "offset") {
        out.kind = UserEventKind::Offset;
        if (!ParseNumberInRange(f[2], -1440.0, 1440.0, out.value) ||
            out.value != std::floor(out.value))
            return QuotedExcerpt(f[2], kMaxQuotedBytes) +
                   " is not a whole number of minutes from -1440 to 1440";
        if (f.size() != 4) return "has more fields than NAME;offset;MINUTES;EVENT";
        out.base = std::string(f[3]);
        if (out.base.empty()) return "names no event to count from";
        return {};
    }
    return QuotedExcerpt(kind, kMaxQuotedBytes) + " is not elevation, shadow or offset";
}

const UserEvent* Find(const std::vector<UserEvent>& events, std::string_view name) {
    for (const UserEvent& e : events)
        if (e.name == name) return &e;
    return nullptr;
}

// How many offsets deep `e` counts from a fixed event; -1 for a chain that
// names an unknown event, runs in a circle or goes too deep.
int OffsetDepth(const std::vector<UserEvent>& events, const UserEvent& e) {
    const UserEvent* at = &e;
    for (int depth = 0; depth <= kMaxOffsetDepth; ++depth) {
        if (at->kind != UserEventKind::Offset) return depth;
        if (BuiltInOf(at->base)) return depth + 1;
        at = Find(events, at->base);
        if (at == nullptr) return -1;
    }
    return -1;
}

std::string NumberText(double v) {
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string("0");
}

}  // namespace

UserEventsRead UserEventsFromLines(const std::vector<std::string>& lines, const std::string& name) {
    UserEventsRead read;
    std::vector<std::size_t> lineOf;
    std::size_t badLines = 0;
    auto bad = [&](std::size_t index, const std::string& why) {
        read.keepCopyBeforeSave = true;
        if (++badLines <= kMaxLineMessages)
            read.messages.push_back(name + ", line " + std::to_string(index + 1) + " " + why +
                                    "; the event is left out.");
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = Trimmed(lines[i]);
        if (line.empty() || line.front() == '#') continue;
        UserEvent event;
        if (std::string why = ParseLine(line, event); !why.empty()) {
            bad(i, why);
            continue;
        }
        if (Find(read.events, event.name) != nullptr) {
            bad(i, "repeats the name " + QuotedExcerpt(event.name, kMaxQuotedBytes));
            continue;
        }
        if (read.events.size() == kMaxUserEvents) {
            read.keepCopyBeforeSave = true;
            read.messages.push_back(name + " holds more than " + std::to_string(kMaxUserEvents) +
                                    " events; the rest is left out.");
            break;
        }
        read.events.push_back(std::move(event));
        lineOf.push_back(i);
    }
    // Offsets that count from nothing the file keeps, in a circle or too deep;
    // leaving one out may leave another without its base, so again until none.
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t k = 0; k < read.events.size(); ++k) {
            if (OffsetDepth(read.events, read.events[k]) >= 0) continue;
            bad(lineOf[k], "counts from " + QuotedExcerpt(read.events[k].base, kMaxQuotedBytes) +
                               ", which is no event, or runs in a circle or more than " +
                               std::to_string(kMaxOffsetDepth) + " offsets deep");
            read.events.erase(read.events.begin() + static_cast<std::ptrdiff_t>(k));
            lineOf.erase(lineOf.begin() + static_cast<std::ptrdiff_t>(k));
            changed = true;
            break;
        }
    }
    if (badLines > kMaxLineMessages)
        read.messages.push_back(name + ": " + std::to_string(badLines - kMaxLineMessages) +
                                " more lines were left out.");
    if (read.keepCopyBeforeSave)
        read.messages.push_back("The file will be kept as " + name +
                                ".bak before it is written again.");
    return read;
}

UserEventsRead ReadUserEvents(const std::string& path, UserId user) {
    const TextFileResult file = ReadTextFile(path, kMaxUserEventsFileBytes, user);
    if (file.status == TextFileStatus::Missing) return {};
    if (!file.ok()) {
        UserEventsRead read;
        read.keepCopyBeforeSave = true;
        read.messages.push_back(file.error + " Your own events are left out.");
        return read;
    }
    UserEventsRead read = UserEventsFromLines(file.lines, path);
    if (file.convertedLines > 0) {
        read.messages.insert(read.messages.begin(), ConvertedLinesNote(file.convertedLines));
        if (!read.keepCopyBeforeSave)
            read.messages.push_back("The file will be kept as " + path +
                                    ".bak before it is written again.");
        read.keepCopyBeforeSave = true;
    }
    return read;
}

std::vector<std::string> UserEventLines(const std::vector<UserEvent>& events) {
    std::vector<std::string> lines = {"# Dawnhelm's own events: NAME;KIND;VALUE;WHICH"};
    for (const UserEvent& e : events) {
        std::string line = e.name + ";";
        switch (e.kind) {
            case UserEventKind::Elevation:
            case UserEventKind::Shadow:
                line += e.kind == UserEventKind::Shadow ? "shadow;" : "elevation;";
                line += NumberText(e.value) + ";";
                line += kSideNames[static_cast<std::size_t>(e.side)];
                if (e.kind == UserEventKind::Shadow && e.beyondNoon) line += ";beyond-noon";
                break;
            case UserEventKind::Offset:
                line += "offset;" + NumberText(e.value) + ";" + e.base;
                break;
        }
        if (e.alarm)
            line += ";" + std::string(kAlarmField) + std::to_string(e.alarm->offset.count()) + "," +
                    std::string(kWayNames[static_cast<std::size_t>(e.alarm->channel)]);
        lines.push_back(std::move(line));
    }
    return lines;
}

TextFileResult SaveUserEvents(const std::string& path, const std::vector<UserEvent>& events,
                              bool keepCopy, UserId user) {
    // A name the file could not read back (a line break or a ';' in it, or
    // a repeated one) would shift or lose events: refused, the file untouched.
    for (std::size_t i = 0; i < events.size(); ++i) {
        const std::string& name = events[i].name;
        const bool repeated = Find(events, name) != &events[i];
        if (GoodName(name) && name.find(';') == std::string::npos && !BuiltInOf(name) &&
            Trimmed(name) == name && name.front() != '#' && !repeated)
            continue;
        TextFileResult refused;
        refused.status = TextFileStatus::WriteFailed;
        refused.reason = "the event name " + QuotedExcerpt(name, kMaxQuotedBytes) +
                         " cannot be kept in the file";
        refused.error = "Your own events were not saved to " + path + ": " + refused.reason + ".";
        return refused;
    }
    if (keepCopy) {
        TextFileResult copy = KeepBackupCopy(path, user);
        if (!copy.ok()) return copy;
    }
    return WriteTextFileAtomic(path, UserEventLines(events), "\n", user);
}

std::optional<UserEventSide> SidesOf(const std::vector<UserEvent>& events,
                                     const std::string& name) {
    std::string_view at = name;
    for (int depth = 0; depth <= kMaxOffsetDepth + 1; ++depth) {
        if (const std::optional<BuiltIn> b = BuiltInOf(at))
            return IsRising(*b) ? UserEventSide::Rising : UserEventSide::Setting;
        const UserEvent* e = Find(events, at);
        if (e == nullptr) return std::nullopt;
        if (e->kind != UserEventKind::Offset) return e->side;
        at = e->base;
    }
    return std::nullopt;
}

std::optional<double> ShadowAltitude(double ratio, bool beyondNoon,
                                     std::chrono::year_month_day date, const Place& place) {
    constexpr double kDegrees = 180.0 / 3.14159265358979323846;
    if (beyondNoon) {
        const std::optional<SolarNoon> noon = ComputeSunDayEvents(date, place).noon;
        if (!noon || !(noon->altitudeDegrees > 0.0)) return std::nullopt;
        ratio += 1.0 / std::tan(noon->altitudeDegrees / kDegrees);
    }
    return std::atan(1.0 / ratio) * kDegrees;
}

namespace {

EventMinutes FromRiseSet(const RiseSetResult& r) {
    return {r.status, r.time, r.crossing, r.earlierCrossing};
}

// A side the event does not have.
EventMinutes NoSide(EventKind kind) {
    return kind == EventKind::Rise
               ? EventMinutes{EventStatus::NoRise, std::chrono::minutes(0), {}, {}}
               : EventMinutes{EventStatus::NoSet, std::chrono::minutes(23 * 60 + 59), {}, {}};
}

// The sun's rise and set as the observer sees them: behind the profile when
// there is one, else over the horizon lowered by the height's dip.
Twilight VisibleDay(std::chrono::year_month_day date, const Place& place, const EventSight& sight) {
    if (!sight.profile.empty()) {
        const VisibleSunDay seen = ComputeVisibleSunDay(date, place, sight.profile);
        return {seen.rise, seen.set};
    }
    const DayEvents day = ComputeSunDayFromHeight(date, place, sight.heightMetres);
    return {FromRiseSet(day.rise), FromRiseSet(day.set)};
}

Twilight BuiltInDay(BuiltIn b, std::chrono::year_month_day date, const Place& place,
                    const EventSight& sight) {
    switch (b) {
        case BuiltIn::VisibleSunrise:
            return {VisibleDay(date, place, sight).dawn, NoSide(EventKind::Set)};
        case BuiltIn::VisibleSunset:
            return {NoSide(EventKind::Rise), VisibleDay(date, place, sight).dusk};
        case BuiltIn::Sunrise:
            return {FromRiseSet(ComputeSunDay(date, place).rise), NoSide(EventKind::Set)};
        case BuiltIn::Sunset:
            return {NoSide(EventKind::Rise), FromRiseSet(ComputeSunDay(date, place).set)};
        case BuiltIn::Noon: {
            const std::optional<SolarNoon> noon = ComputeSunDayEvents(date, place).noon;
            if (!noon) return {NoSide(EventKind::Rise), NoSide(EventKind::Set)};
            return {EventMinutes{EventStatus::Normal, noon->minute, noon->minute, {}},
                    NoSide(EventKind::Set)};
        }
        default:
            break;
    }
    const SunDayEvents sun = ComputeSunDayEvents(date, place);
    const auto twilight = [&](TwilightKind k, bool dawn) {
        const Twilight& t = sun.Of(k);
        return dawn ? Twilight{t.dawn, NoSide(EventKind::Set)}
                    : Twilight{NoSide(EventKind::Rise), t.dusk};
    };
    switch (b) {
        case BuiltIn::CivilDawn:
            return twilight(TwilightKind::Civil, true);
        case BuiltIn::CivilDusk:
            return twilight(TwilightKind::Civil, false);
        case BuiltIn::NauticalDawn:
            return twilight(TwilightKind::Nautical, true);
        case BuiltIn::NauticalDusk:
            return twilight(TwilightKind::Nautical, false);
        case BuiltIn::AstronomicalDawn:
            return twilight(TwilightKind::Astronomical, true);
        default:
            return twilight(TwilightKind::Astronomical, false);
    }
}

Twilight EventDay(const std::vector<UserEvent>& events, const UserEvent& e,
                  std::chrono::year_month_day date, const Place& place, const EventSight& sight,
                  int depth);

// One side of an offset event: the base's crossings of the date and of the
// dates around it, moved by the offset, that land on the date.
EventMinutes Shifted(const std::array<Twilight, 3>& around, EventKind kind, int offset) {
    const auto side = [kind](const Twilight& t) -> const EventMinutes& {
        return kind == EventKind::Rise ? t.dawn : t.dusk;
    };
    std::vector<int> landed;
    for (int d = 0; d < 3; ++d) {
        const EventMinutes& m = side(around[static_cast<std::size_t>(d)]);
        for (const auto& c : {m.earlierCrossing, m.crossing}) {
            if (!c) continue;
            const int at = (d - 1) * 1440 + static_cast<int>(c->count()) + offset;
            if (at >= 0 && at < 1440) landed.push_back(at);
        }
    }
    const EventMinutes& base = side(around[1]);
    if (landed.empty())
        return base.crossing ? NoSide(kind) : EventMinutes{base.status, base.minute, {}, {}};
    EventMinutes out{EventStatus::Normal,
                     std::chrono::minutes(landed.back()),
                     std::chrono::minutes(landed.back()),
                     {}};
    if (landed.size() > 1) out.earlierCrossing = std::chrono::minutes(landed[landed.size() - 2]);
    return out;
}

Twilight EventDay(const std::vector<UserEvent>& events, const UserEvent& e,
                  std::chrono::year_month_day date, const Place& place, const EventSight& sight,
                  int depth) {
    switch (e.kind) {
        case UserEventKind::Elevation:
        case UserEventKind::Shadow: {
            std::optional<double> altitude = e.value;
            if (e.kind == UserEventKind::Shadow)
                altitude = ShadowAltitude(e.value, e.beyondNoon, date, place);
            Twilight t;
            if (!altitude) {
                // No noon shadow to count from: the sun stays down at noon.
                const EventMinutes down{
                    EventStatus::DownAllDay, std::chrono::minutes(12 * 60), {}, {}};
                t = {down, down};
            } else {
                std::array<Twilight, 1> crossing;
                ComputeSunAltitudeCrossings(date, place, std::span<const double>(&*altitude, 1),
                                            crossing);
                t = crossing[0];
            }
            if (e.side == UserEventSide::Rising) t.dusk = NoSide(EventKind::Set);
            if (e.side == UserEventSide::Setting) t.dawn = NoSide(EventKind::Rise);
            return t;
        }
        case UserEventKind::Offset:
            break;
    }
    const UserEvent* base = Find(events, e.base);
    const std::optional<BuiltIn> builtIn = BuiltInOf(e.base);
    if ((base == nullptr && !builtIn) || depth > kMaxOffsetDepth)
        return {NoSide(EventKind::Rise), NoSide(EventKind::Set)};
    const std::chrono::sys_days day{date};
    std::array<Twilight, 3> around;
    for (int d = 0; d < 3; ++d) {
        const std::chrono::year_month_day on{day + std::chrono::days(d - 1)};
        around[static_cast<std::size_t>(d)] =
            builtIn ? BuiltInDay(*builtIn, on, place, sight)
                    : EventDay(events, *base, on, place, sight, depth + 1);
    }
    const int offset = static_cast<int>(std::lround(e.value));
    return {Shifted(around, EventKind::Rise, offset), Shifted(around, EventKind::Set, offset)};
}

}  // namespace

Twilight ComputeUserEvent(const std::vector<UserEvent>& events, std::size_t index,
                          std::chrono::year_month_day date, const Place& place,
                          const EventSight& sight) {
    if (index >= events.size()) return {NoSide(EventKind::Rise), NoSide(EventKind::Set)};
    return EventDay(events, events[index], date, place, sight, 0);
}

}  // namespace dawn
