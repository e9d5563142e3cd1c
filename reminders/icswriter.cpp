#include "reminders/icswriter.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "places/zone.h"
#include "reminders/remindertext.h"

namespace dawn {
namespace {

using std::chrono::days;
using std::chrono::minutes;
using std::chrono::seconds;
using std::chrono::sys_seconds;

// Longest name or label the file takes, in bytes; longer ones are cut at a
// character boundary.
constexpr std::size_t kMaxTextBytes = 512;
// How far the zone's VTIMEZONE reaches beyond the exported dates, so that
// the first and last local dates are covered whatever the zone's offset.
constexpr days kZoneMargin{2};

// libical hands out strings it allocated; they go back to libical.
struct IcalText {
    char* text;
    explicit IcalText(char* t) : text(t) {}
    ~IcalText() { icalmemory_free_buffer(text); }
    IcalText(const IcalText&) = delete;
    IcalText& operator=(const IcalText&) = delete;
    std::string_view View() const { return text ? std::string_view(text) : std::string_view(); }
};

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// Text safe for a TEXT value: valid UTF-8 (a broken sequence becomes
// U+FFFD), no control characters, at most kMaxTextBytes.
std::string CleanText(std::string_view in) {
    std::string out;
    std::size_t i = 0;
    while (i < in.size() && out.size() < kMaxTextBytes) {
        const auto b = static_cast<unsigned char>(in[i]);
        std::size_t len = b < 0x80         ? 1
                          : (b >> 5) == 6  ? 2
                          : (b >> 4) == 14 ? 3
                          : (b >> 3) == 30 ? 4
                                           : 0;
        bool valid = len > 0 && i + len <= in.size();
        for (std::size_t k = 1; valid && k < len; ++k)
            valid = (static_cast<unsigned char>(in[i + k]) & 0xC0) == 0x80;
        if (valid && len > 1) {
            // No overlong forms, surrogates or values past U+10FFFF.
            const auto b1 = static_cast<unsigned char>(in[i + 1]);
            valid = !(len == 2 && b < 0xC2) && !(len == 3 && b == 0xE0 && b1 < 0xA0) &&
                    !(len == 3 && b == 0xED && b1 >= 0xA0) &&
                    !(len == 4 && b == 0xF0 && b1 < 0x90) &&
                    !(len == 4 && (b > 0xF4 || (b == 0xF4 && b1 >= 0x90)));
        }
        if (!valid) {
            // One replacement for the broken sequence: its lead byte and
            // the continuation bytes that follow it.
            out += "\uFFFD";
            ++i;
            for (std::size_t k = 1;
                 k < len && i < in.size() && (static_cast<unsigned char>(in[i]) & 0xC0) == 0x80;
                 ++k)
                ++i;
            continue;
        }
        const bool control =
            len == 1 ? (b < 0x20 || b == 0x7F)
                     : (len == 2 && b == 0xC2 && static_cast<unsigned char>(in[i + 1]) < 0xA0);
        if (!control) out.append(in.substr(i, len));
        i += len;
    }
    return out;
}

icaltimetype IcalTime(sys_seconds t, bool utc) {
    const auto day = std::chrono::floor<days>(t);
    const std::chrono::year_month_day ymd(day);
    const std::chrono::hh_mm_ss<seconds> hms(t - day);
    icaltimetype out = icaltime_null_time();
    out.year = static_cast<int>(ymd.year());
    out.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    out.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    out.hour = static_cast<int>(hms.hours().count());
    out.minute = static_cast<int>(hms.minutes().count());
    out.second = static_cast<int>(hms.seconds().count());
    out.is_date = 0;
    out.zone = utc ? icaltimezone_get_utc_timezone() : nullptr;
    return out;
}

// A DATE-TIME property, "NAME[;TZID=zone]:YYYYMMDDTHHMMSS[Z]". libical takes
// a time after the year 3000 for no time and writes it as 00000000T000000,
// so the value's text is made here and libical reads it in as it would read
// it from a file. `tzid` is a zone name already checked to be plain letters.
icalproperty* DateTimeProperty(std::string_view name, sys_seconds t, bool utc,
                               const std::string* tzid = nullptr) {
    const auto day = std::chrono::floor<days>(t);
    const std::chrono::year_month_day ymd(day);
    const std::chrono::hh_mm_ss<seconds> hms(t - day);
    char value[32];
    std::snprintf(value, sizeof value, "%04d%02u%02uT%02d%02d%02d%s", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                  static_cast<int>(hms.hours().count()), static_cast<int>(hms.minutes().count()),
                  static_cast<int>(hms.seconds().count()), utc ? "Z" : "");
    std::string text(name);
    if (tzid != nullptr) text += ";TZID=" + *tzid;
    text += ':';
    text += value;
    return icalproperty_new_from_string(text.c_str());
}

bool YearWritable(DayNumber d) {
    return d.Year() >= 1 && d.Year() <= 9999;
}

// The first and last instants a DATE-TIME can write (years 1 to 9999), on
// any clock.
const sys_seconds kFirstWritable{DayNumber::FromYmd(1, 1, 1).ToSysDays()};
const sys_seconds kLastWritable{sys_seconds(DayNumber::FromYmd(9999, 12, 31).ToSysDays()) +
                                seconds(86399)};

// A zone name as the time-zone database spells them: letters, digits and
// "/_-+", no empty or dot-led part. Anything else is no zone (and never
// reaches the file system).
bool ZoneNameShaped(std::string_view name) {
    if (name.empty() || name.size() > 64) return false;
    bool partStart = true;
    for (char c : name) {
        const bool word = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '+';
        if (c == '/') {
            if (partStart) return false;
            partStart = true;
        } else if (word) {
            partStart = false;
        } else {
            return false;
        }
    }
    return !partStart;
}

bool IsOwn(SkyEvent kind) {
    return kind == SkyEvent::OwnRising || kind == SkyEvent::OwnSetting;
}

// A user's event's name in a UID: letters and digits of ASCII as they are,
// every other byte as '_' and two hex digits, so that two names never meet.
std::string UidName(std::string_view name) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9')) {
            out += c;
        } else {
            out += '_';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

std::string UidPart(std::int32_t minutes, char positive, char negative) {
    return std::to_string(std::abs(static_cast<long long>(minutes))) +
           (minutes < 0 ? negative : positive);
}

}  // namespace

// The zone of the file: its periods over the file's dates, from the same
// reading of the time-zone database as the rest of the program, for the
// VTIMEZONE written in the head and for the events' clock times.
struct IcsWriter::Zone {
    std::string name;
    std::vector<ZonePeriod> periods;  // consecutive, the first one holding every earlier instant

    // The period holding `t`.
    std::size_t IndexAt(sys_seconds t) const {
        const auto after =
            std::upper_bound(periods.begin(), periods.end(), t,
                             [](sys_seconds when, const ZonePeriod& p) { return when < p.begin; });
        return after == periods.begin() ? 0 : static_cast<std::size_t>(after - periods.begin()) - 1;
    }

    // How many instants the zone's clocks show the local time `local` at:
    // two in the hour repeated when the clocks go back, none in a skipped one.
    int TimesShown(sys_seconds local, std::size_t near) const {
        int shown = 0;
        const std::size_t first = near == 0 ? 0 : near - 1;
        for (std::size_t k = first; k <= near + 1 && k < periods.size(); ++k) {
            const sys_seconds t = local - periods[k].offset;
            const bool inside = (k == 0 || periods[k].begin <= t) &&
                                (k + 1 == periods.size() || t < periods[k + 1].begin);
            if (inside) ++shown;
        }
        return shown;
    }

    // The VTIMEZONE: one part per period, the first from the file's first
    // instant, so that even a zone without a change in the file's range (or
    // before its first change, in its local mean time) has one.
    Component Vtimezone(sys_seconds until) const {
        Component zone(icalcomponent_new_vtimezone());
        icalcomponent_add_property(zone.get(), icalproperty_new_tzid(name.c_str()));
        icalcomponent_add_property(zone.get(), DateTimeProperty("TZUNTIL", until, true));
        for (std::size_t k = 0; k < periods.size(); ++k) {
            const ZonePeriod& p = periods[k];
            const seconds before = k == 0 ? p.offset : periods[k - 1].offset;
            // Its start on the clock before it, kept within the years a
            // DATE-TIME can write.
            const sys_seconds start = std::clamp(p.begin + before, kFirstWritable, kLastWritable);
            if (k > 0 && start == kLastWritable) break;
            icalcomponent* part =
                p.summer ? icalcomponent_new_xdaylight() : icalcomponent_new_xstandard();
            const std::string tzname = CleanText(p.abbreviation);
            if (!tzname.empty())
                icalcomponent_add_property(part, icalproperty_new_tzname(tzname.c_str()));
            icalcomponent_add_property(
                part, icalproperty_new_tzoffsetfrom(static_cast<int>(before.count())));
            icalcomponent_add_property(
                part, icalproperty_new_tzoffsetto(static_cast<int>(p.offset.count())));
            icalcomponent_add_property(part, DateTimeProperty("DTSTART", start, false));
            icalcomponent_add_component(zone.get(), part);
        }
        return zone;
    }
};

std::string_view SkyEventToken(SkyEvent kind) {
    switch (kind) {
        case SkyEvent::Sunrise:
            return "sunrise";
        case SkyEvent::Sunset:
            return "sunset";
        case SkyEvent::Moonrise:
            return "moonrise";
        case SkyEvent::Moonset:
            return "moonset";
        case SkyEvent::CivilDawn:
            return "civildawn";
        case SkyEvent::CivilDusk:
            return "civildusk";
        case SkyEvent::MarchEquinox:
            return "marchequinox";
        case SkyEvent::JuneSolstice:
            return "junesolstice";
        case SkyEvent::SeptemberEquinox:
            return "septemberequinox";
        case SkyEvent::DecemberSolstice:
            return "decembersolstice";
        case SkyEvent::Perigee:
            return "perigee";
        case SkyEvent::Apogee:
            return "apogee";
        case SkyEvent::LunarEclipse:
            return "lunareclipse";
        case SkyEvent::SolarEclipse:
            return "solareclipse";
        case SkyEvent::MeteorShower:
            return "meteorshower";
        case SkyEvent::SummerTimeStarts:
            return "summertimestarts";
        case SkyEvent::SummerTimeEnds:
            return "summertimeends";
        case SkyEvent::MorningBlueHour:
            return "morningbluehour";
        case SkyEvent::MorningGoldenHour:
            return "morninggoldenhour";
        case SkyEvent::EveningGoldenHour:
            return "eveninggoldenhour";
        case SkyEvent::EveningBlueHour:
            return "eveningbluehour";
        case SkyEvent::SunriseFromHeight:
            return "sunrisefromheight";
        case SkyEvent::SunsetFromHeight:
            return "sunsetfromheight";
        case SkyEvent::VisibleSunrise:
            return "visiblesunrise";
        case SkyEvent::VisibleSunset:
            return "visiblesunset";
        case SkyEvent::OwnRising:
            return "ownrising";
        case SkyEvent::OwnSetting:
            return "ownsetting";
        case SkyEvent::Count:
            break;
    }
    return {};
}

std::string CalendarUid(const CalendarEvent& event, const CalendarPlace& place) {
    const DayNumber d = event.date;
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02u%02u", d.Year(), d.Month(), d.Day());
    std::string uid = date;
    uid += '-';
    uid += SkyEventToken(event.kind);
    if (IsOwn(event.kind)) uid += '-' + UidName(event.name);
    uid += '-' + UidPart(place.latitudeMinutes, 'N', 'S');
    uid += '-' + UidPart(place.longitudeMinutes, 'E', 'W');
    uid += "@dawnhelm";
    return uid;
}

IcsWriter::IcsWriter(CalendarHeader header, Sink sink)
    : header_(std::move(header)), sink_(std::move(sink)) {
    // The words reach every event: cleaned once.
    for (std::string& name : header_.words.names) name = CleanText(name);
    header_.words.timeSeparator = CleanText(header_.words.timeSeparator);
    header_.place.name = CleanText(header_.place.name);
}

IcsWriter::~IcsWriter() = default;

IcsStatus IcsWriter::Fail(IcsStatus status, std::string message) {
    error_ = std::move(message);
    return status;
}

IcsStatus IcsWriter::Put(std::string_view text) {
    if (sink_(text)) return IcsStatus::Ok;
    stage_ = Stage::Stopped;
    return Fail(IcsStatus::Stopped, "the calendar file was not written to the end");
}

IcsStatus IcsWriter::Begin() {
    if (stage_ == Stage::Stopped) return IcsStatus::Stopped;
    if (stage_ != Stage::New)
        return Fail(IcsStatus::OutOfOrder, "the calendar file was begun twice");
    error_.clear();
    if (header_.to < header_.from || !YearWritable(header_.from) || !YearWritable(header_.to))
        return Fail(IcsStatus::BadRange, "the dates of the calendar file are out of range");

    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Dawnhelm//Sun and moon calendar//EN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));

    // UTC itself has no VTIMEZONE: its times are written with a Z.
    if (!header_.zone.empty() && header_.zone != "UTC") {
        if (!ZoneNameShaped(header_.zone))
            return Fail(IcsStatus::UnknownZone, "unknown time zone: " + CleanText(header_.zone));
        const sys_seconds start = header_.from.ToSysDays() - kZoneMargin;
        const sys_seconds end = header_.to.ToSysDays() + kZoneMargin;
        ZonePeriodsResult read = ZonePeriodsBetween(header_.zone, start, end);
        if (read.error == ZoneError::UnknownZone ||
            (read.error == ZoneError::None && read.periods.empty()))
            return Fail(IcsStatus::UnknownZone, "unknown time zone: " + CleanText(header_.zone));
        if (read.error != ZoneError::None)
            return Fail(IcsStatus::UnknownZone, CleanText(read.message));
        zone_ = std::make_unique<Zone>(Zone{header_.zone, std::move(read.periods)});
        icalcomponent_add_component(calendar.get(),
                                    zone_->Vtimezone(std::min(end, kLastWritable)).release());
    }

    IcalText text(icalcomponent_as_ical_string_r(calendar.get()));
    // The head is all of the calendar but its last line, which closes the file.
    const std::string_view whole = text.View();
    const std::size_t end = whole.rfind("END:VCALENDAR");
    if (end == std::string_view::npos) return Fail(IcsStatus::Stopped, "libical wrote no calendar");
    tail_ = std::string(whole.substr(end));
    if (Put(whole.substr(0, end)) != IcsStatus::Ok) return IcsStatus::Stopped;
    stage_ = Stage::Open;
    return IcsStatus::Ok;
}

IcsStatus IcsWriter::Add(const CalendarEvent& event) {
    if (stage_ == Stage::Stopped) return IcsStatus::Stopped;
    if (stage_ != Stage::Open) return Fail(IcsStatus::OutOfOrder, "an event outside the calendar");
    error_.clear();
    const auto kind = static_cast<std::size_t>(event.kind);
    if (kind >= kSkyEventCount || event.date < header_.from || header_.to < event.date ||
        event.wallTime < minutes(0) || event.wallTime >= days(1) ||
        std::chrono::abs(event.utcOffset) >= days(1) || (IsOwn(event.kind) && event.name.empty()))
        return Fail(IcsStatus::BadEvent, "an event out of bounds on " + FormatIsoDate(event.date));

    const sys_seconds local = event.date.ToSysDays() + event.wallTime;
    const sys_seconds instant = local - event.utcOffset;

    Component vevent(icalcomponent_new_vevent());
    icalcomponent* e = vevent.get();
    icalcomponent_add_property(e, icalproperty_new_uid(CalendarUid(event, header_.place).c_str()));
    icalcomponent_add_property(e, icalproperty_new_dtstamp(IcalTime(header_.stamp, true)));
    std::optional<sys_seconds> wall;  // the start on the zone's clock
    if (zone_) {
        const std::size_t k = zone_->IndexAt(instant);
        const seconds offset = zone_->periods[k].offset;
        // The event's own clock time, as its summary gives it, where the
        // zone's offset is the event's to the minute (a local mean time
        // such as +00:17:30 is +00:18 on the program's clocks); else the
        // zone's clock time of the instant.
        wall = std::chrono::round<minutes>(offset) == event.utcOffset ? local : instant + offset;
        // A clock time shown twice is written in UTC.
        if (zone_->TimesShown(*wall, k) != 1) wall.reset();
    }
    if (wall) {
        icalcomponent_add_property(e, DateTimeProperty("DTSTART", *wall, false, &zone_->name));
    } else {
        icalcomponent_add_property(e, DateTimeProperty("DTSTART", instant, true));
    }
    // An instant: it ends when it starts, so calendars show a point in time.
    icalcomponent_add_property(e, icalproperty_new_duration(icaldurationtype_null_duration()));
    const std::string& words = header_.words.names[kind];
    std::string summary = EventSummary(
        IsOwn(event.kind) ? CleanText(event.name) + (words.empty() ? "" : " " + words) : words,
        event.wallTime, event.azimuthDegrees, header_.words.timeSeparator);
    if (!event.detail.empty()) summary += ": " + CleanText(event.detail);
    icalcomponent_add_property(e, icalproperty_new_summary(summary.c_str()));
    icalgeotype geo;
    geo.lat = header_.place.latitudeMinutes / 60.0;
    geo.lon = header_.place.longitudeMinutes / 60.0;
    icalcomponent_add_property(e, icalproperty_new_geo(geo));
    if (!header_.place.name.empty())
        icalcomponent_add_property(e, icalproperty_new_location(header_.place.name.c_str()));
    icalcomponent_add_property(e, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));

    IcalText text(icalcomponent_as_ical_string_r(e));
    return Put(text.View());
}

IcsStatus IcsWriter::Finish() {
    if (stage_ == Stage::Stopped) return IcsStatus::Stopped;
    if (stage_ != Stage::Open) return Fail(IcsStatus::OutOfOrder, "the calendar file is not open");
    error_.clear();
    if (Put(tail_) != IcsStatus::Ok) return IcsStatus::Stopped;
    stage_ = Stage::Done;
    return IcsStatus::Ok;
}

}  // namespace dawn
